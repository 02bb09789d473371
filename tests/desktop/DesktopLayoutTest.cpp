// Where the icons go: groups by kind and extension, ordinal name order, the start point beside the
// taskbar, the 80-pixel grid and the panels, checked on the numbers a user would see.
#include <gtest/gtest.h>

#include "desktop/DesktopLayout.h"
#include "support/TestSupport.h"

namespace {

DesktopItem Item(int32_t kind, const std::wstring& name) {
  DesktopItem item;
  item.kind = kind;
  item.name = name;
  return item;
}

// The names of a placement's members, in order.
std::vector<std::wstring> Names(const std::vector<DesktopItem>& items, const GroupPlacement& placement) {
  std::vector<std::wstring> names;
  for (size_t member : placement.members) names.push_back(items[member].name);
  return names;
}

void ExpectPanel(const PanelRect& panel, int left, int top, int width, int height) {
  EXPECT_EQ(panel.left, left);
  EXPECT_EQ(panel.top, top);
  EXPECT_EQ(panel.width, width);
  EXPECT_EQ(panel.height, height);
}

TEST(DesktopLayout, TheWorkedExampleOfThreeSystemItemsAndTwentyFiles) {
  std::vector<DesktopItem> items;
  for (const wchar_t* name : {L"Recycle Bin", L"Computer", L"Network"}) items.push_back(Item(desktop_kind::Virtual, name));
  for (int i = 0; i < 20; ++i) {
    wchar_t name[64];
    swprintf(name, 64, L"C:\\Users\\me\\Desktop\\file%02d.txt", i);
    items.push_back(Item(desktop_kind::File, name));
  }
  DesktopScreen screen{1280, 1024, {0, 984, 1280, 1024}};
  POINT start = SortStartPoint(screen);
  EXPECT_EQ(start.x, 64);
  EXPECT_EQ(start.y, 64);
  EXPECT_EQ(ColumnCount(1280, 64), 15);

  std::vector<GroupPlacement> groups = LayOutDesktop(items, screen.width, start);
  ASSERT_EQ(groups.size(), 2u);  // Folders and Shortcuts are empty and take no space

  const GroupPlacement& system = groups[0];
  EXPECT_EQ(system.group, DesktopGroup::System);
  EXPECT_EQ(Names(items, system), (std::vector<std::wstring>{L"Computer", L"Network", L"Recycle Bin"}));
  ASSERT_EQ(system.positions.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(system.positions[i].x, 64 + 80 * i);
    EXPECT_EQ(system.positions[i].y, 64);
  }
  ExpectPanel(system.panel, 32, 32, 256, 112);
  EXPECT_EQ(system.nextY, 228);

  const GroupPlacement& files = groups[1];
  EXPECT_EQ(files.group, DesktopGroup::Files);
  ASSERT_EQ(files.positions.size(), 20u);
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(files.positions[i].x, 64 + 80 * (i % 15)) << i;
    EXPECT_EQ(files.positions[i].y, i < 15 ? 228 : 308) << i;
  }
  EXPECT_EQ(Names(items, files).front(), L"C:\\Users\\me\\Desktop\\file00.txt");
  ExpectPanel(files.panel, 32, 196, 1216, 192);
  POINT label = LabelOrigin(files, 27);
  EXPECT_EQ(label.x, 32);
  EXPECT_EQ(label.y, 192 - 27);
}

TEST(DesktopLayout, TheStartPointMovesAwayFromATaskbarOnTheLeftOrAtTheTop) {
  struct Row {
    const char* where;
    RECT taskbar;
    LONG x, y;
  };
  const Row rows[] = {
      {"bottom", {0, 984, 1280, 1024}, 64, 64},
      {"left, 40 wide", {0, 0, 40, 1024}, 104, 64},
      {"top, 30 high", {0, 0, 1280, 30}, 64, 94},
      {"right", {1220, 0, 1280, 1024}, 64, 64},
      {"unknown", {0, 0, 0, 0}, 64, 64},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.where);
    POINT start = SortStartPoint({1280, 1024, row.taskbar});
    EXPECT_EQ(start.x, row.x);
    EXPECT_EQ(start.y, row.y);
  }
}

