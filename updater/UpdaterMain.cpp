// BrivaneUpdater.exe: started by the shell extension with "/Silent" when its update interval has passed,
// and without arguments by the About dialog's "Check for updates".
#include <windows.h>

#include "ui/ZintMessageBox.h"
#include "updater/UpdaterProgram.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  CZintMessageBox::InstallAsPromptHook();
  return RunUpdater(GetCommandLineW());
}
