#include "fileops/FileOperation.h"

#include <shellapi.h>
#include <shlobj.h>

#include "base/FindHandle.h"
#include "base/Trace.h"
#include "fileops/DirectoryWalk.h"

namespace {
// Copies into a zero-filled buffer; false when the path does not fit.
bool CopyPath(wchar_t (&buffer)[MAX_PATH], const std::wstring& path) {
  ZeroMemory(buffer, sizeof buffer);
  if (path.size() >= MAX_PATH) return false;
  path.copy(buffer, path.size());
  return true;
}
}  // namespace

FileOperation::FileOperation(HWND owner, const std::wstring& source, const std::wstring& target, bool confirm,
                             bool silent, bool allowUndo)
    : owner(owner), confirm(confirm), silent(silent), allowUndo(allowUndo) {
  if (!CopyPath(this->source, source)) tooLong_ = source;
  if (!CopyPath(this->target, target) && tooLong_.empty()) tooLong_ = target;
}

UINT FileOperation::FlagWord() const {
  UINT flags = confirm ? FOF_NOCONFIRMMKDIR : FOF_NOCONFIRMMKDIR | FOF_NOCONFIRMATION;
  if (silent) flags |= FOF_SILENT | FOF_NOERRORUI;
  if (allowUndo) flags |= FOF_ALLOWUNDO;
  return flags;
}

std::wstring FileOperation::SourceBlock() const {
  std::wstring block;
  PathList sources = extraSources;
  if (sources.empty() || source[0]) sources.push_back(source);
  for (const std::wstring& path : sources) {
    block += path;
    block.push_back(L'\0');
  }
  block.push_back(L'\0');
  return block;
}

namespace {

bool IsFolder(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A folder that a move merges with another of its name. A junction or symbolic link is moved as the link:
// merging through it would move the files of the place it points to.
bool IsMergeable(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(LongPathForm(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
         !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

std::wstring NameOf(const std::wstring& path) {
  size_t end = path.find_last_not_of(L'\\');
  size_t slash = path.rfind(L'\\', end);
  return path.substr(slash == std::wstring::npos ? 0 : slash + 1, end == std::wstring::npos ? 0 : end - slash);
}

int ShellRequest(HWND owner, UINT function, const std::wstring& from, const wchar_t* to, UINT flags) {
  SHFILEOPSTRUCTW request{};
  request.hwnd = owner;
  request.wFunc = function;
  request.pFrom = from.c_str();
  request.pTo = to;
  request.fFlags = FILEOP_FLAGS(flags);
  return SHFileOperationW(&request);
}

std::wstring Block(const std::wstring& path) { return path + std::wstring(1, L'\0'); }

// Moves the folder's contents into an existing folder of the same name, then removes the emptied
// source. Some shells (Wine's among them) neither merge folders nor move several sources in one request.
int MergeMove(HWND owner, const std::wstring& from, const std::wstring& into, UINT flags) {
  int status = 0;
  PathList entries;
  WIN32_FIND_DATAW data;
  FindHandle search(from + L"\\*", data);
  if (!search.valid()) return ERROR_PATH_NOT_FOUND;
  do {
    if (!IsDotEntry(data.cFileName)) entries.push_back(data.cFileName);
  } while (search.next(data));
  for (const std::wstring& name : entries) {
    std::wstring source = from + L"\\" + name, target = into + L"\\" + name;
    int one = IsMergeable(source) && IsMergeable(target) ? MergeMove(owner, source, target, flags)
                                                   : ShellRequest(owner, FO_MOVE, Block(source), Block(into).c_str(), flags);
    if (one && !status) status = one;
  }
  if (!status) RemoveDirectoryW(from.c_str());
  return status;
}

}  // namespace

bool FileOperation::Run(UINT function) {
  std::wstring refused = tooLong_;
  for (const std::wstring& path : extraSources)
    if (refused.empty() && path.size() >= MAX_PATH) refused = path;
  if (!refused.empty()) {
    // The shell's buffers hold 259 characters; a longer path would be cut or overrun.
    trace::Write(name, L": Path too long: ", refused);
    trace::Write(name, L" Failed!");
    return false;
  }
  int status = function == FO_MOVE ? Move() : ShellRequest(owner, function, SourceBlock(), target, FlagWord());
  trace::Write(name, status == 0 ? L" Success!" : L" Failed!");
  return status == 0;
}

int FileOperation::Move() {
  PathList sources = extraSources;
  if (sources.empty() || source[0]) sources.push_back(source);
  std::wstring into = target;
  // One source to a new name, or to a folder that has no item of that name yet: one plain request.
  bool merges = false;
  for (const std::wstring& path : sources) merges |= IsMergeable(path) && IsMergeable(into + L"\\" + NameOf(path));
  if (sources.size() == 1 && !merges) return ShellRequest(owner, FO_MOVE, SourceBlock(), target, FlagWord());

  if (!IsFolder(into) && SHCreateDirectoryExW(owner, into.c_str(), nullptr) != ERROR_SUCCESS) return ERROR_PATH_NOT_FOUND;
  int status = 0;
  for (const std::wstring& path : sources) {
    std::wstring destination = into + L"\\" + NameOf(path);
    int one = IsMergeable(path) && IsMergeable(destination) ? MergeMove(owner, path, destination, FlagWord())
                                                      : ShellRequest(owner, FO_MOVE, Block(path), Block(into).c_str(), FlagWord());
    if (one && !status) status = one;
  }
  return status;
}

CopyFileOperation::CopyFileOperation(HWND owner, const std::wstring& source, const std::wstring& target, bool confirm,
                                     bool silent, bool allowUndo)
    : FileOperation(owner, source, target, confirm, silent, allowUndo) {
  name = L"CopyFileOrFolder";
}

MoveFileOperation::MoveFileOperation(HWND owner, const std::wstring& source, const std::wstring& target, bool confirm,
                                     bool silent, bool allowUndo)
    : FileOperation(owner, source, target, confirm, silent, allowUndo) {
  name = L"MoveFileOrFolder";
}

DeleteFileOperation::DeleteFileOperation(HWND owner, const std::wstring& path, bool silent, bool allowUndo)
    : FileOperation(owner, path, L"", false, silent, allowUndo) {
  name = L"DeleteFileOrFolder";
}

RenameFileOperation::RenameFileOperation(HWND owner, const std::wstring& oldPath, const std::wstring& newPath,
                                         bool confirm, bool silent)
    : FileOperation(owner, oldPath, newPath, confirm, silent, true) {
  name = L"RenameFileOrFolder";
}

std::wstring MakeTempFileName(const std::wstring& folder, const wchar_t* prefix) {
  wchar_t name[MAX_PATH];
  if (folder.size() >= MAX_PATH - 14 || !GetTempFileNameW(folder.c_str(), prefix, 0, name)) return L"";
  return name;
}

std::wstring MakeScratchFileBeside(const std::wstring& path) {
  static const wchar_t kHex[] = L"0123456789ABCDEF";
  // Start anywhere, so that two operations in one folder rarely probe the same names.
  uint32_t start = GetTickCount() ^ (GetCurrentProcessId() << 4) ^ GetCurrentThreadId();
  for (uint32_t attempt = 0; attempt < 0x1000; ++attempt) {
    uint32_t value = (start + attempt) & 0xFFF;
    std::wstring candidate = path + L".~" + kHex[value >> 8] + kHex[(value >> 4) & 0xF] + kHex[value & 0xF];
    if (candidate.size() >= MAX_PATH) return L"";
    HANDLE file = CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      CloseHandle(file);
      return candidate;
    }
    DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return L"";
  }
  return L"";
}
