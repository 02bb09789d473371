// BrivaneSetupHelper.exe: how the installer's command line becomes the registration tool's, and the
// program run for real: registration in the prefix and the exit codes the installer acts on.
#include <gtest/gtest.h>

#include <string>

#include "setuphelper/SetupCommand.h"
#include "support/Programs.h"
#include "support/TestSupport.h"

namespace {

const wchar_t kInprocServer[] = L"CLSID\\{5E2F7A10-3B4C-4D8E-9A61-2C7D0B4E8F13}\\InprocServer32";

struct CommandCase {
  const wchar_t* line;
  const wchar_t* action;
  const wchar_t* folder;
  const wchar_t* command;  // empty: nothing is started
};

TEST(SetupHelperCommand, SplitsTheLineAndBuildsTheRegistrationCommand) {
  const CommandCase cases[] = {
      // What the installer writes: the quoted program and folder, the folder ending in a backslash.
      {LR"("C:\Program Files\Brivane\BrivaneSetupHelper.exe" /Install "C:\Program Files\Brivane\")", L"/Install",
       LR"("C:\Program Files\Brivane\")", LR"(regsvr32 /s "C:\Program Files\Brivane\Brivane.dll")"},
      {LR"(helper /Uninstall "C:\Program Files\Brivane\")", L"/Uninstall", LR"("C:\Program Files\Brivane\")",
       LR"(regsvr32 /s /u "C:\Program Files\Brivane\Brivane.dll")"},
      {LR"(helper Rollback "D:\B\")", L"Rollback", LR"("D:\B\")", LR"(regsvr32 /s /u "D:\B\Brivane.dll")"},
      // The actions are case-sensitive, and Rollback has no slash.
      {LR"(helper /install "D:\B\")", L"/install", LR"("D:\B\")", L""},
      {LR"(helper /Rollback "D:\B\")", L"/Rollback", LR"("D:\B\")", L""},
      // An unquoted folder with spaces is cut at the first space.
      {LR"(helper /Install C:\Program Files\Brivane\)", L"/Install", LR"(C:\Program)",
       LR"(regsvr32 /s C:\PrograBrivane.dll")"},
      // Without a folder the tool is left to find the library itself.
      {L"helper /Install", L"/Install", L"", LR"(regsvr32 /s Brivane.dll")"},
      // Two spaces make an empty argument; a fourth argument and the rest of the line are ignored.
      {LR"(helper  /Install "D:\B\")", L"", L"/Install", L""},
      {LR"(helper /Install "D:\B\" "E:\other\" more)", L"/Install", LR"("D:\B\")", LR"(regsvr32 /s "D:\B\Brivane.dll")"},
  };
  for (const CommandCase& c : cases) {
    SCOPED_TRACE(Narrow(c.line));
    auto arguments = SplitSetupArguments(c.line);
    EXPECT_EQ(arguments[1], c.action);
    EXPECT_EQ(arguments[2], c.folder);
    EXPECT_EQ(RegistrationCommand(ParseSetupAction(arguments[1]), arguments[2]), c.command);
  }
}

TEST(SetupHelperCommand, RefusesAFolderTooLongForTheCommandInsteadOfCuttingIt) {
  // "regsvr32 /s " + quote + folder + "Brivane.dll" + quote: 25 characters besides the folder.
  auto folderArgument = [](size_t length) { return L"\"" + std::wstring(length - 1, L'x') + L"\\\""; };
  std::wstring longest = RegistrationCommand(SetupAction::Register, folderArgument(kMaxSetupCommand - 25));
  EXPECT_EQ(longest.size(), kMaxSetupCommand);
  EXPECT_EQ(longest.substr(longest.size() - 13), L"\\Brivane.dll\"");
  EXPECT_EQ(RegistrationCommand(SetupAction::Register, folderArgument(kMaxSetupCommand - 24)), L"");
  // Unregistering has three more characters to fit.
  EXPECT_EQ(RegistrationCommand(SetupAction::Unregister, folderArgument(kMaxSetupCommand - 25)), L"");
}

// The real program on the real library in the prefix.
class SetupHelperProgram : public ::testing::Test {
 protected:
  void TearDown() override {
    if (RegisteredLibrary() != L"<none>") Run(L"/Uninstall", Quoted(BuildFolder() + L"\\"));
  }

  static std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }
  static DWORD Run(const std::wstring& action, const std::wstring& folder) {
    return RunProgram(Quoted(BuildFolder() + L"\\BrivaneSetupHelper.exe") + L" " + action + L" " + folder);
  }
  static std::wstring RegisteredLibrary() {
    wchar_t path[MAX_PATH] = {};
    DWORD bytes = sizeof path;
    if (RegGetValueW(HKEY_CLASSES_ROOT, kInprocServer, nullptr, RRF_RT_REG_SZ, nullptr, path, &bytes) != ERROR_SUCCESS)
      return L"<none>";
    return path;
  }
};

TEST_F(SetupHelperProgram, RegistersAndUnregistersAndExitsWithTheToolsCode) {
  const std::wstring folder = Quoted(BuildFolder() + L"\\");
  ASSERT_EQ(Run(L"/Install", folder), setup_exit::Done);
  EXPECT_EQ(RegisteredLibrary(), BuildFolder() + L"\\Brivane.dll");
  ASSERT_EQ(Run(L"/Install", folder), setup_exit::Done);  // again, over the first
  EXPECT_EQ(Run(L"Rollback", folder), setup_exit::Done);
  EXPECT_EQ(RegisteredLibrary(), L"<none>");
}

TEST_F(SetupHelperProgram, AFailedRegistrationIsNoSuccess) {
  TempDir empty;  // no Brivane.dll in it: the tool cannot load the library
  DWORD code = Run(L"/Install", Quoted(empty.path() + L"\\"));
  EXPECT_NE(code, setup_exit::Done);
  EXPECT_NE(code, kNotRun);
  EXPECT_EQ(RegisteredLibrary(), L"<none>");

  EXPECT_EQ(Run(L"/install", Quoted(BuildFolder() + L"\\")), setup_exit::UnknownAction);
  EXPECT_EQ(RegisteredLibrary(), L"<none>");

  EXPECT_EQ(Run(L"/Install", Quoted(L"C:\\" + std::wstring(1100, L'x') + L"\\")), setup_exit::FolderTooLong);
}

}  // namespace
