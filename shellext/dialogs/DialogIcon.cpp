#include "shellext/dialogs/DialogIcon.h"

#include "atl/Module.h"
#include "resource.h"
#include "shellext/menu/CommandCatalog.h"

HICON CommandResourceIcon(CommandId id) {
  int resource = IconResourceOfSlot(CommandIconSlot(id));
  return resource ? LoadIconW(ModuleInstance(), MAKEINTRESOURCEW(resource)) : nullptr;
}

void ShowHeaderIcon(HWND dialog, HICON icon) {
  SendDlgItemMessageW(dialog, IDC_DIALOG_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}
