#pragma once
// Runs a script on its own thread while the command runs modally on the main thread, acting on the
// windows the way a user would: through messages sent or posted across threads. Presses are posted, so
// that a button whose handler opens a modal window does not hold the script up.
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "tools/explorer/Script.h"
#include "tools/explorer/WindowWatch.h"

class ScriptRunner {
 public:
  ScriptRunner(std::vector<ScriptStep> steps, WindowWatch& watch) : steps_(std::move(steps)), watch_(watch) {}
  ~ScriptRunner();
  ScriptRunner(const ScriptRunner&) = delete;
  ScriptRunner& operator=(const ScriptRunner&) = delete;

  void Start();
  // The command returned. Until then a failed step, or a command still waiting in a window after the
  // last step, cannot end on its own: the runner reports it and ends the process with exit code 2.
  void CommandReturned();
  // Waits for the last step while dispatching this thread's messages (the windows the steps talk to
  // may belong to it). False when a step failed; failure() says why.
  bool Finish();
  const std::wstring& failure() const { return failure_; }

  static constexpr DWORD kWindowTimeoutMs = 10000;
  static constexpr DWORD kStuckMs = 30000;

 private:
  void Run();
  void WatchForStuckCommand();
  [[noreturn]] void Abort(const std::wstring& why);
  bool RunStep(const ScriptStep& step, std::wstring& why);
  HWND Control(UINT id, std::wstring& why) const;
  bool PressKey(int key, std::wstring& why) const;

  std::vector<ScriptStep> steps_;
  WindowWatch& watch_;
  HWND current_ = nullptr;
  std::wstring failure_;
  std::thread thread_;
  HANDLE done_ = nullptr;
  HANDLE returned_ = nullptr;
};
