#pragma once
// The refusals the imaging dialogs show when OK finds a choice it cannot take.
#include <windows.h>

#include <string>

// Clicks the dialog's OK, waits for the message box with the caption on the dialog's thread (a box may
// carry the dialog's own caption), answers it and returns its text; empty when none appears.
std::wstring RefusalAfterOk(HWND dialog, const std::wstring& caption);
