// BrivaneSetup.exe end to end, in a Wine prefix made fresh for this run (tests/install/fresh-prefix.sh):
// a silent install registers the shell extension and the ".qxenc" file type; the Explorer stand-in
// shows the menu from the installed library; opening an encrypted file asks for its password and opens
// the decrypted file; Help Contents opens the manual; the silent uninstall removes it all but the
// user's settings. A registration that fails is reported and undone. With BRIVANE_SHOTS set, the
// installer's and uninstaller's pages and the help window are saved as pictures.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "BrivaneVersion.h"
#include "StandInProcess.h"
#include "crypt/EncryptedFile.h"
#include "support/Programs.h"
#include "support/RecordedOpening.h"
#include "support/Screenshot.h"
#include "support/TestSupport.h"

namespace {

const std::wstring kInstallFolder = L"C:\\Program Files\\Brivane";
const wchar_t kClsid[] = L"CLSID\\{5E2F7A10-3B4C-4D8E-9A61-2C7D0B4E8F13}";
const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Brivane";

std::wstring RegText(HKEY root, const std::wstring& path, const wchar_t* name = nullptr) {
  wchar_t text[1024] = {};
  DWORD bytes = sizeof text;
  if (RegGetValueW(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, text, &bytes) != ERROR_SUCCESS) return L"<none>";
  return text;
}

bool KeyExists(HKEY root, const std::wstring& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

std::wstring SetupProgram() { return L"\"" + BuildFolder() + L"\\BrivaneSetup.exe\""; }

std::vector<std::wstring> InstalledFiles() {
  std::vector<std::wstring> files = {L"Brivane.dll", L"BrivaneSetupHelper.exe", L"BrivaneDecrypt.exe",
                                     L"BrivaneHelp.chm", L"Uninstall.exe"};
  if (Exists(BuildFolder() + L"\\ship\\BrivaneUpdater.exe")) files.push_back(L"BrivaneUpdater.exe");
  return files;
}

// Everything an install leaves: files, handler keys, file type, Add/Remove Programs entry.
::testing::AssertionResult NothingInstalled(const std::wstring& folder = kInstallFolder) {
  if (Exists(folder)) return ::testing::AssertionFailure() << Narrow(folder) << " is left";
  for (const wchar_t* key : {kClsid, L"AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Brivane",
                             L"Directory\\Background\\shellex\\ContextMenuHandlers\\Brivane",
                             L"lnkfile\\shellex\\ContextMenuHandlers\\Brivane", L".qxenc", L"Brivane.EncryptedFile"})
    if (KeyExists(HKEY_CLASSES_ROOT, key)) return ::testing::AssertionFailure() << "HKCR\\" << Narrow(key) << " is left";
  if (KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey)) return ::testing::AssertionFailure() << "the uninstall entry is left";
  return ::testing::AssertionSuccess();
}

// The uninstaller hands over to a copy of itself in the temporary folder and returns at once.
bool WaitUntilUninstalled(DWORD timeoutMs = 60000) {
  for (DWORD waited = 0; waited < timeoutMs; waited += 250) {
    if (!Exists(kInstallFolder) && !KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey)) return true;
    Sleep(250);
  }
  return false;
}

