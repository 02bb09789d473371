#include "shellext/dialogs/DialogIcon.h"

#include "atl/Module.h"
#include "resource.h"
#include "shellext/menu/CommandCatalog.h"

HICON CommandResourceIcon(CommandId id) {
  int resource = IconResourceOfSlot(CommandIconSlot(id));
  return resource ? LoadIconW(ModuleInstance(), MAKEINTRESOURCEW(resource)) : nullptr;
}

UniqueIcon CommandResourceIcon(CommandId id, int size) {
  int resource = IconResourceOfSlot(CommandIconSlot(id));
  if (!resource || size <= 0) return {};
  return UniqueIcon(
      static_cast<HICON>(LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(resource), IMAGE_ICON, size, size, 0)));
}

void ShowHeaderIcon(HWND dialog, HICON icon) {
  SendDlgItemMessageW(dialog, IDC_DIALOG_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}
