#include "organize/OrganizeCommon.h"

#include <shlobj.h>

#include "base/ParentFolder.h"
#include "base/Trace.h"
#include "fileops/DirectoryWalk.h"

const wchar_t kDestinationIsFile[] = L"The destination can't be a file";
const wchar_t kExtractIncomplete[] =
    L"Some files or folders failed to extract completely.\n\n(Are some of the files open?!)";

std::wstring NameAfterSlash(const std::wstring& path) {
  size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

namespace {
std::wstring WithoutTrailingSlashes(const std::wstring& path) {
  size_t end = path.find_last_not_of(L"\\/");
  return end == std::wstring::npos ? std::wstring() : path.substr(0, end + 1);
}
}  // namespace

bool IsSameOrInside(const std::wstring& path, const std::wstring& folder) {
  std::wstring inner = WithoutTrailingSlashes(path), outer = WithoutTrailingSlashes(folder);
  if (outer.empty() || inner.size() < outer.size()) return false;
  if (!SamePathText(std::wstring_view(inner).substr(0, outer.size()), outer)) return false;
  return inner.size() == outer.size() || inner[outer.size()] == L'\\' || inner[outer.size()] == L'/';
}

DWORD Attributes(const std::wstring& path) { return GetFileAttributesW(LongPathForm(path).c_str()); }

bool CreateDestination(HWND owner, const std::wstring& folder, const wchar_t* alreadyThereTrace) {
  int created = SHCreateDirectoryExW(owner, folder.c_str(), nullptr);
  if (created == ERROR_ALREADY_EXISTS || created == ERROR_FILE_EXISTS) trace::Write(alreadyThereTrace);
  return IsFolderItem(Attributes(folder));
}
