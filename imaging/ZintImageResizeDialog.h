#pragma once
// CZintImageResizeDialog: "Brivane - Resize Image", the full resize dialog. A scale in percent (track
// bar) or a size in pixels, an optional JPEG quality, JPEG output, and the results' folder; OK resizes the
// selection behind a progress window whose bar follows the pictures.
#include <windows.h>

#include <cstdint>
#include <string>

#include "base/PathList.h"
#include "fileops/ZintProgressReportDialog.h"
#include "resource.h"

struct ResizeSettings {
  int32_t percent = 50;   // 1-100; -1 once the dimensions mode is chosen
  int32_t width = 640;
  int32_t height = 480;
  int32_t quality = 8;    // 1-10; -1 when the quality box is not ticked
  int32_t mode = 0;       // 0 "Percentage:", 1 "Image dimensions (pixels):"
  bool saveAsJpeg = false;
  bool useQuality = false;
  bool separateFolder = true;
  std::wstring folderName = L"Resized Images";  // empty when the results go beside their sources
};

extern const wchar_t kInvalidSizeText[];  // "Please Enter a Valid Size"

class CZintImageResizeDialog : public CZintProgressReportDialog<CZintImageResizeDialog> {
 public:
  enum { IDD = IDD_IMAGE_RESIZE };

  explicit CZintImageResizeDialog(PathList selection, HICON commandIcon = nullptr);

  // The choices; what the last OK took once the dialog has run.
  ResizeSettings& Settings() { return settings_; }

  void Run() override;

 protected:
  BOOL OnInitDialog(LPARAM param) override;
  bool OnCommand(int id, int code, HWND control) override;
  bool ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  // The width and height boxes on, the percent track bar off, or the reverse.
  void UseDimensions(bool dimensions);
  void ShowTrackValues();
  // Reads and checks every control into the settings; false (after the message) when one is refused.
  bool TakeSettings();

  ResizeSettings settings_;
};
