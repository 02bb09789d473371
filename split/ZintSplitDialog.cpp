#include "split/ZintSplitDialog.h"

#include <commctrl.h>

#include <utility>

#include "base/Prompt.h"
#include "fileops/FilesRefactor.h"

namespace {
constexpr int kSpinLowest = 1;
constexpr int kSpinHighest = 32767;
}  // namespace

CZintSplitDialog::CZintSplitDialog(PathList selection, HICON commandIcon)
    : CZintProgressReportDialog(std::move(selection), {}, commandIcon) {}

void CZintSplitDialog::Run() {
  if (input_.empty()) {
    result_.kind = kind::Split;
    return result_.Stop(status::Unexpected, kUnexpectedError, 0);
  }
  refactor_.SplitFile(result_, input_.front(), splitSize_);
}

BOOL CZintSplitDialog::OnInitDialog(LPARAM) {
  for (const SplitPreset& preset : kSplitPresets)
    SendItem(IDC_SPLIT_PRESET_LIST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(preset.text));
  SendItem(IDC_SPLIT_PRESET_LIST, CB_SETCURSEL, 0);
  for (const SplitUnit& unit : kSplitUnits)
    SendItem(IDC_SPLIT_UNIT_LIST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(unit.text));
  SendItem(IDC_SPLIT_UNIT_LIST, CB_SETCURSEL, kMegabytesUnit);

  SendItem(IDC_SPLIT_SIZE_SPIN, UDM_SETRANGE32, kSpinLowest, kSpinHighest);
  SetItemText(IDC_SPLIT_SIZE, L"1");
  UseCustomSize(false);
  return TRUE;
}

bool CZintSplitDialog::OnCommand(int id, int code, HWND) {
  switch (id) {
    case IDC_SPLIT_USE_PRESET:
    case IDC_SPLIT_USE_CUSTOM:
      if (code == BN_CLICKED) UseCustomSize(id == IDC_SPLIT_USE_CUSTOM);
      return true;
    case IDOK: {
      uint64_t size = ChosenSize();
      if (size == 0) {
        Prompt(Handle(), L"Error Converting Size, Please Enter a Valid Size in Bytes", L"Brivane - Split", MB_OK);
        return true;
      }
      splitSize_ = size;
      RunOperation(/*marquee=*/false);
      return true;
    }
  }
  return false;
}

void CZintSplitDialog::UseCustomSize(bool custom) {
  CheckRadioButton(Handle(), IDC_SPLIT_USE_PRESET, IDC_SPLIT_USE_CUSTOM,
                   custom ? IDC_SPLIT_USE_CUSTOM : IDC_SPLIT_USE_PRESET);
  EnableWindow(Item(IDC_SPLIT_PRESET_LIST), !custom);
  for (int control : {IDC_SPLIT_UNIT_LIST, IDC_SPLIT_SIZE, IDC_SPLIT_SIZE_SPIN, IDC_SPLIT_UNITS_LABEL})
    EnableWindow(Item(control), custom);
}

uint64_t CZintSplitDialog::ChosenSize() const {
  if (IsDlgButtonChecked(Handle(), IDC_SPLIT_USE_CUSTOM) == BST_CHECKED) {
    int unit = int(SendItem(IDC_SPLIT_UNIT_LIST, CB_GETCURSEL));
    return CustomSplitSize(ItemText(IDC_SPLIT_SIZE), unit);
  }
  if (IsDlgButtonChecked(Handle(), IDC_SPLIT_USE_PRESET) == BST_CHECKED) {
    int preset = int(SendItem(IDC_SPLIT_PRESET_LIST, CB_GETCURSEL));
    return PresetSplitSize(preset, ItemText(IDC_SPLIT_PRESET_LIST));
  }
  return kDefaultSplitSize;
}
