#include "imaging/ZintImageResizeFastDialog.h"

#include <utility>

#include "imaging/ImagingDialogSupport.h"

CZintImageResizeFastDialog::CZintImageResizeFastDialog(PathList selection, HICON commandIcon, double scale,
                                                       bool saveAsJpeg)
    : CZintProgressReportDialog(std::move(selection), {}, commandIcon), scale_(scale), saveAsJpeg_(saveAsJpeg) {
  UseImagingControls();
}

BOOL CZintImageResizeFastDialog::OnInitDialog(LPARAM) {
  ShowOutputChoice(*this, separateFolder_, folderName_);
  return TRUE;
}

bool CZintImageResizeFastDialog::OnCommand(int id, int code, HWND) {
  switch (id) {
    case IDC_OUTPUT_SEPARATE:
      if (code == BN_CLICKED) FollowOutputCheck(*this);
      return true;
    case IDOK: {
      std::wstring folder;
      if (!TakeOutputFolder(*this, folder)) return true;
      separateFolder_ = IsChecked(*this, IDC_OUTPUT_SEPARATE);
      folderName_ = folder;
      RunOperation(/*marquee=*/false);
      return true;
    }
  }
  return false;
}

void CZintImageResizeFastDialog::Run() {
  refactor_.ResizeImagesByScale(result_, input_, scale_, -1, saveAsJpeg_, folderName_);
}
