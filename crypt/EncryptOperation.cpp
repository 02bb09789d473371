// Encryptor: files and folders into ".qxenc" items.
#include <shlwapi.h>

#include <unordered_set>

#include "base/Prompt.h"
#include "base/Trace.h"
#include "crypt/CryptOperations.h"
#include "crypt/CryptWalk.h"
#include "crypt/EncryptedFile.h"
#include "fileops/DirectoryWalk.h"
#include "fileops/FileOperation.h"
#include "fileops/FileStream.h"
#include "fileops/FilesRefactor.h"

namespace {

const wchar_t kWarning[] =
    L"The selected files will be encrypted with the given password.\nYou must make sure you remember this password "
    L"since this operation is irreversible without it.\nDo you want to continue?";

std::wstring FailedToEncrypt(uint32_t count) { return std::to_wstring(count) + L" files or folders failed to encrypt."; }

void UserStopped(OperationResult& result, size_t items) {
  trace::Write(L"FilesRefactor::EncryptList: User stopped operation");
  result.Stop(status::UserSaidNo, L"", items);
}

void Unexpected(OperationResult& result, const wchar_t* line, size_t items) {
  trace::Write(line);
  result.Stop(status::Unexpected, kUnexpectedError, items);
}

}  // namespace

// What one batch shares while it walks.
struct Encryptor::Walk {
  const std::wstring& password;
  double& position;
  double step;
  // The encrypted items this batch wrote: a folder walk that meets one does not encrypt it again.
  std::unordered_set<std::wstring> written;
};

