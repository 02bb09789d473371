#pragma once
// A scripted answerer for the prompt hook and a sink that records progress reports.
#include <windows.h>

#include <cstdint>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "base/IReportProgess.h"

struct AskedQuestion {
  std::wstring text;
  std::wstring caption;
  UINT type;
};

// Installs itself as the prompt hook while it lives. Answers with the queued button identifiers in
// order, then with the fallback; records every question.
class ScriptedPrompt {
 public:
  explicit ScriptedPrompt(std::vector<int> answers = {}, int fallback = IDYES);
  ~ScriptedPrompt();
  ScriptedPrompt(const ScriptedPrompt&) = delete;
  ScriptedPrompt& operator=(const ScriptedPrompt&) = delete;

  std::vector<AskedQuestion> asked() const;
};

class RecordingSink : public IReportProgess {
 public:
  void ReportProgress(int32_t position, bool hide) override { reports.emplace_back(position, hide); }
  // The positions of the reports that did not hide the window.
  std::vector<int32_t> shown() const;

  std::vector<std::pair<int32_t, bool>> reports;
};
