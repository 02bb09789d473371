// Decryptor: ".qxenc" files and folders back to their plain names.
#include <shlwapi.h>

#include "base/Prompt.h"
#include "base/Trace.h"
#include "crypt/CryptOperations.h"
#include "crypt/CryptWalk.h"
#include "crypt/EncryptedFile.h"
#include "fileops/DirectoryWalk.h"
#include "fileops/FileMachine.h"
#include "fileops/FileOperation.h"
#include "fileops/FilesRefactor.h"

namespace {

enum class Overwrite { Yes, No, Stop };

void Unexpected(OperationResult& result, const wchar_t* line, size_t items) {
  trace::Write(line);
  result.Stop(status::Unexpected, kUnexpectedError, items);
}

}  // namespace

void Decryptor::Decrypt(OperationResult& result, const PathList& pathList, const std::wstring& password) {
  result = {};
  result.kind = kind::Decrypt;
  engine_.Report(1);
  int64_t total = CalcTotalFiles(engine_.owner, pathList, 0);
  double position = 1.0, step = total > 0 ? 99.0 / double(total) : 0.0;
  DecryptItems(result, pathList, password, position, step, true);
}

void Decryptor::DecryptList(OperationResult& result, const PathList& pathList, const std::wstring& password,
                            double& position, double step) {
  DecryptItems(result, pathList, password, position, step, true);
}

void Decryptor::DecryptItems(OperationResult& result, const PathList& pathList, const std::wstring& password,
                             double& position, double step, bool top) {
  result.kind = kind::Decrypt;
  const size_t items = pathList.size();
  uint32_t decrypted = 0, failed = 0;
  std::wstring wrongPassword;  // the message about the last file whose password did not match

  // Asks before an existing plain item is replaced; Yes sends it to the recycle bin.
  auto overwrite = [&](const std::wstring& path, const std::wstring& target, bool spaceAfterPath) {
    if (!PathFileExistsW(target.c_str())) return Overwrite::Yes;
    int answer = engine_.Ask(OverwriteQuestion(path, L"decrypted", spaceAfterPath).c_str(), L"Decrypt File Exist",
                             MB_YESNOCANCEL | MB_ICONQUESTION, BarPosition(position));
    if (answer == IDCANCEL) {
      trace::Write(L"FilesRefactor::DecryptList: User stopped operation");
      result.Stop(status::UserSaidNo, L"", items);
      return Overwrite::Stop;
    }
    if (answer != IDYES) {
      ++failed;
      return Overwrite::No;
    }
    if (!DeleteFileOperation(engine_.owner, target, true, true).execute()) {
      Unexpected(result, L"FilesRefactor::DecryptList: DeleteFileOperation failed", items);
      return Overwrite::Stop;
    }
    return Overwrite::Yes;
  };
  // The plain item is in place: it is what the user finds selected afterwards.
  auto advance = [&](const std::wstring& target) {
    result.outputs.push_back(target);
    ++decrypted;
    position += step;
    engine_.Report(BarPosition(position));
  };

  for (const std::wstring& path : pathList) {
    if (!PathFileExistsW(path.c_str())) {
      trace::Write(L"DecryptList: File doesn't exist: ", path);
      ++failed;
      continue;
    }
    if (SplitPath(path).extension != kEncryptedExtension + 1) {
      // Inside a folder a plain item is carried along; a selected one was asked for in vain.
      trace::Write(L"No enc extention for: ", path);
      failed += top;
      continue;
    }
    if (IsLink(path)) {
      trace::Write(L"FilesRefactor::DecryptList: Link not followed: ", path);
      ++failed;
      continue;
    }
    const std::wstring target = DecryptedPath(path);
    if (target.empty()) {
      trace::Write(L"FilesRefactor::DecryptList: Not an encrypted item: ", path);
      ++failed;
      continue;
    }

    if (GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY) {
      Overwrite answer = overwrite(path, target, false);
      if (answer == Overwrite::Stop) return;
      if (answer == Overwrite::No) continue;
      OperationResult inside;
      DecryptItems(inside, EntriesToWalk(path), password, position, step, false);
      if (inside.status == status::UserSaidNo || inside.status == status::Unexpected) {
        result.Stop(inside.status, inside.message, items);
        return;
      }
      failed += inside.failed;
      if (inside.status == status::WrongPassword) {
        wrongPassword = inside.message;  // the folder keeps its name
        continue;
      }
      if (!RenameFileOperation(engine_.owner, path, target, true, false).execute())
        return Unexpected(result, L"FilesRefactor::DecryptList: RenameFileOperation failed", items);
      advance(target);
      continue;
    }

    if (!CheckPassword(path, password)) {
      trace::Write(L"Wrong Password!");
      wrongPassword = L"Wrong password for file: " + path + L".";
      engine_.Report(BarPosition(position), true);
      Prompt(engine_.owner, wrongPassword.c_str(), L"Wrong Password", MB_ICONHAND);
      ++failed;
      position += step;
      engine_.Report(BarPosition(position));
      continue;
    }
    Overwrite answer = overwrite(path, target, true);
    if (answer == Overwrite::Stop) return;
    if (answer == Overwrite::No) continue;
    // The plain content takes the plain name; the encrypted file goes only once it is there.
    int code = DecryptFileAs(engine_.owner, path, target, password);
    if (code != crypt_code::Done) {
      std::wstring message = L"Can't decrypt file: " + path + L".\n\nError: PRIVRESPONSE " + std::to_wstring(code);
      engine_.Ask(message.c_str(), L"Can't Decrypt", MB_ICONHAND, BarPosition(position));
      ++failed;
      continue;
    }
    if (!DeleteFileOperation(engine_.owner, path, false, false).execute())
      trace::Write(L"FilesRefactor::DecryptList: The encrypted file stays beside its plain version: ", path);
    advance(target);
  }

  result.succeeded = decrypted;
  result.failed = failed;
  if (!wrongPassword.empty()) {
    result.status = status::WrongPassword;
    result.message = wrongPassword;
  } else if (failed) {
    result.status = status::SomeFailed;
    result.message = std::to_wstring(failed) + L" files or folders failed to decrypt.";
  } else {
    result.status = status::Success;
    result.message.clear();
  }
}