void Encryptor::Encrypt(OperationResult& result, const PathList& pathList, const std::wstring& password,
                        bool deleteOriginal) {
  result = {};
  result.kind = kind::Encrypt;
  const size_t items = pathList.size();
  engine_.Report(1, true);
  if (Prompt(engine_.owner, kWarning, L"Encrypt File Warning", MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
    return UserStopped(result, items);
  engine_.Report(1);

  PathList remaining;
  uint32_t open = 0;
  for (const std::wstring& path : pathList) {
    if (OpenElsewhere(path))
      ++open;
    else
      remaining.push_back(path);
  }
  if (remaining.empty()) {
    // Everything selected is open elsewhere (or nothing was selected).
    if (open) {
      result.status = status::SomeFailed;
      result.failed = open;
      result.message = FailedToEncrypt(open);
    }
    return;
  }

  int64_t total = CalcTotalFiles(engine_.owner, remaining, 0);
  double position = 1.0, step = total > 0 ? 99.0 / double(total) : 0.0;
  Walk walk{password, position, step, {}};
  EncryptItems(result, remaining, walk, !deleteOriginal, true);
  if (open && result.status != status::Unexpected && result.status != status::UserSaidNo) {
    result.status = status::SomeFailed;
    result.failed += open;
    result.message = FailedToEncrypt(result.failed);
  }
}

void Encryptor::EncryptList(OperationResult& result, const PathList& pathList, const std::wstring& password,
                            double& position, double step) {
  Walk walk{password, position, step, {}};
  EncryptItems(result, pathList, walk, false, true);
}

bool Encryptor::EncryptItems(OperationResult& result, const PathList& items, Walk& walk, bool keepOriginals,
                             bool top) {
  result.kind = kind::Encrypt;
  uint32_t succeeded = 0, failed = 0;
  auto tell = [&](const std::wstring& message) {
    engine_.Ask(message.c_str(), L"Can't Encrypt!!!", MB_ICONHAND, BarPosition(walk.position));
  };
  for (const std::wstring& path : items) {
    if (walk.written.count(path)) continue;
    if (IsLink(path)) {
      trace::Write(L"FilesRefactor::EncryptList: Link not followed: ", path);
      ++failed;
      continue;
    }
    const std::wstring target = path + kEncryptedExtension;
    if (top) {
      // Nothing is touched before every name the item will have is known to fit.
      EncryptionCheck check = CheckEncryption(path);
      if (!check.tooLong.empty()) {
        trace::Write(L"FilesRefactor::EncryptList: Encrypted name too long for ", check.tooLong);
        tell(L"Can't encrypt file: " + path + L".\n\n" +
             (check.tooLong == path ? L"Its encrypted name would be too long."
                                    : L"The encrypted name of " + check.tooLong + L" would be too long."));
        ++failed;
        continue;
      }
      if (check.openInside) {
        trace::Write(L"FilesRefactor::EncryptList: A file inside is open: ", path);
        ++failed;
        continue;
      }
    }
    if (PathFileExistsW(target.c_str())) {
      int answer = engine_.Ask(OverwriteQuestion(path, L"encrypted", false).c_str(), L"Encrypt File Exist",
                               MB_YESNOCANCEL | MB_ICONQUESTION, BarPosition(walk.position));
      if (answer == IDCANCEL) {
        UserStopped(result, items.size());
        return false;
      }
      if (answer != IDYES) {
        trace::Write(L"FilesRefactor::EncryptList: Left as it is: ", path);
        ++failed;
        continue;
      }
      if (!DeleteFileOperation(engine_.owner, target, true, true).execute()) {
        Unexpected(result, L"FilesRefactor::EncryptList: DeleteFileOperation failed", items.size());
        return false;
      }
    }

    trace::Write(L"FilesRefactor::EncryptList: Encrypting : ", path);
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      uint32_t failedInside = 0;
      if (!EncryptFolder(result, path, target, walk, keepOriginals, failedInside, items.size())) return false;
      failed += failedInside;
    } else {
      int code = EncryptFileAs(engine_.owner, path, target, walk.password);
      if (code != crypt_code::Done) {
        tell(L"Can't encrypt file: " + path + L".\n\nError: PRIVRESPONSE " + std::to_wstring(code));
        ++failed;
        continue;
      }
      walk.written.insert(target);
      // The plain file goes only once its encrypted version is in place, and not to the recycle bin.
      if (!keepOriginals && !DeleteFileOperation(engine_.owner, path, false, false).execute()) {
        trace::Write(L"FilesRefactor::EncryptList: The plain file stays beside its encrypted version: ", path);
        ++failed;
      }
    }
    result.outputs.push_back(target);
    ++succeeded;
    walk.position += walk.step;
    engine_.Report(BarPosition(walk.position));
  }

  result.succeeded = succeeded;
  result.failed = failed;
  result.status = failed == 0 ? status::Success : status::SomeFailed;
  result.message = failed == 0 ? L"" : FailedToEncrypt(failed);
  return true;
}

// A folder: every item inside, then its own name. To keep the original, the folder is first copied to
// its encrypted name and the copy is encrypted, so that the original is never touched.
bool Encryptor::EncryptFolder(OperationResult& result, const std::wstring& path, const std::wstring& target, Walk& walk,
                              bool keepOriginal, uint32_t& failedInside, size_t items) {
  if (keepOriginal && !CopyFileOperation(engine_.owner, path, target, false, true, true).execute()) {
    DeleteFileOperation(engine_.owner, target, true, false).execute();  // whatever part of the copy was made
    Unexpected(result, L"FilesRefactor::Encrypt: CopyFileOperation failed", items);
    return false;
  }
  walk.written.insert(target);
  OperationResult inside;
  if (!EncryptItems(inside, EntriesToWalk(keepOriginal ? target : path), walk, false, false)) {
    // Only the unfinished copy goes; the original is as it was.
    if (keepOriginal) DeleteFileOperation(engine_.owner, target, true, false).execute();
    result.Stop(inside.status, inside.message, items);
    return false;
  }
  failedInside = inside.failed;
  if (!keepOriginal && !RenameFileOperation(engine_.owner, path, target, false, false).execute()) {
    Unexpected(result, L"FilesRefactor::EncryptList: Unexpected error RenameFileOperation.execute()!", items);
    return false;
  }
  return true;
}
