#include "base/Prompt.h"

#include <atomic>

namespace {
std::atomic<PromptFunction> g_hook{nullptr};
}

void SetPromptHook(PromptFunction hook) { g_hook = hook; }

PromptFunction PromptHook() { return g_hook; }

int Prompt(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
  PromptFunction hook = g_hook;
  return hook ? hook(owner, text, caption, type) : MessageBoxW(owner, text, caption, type);
}
