#include "rename/ZintRenameTruncateDialog.h"

#include <commctrl.h>

#include <utility>

#include "rename/RenameDialogSupport.h"
#include "rename/RenameInput.h"

namespace {
constexpr int kLowestCount = 1;
constexpr int kHighestCount = 32767;
}  // namespace

CZintRenameTruncateDialog::CZintRenameTruncateDialog(PathList selection, HICON commandIcon)
    : CZintProgressReportDialog(std::move(selection), {}, commandIcon) {
  UseRenameControls();
}

BOOL CZintRenameTruncateDialog::OnInitDialog(LPARAM) {
  SendItem(IDC_TRUNCATE_COUNT_SPIN, UDM_SETRANGE32, kLowestCount, kHighestCount);
  SetItemText(IDC_TRUNCATE_COUNT, L"1");
  CheckRadioButton(Handle(), IDC_TRUNCATE_FROM_BEGINNING, IDC_TRUNCATE_FROM_END, IDC_TRUNCATE_FROM_END);
  UpdatePreview();
  return TRUE;
}

bool CZintRenameTruncateDialog::ReadCount(int32_t& count) const {
  BOOL translated = FALSE;
  int value = int(GetDlgItemInt(Handle(), IDC_TRUNCATE_COUNT, &translated, TRUE));
  if (!translated) return false;
  count = value;
  return true;
}

void CZintRenameTruncateDialog::UpdatePreview() {
  int32_t count = 0;
  bool isNumber = ReadCount(count);
  ShowRenamePreview(*this, TruncatePreviewName(isNumber, count, Checked(IDC_TRUNCATE_FROM_BEGINNING),
                                               Checked(IDC_TRUNCATE_INCLUDE_EXTENSION)));
}

bool CZintRenameTruncateDialog::OnCommand(int id, int code, HWND) {
  switch (id) {
    case IDC_TRUNCATE_COUNT:
      if (code == EN_CHANGE) UpdatePreview();
      return true;
    case IDC_TRUNCATE_FROM_BEGINNING:
    case IDC_TRUNCATE_FROM_END:
    case IDC_TRUNCATE_INCLUDE_EXTENSION:
      if (code == BN_CLICKED) UpdatePreview();
      return true;
    case IDOK:
      if (!ReadCount(count_)) {
        MessageBeep(MB_OK);
        FocusItem(*this, IDC_TRUNCATE_COUNT);
        return true;
      }
      fromBeginning_ = Checked(IDC_TRUNCATE_FROM_BEGINNING);
      includeExtension_ = Checked(IDC_TRUNCATE_INCLUDE_EXTENSION);
      RunOperation(/*marquee=*/false);
      return true;
  }
  return false;
}

void CZintRenameTruncateDialog::Run() {
  refactor_.RenameTruncate(result_, input_, count_, fromBeginning_, includeExtension_);
}
