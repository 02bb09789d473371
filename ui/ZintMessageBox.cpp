#include "ui/ZintMessageBox.h"

#include <algorithm>
#include <utility>

#include "atl/Module.h"
#include "base/Prompt.h"
#include "ui/DialogDecor.h"
#include "ui/MessageBoxLayout.h"

using namespace message_box;

CZintMessageBox::CZintMessageBox(std::wstring text, std::wstring caption, UINT type)
    : text_(std::move(text)), caption_(std::move(caption)), type_(type) {}

int CZintMessageBox::Show(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
  CZintMessageBox box(text ? text : L"", caption ? caption : L"", type);
  return int(box.DoModal(owner));
}

void CZintMessageBox::InstallAsPromptHook() { SetPromptHook(&CZintMessageBox::Show); }

BOOL CZintMessageBox::OnInitDialog(LPARAM) {
  symbol_.reset(static_cast<HBITMAP>(
      LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(SymbolFor(type_)), IMAGE_BITMAP, 0, 0, 0)));
  SetBannerPicture(symbol_.get());
  SetItemText(IDC_HEADING, text_);
  SetWindowTextW(Handle(), caption_.c_str());
  LayOut();

  // No close box where the type has no Cancel: the answer must be one of its buttons.
  if (!HasButton(IDCANCEL) && (type_ & 0x0F) != MB_OK)
    EnableMenuItem(GetSystemMenu(Handle(), FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);

  int defaultId = ButtonsFor(type_).defaultId;
  SendMessageW(Handle(), DM_SETDEFID, WPARAM(defaultId), 0);
  SendMessageW(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(defaultId)), TRUE);
  return FALSE;  // the focus is set
}

void CZintMessageBox::LayOut() {
  HWND window = Handle();
  int dpi = Dpi();
  int width = Width(dpi);
  RECT frame;
  GetWindowRect(window, &frame);
  int growth = Growth(CountLines(text_), dpi);

  // The text control takes the width the wider window gives it, and grows with the lines.
  HWND text = Item(IDC_HEADING);
  RECT textRect = ControlRect(text);
  int oldWidth = frame.right - frame.left;
  int textWidth = int(textRect.right - textRect.left) + (width - oldWidth);
  int textHeight = int(textRect.bottom - textRect.top) + growth;

  // Should the words wrap sooner than the count assumes, grow further rather than cut the text off.
  HDC dc = GetDC(text);
  HGDIOBJ oldFont = SelectObject(dc, HeadingFont());
  RECT needed{0, 0, textWidth, 0};
  DrawTextW(dc, text_.c_str(), int(text_.size()), &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, oldFont);
  ReleaseDC(text, dc);
  if (needed.bottom > textHeight) {
    growth += needed.bottom - textHeight;
    textHeight = needed.bottom;
  }

  int centre = (frame.left + frame.right) / 2;
  SetWindowPos(window, nullptr, centre - width / 2, frame.top, width, int(frame.bottom - frame.top) + growth,
               SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(text, nullptr, 0, 0, textWidth, textHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  PlaceBanner(window, BannerHeight(growth, dpi));

  RECT client;
  GetClientRect(window, &client);
  std::vector<int> kept = ButtonsFor(type_).slots;
  for (int id : kAllButtons) {
    auto slot = std::find(kept.begin(), kept.end(), id);
    if (slot == kept.end()) {
      DestroyWindow(Item(id));
      continue;
    }
    RECT place = ButtonRect(int(slot - kept.begin()), client.right, client.bottom, dpi);
    SetWindowPos(Item(id), nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

bool CZintMessageBox::HasButton(int id) const {
  auto kept = ButtonsFor(type_).slots;
  return std::find(kept.begin(), kept.end(), id) != kept.end();
}

bool CZintMessageBox::OnCommand(int id, int, HWND) {
  if (HasButton(id)) {
    EndDialog(id);
    return true;
  }
  // Escape or the close box without a Cancel button: an OK box answers OK, the others wait for a button.
  if (id == IDCANCEL && (type_ & 0x0F) == MB_OK) EndDialog(IDOK);
  return true;
}
