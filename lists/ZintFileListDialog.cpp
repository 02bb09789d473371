#include "lists/ZintFileListDialog.h"

#include "fileops/NameCharacters.h"

std::wstring WithListExtension(const std::wstring& name, bool html) {
  size_t dot = name.rfind(L'.');
  if (dot == std::wstring::npos || dot == 0) return name;
  return name.substr(0, dot) + (html ? L".html" : L".txt");
}

int InitialSelectionEnd(const std::wstring& name) { return name.size() > 4 ? int(name.size() - 4) : 0; }

BOOL CZintFileListDialog::OnInitDialog(LPARAM) {
  SetItemText(IDC_LIST_FILE_NAME, fileName_);
  SendItem(IDC_LIST_FILE_NAME, EM_SETSEL, 0, InitialSelectionEnd(fileName_));
  CheckRadioButton(Handle(), IDC_LIST_TEXT, IDC_LIST_HTML, IDC_LIST_TEXT);
  CheckDlgButton(Handle(), IDC_LIST_INCLUDE_SUBFOLDERS, BST_UNCHECKED);
  CheckDlgButton(Handle(), IDC_LIST_INDENT, BST_UNCHECKED);
  EnableWindow(Item(IDC_LIST_INDENT), FALSE);
  SetFocus(Item(IDC_LIST_FILE_NAME));
  return FALSE;  // the focus is set
}

bool CZintFileListDialog::OnCommand(int id, int code, HWND) {
  switch (id) {
    case IDC_LIST_INCLUDE_SUBFOLDERS:
      if (code == BN_CLICKED) EnableWindow(Item(IDC_LIST_INDENT), Checked(IDC_LIST_INCLUDE_SUBFOLDERS));
      return true;
    case IDC_LIST_TEXT:
    case IDC_LIST_HTML:
      if (code == BN_CLICKED) {
        std::wstring name = ItemText(IDC_LIST_FILE_NAME), swapped = WithListExtension(name, id == IDC_LIST_HTML);
        if (swapped != name) SetItemText(IDC_LIST_FILE_NAME, swapped);
      }
      return true;
    case IDOK: {
      std::wstring name = ItemText(IDC_LIST_FILE_NAME);
      if (!AcceptNewName(Handle(), name, /*folder=*/false)) return true;
      fileName_ = name;
      html_ = Checked(IDC_LIST_HTML);
      includeSubfolders_ = Checked(IDC_LIST_INCLUDE_SUBFOLDERS);
      indent_ = includeSubfolders_ && Checked(IDC_LIST_INDENT);
      EndDialog(IDOK);
      return true;
    }
  }
  return false;
}
