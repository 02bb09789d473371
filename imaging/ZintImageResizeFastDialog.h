#pragma once
// CZintImageResizeFastDialog: "Brivane - Resize Image" for the menu's resize presets and the conversion
// to JPEG. The scale and the JPEG flag come with the command; the dialog only asks where the results go.
#include <windows.h>

#include <string>

#include "base/PathList.h"
#include "fileops/ZintProgressReportDialog.h"
#include "resource.h"

class CZintImageResizeFastDialog : public CZintProgressReportDialog<CZintImageResizeFastDialog> {
 public:
  enum { IDD = IDD_IMAGE_RESIZE_FAST };

  CZintImageResizeFastDialog(PathList selection, HICON commandIcon = nullptr, double scale = 0.5,
                             bool saveAsJpeg = false);

  double Scale() const { return scale_; }
  bool SaveAsJpeg() const { return saveAsJpeg_; }
  // Empty when the results go beside their sources.
  const std::wstring& FolderName() const { return folderName_; }

  void Run() override;

 protected:
  BOOL OnInitDialog(LPARAM param) override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  double scale_;
  bool saveAsJpeg_;
  bool separateFolder_ = true;
  std::wstring folderName_ = L"Resized Images";
};
