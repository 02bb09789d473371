// Brivane.dll registered with regsvr32 and driven by the Explorer stand-in on real folders: the menu a
// user sees for typical selections, and commands invoked through it.
#include <gtest/gtest.h>
#include <shlobj.h>

#include "RegisteredBrivane.h"
#include "ScopedSetting.h"
#include "StandInProcess.h"
#include "shellext/menu/MenuContextReader.h"
#include "shellext/menu/MenuModel.h"
#include "support/TestSupport.h"

namespace {

class BrivaneMenu : public RegisteredBrivane {
 protected:
  std::wstring Folder() const { return L"--folder " + Quoted(dir_.path()); }

  // The menu that the menu model builds for the selection with the stored settings, printed as the
  // stand-in prints the real menu.
  static std::string ModelMenu(const PathList& selection, bool desktopBackground = false) {
    return Narrow(MenuTreeText(BuildMenu(ViewsOf(selection), ReadMenuContext(desktopBackground))));
  }

  // Runs the stand-in on the named items and checks its menu against the model's for their paths:
  // as Explorer asks, and as the Explorer versions ask that pass the folder along with the items.
  std::string CheckedMenu(const std::wstring& names, const PathList& selection) const {
    std::string menu;
    for (const wchar_t* folderToo : {L"", L" --with-folder"}) {
      SCOPED_TRACE(Narrow(folderToo));
      StandInRun run = RunStandIn(Folder() + L" --select " + Quoted(names) + L" --menu" + folderToo);
      EXPECT_EQ(run.exitCode, 0u) << run.errors;
      menu = run.MenuFrom("Brivane >");
      EXPECT_EQ(menu, ModelMenu(selection));
    }
    return menu;
  }

