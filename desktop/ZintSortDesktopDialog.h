#pragma once
// CZintSortDesktopDialog: "Brivane - Sort Desktop". The colours of the background gradient (or the
// current wallpaper instead), of the group panels and their border, the two opacities and the label
// font. OK writes the choices into the record it edits; a font chosen with "Font ..." goes into the record
// at once and stays even when the dialog is then cancelled.
#include <windows.h>

#include <cstdint>
#include <string>

#include "desktop/DesktopSortSettings.h"
#include "resource.h"
#include "ui/ColorButton.h"
#include "ui/ZintBaseDialog.h"

// Opacities 0-255 on track bars of 0-100, both ways with integer division.
int TrackPositionOfOpacity(uint8_t opacity);
uint8_t OpacityOfTrackPosition(int position);
// "Face, 18pt": the face name and the point size on a device with this many pixels per inch.
std::wstring FontLabelText(const LOGFONTW& font, int pixelsPerInch);

class CZintSortDesktopDialog : public CZintBaseDialog<CZintSortDesktopDialog> {
 public:
  enum { IDD = IDD_SORT_DESKTOP };

  // The record is edited in place (the process-wide one, for the custom sort) and must outlive the dialog.
  explicit CZintSortDesktopDialog(DesktopSortSettings& settings, HICON commandIcon = nullptr);

 protected:
  BOOL OnInitDialog(LPARAM param) override;
  bool OnCommand(int id, int code, HWND control) override;
  bool ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void ShowOpacity(int track, int label) const;
  void ShowFont() const;
  // The gradient's buttons and labels are off while the wallpaper is used instead.
  void EnableGradient() const;
  void ChooseLabelFont();
  void Save();

  DesktopSortSettings& settings_;
  CColorButton background1_, background2_, group1_, group2_, border_;
};
