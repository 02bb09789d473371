#include "imaging/ImagingDialogSupport.h"

#include <commctrl.h>

#include "base/Prompt.h"
#include "imaging/ImageNames.h"
#include "resource.h"

const wchar_t kInvalidFolderNameText[] = L"Please Enter a Valid Folder Name";
const wchar_t kImageResizeCaption[] = L"Brivane - Image Resize";

void UseImagingControls() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
}

void FocusControl(const CDialogWindow& dialog, int id) {
  SendMessageW(dialog.Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(dialog.Item(id)), TRUE);
}

void EnableControl(const CDialogWindow& dialog, int id, bool enabled) { EnableWindow(dialog.Item(id), enabled); }

bool IsChecked(const CDialogWindow& dialog, int id) {
  return IsDlgButtonChecked(dialog.Handle(), id) == BST_CHECKED;
}

void SetChecked(const CDialogWindow& dialog, int id, bool checked) {
  CheckDlgButton(dialog.Handle(), id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void ShowOutputChoice(const CDialogWindow& dialog, bool separateFolder, const std::wstring& folderName) {
  SetChecked(dialog, IDC_OUTPUT_SEPARATE, separateFolder);
  dialog.SetItemText(IDC_OUTPUT_FOLDER, folderName);
  FollowOutputCheck(dialog);
}

void FollowOutputCheck(const CDialogWindow& dialog) {
  EnableControl(dialog, IDC_OUTPUT_FOLDER, IsChecked(dialog, IDC_OUTPUT_SEPARATE));
}

bool TakeOutputFolder(const CDialogWindow& dialog, std::wstring& folderName) {
  if (!IsChecked(dialog, IDC_OUTPUT_SEPARATE)) {
    folderName.clear();
    return true;
  }
  std::wstring typed = dialog.ItemText(IDC_OUTPUT_FOLDER);
  if (!IsValidFolderName(typed)) {
    Prompt(dialog.Handle(), kInvalidFolderNameText, kImageResizeCaption, MB_OK);
    FocusControl(dialog, IDC_OUTPUT_FOLDER);
    return false;
  }
  folderName = typed;
  return true;
}

bool ReadNumber(const CDialogWindow& dialog, int id, int& value) {
  BOOL translated = FALSE;
  int read = int(GetDlgItemInt(dialog.Handle(), id, &translated, TRUE));
  if (!translated) return false;
  value = read;
  return true;
}
