#pragma once
#include "fileops/CommandAction.h"

// The four List of Files entries: the list dialog, then the list written behind the moving bar.
CommandRows ListCommands();

// Which of the dialog's options sits in which byte of CommandParameters::options.
enum ListOptionByte { kListIncludeSubfolders = 0, kListIndent = 1, kListHtml = 2 };
