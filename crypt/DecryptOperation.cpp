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
  DecryptList(result, pathList, password, position, step);
}

void Decryptor::DecryptList(OperationResult& result, const PathList& pathList, const std::wstring& password,
                                double& position, double step) {
  result.kind = kind::Decrypt;
  const size_t items = pathList.size();
  uint32_t decrypted = 0;

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
    if (answer != IDYES) return Overwrite::No;
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
      continue;
    }
    if (SplitPath(path).extension != kEncryptedExtension + 1) {
      trace::Write(L"No enc extention for: ", path);
      continue;
    }
    if (IsLink(path)) {
      trace::Write(L"FilesRefactor::DecryptList: Link not followed: ", path);
      continue;
    }
    const std::wstring target = path.substr(0, path.size() - 6);

    if (GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY) {
      Overwrite answer = overwrite(path, target, false);
      if (answer == Overwrite::Stop) return;
      if (answer == Overwrite::No) continue;
      OperationResult inside;
      DecryptList(inside, EntriesToWalk(path), password, position, step);
      if (inside.status == status::UserSaidNo || inside.status == status::Unexpected) {
        result = inside;
        return;
      }
      if (inside.status == status::WrongPassword) {
        result.status = status::WrongPassword;
        result.message = inside.message;
        continue;
      }
      if (!RenameFileOperation(engine_.owner, path, target, true, false).execute())
        return Unexpected(result, L"FilesRefactor::DecryptList: RenameFileOperation failed", items);
      advance(target);
      continue;
    }

    if (!CheckPassword(path, password)) {
      trace::Write(L"Wrong Password!");
      std::wstring message = L"Wrong password for file: " + path + L".";
      engine_.Report(BarPosition(position), true);
      Prompt(engine_.owner, message.c_str(), L"Wrong Password", MB_ICONHAND);
      result.status = status::WrongPassword;
      result.message = message;
      result.succeeded = decrypted;
      result.failed = uint32_t(items - decrypted);
      position += step;
      engine_.Report(BarPosition(position));
      continue;
    }
    Overwrite answer = overwrite(path, target, true);
    if (answer == Overwrite::Stop) return;
    if (answer == Overwrite::No) continue;
    int code = DecryptFile(engine_.owner, path, password);
    if (code != crypt_code::Done) {
      std::wstring message = L"Can't decrypt file: " + path + L".\n\nError: PRIVRESPONSE " + std::to_wstring(code);
      engine_.Ask(message.c_str(), L"Can't Decrypt", MB_ICONHAND, BarPosition(position));
      continue;
    }
    if (!RenameFileOperation(engine_.owner, path, target, false, false).execute())
      return Unexpected(result, L"FilesRefactor::DecryptList: RenameFileOperation failed", items);
    advance(target);
  }

  result.succeeded = decrypted;
  result.failed = uint32_t(items - decrypted);
  if (decrypted == items) {
    result.status = status::Success;
    result.message.clear();
  }
}
