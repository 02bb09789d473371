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
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
  }
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
  if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  if (*search->caption != text) return TRUE;
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
