#pragma once
// Dialog windows from templates, in the manner of CDialogImpl<T>.
//
//   class CMyDialog : public CDialogImpl<CMyDialog> {
//    public:
//     enum { IDD = IDD_MY_DIALOG };                       // the template, from the module's resources
//    protected:
//     BOOL OnInitDialog(LPARAM param) override { SetItemText(IDC_NAME, L"x"); return TRUE; }
//     bool OnCommand(int id, int /*code*/, HWND) override {   // true: handled
//       if (id == IDOK || id == IDCANCEL) { name_ = ItemText(IDC_NAME); EndDialog(id); return true; }
//       return false;
//     }
//   };
//   CMyDialog dialog;  INT_PTR answer = dialog.DoModal(parent);   // or dialog.Create(parent) for modeless
//
// Other messages: override ProcessMessage and call the base's for the rest. The object must outlive its
// window (end a modeless one with EndDialog before its object goes: a window destroyed by the base's
// destructor no longer reaches the derived handlers); FromHandle finds the object from its window.
#include <windows.h>

#include <string>

#include "atl/Module.h"

class CDialogWindow {
 public:
  CDialogWindow() = default;
  // A modeless window still open is destroyed with its object.
  virtual ~CDialogWindow();
  CDialogWindow(const CDialogWindow&) = delete;
  CDialogWindow& operator=(const CDialogWindow&) = delete;

  // The object behind a dialog window made by this class, or null.
  static CDialogWindow* FromHandle(HWND window);

  HWND Handle() const { return hwnd_; }
  bool IsModal() const { return modal_; }
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  std::wstring ItemText(int id) const;
  void SetItemText(int id, const std::wstring& text) const { SetDlgItemTextW(hwnd_, id, text.c_str()); }
  LRESULT SendItem(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return SendDlgItemMessageW(hwnd_, id, message, wParam, lParam);
  }
  // Ends the dialog: EndDialog(result) when modal, DestroyWindow when modeless.
  void EndDialog(INT_PTR result);

 protected:
  // Runs the template modally; returns the EndDialog value, or -1 when the window cannot be made.
  INT_PTR RunModal(HINSTANCE instance, int templateId, HWND parent, LPARAM param);
  // Makes a modeless window; null on failure.
  HWND CreateModeless(HINSTANCE instance, int templateId, HWND parent, LPARAM param);

  // Every message of the window from WM_INITDIALOG on. Return true when handled, with the result to give
  // (for WM_INITDIALOG, WM_CTLCOLOR* and the other value-returning messages, the value itself).
  // The default sends WM_INITDIALOG, WM_COMMAND, WM_NOTIFY and WM_DESTROY to the hooks below.
  virtual bool ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // The param given to DoModal/Create. TRUE lets the system set the focus.
  virtual BOOL OnInitDialog(LPARAM /*param*/) { return TRUE; }
  virtual bool OnCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
  virtual bool OnNotify(int /*id*/, NMHDR* /*header*/, LRESULT& /*result*/) { return false; }
  virtual void OnDestroy() {}
  // After the last message; the window handle is already cleared.
  virtual void OnFinalMessage() {}
  // A message handler threw (what: the exception's text, null when it was no std::exception). The
  // exception has been stopped here; the dialog base writes it to the trace.
  virtual void OnUnhandledException(const char* /*what*/) {}

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  bool modal_ = false;
  LPARAM initParam_ = 0;
};

template <class T>
class CDialogImpl : public CDialogWindow {
 public:
  INT_PTR DoModal(HWND parent = nullptr, LPARAM param = 0) {
    return RunModal(ModuleInstance(), T::IDD, parent, param);
  }
  HWND Create(HWND parent = nullptr, LPARAM param = 0) {
    return CreateModeless(ModuleInstance(), T::IDD, parent, param);
  }
};
