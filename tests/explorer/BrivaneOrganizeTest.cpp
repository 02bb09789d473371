// The Organize and List of Files entries end to end: Brivane.dll registered, each entry invoked from the
// stand-in's menu on real files, its windows answered by a script, then the files on disk, the recent
// folders stored and the view's selection checked.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "RegisteredBrivane.h"
#include "StandInProcess.h"
#include "support/HostTool.h"
#include "support/Screenshot.h"
#include "support/TestSupport.h"

namespace {
using Tree = std::map<std::string, std::string>;
const wchar_t kSettingsKey[] = L"Software\\Brivane";

// One stored value of the settings key, put back as it was when the test ends.
class StoredValue {
 public:
  explicit StoredValue(const wchar_t* name) : name_(name) {
    DWORD size = sizeof saved_;
    had_ = RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_REG_SZ, nullptr, saved_, &size) == ERROR_SUCCESS;
  }
  ~StoredValue() {
    if (had_)
      Set(saved_);
    else
      RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsKey, name_);
  }
  void Set(const std::wstring& text) const {
    RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, name_, REG_SZ, text.c_str(), DWORD((text.size() + 1) * 2));
  }
  std::wstring Get() const {
    wchar_t text[2048] = L"";
    DWORD size = sizeof text;
    RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name_, RRF_RT_REG_SZ, nullptr, text, &size);
    return text;
  }

 private:
  const wchar_t* name_;
  bool had_ = false;
  wchar_t saved_[1024] = L"";
};

