#pragma once
#include "fileops/CommandAction.h"

// Split (its dialog) and Join (straight behind the progress window).
CommandRows SplitCommands();
