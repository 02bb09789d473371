#include "shellext/com/Clipboard.h"

#include <windows.h>

#include <cstring>

#include "atl/Handles.h"

std::wstring JoinPathLines(const PathList& paths) {
  std::wstring text;
  for (size_t i = 0; i < paths.size(); ++i) {
    if (i) text += L"\r\n";
    text += paths[i];
  }
  return text;
}

bool PutClipboardText(const std::wstring& text) {
  if (!OpenClipboard(nullptr)) return false;
  bool done = false;
  if (EmptyClipboard()) {
    size_t bytes = 2 * text.size() + 2;
    UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (memory) {
      if (void* target = GlobalLock(memory.get())) {
        std::memcpy(target, text.c_str(), bytes);
        GlobalUnlock(memory.get());
        // The clipboard owns the memory once it accepted it.
        if (SetClipboardData(CF_UNICODETEXT, memory.get())) {
          memory.release();
          done = true;
        }
      }
    }
  }
  CloseClipboard();
  return done;
}
