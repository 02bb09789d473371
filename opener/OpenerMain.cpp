// BrivaneDecrypt.exe: the program Explorer starts for an encrypted file. Brivane.dll, linked by import,
// asks for the password, decrypts and opens the result. The exit code says whether it got its turn
// (opener/OpenerCommand.h).
#include <windows.h>

#include <vector>

#include "opener/OpenerCommand.h"
#include "shellext/dll/ExternalZintOperations.h"

namespace {

std::wstring ProgramPath() {
  std::vector<wchar_t> buffer(520);
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, buffer.data(), DWORD(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return std::wstring(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  return int(RunOpener(GetCommandLineW(), ProgramPath(), [](const std::wstring& path) {
    ExternalZintOperations operations;
    operations.ExternalDecryptFileDialog(path);
  }));
}
