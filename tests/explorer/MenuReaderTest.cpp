// Reading a real HMENU back as the user sees it, and finding an entry by its menu path.
#include <gtest/gtest.h>

#include "atl/Handles.h"
#include "tools/explorer/MenuReader.h"

namespace {

// A menu as two handlers might leave it: separators around each entry, mnemonics, a greyed submenu.
UniqueMenu SampleMenu() {
  HMENU root = CreatePopupMenu(), tools = CreatePopupMenu(), greyed = CreatePopupMenu(), deep = CreatePopupMenu();
  AppendMenuW(deep, MF_STRING, 40, L"&Deep");
  AppendMenuW(tools, MF_STRING, 11, L"&Copy Path");
  AppendMenuW(tools, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(tools, MF_STRING | MF_GRAYED, 12, L"Save && Close");
  AppendMenuW(tools, MF_POPUP, reinterpret_cast<UINT_PTR>(deep), L"More");
  AppendMenuW(greyed, MF_STRING, 21, L"Inside");
  AppendMenuW(root, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(root, MF_POPUP, reinterpret_cast<UINT_PTR>(tools), L"Tools");
  AppendMenuW(root, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(root, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(root, MF_POPUP | MF_GRAYED, reinterpret_cast<UINT_PTR>(greyed), L"Greyed");
  AppendMenuW(root, MF_STRING | MF_DISABLED, 30, L"Disabled");
  AppendMenuW(root, MF_SEPARATOR, 0, nullptr);
  return UniqueMenu(root);
}

TEST(MenuReader, ShowsWhatAUserSees) {
  UniqueMenu menu = SampleMenu();
  std::vector<HMENU> opened;
  std::vector<MenuNode> entries = ReadMenu(menu.get(), [&](HMENU submenu, UINT) { opened.push_back(submenu); });
  TidySeparators(entries);
  EXPECT_EQ(MenuLines(entries),
            L"Tools >\n"
            L"  Copy Path\n"
            L"  ---\n"
            L"  Save & Close [greyed]\n"
            L"  More >\n"
            L"    Deep\n"
            L"---\n"
            L"Greyed > [greyed]\n"
            L"  Inside\n"
            L"Disabled [greyed]\n");
  EXPECT_EQ(opened.size(), 3u);  // every submenu announced before it is read
  EXPECT_EQ(entries[0].children[0].command, 11u);
}

TEST(MenuReader, FindsEntriesByPathAndCountsWhatTheKeyboardStopsAt) {
  UniqueMenu menu = SampleMenu();
  std::vector<MenuNode> entries = ReadMenu(menu.get());
  TidySeparators(entries);
  std::vector<MenuPathStep> steps;
  std::wstring error;
  ASSERT_TRUE(FindMenuPath(entries, {L"Tools", L"More", L"Deep"}, steps, error)) << error;
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_EQ(steps[0].selectable, 0);
  EXPECT_EQ(steps[1].selectable, 2);  // Copy Path, Save & Close; the separator is skipped
  EXPECT_EQ(steps[2].node->command, 40u);

  ASSERT_TRUE(FindMenuPath(entries, {L"disabled"}, steps, error));  // letter case is forgiven
  EXPECT_EQ(steps[0].selectable, 2);

  EXPECT_FALSE(FindMenuPath(entries, {L"Tools", L"Paste"}, steps, error));
  EXPECT_EQ(error, L"no entry \"Paste\" in Tools (it holds: Copy Path, Save & Close, More)");
  EXPECT_FALSE(FindMenuPath(entries, {L"Disabled", L"Below"}, steps, error));
  EXPECT_EQ(error, L"no entry \"Below\" in Disabled (it holds: nothing)");
  EXPECT_FALSE(FindMenuPath({}, {L"Brivane"}, steps, error));
  EXPECT_EQ(error, L"no entry \"Brivane\" in the menu (it holds: nothing)");
}

TEST(MenuReader, KeepsASingleSeparatorBetweenEntriesOnly) {
  std::vector<MenuNode> entries(3);  // three separators
  TidySeparators(entries);
  EXPECT_TRUE(entries.empty());
  EXPECT_EQ(WithoutMnemonics(L"&&&Open & Close&"), L"&Open  Close");
}

}  // namespace
