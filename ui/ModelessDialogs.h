#pragma once
// Keyboard navigation for modeless dialogs running inside a message loop we do not own (Explorer's):
// a WH_GETMESSAGE hook, installed once per thread while at least one dialog is registered, passes
// keyboard messages through IsDialogMessageW.
#include <windows.h>

#include <cstddef>

void RegisterModelessDialog(HWND dialog);
// Removes the hook when the thread's last dialog goes.
void UnregisterModelessDialog(HWND dialog);
// Dialogs registered on the calling thread.
size_t ModelessDialogCount();
