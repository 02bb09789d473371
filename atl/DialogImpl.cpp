#include "atl/DialogImpl.h"

#include <exception>

#include "atl/ActivationContext.h"
#include "atl/ComModule.h"

CDialogWindow::~CDialogWindow() {
  if (hwnd_ && !modal_) DestroyWindow(hwnd_);
}

CDialogWindow* CDialogWindow::FromHandle(HWND window) {
  if (!window) return nullptr;
  // DWLP_USER belongs to whoever made the dialog: only trust it for windows running our procedure.
  if (reinterpret_cast<DLGPROC>(GetWindowLongPtrW(window, DWLP_DLGPROC)) != &CDialogWindow::DialogProc)
    return nullptr;
  return reinterpret_cast<CDialogWindow*>(GetWindowLongPtrW(window, DWLP_USER));
}

std::wstring CDialogWindow::ItemText(int id) const {
  HWND item = Item(id);
  if (!item) return {};
  std::wstring text(size_t(GetWindowTextLengthW(item)) + 1, L'\0');
  text.resize(size_t(GetWindowTextW(item, text.data(), int(text.size()))));
  return text;
}

void CDialogWindow::EndDialog(INT_PTR result) {
  if (!hwnd_) return;
  if (modal_)
    ::EndDialog(hwnd_, result);
  else
    DestroyWindow(hwnd_);
}

INT_PTR CDialogWindow::RunModal(HINSTANCE instance, int templateId, HWND parent, LPARAM param) {
  if (hwnd_) return -1;
  modal_ = true;
  initParam_ = param;
  ModuleActivationScope controls;
  return DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId), parent, &CDialogWindow::DialogProc,
                         reinterpret_cast<LPARAM>(this));
}

HWND CDialogWindow::CreateModeless(HINSTANCE instance, int templateId, HWND parent, LPARAM param) {
  if (hwnd_) return nullptr;
  modal_ = false;
  initParam_ = param;
  ModuleActivationScope controls;
  return CreateDialogParamW(instance, MAKEINTRESOURCEW(templateId), parent, &CDialogWindow::DialogProc,
                            reinterpret_cast<LPARAM>(this));
}

bool CDialogWindow::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_INITDIALOG:
      result = OnInitDialog(lParam);
      return true;
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      return OnNotify(int(header->idFrom), header, result);
    }
    case WM_DESTROY:
      OnDestroy();
      return false;
    default:
      return false;
  }
}

namespace {
// Messages whose dialog-procedure return value is the answer itself rather than a handled flag.
bool ReturnsValueDirectly(UINT message) {
  switch (message) {
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
      return true;
    default:
      return false;
  }
}
}  // namespace

INT_PTR CALLBACK CDialogWindow::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CDialogWindow* self = nullptr;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<CDialogWindow*>(lParam);
    SetWindowLongPtrW(window, DWLP_USER, lParam);
    self->hwnd_ = window;
    lParam = self->initParam_;
    // While one of our windows exists the library must stay loaded: its procedure is ours.
    ComModule::Lock();
  } else {
    self = reinterpret_cast<CDialogWindow*>(GetWindowLongPtrW(window, DWLP_USER));
  }
  if (!self) return FALSE;  // messages before WM_INITDIALOG (WM_SETFONT, ...)

  LRESULT result = 0;
  bool handled = false;
  try {
    handled = self->ProcessMessage(message, wParam, lParam, result);
  } catch (const std::exception& error) {
    // Nothing may unwind through the system's dialog code.
    self->OnUnhandledException(error.what());
  } catch (...) {
    self->OnUnhandledException(nullptr);
  }

  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, DWLP_USER, 0);
    self->hwnd_ = nullptr;
    self->OnFinalMessage();
    ComModule::Unlock();
    return FALSE;
  }
  if (!handled) return message == WM_INITDIALOG ? TRUE : FALSE;
  if (ReturnsValueDirectly(message)) return INT_PTR(result);
  SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
  return TRUE;
}
