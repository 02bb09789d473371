#pragma once
// The icons of the settings and favourites dialogs: each shows its command's icon.
#include <windows.h>

#include "base/CommandId.h"

// The command's 32 x 32 icon from this module's resources; shared by the system, never destroyed.
HICON CommandResourceIcon(CommandId id);

// Shows the icon in the dialog's header (the icon control on its banner).
void ShowHeaderIcon(HWND dialog, HICON icon);
