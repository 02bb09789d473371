#pragma once
// Turns a static text control into a hyperlink: underlined in the link colour, a hand cursor over
// it, and a click opens its text as an address with the shell (through StartProgram).
#include <windows.h>

#include "atl/Handles.h"

class CHyperLink {
 public:
  CHyperLink() = default;
  ~CHyperLink();
  CHyperLink(const CHyperLink&) = delete;
  CHyperLink& operator=(const CHyperLink&) = delete;

  // The control must live no longer than this object, or be detached first.
  void SubclassWindow(HWND control);
  void Detach();
  HWND Handle() const { return control_; }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR self);
  void Paint();
  void Open() const;

  HWND control_ = nullptr;
  UniqueFont underlined_;
};
