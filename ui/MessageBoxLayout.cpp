#include "ui/MessageBoxLayout.h"

#include <algorithm>

#include "resource.h"
#include "ui/Dpi.h"

namespace message_box {

const int kAllButtons[9] = {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO, IDTRYAGAIN, IDCONTINUE};

Buttons ButtonsFor(UINT type) {
  switch (type & 0x0F) {
    case MB_OKCANCEL: return {{IDCANCEL, IDOK}, IDOK};
    case MB_ABORTRETRYIGNORE: return {{IDIGNORE, IDRETRY, IDABORT}, IDRETRY};
    case MB_YESNOCANCEL: return {{IDCANCEL, IDNO, IDYES}, IDYES};
    case MB_YESNO: return {{IDNO, IDYES}, IDYES};
    case MB_RETRYCANCEL: return {{IDCANCEL, IDRETRY}, IDCANCEL};
    case MB_CANCELTRYCONTINUE: return {{IDCONTINUE, IDTRYAGAIN, IDCANCEL}, IDCONTINUE};
    default: return {{IDOK}, IDOK};
  }
}

int SymbolFor(UINT type) {
  switch (type & 0xF0) {
    case MB_ICONERROR: return IDB_ERROR;
    case MB_ICONQUESTION: return IDB_QUESTION;
    case MB_ICONWARNING: return IDB_WARNING;
    default: return IDB_INFORMATION;
  }
}

int CountLines(std::wstring_view text) {
  int lines = 1;
  int column = 0;
  for (wchar_t c : text) {
    if (c == L'\n') {
      ++lines;
      column = 0;
    } else if (c != L'\r') {
      if (++column > kWrapColumn) {
        ++lines;
        column = 1;  // this character opens the next line
      }
    }
  }
  return lines;
}

int Width(int dpi) { return ScaleForDpi(kWidth, dpi); }

int Growth(int lines, int dpi) { return std::max(0, lines - kPlainLines) * ScaleForDpi(kLinePixels, dpi); }

int BannerHeight(int growth, int dpi) { return ScaleForDpi(kBannerHeight, dpi) + growth; }

RECT ButtonRect(int slot, int clientWidth, int clientHeight, int dpi) {
  int left = clientWidth - (slot + 1) * ScaleForDpi(kButtonPitch, dpi);
  int top = clientHeight - ScaleForDpi(kButtonBottom, dpi);
  return {left, top, left + ScaleForDpi(kButtonWidth, dpi), top + ScaleForDpi(kButtonHeight, dpi)};
}

}  // namespace message_box
