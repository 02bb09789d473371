#pragma once
#include <windows.h>

// The process-wide question hook: (owner, text, caption, MB_ type) -> the pressed button's ID*.
// Dialogs install the system's own message box in it; tests install a scripted answerer.
using PromptFunction = int (*)(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);

void SetPromptHook(PromptFunction hook);
PromptFunction PromptHook();

// Asks through the hook, or MessageBoxW when none is set.
int Prompt(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);
