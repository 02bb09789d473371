#pragma once
#include <windows.h>

#include <string>

// The clipboard's Unicode text; false when it holds none or stays locked by another program.
bool ReadClipboardText(std::wstring& text);
