#pragma once
// The icons of the settings and favourites dialogs: each shows its command's icon.
#include <windows.h>

#include "atl/Handles.h"
#include "base/CommandId.h"

// The command's 32 x 32 icon from this module's resources; shared by the system, never destroyed.
HICON CommandResourceIcon(CommandId id);
// The command's icon at size x size pixels (the resource's nearest image, scaled), the caller's to
// keep; none for a command without an icon.
UniqueIcon CommandResourceIcon(CommandId id, int size);

// Shows the icon in the dialog's header (the icon control on its banner).
void ShowHeaderIcon(HWND dialog, HICON icon);
