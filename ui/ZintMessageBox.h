#pragma once
// CZintMessageBox: the system's own message box ("Brivane Messagebox"), asked through the prompt hook
// with the type bits and results of MessageBoxW. Modal over its owner, which may belong to another
// thread (an operation's worker asks over the progress window).
#include <windows.h>

#include <string>

#include "atl/Handles.h"
#include "resource.h"
#include "ui/ZintBaseDialog.h"

class CZintMessageBox : public CZintBaseDialog<CZintMessageBox> {
 public:
  enum { IDD = IDD_MESSAGEBOX };

  CZintMessageBox(std::wstring text, std::wstring caption, UINT type);

  // The prompt hook's runner: shows the box modally and returns the pressed button's id.
  static int Show(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);
  // Makes Show the process's prompt hook.
  static void InstallAsPromptHook();

 protected:
  BOOL OnInitDialog(LPARAM param) override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  void LayOut();
  bool HasButton(int id) const;

  std::wstring text_;
  std::wstring caption_;
  UINT type_;
  UniqueBitmap symbol_;
};
