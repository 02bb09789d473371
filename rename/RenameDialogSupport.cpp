#include "rename/RenameDialogSupport.h"

#include <commctrl.h>

#include <utility>

#include "base/Prompt.h"
#include "rename/NameRules.h"
#include "rename/RenameInput.h"
#include "resource.h"

namespace {
constexpr int kLowestStartNumber = 0;
constexpr int kHighestStartNumber = 32767;
}  // namespace

void UseRenameControls() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&controls);
}

void FocusItem(const CDialogWindow& dialog, int id) {
  SendMessageW(dialog.Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(dialog.Item(id)), TRUE);
}

void ShowRenamePreview(const CDialogWindow& dialog, const std::wstring& after) {
  dialog.SetItemText(IDC_RENAME_PREVIEW, RenamePreview(after));
}

void RefuseFileName(const CDialogWindow& dialog) {
  Prompt(dialog.Handle(), rename_text::kInvalidFileName, rename_text::kFileNameValidation, 0);
}

bool TakeAffixes(const CDialogWindow& dialog, std::wstring& prefix, std::wstring& postfix) {
  std::wstring newPrefix = dialog.ItemText(IDC_RENAME_PREFIX);
  std::wstring newPostfix = dialog.ItemText(IDC_RENAME_POSTFIX);
  if (!AreValidAffixes(newPrefix, newPostfix)) {
    RefuseFileName(dialog);
    return false;
  }
  prefix = std::move(newPrefix);
  postfix = std::move(newPostfix);
  return true;
}

void SetUpStartNumber(const CDialogWindow& dialog) {
  dialog.SendItem(IDC_RENAME_START_SPIN, UDM_SETRANGE32, kLowestStartNumber, kHighestStartNumber);
  dialog.SetItemText(IDC_RENAME_START_NUMBER, L"1");
}

bool TakeStartNumber(const CDialogWindow& dialog, size_t count, int32_t& number) {
  int32_t read = 0;
  if (!ReadStartNumber(dialog.ItemText(IDC_RENAME_START_NUMBER), read)) {
    Prompt(dialog.Handle(), rename_text::kInvalidNumber, rename_text::kRenameCaption, 0);
    dialog.SetItemText(IDC_RENAME_START_NUMBER, L"1");
    number = 1;
    return false;
  }
  if (!NumbersFitField(read, count)) {
    Prompt(dialog.Handle(), NumberFieldMessage(count).c_str(), rename_text::kRenameCaption, MB_ICONEXCLAMATION);
    FocusItem(dialog, IDC_RENAME_START_NUMBER);
    return false;
  }
  number = read;
  return true;
}
