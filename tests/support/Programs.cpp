#include "support/Programs.h"

#include <vector>

std::wstring BuildFolder() {
  std::vector<wchar_t> self(MAX_PATH);
  DWORD length = 0;
  while ((length = GetModuleFileNameW(nullptr, self.data(), DWORD(self.size()))) >= self.size())
    self.resize(self.size() * 2);
  std::wstring path(self.data(), length);
  path.resize(path.rfind(L'\\'));  // ...\build\tests
  path.resize(path.rfind(L'\\'));  // ...\build
  return path;
}

StartedProgram::StartedProgram(const std::wstring& commandLine) {
  std::wstring line = commandLine;
  // The program and whatever it starts get no share of this program's output: a program left running
  // would otherwise keep the test runner waiting for the end of that output.
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE nul = CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                           OPEN_EXISTING, 0, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = startup.hStdOutput = startup.hStdError = nul;
  PROCESS_INFORMATION info{};
  if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info)) {
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
  }
  if (nul != INVALID_HANDLE_VALUE) CloseHandle(nul);
}

StartedProgram::~StartedProgram() {
  if (!process_) return;
  if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_, kTimedOut);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
}

DWORD StartedProgram::Wait(DWORD timeoutMs) {
  if (!process_) return kNotRun;
  if (WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) {
    TerminateProcess(process_, kTimedOut);
    WaitForSingleObject(process_, 5000);
    return kTimedOut;
  }
  DWORD code = kNotRun;
  GetExitCodeProcess(process_, &code);
  return code;
}

DWORD RunProgram(const std::wstring& commandLine, DWORD timeoutMs) {
  StartedProgram program(commandLine);
  return program.Wait(timeoutMs);
}

namespace {
struct WindowSearch {
  DWORD processId;
  const std::wstring* caption;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if ((search->processId && owner != search->processId) || !IsWindowVisible(window)) return TRUE;
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  std::wstring caption = text;
  caption.erase(caption.find_last_not_of(L' ') + 1);  // some programs pad their captions
  if (*search->caption != caption) return TRUE;
  search->found = window;
  return FALSE;
}
}  // namespace

HWND WaitForWindowOf(DWORD processId, const std::wstring& caption, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    WindowSearch search{processId, &caption, nullptr};
    EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    if (GetTickCount() - start >= timeoutMs) return nullptr;
    Sleep(50);
  }
}
