// The stand-in run as a program against the platform's real shell view, with the test-only handler
// registered per user: what it prints, what it hands the handler, how scripts answer windows, and its
// exit codes.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <optional>

#include "atl/ComPtr.h"

#include "StandInProcess.h"
#include "support/TestSupport.h"

namespace {

const char kTestMenu[] =
    "Test Handler >\n"
    "  Show Message\n"
    "  Show Dialog\n"
    "  Copy Names\n"
    "  Select All\n"
    "  Fail\n"
    "  ---\n"
    "  Greyed Entry [greyed]\n"
    "  Greyed Submenu > [greyed]\n"
    "    Hidden\n"
    "  Nested >\n"
    "    Deep & Nested\n";

class StandIn : public ::testing::Test {
 protected:
  // The test handler alone: a Brivane.dll that an earlier run (the demo, say) registered goes.
  static void SetUpTestSuite() {
    if (GetFileAttributesW(BrivanePath().c_str()) != INVALID_FILE_ATTRIBUTES) Regsvr32(BrivanePath(), true);
  }

  void SetUp() override {
    handler_.emplace();
    ASSERT_TRUE(handler_->ok()) << "cannot register " << Narrow(TestHandlerPath());
    a_ = dir_.File(L"a.JPG");
    b_ = dir_.File(L"b.png");
    c_ = dir_.File(L"c.txt");
    dir_.Folder(L"sub");
  }

  std::wstring Folder() const { return L"--folder " + Quoted(dir_.path()); }

  // A script file in the scratch folder, as an argument.
  std::wstring Script(const std::string& text) {
    return ScriptArgument(dir_ / (L"script" + std::to_wstring(++scripts_) + L".txt"), text);
  }

