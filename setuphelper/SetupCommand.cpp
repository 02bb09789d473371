#include "setuphelper/SetupCommand.h"

#include <shlobj.h>

namespace {

// Where the system keeps its registration tool: never one found in the current folder or on the path.
std::wstring RegistrationTool() {
  wchar_t system[MAX_PATH];
  UINT length = GetSystemDirectoryW(system, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return std::wstring(system, length) + L"\\regsvr32.exe";
}

DWORD RunAndWait(const std::wstring& command) {
  std::wstring tool = RegistrationTool();
  std::wstring line = command;  // CreateProcessW may write into its command line
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(tool.empty() ? nullptr : tool.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process))
    return setup_exit::ToolNotStarted;
  CloseHandle(process.hThread);
  DWORD code = setup_exit::ToolNotStarted;
  if (WaitForSingleObject(process.hProcess, INFINITE) != WAIT_OBJECT_0 || !GetExitCodeProcess(process.hProcess, &code))
    code = setup_exit::ToolNotStarted;
  CloseHandle(process.hProcess);
  return code;
}

}  // namespace

std::array<std::wstring, 3> SplitSetupArguments(const std::wstring& commandLine) {
  std::array<std::wstring, 3> arguments;
  size_t index = 0, start = 0;
  bool quoted = false;
  for (size_t i = 0; i < commandLine.size(); ++i) {
    if (commandLine[i] == L'"') {
      quoted = !quoted;
    } else if (commandLine[i] == L' ' && !quoted) {
      arguments[index++] = commandLine.substr(start, i - start);
      start = i + 1;
      if (index == arguments.size()) return arguments;  // a fourth would begin: the rest is ignored
    }
  }
  arguments[index] = commandLine.substr(start);
  return arguments;
}

SetupAction ParseSetupAction(const std::wstring& argument) {
  if (argument == L"/Install") return SetupAction::Register;
  if (argument == L"/Uninstall" || argument == L"Rollback") return SetupAction::Unregister;
  return SetupAction::Unknown;
}

std::wstring RegistrationCommand(SetupAction action, const std::wstring& folderArgument) {
  if (action == SetupAction::Unknown) return {};
  // Without its closing quote the argument is the opening quote, the folder and its backslash.
  std::wstring folder = folderArgument.empty() ? folderArgument : folderArgument.substr(0, folderArgument.size() - 1);
  std::wstring command = action == SetupAction::Register ? L"regsvr32 /s " : L"regsvr32 /s /u ";
  command += folder + L"Brivane.dll\"";
  return command.size() > kMaxSetupCommand ? std::wstring() : command;
}

DWORD RunSetupHelper(const std::wstring& commandLine) {
  std::array<std::wstring, 3> arguments = SplitSetupArguments(commandLine);
  SetupAction action = ParseSetupAction(arguments[1]);
  DWORD code = setup_exit::UnknownAction;
  if (action != SetupAction::Unknown) {
    std::wstring command = RegistrationCommand(action, arguments[2]);
    code = command.empty() ? DWORD(setup_exit::FolderTooLong) : RunAndWait(command);
  }
  SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
  return code;
}
