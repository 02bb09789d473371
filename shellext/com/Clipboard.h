#pragma once
#include <string>

#include "base/PathList.h"

// The paths joined by CR LF, with no line break after the last.
std::wstring JoinPathLines(const PathList& paths);

// Replaces the clipboard's contents with the text as CF_UNICODETEXT; false when the clipboard could
// not be opened or the text not handed over.
bool PutClipboardText(const std::wstring& text);
