#include "rename/ZintRenameFindReplaceDialog.h"

#include <utility>

#include "base/Prompt.h"
#include "rename/RenameDialogSupport.h"
#include "rename/RenameInput.h"

CZintRenameFindReplaceDialog::CZintRenameFindReplaceDialog(PathList selection, HICON commandIcon)
    : CZintProgressReportDialog(std::move(selection), {}, commandIcon) {}

bool CZintRenameFindReplaceDialog::OnCommand(int id, int, HWND) {
  if (id != IDOK) return false;
  std::wstring search = ItemText(IDC_RENAME_FIND);
  std::wstring replacement = ItemText(IDC_RENAME_REPLACE);
  if (search.empty()) {
    Prompt(Handle(), rename_text::kSearchEmpty, rename_text::kFindReplaceError, MB_ICONEXCLAMATION);
    FocusItem(*this, IDC_RENAME_FIND);
    return true;
  }
  if (!IsValidSearchText(search) || (!replacement.empty() && !IsValidNamePart(replacement))) {
    RefuseFileName(*this);
    return true;
  }
  search_ = std::move(search);
  replacement_ = std::move(replacement);
  RunOperation(/*marquee=*/false);
  return true;
}

void CZintRenameFindReplaceDialog::Run() { refactor_.RenameFindReplace(result_, input_, search_, replacement_); }
