// The update window run as the program runs it, its worker against the tests' web host, its questions
// answered through the prompt hook.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "UpdaterTestSupport.h"
#include "support/Screenshot.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"
#include "support/WindowDriver.h"
#include "base/Prompt.h"
#include "base/Trace.h"
#include "ui/ZintMessageBox.h"
#include "updater/UpdateWindow.h"
#include "updater/UpdaterProgram.h"

namespace {

const wchar_t kWindowCaption[] = L"Brivane - Automatic Update";
const std::wstring kQuestion = L"New Version Found (2.3.0)! Update to latest version?";

struct Asked {
  std::wstring text;
  UINT type;
  bool operator==(const Asked& other) const { return text == other.text && type == other.type; }
};

std::vector<Asked> AskedOf(const ScriptedPrompt& prompt) {
  std::vector<Asked> asked;
  for (const AskedQuestion& question : prompt.asked()) {
    EXPECT_EQ(question.caption, kUpdaterCaption);
    asked.push_back({question.text, question.type});
  }
  return asked;
}

std::string Describe(const std::vector<Asked>& asked) {
  std::string text;
  for (const Asked& a : asked) text += "[" + trace::ToUtf8(a.text) + " type " + std::to_string(a.type) + "] ";
  return text;
}

// A checker that waits long enough for a test to look at the window while the server keeps silent.
BrivaneUpdater PatientUpdater() {
  NetworkLimits limits = ShortLimits();
  limits.receiveMs = 4000;
  return BrivaneUpdater(TestMakerKey(), limits);
}

class UpdateWindow : public NetworkTest {
 protected:
  void ServeRelease(const std::string& versionFile, const std::string& installer = TestData(L"BrivaneTestInstaller.exe"),
                    const char* installerMode = "normal") {
    ASSERT_TRUE(server().Serve(kVersionFileUrl, versionFile));
    ASSERT_TRUE(server().Serve(kInstallerUrl, installer, 200, installerMode));
  }
  InstallerRecord record_;
};

TEST_F(UpdateWindow, ItsOutcomesAndReportsInBothModes) {
  std::string tampered = TestData(L"BrivaneTestInstaller.exe");
  tampered[100] ^= 0x01;
  const Asked question{kQuestion, MB_YESNO}, upToDate{kUpToDateText, MB_OK}, noConnection{kNoConnectionText, MB_OK},
      refused{kNotVerifiedText, MB_OK | MB_ICONERROR};
  const struct {
    const char* what;
    int silent;
    const char* probe;  // how the connectivity probe answers
    std::string versionFile;
    int versionStatus;
    std::string installer;
    int answer;
    std::vector<Asked> asked;
    bool installed;
  } cases[] = {
      {"up to date", 0, "normal", VersionFileFor("2.2.0"), 200, "", IDYES, {upToDate}, false},
      {"up to date, silent", 1, "normal", VersionFileFor("2.2.0"), 200, "", IDYES, {}, false},
      {"no connection", 0, "drop", VersionFileFor("2.3.0"), 200, "", IDYES, {noConnection}, false},
      {"no connection, silent", 1, "drop", VersionFileFor("2.3.0"), 200, "", IDYES, {}, false},
      {"an unreadable version file counts as up to date", 0, "normal", "Not Found", 404, "", IDYES, {upToDate}, false},
      {"a newer version declined", 0, "normal", TestData(L"signed.ver"), 200, "", IDNO, {question}, false},
      {"a newer version declined, silent", 1, "normal", TestData(L"signed.ver"), 200, "", IDNO, {question}, false},
      {"a newer version installed", 0, "normal", TestData(L"signed.ver"), 200, TestData(L"BrivaneTestInstaller.exe"),
       IDYES, {question}, true},
      {"a newer version installed, silent", 1, "normal", TestData(L"signed.ver"), 200,
       TestData(L"BrivaneTestInstaller.exe"), IDYES, {question}, true},
      {"a tampered installer", 0, "normal", TestData(L"signed.ver"), 200, tampered, IDYES, {question, refused}, false},
      {"an unsigned release, silent", 1, "normal", UnsignedRelease(), 200, TestData(L"BrivaneTestInstaller.exe"), IDYES,
       {question, refused}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(server().Reset());
    ASSERT_TRUE(server().Serve(kProbeUrl, "<html></html>", 200, c.probe));
    ASSERT_TRUE(server().Serve(kVersionFileUrl, c.versionFile, c.versionStatus));
    ASSERT_TRUE(server().Serve(kInstallerUrl, c.installer));
    InstallerRecord record;
    ScriptedPrompt prompt({c.answer});
    INT_PTR result;
    {
      CUpdateWindow window(c.silent, TestUpdater());
      result = window.Run();
    }
    EXPECT_EQ(result, 0);
    EXPECT_EQ(AskedOf(prompt), c.asked) << Describe(AskedOf(prompt));
    // Declined, refused or up to date: nothing is fetched but the version file.
    EXPECT_EQ(server().Requests(kInstallerAddress), c.installed || c.asked.size() == 2 ? 1 : 0);
    EXPECT_EQ(record.WaitForRun(c.installed ? 15000 : 0), c.installed);
  }
}

TEST_F(UpdateWindow, EscapeAndTheCloseBoxDoNothingWhileItChecks) {
  ASSERT_TRUE(server().Serve(kVersionFileUrl, "", 200, "hang"));
  ScriptedPrompt prompt;
  CUpdateWindow window(0, PatientUpdater());
  WindowDriver driver(kWindowCaption, [](HWND shown) {
    HWND bar = GetDlgItem(shown, IDC_PROGRESS_BAR);
    EXPECT_EQ(GetWindowLongPtrW(bar, GWL_STYLE), WS_CHILD | WS_VISIBLE | WS_BORDER | PBS_SMOOTH | PBS_MARQUEE);
    EXPECT_EQ(WindowText(GetDlgItem(shown, IDC_UPDATE_TEXT)), L"Please wait while Brivane checks for update...");
    PostMessageW(GetFocus() ? GetFocus() : shown, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageW(shown, WM_COMMAND, IDCANCEL, 0);
    SendMessageW(shown, WM_CLOSE, 0, 0);
    SendMessageW(shown, WM_SYSCOMMAND, SC_CLOSE, 0);
    Sleep(300);
    EXPECT_TRUE(IsWindowVisible(shown));
  });
  // The silent server is given up in time and counts as no newer version.
  EXPECT_EQ(window.Run(), 0);
  driver.join();
  EXPECT_TRUE(driver.found());
  EXPECT_EQ(AskedOf(prompt), (std::vector<Asked>{{kUpToDateText, MB_OK}}));
}

TEST_F(UpdateWindow, OkEndsItWithOneWhileTheWorkerRunsOnAndTheProgramWaitsForIt) {
  ASSERT_TRUE(server().Serve(kVersionFileUrl, "", 200, "hang"));
  ScriptedPrompt prompt;
  TraceCapture trace;
  {
    CUpdateWindow window(0, PatientUpdater());
    WindowDriver driver(kWindowCaption, [](HWND shown) { PostMessageW(shown, WM_COMMAND, IDOK, 0); });
    EXPECT_EQ(window.Run(), 1);
    // The worker still waits on the server.
    EXPECT_EQ(trace.Count("DownloadFile: no answer for http://brivane.example/assets/files/QX64.ver"), 0);
  }
  // Gone only after the worker: its check ended, and what it found went to no window.
  EXPECT_EQ(trace.Count("DownloadFile: no answer for http://brivane.example/assets/files/QX64.ver"), 1);
  EXPECT_TRUE(prompt.asked().empty());
}

TEST_F(UpdateWindow, SaysSoWhileItDownloadsAndClosesWithoutAWordWhenTheDownloadFails) {
  ServeRelease(TestData(L"signed.ver"), "", "hang");
  ScriptedPrompt prompt({IDYES});
  CUpdateWindow window(0, PatientUpdater());
  WindowDriver driver(kWindowCaption, [](HWND shown) {
    for (DWORD start = GetTickCount();
         WindowText(GetDlgItem(shown, IDC_UPDATE_TEXT)) != kDownloadingText && GetTickCount() - start < 10000;)
      Sleep(20);
    EXPECT_EQ(WindowText(GetDlgItem(shown, IDC_UPDATE_TEXT)), kDownloadingText);
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(shown, IDC_PROGRESS_BAR)));
  });
  EXPECT_EQ(window.Run(), 0);
  EXPECT_EQ(AskedOf(prompt), (std::vector<Asked>{{kQuestion, MB_YESNO}}));
  EXPECT_FALSE(record_.WaitForRun(0));
}

TEST_F(UpdateWindow, TheProgramChecksSilentlyBeforeItShowsAWindow) {
  ScriptedPrompt prompt({IDNO});
  // Nothing newer: only the check without a window fetches the version file.
  ServeRelease(VersionFileFor("2.2.0"));
  EXPECT_EQ(RunUpdater(L"\"C:\\Program Files\\Brivane\\BrivaneUpdater.exe\" /Silent", TestUpdater()), 0);
  EXPECT_EQ(server().Requests(kVersionFileAddress), 1);
  EXPECT_TRUE(prompt.asked().empty());

  // Something newer: the window's worker fetches it again and asks.
  ASSERT_TRUE(server().Reset());
  ASSERT_TRUE(server().Serve(kProbeUrl, "<html></html>"));
  ServeRelease(TestData(L"signed.ver"));
  EXPECT_EQ(RunUpdater(L"BrivaneUpdater.exe /Silent", TestUpdater()), 0);
  EXPECT_EQ(server().Requests(kVersionFileAddress), 2);
  EXPECT_EQ(AskedOf(prompt), (std::vector<Asked>{{kQuestion, MB_YESNO}}));

  // Without "/Silent" exactly, the window opens at once and reports.
  for (const wchar_t* line : {L"BrivaneUpdater.exe", L"BrivaneUpdater.exe /silent", L"BrivaneUpdater.exe  /Silent"}) {
    ASSERT_TRUE(server().Reset());
    ASSERT_TRUE(server().Serve(kProbeUrl, "<html></html>", 200, "drop"));
    ScriptedPrompt interactive;
    EXPECT_EQ(RunUpdater(line, TestUpdater()), 0);
    EXPECT_EQ(AskedOf(interactive), (std::vector<Asked>{{kNoConnectionText, MB_OK}})) << trace::ToUtf8(line);
  }
}

TEST(CommandLine, KeepsThreeTokensSplitAtSpacesOutsideQuotes) {
  const struct {
    const wchar_t* line;
    std::vector<std::wstring> tokens;
    bool silent;
  } cases[] = {
      {L"BrivaneUpdater.exe /Silent", {L"BrivaneUpdater.exe", L"/Silent"}, true},
      {L"\"C:\\Program Files\\Brivane\\BrivaneUpdater.exe\" /Silent",
       {L"\"C:\\Program Files\\Brivane\\BrivaneUpdater.exe\"", L"/Silent"}, true},
      {L"BrivaneUpdater.exe /Silent extra more", {L"BrivaneUpdater.exe", L"/Silent", L"extra"}, true},
      {L"BrivaneUpdater.exe  /Silent", {L"BrivaneUpdater.exe", L"", L"/Silent"}, false},
      {L"BrivaneUpdater.exe /silent", {L"BrivaneUpdater.exe", L"/silent"}, false},
      {L"BrivaneUpdater.exe /Silent2", {L"BrivaneUpdater.exe", L"/Silent2"}, false},
      {L"BrivaneUpdater.exe \"/Silent\"", {L"BrivaneUpdater.exe", L"\"/Silent\""}, false},
      {L"BrivaneUpdater.exe", {L"BrivaneUpdater.exe"}, false},
      {L"", {L""}, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SplitCommandLine(c.line), c.tokens) << trace::ToUtf8(c.line);
    EXPECT_EQ(IsSilentCommandLine(SplitCommandLine(c.line)), c.silent) << trace::ToUtf8(c.line);
  }
}

// Pictures of the window and its boxes for a person to look at; only when BRIVANE_SHOTS names a folder.
class Screenshots : public UpdateWindow {
 protected:
  // Runs the window with the real message box; shoot(window) works it from the driver thread.
  void Shoot(const std::function<void(HWND)>& shoot) {
    SetPromptHook(&CZintMessageBox::Show);
    CUpdateWindow window(0, PatientUpdater());
    WindowDriver driver(kWindowCaption, [&](HWND shown) {
      shoot(shown);
      CloseIfLeftOpen(shown);
    });
    window.Run();
    driver.join();
    SetPromptHook(nullptr);
  }
  // Waits for the message box, saves it and presses the button.
  void ShootBox(const std::wstring& file, int button) {
    HWND box = WaitForProcessWindow(kUpdaterCaption);
    ASSERT_TRUE(box) << trace::ToUtf8(file);
    EXPECT_TRUE(SaveWindowPng(box, folder_ + L"\\" + file));
    Click(box, button);
    // Gone before the next box is looked for: both have the same caption.
    for (DWORD start = GetTickCount(); IsWindow(box) && GetTickCount() - start < 5000;) Sleep(10);
  }
  void SetUp() override {
    folder_ = ScreenshotFolder();
    if (folder_.empty()) GTEST_SKIP() << "BRIVANE_SHOTS not set";
    UpdateWindow::SetUp();
  }
  std::wstring folder_;
};

TEST_F(Screenshots, UpdateWindow) {
  // Checking, until the silent server is given up; then the up-to-date report.
  ASSERT_TRUE(server().Serve(kVersionFileUrl, "", 200, "hang"));
  Shoot([&](HWND shown) {
    EXPECT_TRUE(SaveWindowPng(shown, folder_ + L"\\update-checking.png"));
    ShootBox(L"update-report-up-to-date.png", IDOK);
  });

  ASSERT_TRUE(server().Serve(kProbeUrl, "", 200, "drop"));
  Shoot([&](HWND) { ShootBox(L"update-report-no-connection.png", IDOK); });

  // The question, then the download, which the silent server lets run until it is given up.
  ASSERT_TRUE(server().Serve(kProbeUrl, "<html></html>"));
  ServeRelease(TestData(L"signed.ver"), "", "hang");
  Shoot([&](HWND shown) {
    ShootBox(L"update-question.png", IDYES);
    for (DWORD start = GetTickCount();
         WindowText(GetDlgItem(shown, IDC_UPDATE_TEXT)) != kDownloadingText && GetTickCount() - start < 5000;)
      Sleep(20);
    EXPECT_TRUE(SaveWindowPng(shown, folder_ + L"\\update-downloading.png"));
  });

  std::string tampered = TestData(L"BrivaneTestInstaller.exe");
  tampered[100] ^= 0x01;
  ServeRelease(TestData(L"signed.ver"), tampered);
  Shoot([&](HWND) {
    ShootBox(L"update-question-2.png", IDYES);
    ShootBox(L"update-report-not-verified.png", IDOK);
  });
}

}  // namespace
