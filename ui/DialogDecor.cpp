#include "ui/DialogDecor.h"

#include <commctrl.h>

UniqueFont CreateHeadingFont() {
  LOGFONTW font{};
  font.lfHeight = -12;
  font.lfWeight = FW_BOLD;
  font.lfCharSet = OEM_CHARSET;
  lstrcpynW(font.lfFaceName, L"Tahoma", LF_FACESIZE);
  return UniqueFont(CreateFontIndirectW(&font));
}

void PlaceBanner(HWND dialog, int height, int bannerId) {
  RECT window;
  GetWindowRect(dialog, &window);
  SetWindowPos(GetDlgItem(dialog, bannerId), nullptr, -5, -5, window.right - window.left + 10, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetDialogIcons(HWND dialog, HICON icon) {
  if (!icon) return;
  SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

RECT ControlRect(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

bool StartMarquee(HWND bar, HWND standInText) {
  SetWindowLongPtrW(bar, GWL_STYLE, WS_CHILD | WS_VISIBLE | WS_BORDER | PBS_SMOOTH | PBS_MARQUEE);
  bool moving = SendMessageW(bar, PBM_SETMARQUEE, TRUE, 100) == 1;
  ShowWindow(standInText, moving ? SW_HIDE : SW_SHOW);
  ShowWindow(bar, moving ? SW_SHOW : SW_HIDE);
  return moving;
}
