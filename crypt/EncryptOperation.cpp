// Encryptor: files and folders into ".qxenc" items.
#include <shlwapi.h>

#include <optional>

#include "base/Prompt.h"
#include "base/Trace.h"
#include "crypt/CryptOperations.h"
#include "crypt/CryptWalk.h"
#include "crypt/EncryptedFile.h"
#include "crypt/PlainCopies.h"
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

}  // namespace

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

  std::optional<PlainCopies> copies;
  if (!deleteOriginal) {
    copies.emplace(engine_.owner);
    if (!copies->Make(remaining)) return result.Stop(status::Unexpected, kUnexpectedError, items);
  }

  int64_t total = CalcTotalFiles(engine_.owner, remaining, 0);
  double position = 1.0, step = total > 0 ? 99.0 / double(total) : 0.0;
  EncryptList(result, remaining, password, position, step);
  if (open && result.status != status::Unexpected && result.status != status::UserSaidNo) {
    result.status = status::SomeFailed;
    result.failed += open;
    result.message = FailedToEncrypt(result.failed);
  }

  if (copies && !copies->PutBack()) result.Stop(status::Unexpected, kUnexpectedError, items);
}

void Encryptor::EncryptList(OperationResult& result, const PathList& pathList, const std::wstring& password,
                                double& position, double step) {
  result.kind = kind::Encrypt;
  const size_t items = pathList.size();
  uint32_t succeeded = 0;
  for (const std::wstring& path : pathList) {
    if (IsLink(path)) {
      trace::Write(L"FilesRefactor::EncryptList: Link not followed: ", path);
      continue;
    }
    const std::wstring target = path + kEncryptedExtension;
    if (PathFileExistsW(target.c_str())) {
      int answer = engine_.Ask(OverwriteQuestion(path, L"encrypted", false).c_str(), L"Encrypt File Exist",
                       MB_YESNOCANCEL | MB_ICONQUESTION, BarPosition(position));
      if (answer == IDCANCEL) return UserStopped(result, items);
      if (answer != IDYES) continue;
      if (!DeleteFileOperation(engine_.owner, target, true, true).execute()) {
        trace::Write(L"FilesRefactor::EncryptList: DeleteFileOperation failed");
        return result.Stop(status::Unexpected, kUnexpectedError, items);
      }
    }

    trace::Write(L"FilesRefactor::EncryptList: Encrypting : ", path);
    int code = EncryptFile(engine_.owner, path, password);
    if (code == crypt_code::NotAFile) {
      OperationResult inside;
      EncryptList(inside, EntriesToWalk(path), password, position, step);
      if (inside.status != status::Success) {
        result = inside;
        return;
      }
    } else if (code != crypt_code::Done) {
      std::wstring message = L"Can't encrypt file: " + path + L".\n\nError: PRIVRESPONSE " + std::to_wstring(code);
      engine_.Ask(message.c_str(), L"Can't Encrypt!!!", MB_ICONHAND, BarPosition(position));
      continue;
    }

    if (!RenameFileOperation(engine_.owner, path, target, false, false).execute()) {
      trace::Write(L"FilesRefactor::EncryptList: Unexpected error RenameFileOperation.execute()!");
      return result.Stop(status::Unexpected, kUnexpectedError, items);
    }
    result.outputs.push_back(target);
    ++succeeded;
    position += step;
    engine_.Report(BarPosition(position));
  }

  result.succeeded = succeeded;
  result.failed = uint32_t(items - succeeded);
  result.status = succeeded == items ? status::Success : status::SomeFailed;
  result.message = succeeded == items ? L"" : FailedToEncrypt(result.failed);
}
