#include "ui/DialogDecor.h"

#include "resource.h"

UniqueFont CreateHeadingFont() {
  LOGFONTW font{};
  font.lfHeight = -12;
  font.lfWeight = FW_BOLD;
  font.lfCharSet = OEM_CHARSET;
  lstrcpynW(font.lfFaceName, L"Tahoma", LF_FACESIZE);
  return UniqueFont(CreateFontIndirectW(&font));
}

void PlaceBanner(HWND dialog, int height) {
  RECT window;
  GetWindowRect(dialog, &window);
  SetWindowPos(GetDlgItem(dialog, IDC_BANNER), nullptr, -5, -5, window.right - window.left + 10, height,
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
