#pragma once
// Runs the Explorer stand-in (or another program) as a separate process, as other tools do, and
// collects what it reports.
#include <windows.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

class ChildProcess {
 public:
  ChildProcess(const std::wstring& program, const std::wstring& arguments);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool started() const { return process_ != nullptr; }
  DWORD processId() const { return processId_; }
  // Waits for the program to end (killing it after the timeout) and returns its exit code.
  DWORD Wait(DWORD timeoutMs = 120000);
  // Waits until a line of standard output starts with the text.
  bool WaitForLine(const std::string& start, DWORD timeoutMs);

  std::vector<std::string> lines() const;  // standard output
  std::string errors() const;              // standard error

 private:
  HANDLE process_ = nullptr;
  DWORD processId_ = 0;
  mutable std::mutex lock_;
  std::string out_, err_;
  std::thread outReader_, errReader_;
};

struct StandInRun {
  DWORD exitCode = 0;
  std::vector<std::string> lines;
  std::string errors;

  bool Has(const std::string& line) const;
  // The lines that are neither the handler's own reports nor the final selection: the menu.
  std::string Menu() const;
  // The lines from the one that reads `first` up to the final selection: the menu as printed, without
  // the handlers' own output before and after it. Empty when no line reads `first`.
  std::string MenuFrom(const std::string& first) const;
  // The line that starts with the text, or "" when none does.
  std::string LineStarting(const std::string& start) const;
};

StandInRun RunStandIn(const std::wstring& arguments);

// Where the stand-in, the test handler and Brivane.dll lie in the build folder.
std::wstring StandInPath();
std::wstring TestHandlerPath();
std::wstring BrivanePath();

// regsvr32 /s [/u] on the module; its exit code (0 when it succeeded).
DWORD Regsvr32(const std::wstring& module, bool unregister = false);

// Quoting for a command line.
std::wstring Quoted(const std::wstring& argument);

// Writes the script (UTF-8 steps) to the file and returns the stand-in's argument for it,
// " --script \"FILE\"".
std::wstring ScriptArgument(const std::wstring& file, const std::string& steps);

// The test handler, registered for the current user while this lives.
class RegisteredTestHandler {
 public:
  RegisteredTestHandler();
  ~RegisteredTestHandler();
  bool ok() const { return ok_; }

 private:
  HMODULE module_ = nullptr;
  bool ok_ = false;
};