bool TouchedJustNow(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  auto ticks = [](const FILETIME& t) { return (int64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  return ticks(now) - ticks(data.ftLastWriteTime) < 120LL * 10000000;
}

class BrivaneOrganize : public BrivaneInFolder {};

TEST_F(BrivaneOrganize, CopyThroughTheFolderBrowserThenMoveToARecentFolder) {
  StoredValue recentCopy(L"RecentCopyPath00"), recentMove(L"RecentMovePath00");
  TempDir target, moveTarget;
  dir_.File(L"a.txt", "a");
  dir_.File(L"D\\inner.txt", "i");

  StandInRun copy = Invoke(L"a.txt;D", L"Brivane>Organize>Copy",
                           "window Browse for Folder\n"
                           "expect 14146 Please select a destination folder to copy selected files\n"
                           "browse " + Narrow(target.path()) + "\n"
                           "click IDOK\n");
  EXPECT_EQ(copy.exitCode, 0u) << copy.errors;
  EXPECT_FALSE(copy.Has("window: Brivane - Copy Operation Error"));
  EXPECT_EQ(FolderTree(target.path()), (Tree{{"a.txt", "a"}, {"D", "<folder>"}, {"D\\inner.txt", "i"}}));
  EXPECT_EQ(ReadBytes(dir_ / L"a.txt"), "a");
  EXPECT_EQ(recentCopy.Get(), target.path());  // stored before the copy ran

  // A stored recent move folder is offered by its path and used as it is.
  recentMove.Set(moveTarget.path());
  StandInRun move = Invoke(L"a.txt;D", L"Brivane>Organize>Move to (Recent)>" + moveTarget.path());
  EXPECT_EQ(move.exitCode, 0u) << move.errors;
  EXPECT_FALSE(move.Has("window: Brivane - Move Operation Error"));
  EXPECT_EQ(FolderTree(moveTarget.path()), (Tree{{"a.txt", "a"}, {"D", "<folder>"}, {"D\\inner.txt", "i"}}));
  EXPECT_FALSE(Exists(dir_ / L"a.txt"));
  EXPECT_FALSE(Exists(dir_ / L"D"));
  EXPECT_EQ(recentMove.Get(), moveTarget.path());
}

TEST_F(BrivaneOrganize, ListOfFilesDetailedAsHtmlWithSubfolders) {
  dir_.File(L"Tom & Jerry.txt", "cartoon");
  dir_.File(L"D\\E\\deep.bin", "12345");
  dir_.File(L"D\\a&lt;b.txt", "entity");
  StandInRun run = Invoke(L"Tom & Jerry.txt;D", L"Brivane>List of Files>Detailed",
                          "window Brivane - Enter File List File Name\n"
                          "check 290\n"
                          "expect 202 FileList.html\n"
                          "check 284\n"
                          "check 286\n"
                          "click IDOK\n");
  EXPECT_TRUE(Succeeded(run, "List of Files", "FileList.html"));
  std::string bytes = ReadBytes(dir_ / L"FileList.html");
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
  std::wstring html(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
  EXPECT_NE(html.find(L">Tom &amp; Jerry.txt</td>"), std::wstring::npos);
  EXPECT_NE(html.find(L"Level 2 - Inner Folder " + (dir_ / L"D\\E") + L"</big>"), std::wstring::npos);
  EXPECT_NE(html.find(L"\t<div style=\"margin-left: 70;\">"), std::wstring::npos);
  EXPECT_NE(html.find(L">3</font> files in total."), std::wstring::npos);

  // A browser reads the page as the user would: the bytes decoded as UTF-16, each name shown as written
  // (its DOM, serialised again, holds the text "a&lt;b.txt" as "a&amp;lt;b.txt"). With screenshots on,
  // the rendered page is saved beside the dialogs'.
  if (!HostHas("chromium")) GTEST_SKIP() << "no chromium on the host";
  std::string page = HostPathOf(dir_ / L"FileList.html");
  const std::string browser = "chromium --headless=new --no-sandbox --disable-gpu --hide-scrollbars ";
  HostRun dom = RunHost(browser + "--dump-dom " + ShellQuoted(page));
  ASSERT_TRUE(dom.ok()) << dom.output;
  EXPECT_NE(dom.output.find(">Tom &amp; Jerry.txt</td>"), std::string::npos) << dom.output;
  EXPECT_NE(dom.output.find(">a&amp;lt;b.txt</td>"), std::string::npos);
  EXPECT_NE(dom.output.find("<title>Brivane | List Of Files</title>"), std::string::npos);
  if (!ScreenshotFolder().empty()) {
    std::string shot = HostPathOf(ScreenshotFolder() + L"\\organize-file-list-html.png");
    EXPECT_TRUE(RunHost(browser + "--window-size=1000,1400 --screenshot=" + ShellQuoted(shot) + " " + ShellQuoted(page)).ok());
  }
}

TEST_F(BrivaneOrganize, ExtractToAndFromFolders) {
  dir_.File(L"a.txt", "a");
  dir_.File(L"b.txt", "b");
  StandInRun to = Invoke(L"a.txt;b.txt", L"Brivane>Organize>Extract Files to Folder",
                         "window Brivane - Enter Folder Name\n"
                         "expect 201 FolderName\n"
                         "set 201 Gathered\n"
                         "click IDOK\n");
  EXPECT_TRUE(Succeeded(to, "Extract To Folder", "Gathered"));
  EXPECT_EQ(FolderTree(dir_.path()), (Tree{{"Gathered", "<folder>"}, {"Gathered\\a.txt", "a"}, {"Gathered\\b.txt", "b"}}));

  dir_.File(L"Photos\\Photos\\p1.jpg", "p1");
  StandInRun from = Invoke(L"Photos", L"Brivane>Organize>Extract Files from Folder",
                           "window Delete Folder\n"
                           "expect 298 Do you want to delete the folder: " + Narrow(dir_ / L"Photos") + " ?\n"
                           "click IDYES\n");
  EXPECT_TRUE(Succeeded(from, "Extract From Folder", "Photos"));
  EXPECT_EQ(ReadBytes(dir_ / L"Photos\\p1.jpg"), "p1");
  EXPECT_FALSE(Exists(dir_ / L"Photos\\Photos"));
}

TEST_F(BrivaneOrganize, MoveUpDeleteEmptyAndTouch) {
  dir_.File(L"inner\\up.txt", "up");
  StandInRun up = InvokeIn(dir_ / L"inner", L"up.txt", L"Brivane>Organize>Move Files Up");
  EXPECT_EQ(up.exitCode, 0u) << up.errors;
  EXPECT_FALSE(up.Has("window: Brivane - Extract To Folder Operation Error"));
  EXPECT_EQ(ReadBytes(dir_ / L"up.txt"), "up");
  EXPECT_FALSE(Exists(dir_ / L"inner\\up.txt"));

  dir_.File(L"zero.txt");
  dir_.File(L"full.txt", "x");
  dir_.Folder(L"empty");
  StandInRun empty = Invoke(L"zero.txt;full.txt;empty", L"Brivane>Organize>Delete Empty Files\\Folders");
  EXPECT_EQ(empty.exitCode, 0u) << empty.errors;
  EXPECT_FALSE(empty.Has("window: Brivane - Delete Empty Files or Folders Operation Error"));
  EXPECT_FALSE(Exists(dir_ / L"zero.txt"));
  EXPECT_FALSE(Exists(dir_ / L"empty"));
  EXPECT_EQ(ReadBytes(dir_ / L"full.txt"), "x");

  SetCreationTime(dir_ / L"full.txt", 2009, 3, 5, 14, 7);
  StandInRun touch = Invoke(L"full.txt;inner", L"Brivane>Organize>Touch");
  EXPECT_TRUE(Succeeded(touch, "Touch Files", "inner;full.txt"));  // in the view's order
  EXPECT_TRUE(TouchedJustNow(dir_ / L"full.txt"));
  EXPECT_EQ(ReadBytes(dir_ / L"full.txt"), "x");
}

}  // namespace
