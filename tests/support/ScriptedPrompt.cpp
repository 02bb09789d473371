#include "support/ScriptedPrompt.h"

#include <mutex>

#include "base/Prompt.h"

namespace {
std::mutex g_lock;
std::deque<int> g_answers;
int g_fallback = IDYES;
std::vector<AskedQuestion> g_asked;

int Answer(HWND, const wchar_t* text, const wchar_t* caption, UINT type) {
  std::lock_guard<std::mutex> guard(g_lock);
  g_asked.push_back({text, caption, type});
  if (g_answers.empty()) return g_fallback;
  int answer = g_answers.front();
  g_answers.pop_front();
  return answer;
}
}  // namespace

ScriptedPrompt::ScriptedPrompt(std::vector<int> answers, int fallback) {
  {
    std::lock_guard<std::mutex> guard(g_lock);
    g_answers.assign(answers.begin(), answers.end());
    g_fallback = fallback;
    g_asked.clear();
  }
  SetPromptHook(Answer);
}

ScriptedPrompt::~ScriptedPrompt() { SetPromptHook(nullptr); }

std::vector<AskedQuestion> ScriptedPrompt::asked() const {
  std::lock_guard<std::mutex> guard(g_lock);
  return g_asked;
}

std::vector<int32_t> RecordingSink::shown() const {
  std::vector<int32_t> positions;
  for (const auto& [position, hide] : reports)
    if (!hide) positions.push_back(position);
  return positions;
}
