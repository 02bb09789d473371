#include "opener/OpenerCommand.h"

std::wstring EncryptedPathFromCommandLine(const std::wstring& commandLine) {
  size_t quote = std::wstring::npos;
  for (int i = 0; i < 3; ++i) {
    quote = commandLine.find(L'"', quote + 1);
    if (quote == std::wstring::npos) return {};
  }
  size_t end = commandLine.find(L'"', quote + 1);
  return commandLine.substr(quote + 1, end == std::wstring::npos ? std::wstring::npos : end - quote - 1);
}

std::wstring OpenerMutexName(const std::wstring& modulePath) {
  size_t slash = modulePath.rfind(L'\\');
  return slash == std::wstring::npos ? modulePath : modulePath.substr(slash + 1);
}

DWORD RunOpener(const std::wstring& commandLine, const std::wstring& modulePath,
                const std::function<void(const std::wstring& path)>& decrypt) {
  HANDLE mutex = CreateMutexW(nullptr, FALSE, OpenerMutexName(modulePath).c_str());
  if (!mutex) return opener_exit::NoMutex;
  DWORD waited = WaitForSingleObject(mutex, kOpenerWaitMs);
  DWORD code = waited == WAIT_TIMEOUT ? DWORD(opener_exit::Busy) : DWORD(opener_exit::NoMutex);
  if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) {
    decrypt(EncryptedPathFromCommandLine(commandLine));
    ReleaseMutex(mutex);
    code = opener_exit::Done;
  }
  CloseHandle(mutex);
  return code;
}
