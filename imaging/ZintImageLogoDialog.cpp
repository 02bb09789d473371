#include "imaging/ZintImageLogoDialog.h"

#include <commdlg.h>
#include <shlwapi.h>

#include <cwchar>
#include <utility>

#include "base/Prompt.h"
#include "imaging/ImagingDialogSupport.h"
#include "ui/FontChooser.h"

const wchar_t kMissingLogoText[] = L"Image Logo File Does not Exists";

namespace {
template <size_t N>
void CopyField(wchar_t (&field)[N], const std::wstring& text) {
  lstrcpynW(field, text.c_str(), int(N));  // at most N - 1 characters and the terminator
}

const wchar_t kImageFilter[] =
    L"All Image Formats (*.bmp;*.gif;*.jpg;*.jpeg;*.tif;*.png)\0*.bmp;*.gif;*.jpg;*.jpeg;*.tif;*.png\0"
    L"Bitmaps (*.bmp)\0*.bmp\0GIFs (*.gif)\0*.gif\0JPEGs (*.jpg)\0*.jpg;*.jpeg\0TIFs (*.tif)\0*.tif\0"
    L"PNGs (*.png)\0*.png\0";
}  // namespace

std::wstring FontLabel(const LOGFONTW& font, int pixelsPerInch) {
  wchar_t label[LF_FACESIZE + 32];
  swprintf(label, std::size(label), L"%ls, %dpt", font.lfFaceName, -MulDiv(font.lfHeight, 72, pixelsPerInch));
  return label;
}


CZintImageLogoDialog::CZintImageLogoDialog(PathList selection, HICON commandIcon)
    : CZintProgressReportDialog(std::move(selection), {}, commandIcon), settings_(DefaultLogoSettings()) {
  UseImagingControls();
}

BOOL CZintImageLogoDialog::OnInitDialog(LPARAM) {
  settings_ = DefaultLogoSettings();
  LoadLogoSettings(settings_);
  // The two sources' ids are not neighbours: each is set on its own.
  SetChecked(*this, IDC_LOGO_FROM_IMAGE, settings_.useImage != 0);
  SetChecked(*this, IDC_LOGO_FROM_TEXT, settings_.useImage == 0);
  SetChecked(*this, IDC_OUTPUT_SEPARATE, settings_.separateFolder != 0);
  SetChecked(*this, IDC_LOGO_ADD_BORDER, settings_.addBorder != 0);
  CheckRadioButton(Handle(), IDC_LOGO_TOP_LEFT, IDC_LOGO_BOTTOM_RIGHT, IDC_LOGO_TOP_LEFT + settings_.position);
  SetItemText(IDC_LOGO_IMAGE_PATH, settings_.imagePath);
  SetItemText(IDC_OUTPUT_FOLDER, settings_.folderName);
  SetItemText(IDC_LOGO_TEXT, settings_.text);
  borderColor_.Attach(Item(IDC_LOGO_BORDER_COLOR));
  borderColor_.SetColor(ArgbToColorref(settings_.borderColor));
  ShowFont();
  FollowChecks();
  return TRUE;
}

void CZintImageLogoDialog::FollowChecks() {
  FollowOutputCheck(*this);
  EnableControl(*this, IDC_LOGO_BORDER_COLOR, IsChecked(*this, IDC_LOGO_ADD_BORDER));
  bool image = IsChecked(*this, IDC_LOGO_FROM_IMAGE);
  for (int id : {IDC_LOGO_IMAGE_PATH, IDC_LOGO_BROWSE}) EnableControl(*this, id, image);
  for (int id : {IDC_LOGO_TEXT, IDC_LOGO_FONT, IDC_LOGO_FONT_TEXT}) EnableControl(*this, id, !image);
}

void CZintImageLogoDialog::ShowFont() {
  HDC dc = GetDC(Handle());
  int pixelsPerInch = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(Handle(), dc);
  SetItemText(IDC_LOGO_FONT_TEXT, FontLabel(settings_.font, pixelsPerInch));
}

bool CZintImageLogoDialog::OnCommand(int id, int code, HWND) {
  switch (id) {
    case IDC_OUTPUT_SEPARATE:
    case IDC_LOGO_ADD_BORDER:
    case IDC_LOGO_FROM_IMAGE:
    case IDC_LOGO_FROM_TEXT:
      if (code == BN_CLICKED) FollowChecks();
      return true;
    case IDC_LOGO_BROWSE:
      if (code == BN_CLICKED) BrowseForImage();
      return true;
    case IDC_LOGO_FONT:
      if (code == BN_CLICKED) ChooseLogoFont();
      return true;
    case IDOK:
      if (TakeSettings()) {
        SaveLogoSettings(settings_);
        RunOperation(/*marquee=*/false);
      }
      return true;
  }
  return false;
}

void CZintImageLogoDialog::BrowseForImage() {
  std::wstring file(32768, L'\0');
  std::wstring current = ItemText(IDC_LOGO_IMAGE_PATH);
  if (current.size() < file.size()) current.copy(file.data(), current.size());
  OPENFILENAMEW open{};
  open.lStructSize = sizeof open;
  open.hwndOwner = Handle();
  open.lpstrFilter = kImageFilter;
  open.nFilterIndex = 1;
  open.lpstrFile = file.data();
  open.nMaxFile = DWORD(file.size());
  open.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
  if (!GetOpenFileNameW(&open)) return;
  SetItemText(IDC_LOGO_IMAGE_PATH, file.c_str());
}

void CZintImageLogoDialog::ChooseLogoFont() {
  COLORREF color = ArgbToColorref(settings_.textColor);
  if (!ChooseFontAndColor(Handle(), settings_.font, color)) return;
  settings_.textColor = ColorrefToArgb(color);
  ShowFont();
}

bool CZintImageLogoDialog::TakeSettings() {
  LogoSettings taken = settings_;
  taken.borderColor = ColorrefToArgb(borderColor_.ShownColor());
  taken.position = 0;
  for (int i = 0; i < 9; ++i)
    if (IsChecked(*this, IDC_LOGO_TOP_LEFT + i)) taken.position = i;
  taken.separateFolder = IsChecked(*this, IDC_OUTPUT_SEPARATE) ? 1 : 0;
  taken.addBorder = IsChecked(*this, IDC_LOGO_ADD_BORDER) ? 1 : 0;
  taken.useImage = IsChecked(*this, IDC_LOGO_FROM_IMAGE) ? 1 : 0;
  std::wstring typedFolder = ItemText(IDC_OUTPUT_FOLDER);
  std::wstring imagePath = ItemText(IDC_LOGO_IMAGE_PATH);
  std::wstring text = ItemText(IDC_LOGO_TEXT);
  CopyField(taken.folderName, typedFolder);
  CopyField(taken.imagePath, imagePath);
  CopyField(taken.text, text);

  std::wstring folder;
  if (!TakeOutputFolder(*this, folder)) return false;
  if (taken.useImage && (imagePath.empty() || !PathFileExistsW(imagePath.c_str()))) {
    Prompt(Handle(), kMissingLogoText, kImageResizeCaption, MB_OK);
    FocusControl(*this, IDC_LOGO_IMAGE_PATH);
    return false;
  }
  settings_ = taken;
  folderName_ = folder;
  imagePath_ = imagePath;
  text_ = text;
  return true;
}

void CZintImageLogoDialog::Run() {
  refactor_.PutLogoOnImages(result_, input_, imagePath_, text_, settings_.font, settings_.textColor,
                            settings_.addBorder != 0, settings_.borderColor, settings_.useImage != 0,
                            settings_.position, folderName_);
}