TEST(Install, SilentInstallThenUseThenSilentUninstall) {
  ASSERT_TRUE(NothingInstalled()) << "the prefix is not fresh";
  ASSERT_EQ(RunProgram(SetupProgram() + L" /S"), 0u);

  // The programs, the handler registered from the install folder, the file type, the uninstall entry.
  for (const std::wstring& file : InstalledFiles()) EXPECT_TRUE(Exists(kInstallFolder + L"\\" + file)) << Narrow(file);
  EXPECT_EQ(RegText(HKEY_CLASSES_ROOT, std::wstring(kClsid) + L"\\InprocServer32"), kInstallFolder + L"\\Brivane.dll");
  EXPECT_EQ(RegText(HKEY_CLASSES_ROOT, L"AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Brivane"),
            L"{5E2F7A10-3B4C-4D8E-9A61-2C7D0B4E8F13}");
  EXPECT_EQ(RegText(HKEY_CLASSES_ROOT, L".qxenc"), L"Brivane.EncryptedFile");
  EXPECT_EQ(RegText(HKEY_CLASSES_ROOT, L"Brivane.EncryptedFile\\shell\\open\\command"),
            L"\"" + kInstallFolder + L"\\BrivaneDecrypt.exe\" \"%1\"");
  EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayVersion"), BRIVANE_VERSION_TEXT);
  EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, kUninstallKey, L"QuietUninstallString"),
            L"\"" + kInstallFolder + L"\\Uninstall.exe\" /S");

  TempDir dir;
  dir.File(L"letter.txt", "Dear reader");

  // Explorer's menu, from the installed library.
  StandInRun menu = RunStandIn(L"--folder " + Quoted(dir.path()) + L" --select letter.txt --menu");
  EXPECT_EQ(menu.exitCode, 0u) << menu.errors;
  EXPECT_TRUE(menu.Has("Brivane >")) << menu.Menu();
  EXPECT_TRUE(menu.Has("  Security >")) << menu.Menu();

  // Double-clicking an encrypted file: the opener asks for the password and opens what it decrypted.
  {
    TempDir files;
    RecordedOpening opening(files / L"opened.copy");
    std::wstring plain = files.File(L"minutes.brvopened", "Minutes of the harbour meeting");
    ASSERT_EQ(EncryptFile(nullptr, plain, L"tide"), 0);
    std::wstring encrypted = plain + L".qxenc";
    ASSERT_TRUE(MoveFileW(plain.c_str(), encrypted.c_str()));
    SHELLEXECUTEINFOW execute{};
    execute.cbSize = sizeof execute;
    execute.fMask = SEE_MASK_NOCLOSEPROCESS;
    execute.lpFile = encrypted.c_str();
    execute.nShow = SW_SHOWNORMAL;
    ASSERT_TRUE(ShellExecuteExW(&execute));
    ASSERT_TRUE(execute.hProcess);
    HWND dialog = WaitForWindowOf(GetProcessId(execute.hProcess), L"Brivane - Enter Password", 30000);
    ASSERT_TRUE(dialog) << "BrivaneDecrypt.exe showed no password window";
    SendMessageW(GetDlgItem(dialog, 212), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"tide"));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(WaitForSingleObject(execute.hProcess, 60000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(execute.hProcess, &code);
    CloseHandle(execute.hProcess);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(opening.Opened(20000), "Minutes of the harbour meeting");
    EXPECT_FALSE(Exists(encrypted));
  }

  // Help > Contents opens the manual beside the installed library.
  {
    std::wstring shots = ScreenshotFolder();
    std::string script = "window Brivane Help\n";
    if (!shots.empty()) script += "pause 2000\nshot " + Narrow(shots) + "\\help-window.png\n";
    TempDir scripts;
    StandInRun help = RunStandIn(L"--folder " + Quoted(dir.path()) + L" --select letter.txt --invoke " +
                                 Quoted(L"Brivane>Help>Contents") + ScriptArgument(scripts / L"help.txt", script));
    EXPECT_EQ(help.exitCode, 0u) << help.errors;
    EXPECT_TRUE(help.Has("window: Brivane Help"));
  }

  // The uninstaller leaves the user's settings.
  HKEY settings = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Brivane", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &settings,
                            nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(settings, L"FavoritesSettings", 0, REG_DWORD, reinterpret_cast<const BYTE*>("\0\0\0\0"), 4);
  RegCloseKey(settings);
  ASSERT_EQ(RunProgram(L"\"" + kInstallFolder + L"\\Uninstall.exe\" /S"), 0u);
  ASSERT_TRUE(WaitUntilUninstalled());
  EXPECT_TRUE(NothingInstalled());
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, L"Software\\Brivane"));
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Brivane");
}