  TempDir dir_;
};

std::wstring DesktopFolder() {
  wchar_t path[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

bool HasLine(const std::string& menu, const std::string& line) { return menu.find("\n" + line + "\n") != std::string::npos; }

TEST_F(BrivaneMenu, OneFolder) {
  std::string menu = CheckedMenu(L"Trip", {dir_.Folder(L"Trip")});
  EXPECT_TRUE(HasLine(menu, "    Extract Files to Folder"));
}

TEST_F(BrivaneMenu, TwoPicturesWhateverTheCaseOfTheirExtensions) {
  std::wstring a = dir_.File(L"a.JPG"), b = dir_.File(L"b.png");
  std::string menu = CheckedMenu(L"a.JPG;b.png", {a, b});
  EXPECT_TRUE(HasLine(menu, "    Custom Resize"));
  EXPECT_TRUE(HasLine(menu, "    Decrypt [greyed]"));
}

TEST_F(BrivaneMenu, AnEncryptedFileAndAFolder) {
  std::wstring folder = dir_.Folder(L"Letters"), encrypted = dir_.File(L"x.qxenc");
  std::string menu = CheckedMenu(L"x.qxenc;Letters", {folder, encrypted});  // the view lists folders first
  EXPECT_TRUE(HasLine(menu, "    Decrypt"));
}

TEST_F(BrivaneMenu, ItemsOnTheDesktop) {
  std::wstring name = L"brivane-menu-" + std::to_wstring(GetCurrentProcessId()) + L".txt";
  std::wstring path = DesktopFolder() + L"\\" + name;
  CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  std::string model = ModelMenu({path});
  for (const wchar_t* folderToo : {L"", L" --with-folder"}) {
    SCOPED_TRACE(Narrow(folderToo));
    StandInRun run =
        RunStandIn(L"--folder " + Quoted(DesktopFolder()) + L" --select " + Quoted(name) + L" --menu" + folderToo);
    EXPECT_EQ(run.exitCode, 0u) << run.errors;
    EXPECT_EQ(run.MenuFrom("Brivane >"), model);
  }
  DeleteFileW(path.c_str());
}

TEST_F(BrivaneMenu, TheDesktopBackgroundAndNoOtherBackground) {
  StandInRun desktop = RunStandIn(L"--folder " + Quoted(DesktopFolder()) + L" --background --menu");
  EXPECT_EQ(desktop.exitCode, 0u) << desktop.errors;
  std::string menu = desktop.MenuFrom("Brivane >");
  EXPECT_EQ(menu, ModelMenu({}, true));
  EXPECT_TRUE(HasLine(menu, "  Sort Desktop >"));

  StandInRun folder = RunStandIn(Folder() + L" --background --menu");
  EXPECT_EQ(folder.exitCode, 0u) << folder.errors;
  EXPECT_EQ(folder.MenuFrom("Brivane >"), "");
}

TEST_F(BrivaneMenu, CopyPathPutsTheSelectionInViewOrderOnTheClipboard) {
  std::wstring a = dir_.File(L"a.JPG"), b = dir_.File(L"b.png");
  dir_.File(L"c.txt");
  StandInRun run = RunStandIn(Folder() + L" --select \"b.png;a.JPG\" --invoke \"Brivane>Organize>Copy Path to Clipboard\"");
  EXPECT_EQ(run.exitCode, 0u) << run.errors;
  EXPECT_TRUE(run.Has("invoke: S_OK"));
  std::vector<std::string> clipboard;
  for (const std::string& line : run.lines)
    if (line.rfind("clipboard: ", 0) == 0) clipboard.push_back(line);
  // No line break after the last path: no empty last line.
  EXPECT_EQ(clipboard, (std::vector<std::string>{"clipboard: " + Narrow(a), "clipboard: " + Narrow(b)}));
  EXPECT_EQ(run.LineStarting("selected: "), "selected: a.JPG;b.png");
}

TEST_F(BrivaneMenu, InvertSelectionSelectsTheOthers) {
  dir_.Folder(L"Trip");
  dir_.File(L"a.JPG");
  dir_.File(L"b.png");
  dir_.File(L"c.txt");
  dir_.File(L"d.txt");
  StandInRun run = RunStandIn(Folder() + L" --select \"a.JPG;c.txt\" --invoke \"Brivane>Organize>Invert Selection\"");
  EXPECT_EQ(run.exitCode, 0u) << run.errors;
  EXPECT_EQ(run.LineStarting("selected: "), "selected: Trip;b.png;d.txt");
  EXPECT_EQ(run.LineStarting("clipboard: "), "");
}

// The whole way a user goes: the selection in the view, the Rename submenu, the order arranged in the
// dialog, the files renamed in that order and standing selected in the view afterwards.
TEST_F(BrivaneMenu, AutonumberingRenamesTheSelectionInTheArrangedOrderAndSelectsIt) {
  for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt", L"other.txt"}) dir_.File(name, Narrow(name));
  TempDir scripts;
  std::wstring script = scripts.File(L"autonumbering.txt",
                                     "window Brivane - Rename - Autonumbering\n"
                                     "set 213 5\n"
                                     "# c.txt, the third row, up above b.txt\n"
                                     "select 263 2\n"
                                     "click 208\n"
                                     "click IDOK\n");
  StandInRun run = RunStandIn(Folder() + L" --select \"a.txt;b.txt;c.txt\" --invoke \"Brivane>Rename>Autonumbering\"" +
                              L" --script " + Quoted(script));
  EXPECT_EQ(run.exitCode, 0u) << run.errors;
  EXPECT_TRUE(run.Has("window: Brivane - Rename - Autonumbering"));
  EXPECT_TRUE(run.Has("invoke: S_OK"));
  EXPECT_EQ(ReadBytes(dir_ / L"5.txt"), "a.txt");
  EXPECT_EQ(ReadBytes(dir_ / L"6.txt"), "c.txt");
  EXPECT_EQ(ReadBytes(dir_ / L"7.txt"), "b.txt");
  EXPECT_EQ(ReadBytes(dir_ / L"other.txt"), "other.txt");
  EXPECT_FALSE(Exists(dir_ / L"a.txt") || Exists(dir_ / L"b.txt") || Exists(dir_ / L"c.txt"));
  EXPECT_EQ(run.LineStarting("selected: "), "selected: 5.txt;6.txt;7.txt");
}

// A folder's "&" is part of its name: the menu shows it, and underlines nothing.
TEST_F(BrivaneMenu, RecentFoldersShowTheirAmpersands) {
  ScopedSetting copy(L"Software\\Brivane", L"RecentCopyPath00", L"C:\\R&D Files");
  ScopedSetting move(L"Software\\Brivane", L"RecentMovePath00", L"D:\\Tom & Jerry");
  dir_.File(L"a.txt");
  StandInRun run = RunStandIn(Folder() + L" --select a.txt --menu");
  EXPECT_EQ(run.exitCode, 0u) << run.errors;
  std::string menu = run.MenuFrom("Brivane >");
  EXPECT_TRUE(HasLine(menu, "      C:\\R&D Files")) << menu;
  EXPECT_TRUE(HasLine(menu, "      D:\\Tom & Jerry")) << menu;
}

}  // namespace
