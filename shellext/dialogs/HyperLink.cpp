#include "shellext/dialogs/HyperLink.h"

#include <commctrl.h>

#include <string>

#include "shellext/settings/UpdaterLauncher.h"

namespace {
constexpr UINT_PTR kSubclassId = 0x4C4E4B;  // any number unique among this control's subclasses
constexpr COLORREF kLinkColour = RGB(0, 102, 204);

std::wstring WindowText(HWND window) {
  std::wstring text(size_t(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(size_t(GetWindowTextW(window, text.data(), int(text.size()))));
  return text;
}
}  // namespace

CHyperLink::~CHyperLink() { Detach(); }

void CHyperLink::SubclassWindow(HWND control) {
  Detach();
  if (!control) return;
  LOGFONTW font{};
  HFONT current = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  GetObjectW(current ? current : GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  font.lfUnderline = TRUE;
  underlined_.reset(CreateFontIndirectW(&font));
  if (SetWindowSubclass(control, Proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) control_ = control;
  InvalidateRect(control, nullptr, TRUE);
}

void CHyperLink::Detach() {
  if (control_) RemoveWindowSubclass(control_, Proc, kSubclassId);
  control_ = nullptr;
}

void CHyperLink::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(control_, &paint);
  RECT client;
  GetClientRect(control_, &client);
  // The parent's static-control brush, as the plain static would draw it.
  HBRUSH brush = reinterpret_cast<HBRUSH>(
      SendMessageW(GetParent(control_), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control_)));
  FillRect(dc, &client, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kLinkColour);
  HGDIOBJ old = SelectObject(dc, underlined_.get());
  std::wstring text = WindowText(control_);
  DrawTextW(dc, text.c_str(), int(text.size()), &client, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  SelectObject(dc, old);
  EndPaint(control_, &paint);
}

void CHyperLink::Open() const {
  std::wstring address = WindowText(control_);
  if (!address.empty()) StartProgram(address, nullptr);
}

LRESULT CALLBACK CHyperLink::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
  auto* link = reinterpret_cast<CHyperLink*>(self);
  switch (message) {
    case WM_PAINT:
      link->Paint();
      return 0;
    case WM_NCHITTEST:  // a plain static lets the mouse through to its parent
      return HTCLIENT;
    case WM_SETCURSOR:
      SetCursor(LoadCursorW(nullptr, IDC_HAND));
      return TRUE;
    case WM_LBUTTONUP:
      link->Open();
      return 0;
    case WM_NCDESTROY:
      link->Detach();
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}
