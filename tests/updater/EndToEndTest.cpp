// BrivaneUpdater.exe as Brivane.dll starts it, through the Explorer stand-in: from the About dialog's
// "Check for updates", and with "/Silent" from the update schedule when the extension is released. The
// updater is a process of its own: its windows are found and answered like any other program's.
#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "StandInProcess.h"
#include "atl/Handles.h"
#include "UpdaterTestSupport.h"
#include "resource.h"
#include "support/Screenshot.h"
#include "support/TestSupport.h"
#include "support/WindowDriver.h"
#include "updater/UpdateWindow.h"

namespace {

const wchar_t kBrivaneKey[] = L"Software\\Brivane";

// The schedule's two values in the real settings key, set for a test and put back afterwards.
class UpdateSchedule {
 public:
  UpdateSchedule(uint32_t interval, int64_t lastChecked) {
    Save(L"AutomaticUpdatesInterval", interval_);
    Save(L"LastCheckedForUpdates", last_);
    Put(L"AutomaticUpdatesInterval", &interval, sizeof interval);
    Put(L"LastCheckedForUpdates", &lastChecked, sizeof lastChecked);
  }
  ~UpdateSchedule() {
    Restore(L"AutomaticUpdatesInterval", interval_);
    Restore(L"LastCheckedForUpdates", last_);
  }
  static int64_t LastChecked() {
    int64_t value = 0;
    DWORD size = sizeof value;
    RegGetValueW(HKEY_CURRENT_USER, kBrivaneKey, L"LastCheckedForUpdates", RRF_RT_REG_BINARY, nullptr, &value, &size);
    return value;
  }

 private:
  struct Saved {
    bool present = false;
    std::vector<BYTE> bytes;
  };
  static void Save(const wchar_t* name, Saved& saved) {
    DWORD size = 64;
    saved.bytes.resize(size);
    saved.present = RegGetValueW(HKEY_CURRENT_USER, kBrivaneKey, name, RRF_RT_ANY, nullptr, saved.bytes.data(),
                                 &size) == ERROR_SUCCESS;
    saved.bytes.resize(saved.present ? size : 0);
  }
  static void Put(const wchar_t* name, const void* data, DWORD size) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kBrivaneKey, name, REG_BINARY, data, size);
  }
  static void Restore(const wchar_t* name, const Saved& saved) {
    if (saved.present)
      Put(name, saved.bytes.data(), DWORD(saved.bytes.size()));
    else
      RegDeleteKeyValueW(HKEY_CURRENT_USER, kBrivaneKey, name);
  }
  Saved interval_, last_;
};

std::vector<DWORD> UpdaterProcesses() {
  std::vector<DWORD> ids;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry = {sizeof entry};
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
    if (_wcsicmp(entry.szExeFile, L"BrivaneUpdater.exe") == 0) ids.push_back(entry.th32ProcessID);
  CloseHandle(snapshot);
  return ids;
}

// A visible top-level window of any process with the caption, or null.
HWND VisibleWindow(const wchar_t* caption) {
  HWND window = FindWindowW(nullptr, caption);
  return window && IsWindowVisible(window) ? window : nullptr;
}

HWND WaitForAnyWindow(const wchar_t* caption, DWORD timeoutMs = 20000) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(50))
    if (HWND window = VisibleWindow(caption)) return window;
  return nullptr;
}

