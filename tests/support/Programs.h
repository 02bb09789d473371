#pragma once
// Running the built programs as a user's system would: from the build folder, as separate processes.
#include <windows.h>

#include <string>

// The build folder (the test programs lie in its tests folder).
std::wstring BuildFolder();

// Runs the command line and waits for it; its exit code, or kNotRun when it could not be started. A
// program still running after the timeout is ended and reported as kTimedOut.
constexpr DWORD kNotRun = 0xFFFFFFF0;
constexpr DWORD kTimedOut = 0xFFFFFFF1;
DWORD RunProgram(const std::wstring& commandLine, DWORD timeoutMs = 120000);

// A started program, ended (if still running) when this goes.
class StartedProgram {
 public:
  explicit StartedProgram(const std::wstring& commandLine);
  ~StartedProgram();
  StartedProgram(const StartedProgram&) = delete;
  StartedProgram& operator=(const StartedProgram&) = delete;

  bool started() const { return process_ != nullptr; }
  DWORD id() const { return id_; }
  // Waits for the end; the exit code, or kTimedOut (the program is then ended).
  DWORD Wait(DWORD timeoutMs);

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

// The first visible top-level window of the process (of any process: 0) with the caption, waiting up to
// the timeout.
HWND WaitForWindowOf(DWORD processId, const std::wstring& caption, DWORD timeoutMs);
