#include "tools/explorer/ClipboardText.h"

bool ReadClipboardText(std::wstring& text) {
  bool opened = false;
  for (int attempt = 0; attempt < 20 && !opened; ++attempt) {
    opened = OpenClipboard(nullptr) != FALSE;
    if (!opened) Sleep(25);
  }
  if (!opened) return false;
  bool found = false;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const wchar_t* locked = static_cast<const wchar_t*>(GlobalLock(data))) {
      size_t limit = GlobalSize(data) / sizeof(wchar_t);
      size_t length = 0;
      while (length < limit && locked[length]) ++length;
      text.assign(locked, length);
      found = true;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return found;
}
