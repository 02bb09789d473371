#include "ui/ZintErrorDialog.h"

#include "ui/DialogDecor.h"

namespace {
// Copies at most size - 1 characters and always ends the text.
void CopyBounded(wchar_t* buffer, size_t size, const std::wstring& text) {
  size_t count = text.size() < size ? text.size() : size - 1;
  text.copy(buffer, count);
  buffer[count] = L'\0';
}
}  // namespace

CZintErrorDialog::CZintErrorDialog(const std::wstring& title, const std::wstring& message) {
  CopyBounded(title_, kBufferChars, title);
  CopyBounded(message_, kBufferChars, message);
}

INT_PTR CZintErrorDialog::Show(HWND parent, const std::wstring& title, const std::wstring& message) {
  CZintErrorDialog dialog(title, message);
  return dialog.DoModal(parent);
}

BOOL CZintErrorDialog::OnInitDialog(LPARAM) {
  SetWindowTextW(Handle(), title_);
  SetItemText(IDC_HEADING, title_);
  SetItemText(IDC_MESSAGE_TEXT, message_);
  FitMessage();
  return TRUE;
}

// A message longer than the text control holds makes the dialog taller instead of being cut off.
void CZintErrorDialog::FitMessage() {
  HWND text = Item(IDC_MESSAGE_TEXT);
  RECT rect = ControlRect(text);
  HDC dc = GetDC(text);
  HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(text, WM_GETFONT, 0, 0)));
  RECT needed{0, 0, rect.right - rect.left, 0};
  DrawTextW(dc, message_, -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
  SelectObject(dc, oldFont);
  ReleaseDC(text, dc);

  int extra = needed.bottom - (rect.bottom - rect.top);
  if (extra <= 0) return;
  SetWindowPos(text, nullptr, 0, 0, rect.right - rect.left, needed.bottom, SWP_NOMOVE | SWP_NOZORDER);
  RECT ok = ControlRect(Item(IDOK));
  SetWindowPos(Item(IDOK), nullptr, ok.left, ok.top + extra, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  RECT frame;
  GetWindowRect(Handle(), &frame);
  SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top + extra,
               SWP_NOMOVE | SWP_NOZORDER);
}