  std::optional<RegisteredTestHandler> handler_;
  TempDir dir_;
  std::wstring a_, b_, c_;
  int scripts_ = 0;
};

std::wstring DesktopFolder() {
  wchar_t path[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

TEST_F(StandIn, PrintsTheHandlersEntriesAndHandsThemTheSelectionInViewOrder) {
  StandInRun run = RunStandIn(Folder() + L" --select \"b.png;a.JPG\" --menu");
  EXPECT_EQ(run.exitCode, 0u) << run.errors;
  // The data object comes from the view, which lists a.JPG before b.png whatever the order of selecting.
  EXPECT_TRUE(run.Has("handler: items " + Narrow(a_) + ";" + Narrow(b_)));
  EXPECT_EQ(run.Menu(), kTestMenu);
  EXPECT_EQ(run.lines.back(), "selected: a.JPG;b.png");
}

TEST_F(StandIn, PassesTheGivenFlagsAndPrintsNothingWhenNoHandlerAddsEntries) {
  StandInRun defaultOnly = RunStandIn(Folder() + L" --select c.txt --menu --flags 0x1");
  EXPECT_EQ(defaultOnly.exitCode, 0u);
  EXPECT_TRUE(defaultOnly.Has("handler: items " + Narrow(c_)));
  EXPECT_EQ(defaultOnly.Menu(), "");

  handler_.reset();
  StandInRun none = RunStandIn(Folder() + L" --select c.txt --menu");
  EXPECT_EQ(none.exitCode, 0u) << none.errors;
  ASSERT_EQ(none.lines.size(), 1u);
  EXPECT_EQ(none.lines[0], "selected: c.txt");
}

TEST_F(StandIn, BackgroundClicksHandTheFolderItemListAndNoData) {
  StandInRun folder = RunStandIn(Folder() + L" --background --menu");
  EXPECT_EQ(folder.exitCode, 0u) << folder.errors;
  EXPECT_TRUE(folder.Has("handler: background folder " + Narrow(dir_.path())));
  EXPECT_EQ(folder.Menu(), kTestMenu);

  // The desktop window hands over the desktop's own item list, which does not bind as a folder.
  StandInRun desktop = RunStandIn(L"--folder " + Quoted(DesktopFolder()) + L" --background --menu");
  EXPECT_EQ(desktop.exitCode, 0u) << desktop.errors;
  EXPECT_TRUE(desktop.Has("handler: background desktop"));
}

TEST_F(StandIn, ItemsOnTheDesktopComeFromTheDesktopView) {
  std::wstring name = L"brivane-standin-" + std::to_wstring(GetCurrentProcessId()) + L".txt";
  std::wstring path = DesktopFolder() + L"\\" + name;
  CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  StandInRun run = RunStandIn(L"--folder " + Quoted(DesktopFolder()) + L" --select " + Quoted(name) + L" --menu");
  DeleteFileW(path.c_str());
  EXPECT_EQ(run.exitCode, 0u) << run.errors;
  EXPECT_TRUE(run.Has("handler: items " + Narrow(path)));
  EXPECT_EQ(run.lines.back(), "selected: " + Narrow(name));
}

TEST_F(StandIn, AShortcutLoadsAHandlerRegisteredForItAndForAllItemsOnce) {
  ComPtr<IShellLinkW> link;
  ComPtr<IPersistFile> file;
  ASSERT_HRESULT_SUCCEEDED(CoInitialize(nullptr));
  ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(link.put())));
  link->SetPath(a_.c_str());
  file = link.As<IPersistFile>();
  ASSERT_TRUE(file);
  ASSERT_HRESULT_SUCCEEDED(file->Save((dir_ / L"to a.lnk").c_str(), TRUE));
  file.reset();
  link.reset();
  CoUninitialize();

  StandInRun run = RunStandIn(Folder() + L" --select \"to a.lnk\" --menu");
  EXPECT_EQ(run.exitCode, 0u) << run.errors;
  // Wine registers a handler of its own for shortcuts, which follows ours.
  std::string menu = run.Menu();
  EXPECT_EQ(menu.substr(0, sizeof kTestMenu - 1), kTestMenu);
  EXPECT_EQ(menu.find("Test Handler >", 1), std::string::npos) << menu;
}

TEST_F(StandIn, AnswersAMessageBoxAndReportsIt) {
  StandInRun run = RunStandIn(Folder() + L" --select a.JPG --invoke \"Test Handler > Show Message\"" +
                              Script("window Test Handler\n"
                                     "expect 65535 Proceed with the test?\n"
                                     "click IDNO\n"));
  EXPECT_EQ(run.exitCode, 0u) << run.errors;
  // Verb 1 in the handler's range, with the folder as the Unicode directory.
  EXPECT_TRUE(run.Has("handler: invoke 1 in " + Narrow(dir_.path())));
  EXPECT_TRUE(run.Has("window: Test Handler"));
  EXPECT_TRUE(run.Has("  Proceed with the test?"));
  EXPECT_TRUE(run.Has("handler: answer no"));
  EXPECT_TRUE(run.Has("invoke: S_OK"));
}

TEST_F(StandIn, DrivesADialogThroughAMessageBoxOfTheSameCaption) {
  StandInRun run = RunStandIn(Folder() + L" --select a.JPG --invoke \"Test Handler>Show Dialog\"" +
                              Script("# an empty name is refused first\n"
                                     "window Test Dialog\n"
                                     "click IDOK\n"
                                     "window Test Dialog\n"
                                     "expect 0xFFFF The name cannot be empty.\\nPlease type one.\n"
                                     "click IDOK\n"
                                     "\n"
                                     "window Test Dialog\n"
                                     "set 101 Alice Smith\n"
                                     "check 102\n"
                                     "uncheck 102\n"
                                     "check 102\n"
                                     "select 103 2\n"
                                     "select 104 1\n"
                                     "select 105 2\n"
                                     "expect 101 Alice Smith\n"
                                     "click IDOK\n"));
  EXPECT_EQ(run.exitCode, 0u) << run.errors;
  EXPECT_TRUE(run.Has("  The name cannot be empty."));
  EXPECT_TRUE(run.Has("  Please type one."));
  EXPECT_TRUE(run.Has("handler: dialog name=Alice Smith remember=1 list=2 combo=1 rows=2"));
}

TEST_F(StandIn, ReportsTheClipboardAndTheSelectionTheCommandLeaves) {
  StandInRun copy = RunStandIn(Folder() + L" --select \"a.JPG;b.png\" --invoke \"Test Handler>Copy Names\"");
  EXPECT_EQ(copy.exitCode, 0u) << copy.errors;
  std::vector<std::string> clipboard;
  for (const std::string& line : copy.lines)
    if (line.rfind("clipboard: ", 0) == 0) clipboard.push_back(line);
  EXPECT_EQ(clipboard, (std::vector<std::string>{"clipboard: " + Narrow(a_), "clipboard: " + Narrow(b_)}));

  StandInRun select = RunStandIn(Folder() + L" --select c.txt --invoke \"Test Handler>Select All\"");
  EXPECT_EQ(select.exitCode, 0u) << select.errors;
  EXPECT_EQ(select.LineStarting("selected: "), "selected: sub;a.JPG;b.png;c.txt");
  EXPECT_EQ(select.LineStarting("clipboard: "), "");  // untouched clipboard is not reported
}

TEST_F(StandIn, ExitsWithOneWhenTheCommandFailsAndTwoWhenItCannotBeMade) {
  StandInRun failed = RunStandIn(Folder() + L" --select a.JPG --invoke \"Test Handler>Fail\"");
  EXPECT_EQ(failed.exitCode, 1u);
  EXPECT_TRUE(failed.Has("invoke: 0x80004005"));

  StandInRun greyed = RunStandIn(Folder() + L" --select a.JPG --invoke \"Test Handler>Greyed Entry\"");
  EXPECT_EQ(greyed.exitCode, 2u);
  EXPECT_NE(greyed.errors.find("Test Handler>Greyed Entry is greyed"), std::string::npos) << greyed.errors;
  EXPECT_FALSE(greyed.Has("handler: invoke 6 in " + Narrow(dir_.path())));

  StandInRun missing = RunStandIn(Folder() + L" --select a.JPG --invoke \"Test Handler>Nested>Shallow\"");
  EXPECT_EQ(missing.exitCode, 2u);
  EXPECT_NE(missing.errors.find("no entry \"Shallow\" in Test Handler>Nested (it holds: Deep & Nested)"),
            std::string::npos)
      << missing.errors;

  StandInRun submenu = RunStandIn(Folder() + L" --select a.JPG --invoke \"Test Handler>Nested\"");
  EXPECT_EQ(submenu.exitCode, 2u);

  StandInRun unknown = RunStandIn(Folder() + L" --select \"a.JPG;nope.txt\" --menu");
  EXPECT_EQ(unknown.exitCode, 2u);
  EXPECT_NE(unknown.errors.find("no item named \"nope.txt\""), std::string::npos) << unknown.errors;

  StandInRun nothing = RunStandIn(Folder() + L" --menu");
  EXPECT_EQ(nothing.exitCode, 2u);
  EXPECT_NE(nothing.errors.find("nothing is selected"), std::string::npos) << nothing.errors;

  StandInRun noFolder = RunStandIn(L"--folder " + Quoted(dir_ / L"missing") + L" --background --menu");
  EXPECT_EQ(noFolder.exitCode, 2u);
  EXPECT_NE(noFolder.errors.find("not a folder"), std::string::npos) << noFolder.errors;

  std::wstring longFolder = dir_.path();
  while (longFolder.size() < MAX_PATH + 20) {
    longFolder += L"\\a-folder-name-of-some-length";
    CreateDirectoryW((L"\\\\?\\" + longFolder).c_str(), nullptr);
  }
  StandInRun tooLong = RunStandIn(L"--folder " + Quoted(longFolder) + L" --background --menu");
  EXPECT_EQ(tooLong.exitCode, 2u);
  EXPECT_NE(tooLong.errors.find("characters, the shell takes fewer than 260"), std::string::npos) << tooLong.errors;

  StandInRun badScript = RunStandIn(Folder() + L" --select a.JPG --invoke \"Test Handler>Copy Names\"" +
                                    Script("window Test Handler\npress 1\n"));
  EXPECT_EQ(badScript.exitCode, 2u);
  EXPECT_NE(badScript.errors.find("line 2: unknown step \"press\""), std::string::npos) << badScript.errors;
  EXPECT_FALSE(badScript.Has("handler: invoke 3 in " + Narrow(dir_.path())));
}

TEST_F(StandIn, AFailedStepEndsARunThatWouldOtherwiseWaitForever) {
  StandInRun run = RunStandIn(Folder() + L" --select a.JPG --invoke \"Test Handler>Show Message\"" +
                              Script("window Test Handler\nexpect 65535 Something else\nclick IDYES\n"));
  EXPECT_EQ(run.exitCode, 2u);
  EXPECT_TRUE(run.Has("script line 2: control 65535 reads \"Proceed with the test?\", expected \"Something else\""));
  EXPECT_FALSE(run.Has("handler: answer yes"));
}

TEST_F(StandIn, SavesAScreenshotOfTheOpenMenu) {
  std::wstring shot = dir_ / L"menu.png";
  StandInRun run = RunStandIn(Folder() + L" --select b.png --menu --shot " + Quoted(shot) +
                              L" --open \"Test Handler>Nested\"");
  EXPECT_EQ(run.exitCode, 0u) << run.errors;
  std::string png = ReadBytes(shot);
  ASSERT_GT(png.size(), 1000u);
  EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
}

// A window of the stand-in's process with this class, or null.
HWND FindWindowOf(DWORD process, const wchar_t* className) {
  struct Search {
    DWORD process;
    const wchar_t* className;
    HWND found;
  } search{process, className, nullptr};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        wchar_t name[64] = {};
        GetWindowThreadProcessId(window, &owner);
        GetClassNameW(window, name, 64);
        if (owner != s->process || !IsWindowVisible(window) || wcscmp(name, s->className) != 0) return TRUE;
        s->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

template <class Condition>
bool Eventually(Condition condition) {
  for (int i = 0; i < 200 && !condition(); ++i) Sleep(50);
  return condition();
}

TEST_F(StandIn, InteractiveRightClickOpensTheMenuAndInvokesThePick) {
  ChildProcess process(StandInPath(), Folder() + L" --select \"a.JPG;b.png\"");
  ASSERT_TRUE(process.started());
  HWND frame = nullptr;
  ASSERT_TRUE(Eventually([&] { return (frame = FindWindowOf(process.processId(), L"BrivaneExplorerFrame")) != nullptr; }));
  HWND view = FindWindowExW(frame, nullptr, L"SHELLDLL_DefView", nullptr);
  ASSERT_NE(view, nullptr);

  // The frame shows once the selection is made. The context-menu key: a menu for the selection.
  PostMessageW(view, WM_CONTEXTMENU, WPARAM(view), MAKELPARAM(-1, -1));
  ASSERT_TRUE(Eventually([&] { return FindWindowOf(process.processId(), L"#32768") != nullptr; }));
  // Test Handler > Show Message > Show Dialog > Copy Names, chosen from the keyboard.
  for (WPARAM key : {VK_DOWN, VK_RIGHT, VK_DOWN, VK_DOWN, VK_RETURN}) {
    PostMessageW(frame, WM_KEYDOWN, key, 1);
    Sleep(100);
  }
  EXPECT_TRUE(process.WaitForLine("clipboard: " + Narrow(b_), 20000)) << process.errors();
  PostMessageW(frame, WM_CLOSE, 0, 0);
  EXPECT_EQ(process.Wait(20000), 0u);
  std::vector<std::string> lines = process.lines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "handler: invoke 3 in " + Narrow(dir_.path())), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "selected: a.JPG;b.png"), lines.end());
}

}  // namespace
