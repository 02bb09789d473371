#pragma once
// What BrivaneUpdater.exe does with its command line. Without an argument it opens the update window at
// once and the checks run there. With "/Silent" (exactly, as the shell extension's schedule starts it)
// it checks first, without a window, and shows one only when a newer version is offered.
#include <string>
#include <string_view>
#include <vector>

#include "updater/BrivaneUpdater.h"

// The first three tokens of a command line, split at spaces outside double quotes. A quote switches the
// quoted state and stays in its token; every unquoted space ends a token, so two spaces give an empty one.
std::vector<std::wstring> SplitCommandLine(std::wstring_view line);
// Whether the first argument (the second token) is exactly "/Silent".
bool IsSilentCommandLine(const std::vector<std::wstring>& tokens);

// Runs the program for the command line with copies of the given version checker; returns its exit
// code: 0 when a silent check found nothing, otherwise the value the window ended with.
int RunUpdater(std::wstring_view commandLine, const BrivaneUpdater& updater = BrivaneUpdater());
