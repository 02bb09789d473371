#pragma once
// CZintBaseDialog<T>: the base of every Brivane dialog. T names its template (T::IDD), which has a
// banner (260) and a heading (298); a template that numbers them otherwise names its own ids as
// T::kBannerId and T::kHeadingId. On WM_INITDIALOG it lays out the banner, gives the heading the bold
// heading font, sets the icons and, when modeless, registers for keyboard navigation; then it calls
// OnInitDialog. IDOK and IDCANCEL end the dialog with that id unless OnCommand of T handles them first.
#include <windows.h>

#include <string>

#include "atl/DialogImpl.h"
#include "atl/Handles.h"
#include "base/Trace.h"
#include "resource.h"
#include "ui/DialogDecor.h"
#include "ui/ModelessDialogs.h"

template <class T>
class CZintBaseDialog : public CDialogImpl<T> {
 public:
  // The command's icon, duplicated (the caller keeps its own); null for none.
  explicit CZintBaseDialog(HICON commandIcon = nullptr) : headingFont_(CreateHeadingFont()) {
    SetIcon(commandIcon);
  }
  // A modeless window still open goes while this level still unregisters it.
  ~CZintBaseDialog() override {
    if (this->Handle() && !this->IsModal()) DestroyWindow(this->Handle());
  }

  static constexpr int kBannerId = IDC_BANNER;
  static constexpr int kHeadingId = IDC_HEADING;

  void SetIcon(HICON commandIcon) { icon_.reset(commandIcon ? CopyIcon(commandIcon) : nullptr); }
  HICON Icon() const { return icon_.get(); }
  HFONT HeadingFont() const { return headingFont_.get(); }

 protected:
  void OnUnhandledException(const char* what) override {
    std::string text = what ? what : "unknown exception";
    trace::Write(L"CDialogWindow::DialogProc: ", std::wstring(text.begin(), text.end()));
  }

  bool ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    HWND window = this->Handle();
    switch (message) {
      case WM_INITDIALOG:
        PlaceBanner(window, 60, T::kBannerId);
        this->SendItem(T::kHeadingId, WM_SETFONT, reinterpret_cast<WPARAM>(headingFont_.get()), FALSE);
        SetDialogIcons(window, icon_.get());
        if (!this->IsModal()) RegisterModelessDialog(window);
        break;
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

 private:
  UniqueIcon icon_;
  UniqueFont headingFont_;
};
