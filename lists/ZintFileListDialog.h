#pragma once
// CZintFileListDialog: "Brivane - Enter File List File Name". Asks for the list's file name, its type
// (text or HTML) and the two folder options; the list itself is written afterwards by the command.
#include <windows.h>

#include <string>

#include "resource.h"
#include "ui/ZintBaseDialog.h"

class CZintFileListDialog : public CZintBaseDialog<CZintFileListDialog> {
 public:
  enum { IDD = IDD_FILE_LIST };

  explicit CZintFileListDialog(HICON commandIcon = nullptr) : CZintBaseDialog(commandIcon) {}

  const std::wstring& FileName() const { return fileName_; }
  bool IncludeSubfolders() const { return includeSubfolders_; }
  bool Indent() const { return indent_; }
  bool Html() const { return html_; }
  int TypeIndex() const { return html_ ? 1 : 0; }  // 0 text, 1 HTML

 protected:
  BOOL OnInitDialog(LPARAM param) override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  bool Checked(int id) const { return IsDlgButtonChecked(Handle(), id) == BST_CHECKED; }

  std::wstring fileName_ = L"FileList.txt";
  bool includeSubfolders_ = false;
  bool indent_ = false;
  bool html_ = false;
};

// The name with its extension (after a "." at position 1 or later) replaced by ".html" or ".txt"; a name
// without one stays as it is.
std::wstring WithListExtension(const std::wstring& name, bool html);
// Where the selection of the name box ends at start: before the last four characters, so that typing
// replaces "FileList" and keeps ".txt".
int InitialSelectionEnd(const std::wstring& name);
