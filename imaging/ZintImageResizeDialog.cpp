#include "imaging/ZintImageResizeDialog.h"

#include <commctrl.h>

#include <utility>

#include "base/Prompt.h"
#include "imaging/ImagingDialogSupport.h"

const wchar_t kInvalidSizeText[] = L"Please Enter a Valid Size";

namespace {
constexpr int kSpinLowest = 1;
constexpr int kSpinHighest = 32767;
const int kDimensionControls[] = {IDC_RESIZE_WIDTH_LABEL, IDC_RESIZE_WIDTH,  IDC_RESIZE_WIDTH_SPIN,
                                  IDC_RESIZE_HEIGHT_LABEL, IDC_RESIZE_HEIGHT, IDC_RESIZE_HEIGHT_SPIN};
}  // namespace

CZintImageResizeDialog::CZintImageResizeDialog(PathList selection, HICON commandIcon)
    : CZintProgressReportDialog(std::move(selection), {}, commandIcon) {
  UseImagingControls();
}

BOOL CZintImageResizeDialog::OnInitDialog(LPARAM) {
  SendItem(IDC_RESIZE_PERCENT_TRACK, TBM_SETRANGE, TRUE, MAKELPARAM(1, 100));
  SendItem(IDC_RESIZE_PERCENT_TRACK, TBM_SETPOS, TRUE, settings_.percent < 1 ? 50 : settings_.percent);
  SendItem(IDC_RESIZE_QUALITY_TRACK, TBM_SETRANGE, TRUE, MAKELPARAM(1, 10));
  SendItem(IDC_RESIZE_QUALITY_TRACK, TBM_SETPOS, TRUE, settings_.quality < 1 ? 8 : settings_.quality);
  SendItem(IDC_RESIZE_WIDTH_SPIN, UDM_SETRANGE32, kSpinLowest, kSpinHighest);
  SendItem(IDC_RESIZE_HEIGHT_SPIN, UDM_SETRANGE32, kSpinLowest, kSpinHighest);
  SetDlgItemInt(Handle(), IDC_RESIZE_WIDTH, UINT(settings_.width), TRUE);
  SetDlgItemInt(Handle(), IDC_RESIZE_HEIGHT, UINT(settings_.height), TRUE);
  ShowOutputChoice(*this, settings_.separateFolder, settings_.folderName);
  SetChecked(*this, IDC_RESIZE_USE_QUALITY, settings_.useQuality);
  SetChecked(*this, IDC_RESIZE_SAVE_JPEG, settings_.saveAsJpeg);
  EnableControl(*this, IDC_RESIZE_QUALITY_TRACK, settings_.useQuality);
  UseDimensions(settings_.mode == 1);
  ShowTrackValues();
  return TRUE;
}

void CZintImageResizeDialog::UseDimensions(bool dimensions) {
  CheckRadioButton(Handle(), IDC_RESIZE_BY_PERCENT, IDC_RESIZE_BY_SIZE,
                   dimensions ? IDC_RESIZE_BY_SIZE : IDC_RESIZE_BY_PERCENT);
  EnableControl(*this, IDC_RESIZE_PERCENT_TRACK, !dimensions);
  for (int id : kDimensionControls) EnableControl(*this, id, dimensions);
}

void CZintImageResizeDialog::ShowTrackValues() {
  int percent = int(SendItem(IDC_RESIZE_PERCENT_TRACK, TBM_GETPOS));
  int quality = int(SendItem(IDC_RESIZE_QUALITY_TRACK, TBM_GETPOS));
  SetItemText(IDC_RESIZE_PERCENT_TEXT, std::to_wstring(percent) + L"%");
  SetItemText(IDC_RESIZE_QUALITY_TEXT, std::to_wstring(quality));
}

bool CZintImageResizeDialog::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_HSCROLL) {
    ShowTrackValues();
    result = 0;
    return true;
  }
  return CZintProgressReportDialog::ProcessMessage(message, wParam, lParam, result);
}

bool CZintImageResizeDialog::OnCommand(int id, int code, HWND) {
  switch (id) {
    case IDC_RESIZE_BY_PERCENT:
    case IDC_RESIZE_BY_SIZE:
      if (code == BN_CLICKED) UseDimensions(id == IDC_RESIZE_BY_SIZE);
      return true;
    case IDC_RESIZE_USE_QUALITY:
      if (code == BN_CLICKED) EnableControl(*this, IDC_RESIZE_QUALITY_TRACK, IsChecked(*this, IDC_RESIZE_USE_QUALITY));
      return true;
    case IDC_OUTPUT_SEPARATE:
      if (code == BN_CLICKED) FollowOutputCheck(*this);
      return true;
    case IDOK:
      if (TakeSettings()) RunOperation(/*marquee=*/false);
      return true;
  }
  return false;
}

bool CZintImageResizeDialog::TakeSettings() {
  ResizeSettings taken = settings_;
  // A box that holds no number counts as 0, which only the dimensions mode refuses.
  if (!ReadNumber(*this, IDC_RESIZE_WIDTH, taken.width)) taken.width = 0;
  if (!ReadNumber(*this, IDC_RESIZE_HEIGHT, taken.height)) taken.height = 0;
  taken.mode = IsChecked(*this, IDC_RESIZE_BY_SIZE) ? 1 : 0;
  taken.useQuality = IsChecked(*this, IDC_RESIZE_USE_QUALITY);
  taken.saveAsJpeg = IsChecked(*this, IDC_RESIZE_SAVE_JPEG);
  taken.separateFolder = IsChecked(*this, IDC_OUTPUT_SEPARATE);
  taken.percent = int(SendItem(IDC_RESIZE_PERCENT_TRACK, TBM_GETPOS));
  taken.quality = taken.useQuality ? int(SendItem(IDC_RESIZE_QUALITY_TRACK, TBM_GETPOS)) : -1;

  if (!TakeOutputFolder(*this, taken.folderName)) return false;
  if (taken.mode == 1) {
    taken.percent = -1;
    int refused = taken.width < 1 ? IDC_RESIZE_WIDTH : taken.height < 1 ? IDC_RESIZE_HEIGHT : 0;
    if (refused) {
      Prompt(Handle(), kInvalidSizeText, kImageResizeCaption, MB_OK);
      FocusControl(*this, refused);
      return false;
    }
  } else if (taken.percent < 1) {
    Prompt(Handle(), kInvalidSizeText, kImageResizeCaption, MB_OK);
    return false;
  }
  settings_ = taken;
  return true;
}

void CZintImageResizeDialog::Run() {
  const ResizeSettings& s = settings_;
  if (s.percent >= 1) {
    refactor_.ResizeImagesByScale(result_, input_, s.percent / 100.0, s.quality, s.saveAsJpeg, s.folderName);
  } else {
    bool valid = s.width >= 1 && s.height >= 1;
    refactor_.ResizeImagesToSize(result_, input_, valid ? s.width : 640, valid ? s.height : 480, s.quality,
                                 s.saveAsJpeg, s.folderName);
  }
}
