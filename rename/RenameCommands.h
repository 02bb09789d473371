#pragma once
#include "fileops/CommandAction.h"

// The eight entries of the Rename submenu, each through its dialog.
CommandRows RenameCommands();
