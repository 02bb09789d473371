#pragma once
// CZintBaseDialog<T>: the base of every Brivane dialog. T names its template (T::IDD), which has a
// banner (260) and a heading (298); a template that numbers them otherwise names its own ids as
// T::kBannerId and T::kHeadingId (and its banner picture's as T::kSymbolId). On WM_INITDIALOG it lays
// out the banner, gives the heading the bold heading font, sets the icons and, when modeless, registers
// for keyboard navigation; then it calls OnInitDialog. IDOK and IDCANCEL end the dialog with that id
// unless OnCommand of T handles them first.
// The banner, the heading font and the banner's picture (297, when it is a bitmap) follow the window's
// DPI, at the start and whenever the window moves to a monitor of another DPI.
#include <windows.h>

#include <string>
#include <utility>

#include "atl/DialogImpl.h"
#include "atl/Handles.h"
#include "base/Trace.h"
#include "resource.h"
#include "ui/DialogDecor.h"
#include "ui/Dpi.h"
#include "ui/ModelessDialogs.h"

template <class T>
class CZintBaseDialog : public CDialogImpl<T> {
 public:
  // The command's icon, duplicated (the caller keeps its own); null for none.
  explicit CZintBaseDialog(HICON commandIcon = nullptr) { SetIcon(commandIcon); }
  // A modeless window still open goes while this level still unregisters it.
  ~CZintBaseDialog() override {
    if (this->Handle() && !this->IsModal()) DestroyWindow(this->Handle());
  }

  static constexpr int kBannerId = IDC_BANNER;
  static constexpr int kHeadingId = IDC_HEADING;
  static constexpr int kSymbolId = IDC_SYMBOL;

  void SetIcon(HICON commandIcon) { icon_.reset(commandIcon ? CopyIcon(commandIcon) : nullptr); }
  HICON Icon() const { return icon_.get(); }
  // Made for the window's DPI when the window opens; null before.
  HFONT HeadingFont() const { return headingFont_.get(); }

 protected:
  void OnUnhandledException(const char* what) override {
    std::string text = what ? what : "unknown exception";
    trace::Write(L"CDialogWindow::DialogProc: ", std::wstring(text.begin(), text.end()));
  }

  bool ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    HWND window = this->Handle();
    switch (message) {
      case WM_INITDIALOG: {
        int dpi = WindowDpi(window);
        RECT frame;
        GetWindowRect(window, &frame);
        FollowDpi(int(frame.right - frame.left), dpi, ScaleForDpi(kBannerHeight, dpi), false);
        // The template's own picture, which the static control loaded at its 96-DPI size.
        HWND symbol = this->Item(T::kSymbolId);
        if (symbol && (GetWindowLongW(symbol, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP)
          SetBannerPicture(reinterpret_cast<HBITMAP>(SendMessageW(symbol, STM_GETIMAGE, IMAGE_BITMAP, 0)));
        SetDialogIcons(window, icon_.get());
        if (!this->IsModal()) RegisterModelessDialog(window);
        break;
      }
      case WM_DPICHANGED: {
        // The suggested frame is the one the window takes once the message has been handled.
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        RECT frame;
        GetWindowRect(window, &frame);
        int width = suggested ? int(suggested->right - suggested->left) : int(frame.right - frame.left);
        // The banner keeps its height in proportion (a message box's is taller than the others').
        RECT banner = ControlRect(this->Item(T::kBannerId));
        int dpi = LOWORD(wParam);
        FollowDpi(width, dpi, MulDiv(int(banner.bottom - banner.top), dpi, dpi_), true);
        if (pictureSource_) SetBannerPicture(pictureSource_);
        break;  // the dialog manager goes on to move the window and scale its controls
      }
      case WM_CTLCOLORSTATIC:
        // The heading is drawn straight over the banner.
        if (reinterpret_cast<HWND>(lParam) == this->Item(T::kHeadingId)) {
          SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
          result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
          return true;
        }
        break;
      case WM_DESTROY:
        if (!this->IsModal()) UnregisterModelessDialog(window);
        // The picture control gets back what it had, so it never holds our copy once that is gone.
        if (pictureSource_ &&
            reinterpret_cast<HBITMAP>(this->SendItem(T::kSymbolId, STM_GETIMAGE, IMAGE_BITMAP)) != pictureBefore_)
          this->SendItem(T::kSymbolId, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(pictureBefore_));
        break;
      case WM_COMMAND:
        if (CDialogImpl<T>::ProcessMessage(message, wParam, lParam, result)) return true;
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
          this->EndDialog(LOWORD(wParam));
          return true;
        }
        return false;
    }
    return CDialogImpl<T>::ProcessMessage(message, wParam, lParam, result);
  }

  // Shows a bitmap in the banner's picture control (297, or T::kSymbolId), stretched to the window's
  // DPI. The caller keeps the bitmap alive while the window is open.
  void SetBannerPicture(HBITMAP picture) {
    HWND symbol = this->Item(T::kSymbolId);
    if (!symbol || !picture) return;
    UniqueBitmap scaled = BitmapForDpi(picture, dpi_);
    HBITMAP shown = scaled ? scaled.get() : picture;
    auto current = reinterpret_cast<HBITMAP>(SendMessageW(symbol, STM_GETIMAGE, IMAGE_BITMAP, 0));
    if (!pictureSource_) pictureBefore_ = current;
    pictureSource_ = picture;
    if (shown != current) SendMessageW(symbol, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(shown));
    scaledPicture_ = std::move(scaled);
  }

  // The window's DPI as the base last laid it out.
  int Dpi() const { return dpi_; }

 private:
  // Lays out what the base owns for a window windowWidth pixels wide at dpi, the banner bannerHeight
  // pixels tall; redraw when the window is already on screen. The banner goes first: the heading is
  // drawn over it.
  void FollowDpi(int windowWidth, int dpi, int bannerHeight, bool redraw) {
    dpi_ = dpi;
    PlaceBanner(this->Handle(), windowWidth, bannerHeight, dpi, T::kBannerId);
    UniqueFont font = CreateHeadingFont(dpi);
    this->SendItem(T::kHeadingId, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), redraw);
    headingFont_ = std::move(font);  // the old font goes only once the heading has let go of it
  }

  UniqueIcon icon_;
  UniqueFont headingFont_;
  int dpi_ = kDefaultDpi;
  HBITMAP pictureSource_ = nullptr;  // the picture at its own size (the template's or the dialog's)
  HBITMAP pictureBefore_ = nullptr;  // what the control showed before, given back when the window goes
  UniqueBitmap scaledPicture_;
};