TEST(Install, AFailedRegistrationIsReportedAndUndone) {
  // A folder so long that the registration command would not fit: the setup helper refuses it, and the
  // installer reports that, removes what it installed and the folders it made, and fails.
  std::wstring top = L"C:\\" + std::wstring(200, L'd');
  std::wstring folder = top;
  for (int i = 0; i < 4; ++i) folder += L"\\" + std::wstring(200, L'd');
  EXPECT_EQ(RunProgram(SetupProgram() + L" /S /D=" + folder), 3u);
  EXPECT_TRUE(NothingInstalled(top));
  EXPECT_FALSE(Exists(folder));
}

std::wstring VisibleCaptions() {
  std::wstring captions;
  EnumWindows(
      [](HWND window, LPARAM param) {
        wchar_t text[256] = {};
        if (IsWindowVisible(window) && GetWindowTextW(window, text, 256))
          *reinterpret_cast<std::wstring*>(param) += std::wstring(L"[") + text + L"] ";
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&captions));
  return captions;
}

// The installer's and the uninstaller's pages, as a user clicks through them.
class SetupWindow {
 public:
  SetupWindow(DWORD process, const std::wstring& caption) : window_(WaitForWindowOf(process, caption, 30000)) {}
  // A window left open by a failed step is closed, so that its program ends.
  ~SetupWindow() {
    if (IsWindow(window_)) {
      DWORD process = 0;
      GetWindowThreadProcessId(window_, &process);
      if (HANDLE handle = OpenProcess(PROCESS_TERMINATE, FALSE, process)) {
        TerminateProcess(handle, 1);
        CloseHandle(handle);
      }
    }
  }
  explicit operator bool() const { return window_ != nullptr; }

  // Waits until the main button reads the text and is enabled, and stays so (the page has changed and
  // its work is done), then saves the window.
  bool Page(const std::wstring& button, const std::wstring& shot) {
    int steady = 0;
    for (DWORD waited = 0; waited < 60000 && steady < 8; waited += 100) {
      wchar_t text[64] = {};
      GetWindowTextW(GetDlgItem(window_, 1), text, 64);
      steady = button == text && IsWindowEnabled(GetDlgItem(window_, 1)) ? steady + 1 : 0;
      Sleep(100);
    }
    return steady == 8 && SaveWindowPng(window_, shot);
  }
  void Next() { PostMessageW(window_, WM_COMMAND, IDOK, 0); }

 private:
  HWND window_;
};

TEST(InstallScreenshots, TheInstallerAndUninstallerPages) {
  std::wstring shots = ScreenshotFolder();
  if (shots.empty()) GTEST_SKIP() << "BRIVANE_SHOTS is not set";
  const std::wstring title = std::wstring(L"Brivane ") + BRIVANE_VERSION_TEXT;
  {
    StartedProgram setup(SetupProgram());
    SetupWindow window(setup.id(), title + L" Setup");
    ASSERT_TRUE(window);
    EXPECT_TRUE(window.Page(L"&Next >", shots + L"\\setup-1-welcome.png"));
    window.Next();
    EXPECT_TRUE(window.Page(L"&Install", shots + L"\\setup-2-folder.png"));
    window.Next();
    EXPECT_TRUE(window.Page(L"&Next >", shots + L"\\setup-3-installed.png"));
    window.Next();
    EXPECT_TRUE(window.Page(L"&Finish", shots + L"\\setup-4-finish.png"));
    window.Next();
    EXPECT_EQ(setup.Wait(30000), 0u);
  }
  {
    StartedProgram uninstall(L"\"" + kInstallFolder + L"\\Uninstall.exe\"");
    // The uninstaller's own copy in the temporary folder shows the pages.
    SetupWindow window(0, title + L" Uninstall");
    ASSERT_TRUE(window) << Narrow(VisibleCaptions());
    EXPECT_TRUE(window.Page(L"&Uninstall", shots + L"\\uninstall-1-confirm.png"));
    window.Next();
    EXPECT_TRUE(window.Page(L"&Close", shots + L"\\uninstall-2-done.png"));
    window.Next();
  }
  EXPECT_TRUE(WaitUntilUninstalled());
}

}  // namespace
