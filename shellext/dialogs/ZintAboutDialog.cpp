#include "shellext/dialogs/ZintAboutDialog.h"

#include "base/Prompt.h"
#include "shellext/dialogs/DialogIcon.h"
#include "shellext/menu/CommandCatalog.h"
#include "shellext/settings/UpdaterLauncher.h"
#include "ui/ZintMessageBox.h"

namespace {
constexpr wchar_t kAboutText[] =
    L"Brivane adds file utilities to the Explorer context menu: batch renaming, splitting and joining, "
    L"encryption, lists of files, image resizing and logos, photo albums as PDF documents, desktop "
    L"sorting and a menu of your own favorite commands.";
}  // namespace

CZintAboutDialog::CZintAboutDialog() : CZintBaseDialog(CommandResourceIcon(cmd::About)) {
  if (!PromptHook()) CZintMessageBox::InstallAsPromptHook();
}

BOOL CZintAboutDialog::OnInitDialog(LPARAM) {
  ShowHeaderIcon(Handle(), Icon());
  productLink_.SubclassWindow(Item(IDC_ABOUT_PRODUCT_LINK));
  iconsLink_.SubclassWindow(Item(IDC_ABOUT_ICONS_LINK));
  SetItemText(IDC_ABOUT_TEXT, kAboutText);
  SendItem(IDC_ABOUT_PRODUCT_NAME, WM_SETFONT, reinterpret_cast<WPARAM>(HeadingFont()), FALSE);
  // The OK button takes the focus, so the text box does not open with all its text selected.
  SetFocus(Item(IDOK));
  return FALSE;
}

bool CZintAboutDialog::OnCommand(int id, int code, HWND) {
  if (id == IDC_ABOUT_CHECK_UPDATES && code == BN_CLICKED) {
    CheckForUpdates();
    return true;
  }
  return false;
}

void CZintAboutDialog::CheckForUpdates() {
  // Without arguments the updater runs interactively. A missing updater is said so, not passed over.
  std::wstring updater = UpdaterPath();
  if (updater.empty() || !StartProgram(updater, nullptr)) {
    Prompt(Handle(), L"Error loading Brivane Updater", L"Brivane - About", MB_ICONERROR);
    return;
  }
  EndDialog(0);
}
