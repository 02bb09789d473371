#include "desktop/ZintSortDesktopDialog.h"

#include <commctrl.h>

#include <cwchar>

#include "ui/FontChooser.h"

namespace {
constexpr int kTrackTop = 100;
}


int TrackPositionOfOpacity(uint8_t opacity) { return opacity * kTrackTop / 255; }

uint8_t OpacityOfTrackPosition(int position) {
  if (position < 0) position = 0;
  if (position > kTrackTop) position = kTrackTop;
  return uint8_t(position * 255 / kTrackTop);
}

std::wstring FontLabelText(const LOGFONTW& font, int pixelsPerInch) {
  wchar_t text[LF_FACESIZE + 32];
  std::swprintf(text, std::size(text), L"%ls, %dpt", FaceName(font).c_str(), -MulDiv(font.lfHeight, 72, pixelsPerInch));
  return text;
}

CZintSortDesktopDialog::CZintSortDesktopDialog(DesktopSortSettings& settings, HICON commandIcon)
    : CZintBaseDialog(commandIcon), settings_(settings) {}

BOOL CZintSortDesktopDialog::OnInitDialog(LPARAM) {
  struct Binding {
    CColorButton& button;
    int id;
    uint32_t field;
  };
  for (const Binding& binding : {Binding{background1_, IDC_SORT_BACKGROUND1, settings_.background1},
                                 Binding{background2_, IDC_SORT_BACKGROUND2, settings_.background2},
                                 Binding{group1_, IDC_SORT_GROUP1, settings_.group1},
                                 Binding{group2_, IDC_SORT_GROUP2, settings_.group2},
                                 Binding{border_, IDC_SORT_BORDER_COLOR, settings_.border}}) {
    binding.button.Attach(Item(binding.id));
    binding.button.SetColor(ArgbToColorref(binding.field));
  }
  for (int track : {IDC_SORT_GROUP_OPACITY, IDC_SORT_BORDER_OPACITY}) {
    SendItem(track, TBM_SETRANGE, FALSE, MAKELPARAM(0, kTrackTop));
    SendItem(track, TBM_SETTICFREQ, 10);
    SendItem(track, TBM_SETPAGESIZE, 0, 10);
  }
  SendItem(IDC_SORT_GROUP_OPACITY, TBM_SETPOS, TRUE, TrackPositionOfOpacity(settings_.groupOpacity));
  SendItem(IDC_SORT_BORDER_OPACITY, TBM_SETPOS, TRUE, TrackPositionOfOpacity(settings_.borderOpacity));
  ShowOpacity(IDC_SORT_GROUP_OPACITY, IDC_SORT_GROUP_OPACITY_TEXT);
  ShowOpacity(IDC_SORT_BORDER_OPACITY, IDC_SORT_BORDER_OPACITY_TEXT);
  CheckDlgButton(Handle(), IDC_SORT_USE_WALLPAPER, settings_.useWallpaper ? BST_CHECKED : BST_UNCHECKED);
  EnableGradient();
  ShowFont();
  return TRUE;
}

bool CZintSortDesktopDialog::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_HSCROLL && lParam) {
    int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
    if (id == IDC_SORT_GROUP_OPACITY) ShowOpacity(id, IDC_SORT_GROUP_OPACITY_TEXT);
    if (id == IDC_SORT_BORDER_OPACITY) ShowOpacity(id, IDC_SORT_BORDER_OPACITY_TEXT);
  }
  return CZintBaseDialog::ProcessMessage(message, wParam, lParam, result);
}

bool CZintSortDesktopDialog::OnCommand(int id, int code, HWND) {
  if (id == IDC_SORT_USE_WALLPAPER && code == BN_CLICKED) {
    EnableGradient();
    return true;
  }
  if (id == IDC_SORT_FONT && code == BN_CLICKED) {
    ChooseLabelFont();
    return true;
  }
  if (id == IDOK) {
    Save();
    EndDialog(IDOK);
    return true;
  }
  return false;
}

void CZintSortDesktopDialog::ShowOpacity(int track, int label) const {
  SetItemText(label, std::to_wstring(SendItem(track, TBM_GETPOS)) + L"%");
}

void CZintSortDesktopDialog::ShowFont() const {
  HDC dc = GetDC(Handle());
  int pixelsPerInch = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(Handle(), dc);
  SetItemText(IDC_SORT_FONT_TEXT, FontLabelText(LabelFont(settings_), pixelsPerInch > 0 ? pixelsPerInch : 96));
}

void CZintSortDesktopDialog::EnableGradient() const {
  BOOL enable = IsDlgButtonChecked(Handle(), IDC_SORT_USE_WALLPAPER) != BST_CHECKED;
  for (int id : {IDC_SORT_BACKGROUND1, IDC_SORT_BACKGROUND2, IDC_SORT_BACKGROUND1_TEXT, IDC_SORT_BACKGROUND2_TEXT})
    EnableWindow(Item(id), enable);
}

void CZintSortDesktopDialog::ChooseLabelFont() {
  LOGFONTW font = LabelFont(settings_);
  COLORREF color = ArgbToColorref(settings_.textColor);
  if (!ChooseFontAndColor(Handle(), font, color)) return;
  settings_.font = font;
  settings_.textColor = ColorrefToArgb(color);
  ShowFont();
}

void CZintSortDesktopDialog::Save() {
  settings_.useWallpaper = IsDlgButtonChecked(Handle(), IDC_SORT_USE_WALLPAPER) == BST_CHECKED ? 1 : 0;
  settings_.background1 = ColorrefToArgb(background1_.ShownColor());
  settings_.background2 = ColorrefToArgb(background2_.ShownColor());
  settings_.group1 = ColorrefToArgb(group1_.ShownColor());
  settings_.group2 = ColorrefToArgb(group2_.ShownColor());
  settings_.border = ColorrefToArgb(border_.ShownColor());
  settings_.groupOpacity = OpacityOfTrackPosition(int(SendItem(IDC_SORT_GROUP_OPACITY, TBM_GETPOS)));
  settings_.borderOpacity = OpacityOfTrackPosition(int(SendItem(IDC_SORT_BORDER_OPACITY, TBM_GETPOS)));
}
