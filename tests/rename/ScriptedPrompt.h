#pragma once
// Answers the questions of the code under test from a script and records what was asked.
#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include "fileops/Prompt.h"

struct AskedQuestion {
  std::wstring text;
  std::wstring caption;
  UINT type;
};

class ScriptedPrompt {
 public:
  explicit ScriptedPrompt(std::deque<int> answers = {}) {
    answers_ = std::move(answers);
    asked_.clear();
    SetPromptHook(&Answer);
  }
  ~ScriptedPrompt() { SetPromptHook(nullptr); }
  const std::vector<AskedQuestion>& asked() const { return asked_; }

 private:
  static int Answer(HWND, const wchar_t* text, const wchar_t* caption, UINT type) {
    asked_.push_back({text, caption, type});
    if (answers_.empty()) return IDCANCEL;  // an unscripted question is never a Yes
    int answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  static inline std::deque<int> answers_;
  static inline std::vector<AskedQuestion> asked_;
};
