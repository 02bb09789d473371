#pragma once
// Stands in for the shell while it lives: records the programs and addresses the code under test
// would start, and answers with the chosen outcome.
#include <string>
#include <utility>
#include <vector>

#include "shellext/settings/UpdaterLauncher.h"

class RecordingStarter {
 public:
  // (program, parameters); "(none)" for null parameters.
  using Start = std::pair<std::wstring, std::wstring>;

  RecordingStarter() {
    started().clear();
    succeeds() = true;
    SetProgramStarter([](const std::wstring& program, const wchar_t* parameters) {
      started().emplace_back(program, parameters ? parameters : L"(none)");
      return succeeds();
    });
  }
  ~RecordingStarter() { SetProgramStarter(nullptr); }
  RecordingStarter(const RecordingStarter&) = delete;
  RecordingStarter& operator=(const RecordingStarter&) = delete;

  static std::vector<Start>& started() {
    static std::vector<Start> list;
    return list;
  }
  static bool& succeeds() {
    static bool value = true;
    return value;
  }
};
