// BrivaneSetupHelper.exe: registers or unregisters Brivane.dll for the installer. No window, no output;
// the exit code says how it went (setuphelper/SetupCommand.h).
#include <windows.h>

#include "setuphelper/SetupCommand.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return int(RunSetupHelper(GetCommandLineW())); }