// The program that shows the window, held from now on, so that its exit code can be read after it ended.
UniqueKernelHandle ProgramOf(HWND window) {
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  return UniqueKernelHandle(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
}

DWORD ExitCodeOf(const UniqueKernelHandle& program) {
  DWORD code = DWORD(-1);
  if (program && WaitForSingleObject(program.get(), 60000) == WAIT_OBJECT_0) GetExitCodeProcess(program.get(), &code);
  return code;
}

class UpdaterEndToEnd : public NetworkTest {
 protected:
  static void SetUpTestSuite() {
    NetworkTest::SetUpTestSuite();
    registered_ = Regsvr32(BrivanePath()) == 0;
  }
  static void TearDownTestSuite() {
    Regsvr32(BrivanePath(), true);
    NetworkTest::TearDownTestSuite();
  }
  void SetUp() override {
    NetworkTest::SetUp();
    ASSERT_TRUE(registered_) << "regsvr32 " << Narrow(BrivanePath()) << " failed";
    ASSERT_TRUE(UpdaterProcesses().empty()) << "an updater from before still runs";
    dir_.File(L"notes.txt", "a file to right-click");
  }
  // Starts the stand-in on the folder's file with the arguments.
  std::unique_ptr<ChildProcess> StandIn(const std::wstring& arguments) {
    return std::make_unique<ChildProcess>(StandInPath(),
                                          L"--folder " + Quoted(dir_.path()) + L" --select notes.txt " + arguments);
  }
  std::unique_ptr<ChildProcess> CheckForUpdatesFromAbout() {
    return StandIn(L"--invoke " + Quoted(L"Brivane>Help>About") +
                   ScriptArgument(scripts_ / L"about.txt", "window About Brivane\nclick 291\n"));
  }
  // Saves the window when screenshots are on.
  static void Shoot(HWND window, const wchar_t* name) {
    std::wstring folder = ScreenshotFolder();
    if (!folder.empty()) {
      EXPECT_TRUE(SaveWindowPng(window, folder + L"\\" + name));
    }
  }

  TempDir dir_;
  TempDir scripts_;
  static inline bool registered_ = false;
};

TEST_F(UpdaterEndToEnd, CheckForUpdatesInTheAboutDialogReportsTheInstalledVersionIsCurrent) {
  UpdateSchedule never(0, 0);  // the release of the stand-in's object starts nothing of its own
  ASSERT_TRUE(server().Serve(kVersionFileUrl, VersionFileFor("2.2.0")));
  auto standIn = CheckForUpdatesFromAbout();

  HWND box = WaitForAnyWindow(kUpdaterCaption);
  ASSERT_TRUE(box) << "no report from the updater";
  EXPECT_EQ(WindowText(GetDlgItem(box, IDC_HEADING)), kUpToDateText);
  HWND owner = GetWindow(box, GW_OWNER);
  EXPECT_EQ(owner ? WindowText(owner) : L"", L"Brivane - Automatic Update");
  Shoot(box, L"update-end-to-end-about-up-to-date.png");
  UniqueKernelHandle updater = ProgramOf(box);
  Click(box, IDOK);

  EXPECT_EQ(ExitCodeOf(updater), 0u);
  EXPECT_EQ(standIn->Wait(), 0u) << standIn->errors();
  EXPECT_EQ(server().Log(), (std::vector<std::string>{"GET http://www.example.com/|Brivane Automatic Update",
                                                     std::string("GET ") + kVersionFileAddress +
                                                         "|Brivane Automatic Update"}));
}

#ifdef BRIVANE_UPDATE_KEY_IS_TEST_KEY
// The program trusts the key the test release was signed with only when the build made that key.
TEST_F(UpdaterEndToEnd, CheckForUpdatesInTheAboutDialogInstallsTheSignedNewerRelease) {
  UpdateSchedule never(0, 0);
  InstallerRecord record;
  ASSERT_TRUE(server().Serve(kVersionFileUrl, TestData(L"signed.ver")));
  ASSERT_TRUE(server().Serve(kInstallerUrl, TestData(L"BrivaneTestInstaller.exe")));
  auto standIn = CheckForUpdatesFromAbout();

  HWND question = WaitForAnyWindow(kUpdaterCaption);
  ASSERT_TRUE(question);
  EXPECT_EQ(WindowText(GetDlgItem(question, IDC_HEADING)), L"New Version Found (2.3.0)! Update to latest version?");
  UniqueKernelHandle updater = ProgramOf(question);
  Click(question, IDYES);
  EXPECT_TRUE(record.WaitForRun());
  EXPECT_EQ(ExitCodeOf(updater), 0u);
  EXPECT_EQ(standIn->Wait(), 0u) << standIn->errors();
}
#endif

TEST_F(UpdaterEndToEnd, ReleasingTheExtensionWhenTheIntervalHasPassedChecksSilently) {
  UpdateSchedule due(1, 0);  // daily, last checked in 1970
  ASSERT_TRUE(server().Serve(kVersionFileUrl, VersionFileFor("2.2.0")));
  int64_t before = int64_t(time(nullptr));
  auto standIn = StandIn(L"--menu");

  // The updater runs, asks the web host, and ends without a window of its own.
  for (DWORD start = GetTickCount(); GetTickCount() - start < 30000; Sleep(50)) {
    EXPECT_FALSE(VisibleWindow(L"Brivane - Automatic Update"));
    EXPECT_FALSE(VisibleWindow(kUpdaterCaption));
    if (server().Requests(kVersionFileAddress) > 0 && UpdaterProcesses().empty()) break;
  }
  EXPECT_EQ(standIn->Wait(), 0u) << standIn->errors();
  EXPECT_TRUE(UpdaterProcesses().empty());
  EXPECT_EQ(server().Requests(kVersionFileAddress), 1);
  EXPECT_GE(UpdateSchedule::LastChecked(), before);
}

}  // namespace
