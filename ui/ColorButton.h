#pragma once
// CColorButton: a dialog push button that shows a colour on its face and, when clicked, drops down a
// palette (window class "ColorPicker") below itself: "Automatic" (the default colour), the 40 named
// colours with their names as tooltips, and "More Colors...", which opens the system colour chooser.
// The palette stays on the button's monitor, captures the mouse while open, and closes on a choice,
// a right click, a click outside it, or Escape.
//
//   CColorButton border_;                        // a member of the dialog
//   border_.Attach(Item(IDC_BORDER_COLOR));      // in OnInitDialog
//   border_.SetColor(RGB(255, 69, 0));
//   COLORREF chosen = border_.ShownColor();      // on OK
#include <windows.h>

#include <cstdint>

#include "ui/ColorPickerLayout.h"

// Stored records keep colours as opaque 0xAARRGGBB; the button and GDI speak COLORREF.
COLORREF ArgbToColorref(uint32_t argb);
uint32_t ColorrefToArgb(COLORREF color);  // always opaque

class CColorButton {
 public:
  // WM_COMMAND notification code the parent receives (with the button's id) after the colour changed.
  static constexpr WORD kColorChanged = 0x8001;

  // The default colour is the system's COLOR_APPWORKSPACE at this moment.
  CColorButton();
  ~CColorButton();
  CColorButton(const CColorButton&) = delete;
  CColorButton& operator=(const CColorButton&) = delete;

  // Takes over the push button: it becomes owner-drawn, and its parent is subclassed to draw it and to
  // open the palette on its clicks. Both subclasses go when either window is destroyed.
  bool Attach(HWND button);
  void Detach();
  HWND Handle() const { return button_; }

  // The colour, or color_picker::kAutomaticColor for the default colour.
  void SetColor(COLORREF color);
  COLORREF GetColor() const { return color_; }
  // What the face shows: the colour, with the default colour standing in for "Automatic".
  COLORREF ShownColor() const;
  COLORREF DefaultColor() const { return defaultColor_; }
  void SetDefaultColor(COLORREF color);

  // Opens the palette and returns once it has closed (what a click on the button does). True when the
  // colour changed; the parent has then been sent WM_COMMAND with kColorChanged.
  bool Pick();

 private:
  static LRESULT CALLBACK ButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR self);
  static LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR self);
  void Draw(const DRAWITEMSTRUCT& item) const;
  // The system colour chooser, opened on the current colour; true when the user chose one.
  bool ChooseMoreColors(COLORREF& chosen) const;

  HWND button_ = nullptr;
  HWND parent_ = nullptr;
  COLORREF color_ = color_picker::kAutomaticColor;
  COLORREF defaultColor_;
  bool open_ = false;  // the palette is showing: the face stays pressed
};
