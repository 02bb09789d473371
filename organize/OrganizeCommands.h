#pragma once
#include "fileops/CommandAction.h"

// Extract to a folder (its dialog), extract from folders, move up and delete empty (behind the moving
// bar), touch (at once).
CommandRows OrganizeCommands();