TEST(DesktopLayout, ATaskbarThatLeavesNoColumnStillLeavesOneOnTheScreen) {
  // On the left and reaching past the screen's right edge: no 80-pixel column would fit beside it.
  DesktopScreen screen{1280, 1024, {0, 0, 1250, 1024}};
  POINT start = SortStartPoint(screen);
  EXPECT_EQ(start.x, 1200);
  EXPECT_EQ(ColumnCount(1280, 1314), 1);
  EXPECT_EQ(ColumnCount(1280, start.x), 1);

  std::vector<DesktopItem> items{Item(desktop_kind::File, L"a"), Item(desktop_kind::File, L"b"),
                                 Item(desktop_kind::File, L"c")};
  std::vector<GroupPlacement> groups = LayOutDesktop(items, screen.width, start);
  ASSERT_EQ(groups.size(), 1u);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(groups[0].positions[i].x, 1200);
    EXPECT_LE(groups[0].positions[i].x + 80, 1280);
    EXPECT_EQ(groups[0].positions[i].y, 64 + 80 * LONG(i));
  }
}

TEST(DesktopLayout, GroupsFollowTheKindAndTheExtension) {
  std::vector<DesktopItem> items{
      Item(desktop_kind::File, L"C:\\D\\c.txt"),       Item(desktop_kind::File, L"C:\\D\\a.LNK"),
      Item(desktop_kind::File, L"C:\\D\\b.url"),       Item(desktop_kind::File, L"C:\\D\\x.lnk.txt"),
      Item(desktop_kind::File, L".lnk"),              Item(desktop_kind::Virtual, L"Trash"),
      Item(desktop_kind::OtherFolder, L"C:\\Users\\me"), Item(desktop_kind::DesktopFolder, L"C:\\D\\Work"),
      Item(7, L"C:\\D\\stray.lnk"),
  };
  std::vector<GroupPlacement> groups = LayOutDesktop(items, 1280, {64, 64});
  ASSERT_EQ(groups.size(), 4u);
  EXPECT_EQ(Names(items, groups[0]), (std::vector<std::wstring>{L"Trash", L"C:\\Users\\me"}));  // "me" after "T"
  EXPECT_EQ(Names(items, groups[1]), (std::vector<std::wstring>{L"C:\\D\\Work"}));
  EXPECT_EQ(Names(items, groups[2]), (std::vector<std::wstring>{L"C:\\D\\a.LNK", L"C:\\D\\b.url"}));
  // A name whose only dot is its first character has no extension apart from itself.
  EXPECT_EQ(Names(items, groups[3]), (std::vector<std::wstring>{L".lnk", L"C:\\D\\c.txt", L"C:\\D\\x.lnk.txt"}));
  EXPECT_EQ(NameExtension(L".lnk"), L".lnk");
  EXPECT_EQ(NameExtension(L"README"), L"README");
  EXPECT_EQ(NameExtension(L"a.b.Url"), L"Url");

  // Only shortcuts and files: the first group starts at the top, the second 164 below its last row.
  std::vector<DesktopItem> two{Item(desktop_kind::File, L"a.LNK"), Item(desktop_kind::File, L"b.url"),
                               Item(desktop_kind::File, L"c.txt")};
  groups = LayOutDesktop(two, 1280, {64, 64});
  ASSERT_EQ(groups.size(), 2u);
  EXPECT_EQ(groups[0].group, DesktopGroup::Shortcuts);
  EXPECT_EQ(groups[0].y, 64);
  EXPECT_EQ(groups[1].group, DesktopGroup::Files);
  EXPECT_EQ(groups[1].y, 228);
}

TEST(DesktopLayout, NamesAreOrderedByCodeUnitsAndFoldersElsewhereByTheirLastComponent) {
  std::vector<DesktopItem> items{
      Item(desktop_kind::File, L"alpha"), Item(desktop_kind::File, L"Zeta"), Item(desktop_kind::File, L"\u00e9t\u00e9"),
      Item(desktop_kind::File, L"zulu"),  Item(desktop_kind::File, L"Alpha"),
      Item(desktop_kind::OtherFolder, L"C:\\a\\zebra"), Item(desktop_kind::OtherFolder, L"C:\\z\\Bee"),
      Item(desktop_kind::Virtual, L"Computer"),
  };
  std::vector<GroupPlacement> groups = LayOutDesktop(items, 1280, {64, 64});
  ASSERT_EQ(groups.size(), 2u);
  EXPECT_EQ(Names(items, groups[0]), (std::vector<std::wstring>{L"C:\\z\\Bee", L"Computer", L"C:\\a\\zebra"}));
  EXPECT_EQ(Names(items, groups[1]),
            (std::vector<std::wstring>{L"Alpha", L"Zeta", L"alpha", L"zulu", L"\u00e9t\u00e9"}));
}

}  // namespace
