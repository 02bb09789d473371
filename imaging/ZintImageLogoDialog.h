#pragma once
// CZintImageLogoDialog: "Brivane - Put Logo on Image". A picture file or a line of text in a chosen font
// and colour as the logo, an optional coloured frame, one of nine positions and the results' folder;
// the choices are kept between uses ("LastPutLogoData"). OK stamps the selection behind a progress window.
#include <windows.h>

#include <string>

#include "base/PathList.h"
#include "fileops/ZintProgressReportDialog.h"
#include "imaging/LogoSettings.h"
#include "resource.h"
#include "ui/ColorButton.h"

extern const wchar_t kMissingLogoText[];  // "Image Logo File Does not Exists"

// The font's label: "%s, %dpt", its face and its size in points on a screen of that many pixels per inch.
std::wstring FontLabel(const LOGFONTW& font, int pixelsPerInch);

class CZintImageLogoDialog : public CZintProgressReportDialog<CZintImageLogoDialog> {
 public:
  enum { IDD = IDD_IMAGE_LOGO };

  explicit CZintImageLogoDialog(PathList selection, HICON commandIcon = nullptr);

  // The record: the stored one (or the defaults) once the dialog opens, what OK stored afterwards.
  const LogoSettings& Settings() const { return settings_; }

  void Run() override;

 protected:
  BOOL OnInitDialog(LPARAM param) override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  void FollowChecks();
  void ShowFont();
  void BrowseForImage();
  void ChooseLogoFont();
  // Reads every control into the record; false (after the message) when the folder or the picture is refused.
  bool TakeSettings();

  LogoSettings settings_;
  CColorButton borderColor_;
  // What the operation gets beyond the record: the folder only when ticked, the whole texts.
  std::wstring folderName_;
  std::wstring imagePath_;
  std::wstring text_;
};
