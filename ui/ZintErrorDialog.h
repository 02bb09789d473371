#pragma once
// CZintErrorDialog: "Brivane - Error", through which every failed operation is reported. The caption and
// the bold heading show the title, the text below it the message; modal over the given parent.
#include <windows.h>

#include <string>

#include "resource.h"
#include "ui/ZintBaseDialog.h"

class CZintErrorDialog : public CZintBaseDialog<CZintErrorDialog> {
 public:
  enum { IDD = IDD_ERROR };
  static constexpr size_t kBufferChars = 512;  // each text keeps at most 511 characters

  CZintErrorDialog(const std::wstring& title, const std::wstring& message);

  static INT_PTR Show(HWND parent, const std::wstring& title, const std::wstring& message);

  const wchar_t* Title() const { return title_; }
  const wchar_t* Message() const { return message_; }

 protected:
  BOOL OnInitDialog(LPARAM param) override;

 private:
  void FitMessage();

  wchar_t title_[kBufferChars];
  wchar_t message_[kBufferChars];
};
