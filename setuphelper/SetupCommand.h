#pragma once
// What BrivaneSetupHelper.exe does with its command line, as data: the installer runs
//   BrivaneSetupHelper.exe /Install "C:\Program Files\Brivane\"
// (or /Uninstall, or Rollback) and the helper runs the system's registration tool on Brivane.dll in
// that folder, then tells the shell that file associations changed.
#include <windows.h>

#include <array>
#include <string>

// The command line split as the installer writes it: a double quote toggles quoting, a space outside
// quotes ends an argument (quotes stay part of it; two spaces make an empty argument). At most three
// arguments: the program, the action and the quoted folder; the rest of the line is ignored, and missing
// arguments are empty.
std::array<std::wstring, 3> SplitSetupArguments(const std::wstring& commandLine);

enum class SetupAction { Register, Unregister, Unknown };
// "/Install" registers; "/Uninstall" and "Rollback" (no slash) unregister; the case must match.
SetupAction ParseSetupAction(const std::wstring& argument);

// The registration tool's longest command, terminator excluded.
constexpr size_t kMaxSetupCommand = 1023;

// The registration tool's command for the action and the folder argument as written (an opening quote,
// the folder, a backslash and a closing quote): regsvr32 /s (/u) "<folder>\Brivane.dll". Empty for an
// unknown action or when the command would be longer than kMaxSetupCommand: a folder is never cut.
std::wstring RegistrationCommand(SetupAction action, const std::wstring& folderArgument);

// The helper's exit codes besides the registration tool's own (0 when it registered).
namespace setup_exit {
enum : DWORD {
  Done = 0,
  UnknownAction = 10,    // nothing was started
  FolderTooLong = 11,    // the command would not fit: nothing was started
  ToolNotStarted = 12,   // the registration tool could not be started
};
}

// The whole helper: splits the command line, runs the registration tool and waits for it, notifies the
// shell. Returns the exit code: the tool's own, or one of setup_exit.
DWORD RunSetupHelper(const std::wstring& commandLine);
