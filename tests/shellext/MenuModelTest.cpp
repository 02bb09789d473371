#include <gtest/gtest.h>

#include <algorithm>

#include "base/ParentFolder.h"
#include "shellext/menu/MenuModel.h"
#include "support/TestSupport.h"

namespace {

bool Has(const std::vector<CommandId>& list, CommandId id) {
  return std::find(list.begin(), list.end(), id) != list.end();
}

const MenuNode* Find(const MenuNode& node, const std::wstring& text) {
  if (node.text == text) return &node;
  for (const MenuNode& child : node.children)
    if (const MenuNode* found = Find(child, text)) return found;
  return nullptr;
}

std::wstring Tree(const PathList& selection, const MenuContext& context) {
  return MenuTreeText(BuildMenu(ViewsOf(selection), context));
}

TEST(ParentFolder, CutsAtTheLastBackslashOrAfterTheColon) {
  EXPECT_EQ(ParentFolder(L"C:\\a\\b.txt"), L"C:\\a");
  EXPECT_EQ(ParentFolder(L"C:\\a"), L"C:");
  EXPECT_EQ(ParentFolder(L"C:\\a\\sub\\\\"), L"C:\\a");
  EXPECT_EQ(ParentFolder(L"C:"), L"C:");
  EXPECT_EQ(ParentFolder(L"name.txt"), L"");
  EXPECT_EQ(ParentFolder(L"\\\\server\\share\\x"), L"\\\\server\\share");
}

// Shares and the long forms of paths have their roots too: a root is its own parent, and has none
// above it.
TEST(ParentFolder, KnowsTheRootsOfSharesAndOfLongPaths) {
  struct Case {
    const wchar_t* path;
    const wchar_t* parent;
    bool parentIsRoot;
  };
  const Case cases[] = {
      {L"\\\\server\\share\\a.txt", L"\\\\server\\share", true},
      {L"\\\\server\\share\\sub\\a.txt", L"\\\\server\\share\\sub", false},
      {L"\\\\server\\share\\", L"\\\\server\\share", true},
      {L"\\\\?\\C:\\a.txt", L"\\\\?\\C:", true},
      {L"\\\\?\\C:\\dir\\a.txt", L"\\\\?\\C:\\dir", false},
      {L"\\\\?\\UNC\\server\\share\\a.txt", L"\\\\?\\UNC\\server\\share", true},
      {L"\\\\?\\UNC\\server\\share\\d\\a.txt", L"\\\\?\\UNC\\server\\share\\d", false},
      {L"C:\\a.txt", L"C:", true},
      {L"C:\\", L"C:", true},
      {L"D:\\x\\a.txt", L"D:\\x", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.path));
    EXPECT_EQ(ParentFolder(c.path), c.parent);
    EXPECT_EQ(IsRootFolder(ParentFolder(c.path)), c.parentIsRoot);
  }
  EXPECT_TRUE(IsNetworkPath(L"\\\\server\\share\\a.txt"));
  EXPECT_TRUE(IsNetworkPath(L"\\\\?\\UNC\\server\\share\\a.txt"));
  EXPECT_FALSE(IsNetworkPath(L"\\\\?\\C:\\a.txt"));
  EXPECT_FALSE(IsNetworkPath(L"C:\\a.txt"));
  // Many paths, one question per drive: a share's answer never sticks to a local drive, any case of letter.
  NetworkPathTest onNetwork;
  for (const wchar_t* path : {L"\\\\server\\share\\a.txt", L"c:\\a.txt", L"C:\\b.txt", L"z:\\c.txt", L"1:\\d.txt"})
    EXPECT_EQ(onNetwork(path), path[0] == L'\\') << Narrow(path);
}

TEST(DisabledCommands, OneFolder) {
  TempDir dir;
  auto disabled = ComputeDisabledCommands({dir.Folder(L"f")}, {});
  EXPECT_FALSE(Has(disabled, cmd::ExtractFromFolder));
  EXPECT_FALSE(Has(disabled, cmd::MoveFilesUp));
  EXPECT_FALSE(Has(disabled, cmd::Decrypt));  // folders do not disable Decrypt
  EXPECT_TRUE(Has(disabled, cmd::RenameSameName));
  EXPECT_TRUE(Has(disabled, cmd::ImageCustomResize));
  EXPECT_TRUE(Has(disabled, cmd::AlbumCustom));
  EXPECT_TRUE(Has(disabled, cmd::SortDesktopCustom));
}

TEST(DisabledCommands, ImageExtensionsAreComparedLowerCased) {
  TempDir dir;
  auto disabled = ComputeDisabledCommands({dir.File(L"a.JPG"), dir.File(L"b.png")}, {});
  for (CommandId id = cmd::ImageCustomResize; id <= cmd::ImageLogo; ++id) EXPECT_FALSE(Has(disabled, id)) << id;
  EXPECT_TRUE(Has(disabled, cmd::AlbumCustom));
  EXPECT_TRUE(Has(disabled, cmd::ExtractFromFolder));
  EXPECT_TRUE(Has(disabled, cmd::Decrypt));
  EXPECT_FALSE(Has(disabled, cmd::RenameSameName));

  auto jpegs = ComputeDisabledCommands({dir.File(L"c.jpeg"), dir.File(L"d.Jpg")}, {});
  EXPECT_FALSE(Has(jpegs, cmd::AlbumCustom));
  auto text = ComputeDisabledCommands({dir.File(L"c.jpeg"), dir.File(L"notes.txt")}, {});
  EXPECT_TRUE(Has(text, cmd::ImageLogo));
  EXPECT_TRUE(Has(text, cmd::AlbumCustom));
}

TEST(DisabledCommands, EncryptedFilesAndFoldersKeepDecrypt) {
  TempDir dir;
  auto disabled = ComputeDisabledCommands({dir.File(L"x.qxenc"), dir.Folder(L"f")}, {});
  EXPECT_FALSE(Has(disabled, cmd::Decrypt));
  EXPECT_TRUE(Has(disabled, cmd::ExtractFromFolder));
  EXPECT_TRUE(Has(disabled, cmd::ImageConvertJpeg));
  EXPECT_TRUE(Has(ComputeDisabledCommands({dir.File(L"x.qxenc"), dir.File(L"y.jpg")}, {}), cmd::Decrypt));
}

// What the shell holds of an item stands in for asking the disk; where it holds nothing (0), the disk
// is asked.
TEST(DisabledCommands, AttributesTheShellHoldsComeBeforeTheDisk) {
  TempDir dir;
  PathList pictures{dir.File(L"a.jpg"), dir / L"gone.jpg"};  // the second is not on the disk
  EXPECT_TRUE(Has(ComputeDisabledCommands(ViewsOf(pictures), {}), cmd::ImageCustomResize));
  auto listed = ComputeDisabledCommands(ViewsOf(pictures), {}, {0, FILE_ATTRIBUTE_ARCHIVE});
  EXPECT_FALSE(Has(listed, cmd::ImageCustomResize));
  EXPECT_FALSE(Has(listed, cmd::AlbumCustom));
  auto folder = ComputeDisabledCommands(ViewsOf(pictures), {}, {FILE_ATTRIBUTE_DIRECTORY, FILE_ATTRIBUTE_NORMAL});
  EXPECT_TRUE(Has(folder, cmd::ImageCustomResize));
  EXPECT_TRUE(Has(folder, cmd::ExtractFromFolder));
}

TEST(DisabledCommands, MoveUpNeedsAFolderAboveTheItems) {
  EXPECT_TRUE(Has(ComputeDisabledCommands({L"C:\\brivane-missing.txt"}, {}), cmd::MoveFilesUp));
  EXPECT_TRUE(Has(ComputeDisabledCommands({L"C:\\\\brivane-missing.txt"}, {}), cmd::MoveFilesUp));
  EXPECT_FALSE(Has(ComputeDisabledCommands({L"C:\\x\\brivane-missing.txt"}, {}), cmd::MoveFilesUp));
  EXPECT_TRUE(ComputeDisabledCommands({}, {}).empty());
  // At a share's root as at a drive's.
  const DWORD file = FILE_ATTRIBUTE_ARCHIVE;
  EXPECT_TRUE(Has(ComputeDisabledCommands({L"\\\\server\\share\\a.txt"}, {}, {file}), cmd::MoveFilesUp));
  EXPECT_TRUE(Has(ComputeDisabledCommands({L"\\\\?\\C:\\a.txt"}, {}, {file}), cmd::MoveFilesUp));
  EXPECT_FALSE(Has(ComputeDisabledCommands({L"\\\\server\\share\\d\\a.txt"}, {}, {file}), cmd::MoveFilesUp));
}

// A share may be offline: what the shell did not tell of its items is not asked of it. A name with an
// extension counts as a file, one without as a folder.
TEST(DisabledCommands, ItemsOnSharesAreNotLookedUp) {
  auto pictures = ComputeDisabledCommands({L"\\\\brivane-offline\\share\\a.jpg"}, {});
  EXPECT_FALSE(Has(pictures, cmd::ImageCustomResize));
  EXPECT_FALSE(Has(pictures, cmd::AlbumCustom));
  auto folder = ComputeDisabledCommands({L"\\\\brivane-offline\\share\\Trip"}, {});
  EXPECT_FALSE(Has(folder, cmd::ExtractFromFolder));
  EXPECT_TRUE(Has(folder, cmd::ImageCustomResize));
}

TEST(DisabledCommands, SortDesktopOnlyForItemsOnADesktopComparedCaseSensitively) {
  TempDir dir;
  std::wstring desktop = dir.Folder(L"Desktop");
  std::wstring item = dir.File(L"Desktop\\a.txt");
  DesktopFolders user{desktop, L"C:\\users\\Public\\Desktop"};
  DesktopFolders common{L"C:\\elsewhere", desktop};
  DesktopFolders otherCase{dir / L"DESKTOP", L""};
  EXPECT_FALSE(Has(ComputeDisabledCommands({item}, user), cmd::SortDesktopCustom));
  EXPECT_FALSE(Has(ComputeDisabledCommands({item}, common), cmd::SortDesktopRedo));
  auto disabled = ComputeDisabledCommands({item}, otherCase);
  for (CommandId id = cmd::SortDesktopCustom; id <= cmd::SortDesktopBlueSky; ++id) EXPECT_TRUE(Has(disabled, id));
}

TEST(MenuText, ShortSubmenusDropTheLabelPrefix) {
  EXPECT_EQ(MenuText(cmd::RenameTruncate, true), L"Truncate");
  EXPECT_EQ(MenuText(cmd::RenameTruncate, false), L"Rename - Truncate");
  EXPECT_EQ(MenuText(cmd::ImageLogo, true), L"Put Logo on Image");
  EXPECT_EQ(MenuText(cmd::AlbumFourPhoto, true), L"Page 320x464, Photo 4x6");
  EXPECT_EQ(MenuText(cmd::ListDetailedFullPath, false), L"Detailed - Include Full Path");
  EXPECT_EQ(MenuText(cmd::DeleteEmpty, false), L"Delete Empty Files\\Folders");
}

TEST(MenuText, LongRecentFoldersKeepTheDriveAndTheirEnd) {
  std::wstring path = L"C:\\" + std::wstring(600, L'x') + L"\\Final Folder";
  std::wstring text = MenuTextForPath(path);
  EXPECT_EQ(text.size(), 255u);
  EXPECT_EQ(text.substr(0, 6), L"C:\\...");
  EXPECT_EQ(text.substr(text.size() - 13), L"\\Final Folder");
  EXPECT_EQ(MenuTextForPath(L"C:\\short"), L"C:\\short");
}

// A path is shown as it is: every "&" in it is doubled, so that none becomes a mnemonic. Shortened
// paths stay within 255 characters of menu text and never end in half of a doubled "&".
TEST(MenuText, AmpersandsInFolderPathsAreNotMnemonics) {
  EXPECT_EQ(MenuTextForPath(L"C:\\R&D Files"), L"C:\\R&&D Files");
  EXPECT_EQ(MenuTextForPath(L"\\\\server\\A&B\\&&"), L"\\\\server\\A&&B\\&&&&");
  for (size_t length : {200, 254, 255, 256, 300, 1023}) {
    SCOPED_TRACE(length);
    std::wstring path = L"C:\\";
    while (path.size() < length) path += (path.size() % 3 ? L"&" : L"x");
    std::wstring text = MenuTextForPath(path);
    EXPECT_LE(text.size(), 255u);
    // Read back as the menu shows it: the drive, "..." and the end of the path.
    std::wstring shown;
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == L'&') {
        ASSERT_TRUE(i + 1 < text.size() && text[++i] == L'&') << "a lone & at " << i;
      }
      shown.push_back(text[i]);
    }
    ASSERT_EQ(shown.substr(0, 6), L"C:\\...");
    EXPECT_EQ(shown.substr(6), path.substr(path.size() - (shown.size() - 6)));
  }

  TempDir dir;
  MenuContext context;
  context.recentCopy = {L"C:\\R&D Files"};
  context.recentMove = {L"D:\\Tom & Jerry"};
  MenuNode menu = BuildMenu({dir.File(L"a.txt")}, context);
  EXPECT_EQ(Find(menu, L"Copy to (Recent)")->children[0].text, L"C:\\R&&D Files");
  EXPECT_EQ(Find(menu, L"Move to (Recent)")->children[0].text, L"D:\\Tom && Jerry");
}

const wchar_t kFullMenu[] =
    L"Brivane >\n"
    L"  Favorites >\n"
    L"    Manage Favorites\n"
    L"  Organize >\n"
    L"    Extract Files to Folder\n"
    L"    Extract Files from Folder [greyed]\n"
    L"    ---\n"
    L"    Copy\n"
    L"    Copy to (Recent) > [greyed]\n"
    L"    ---\n"
    L"    Move\n"
    L"    Move to (Recent) > [greyed]\n"
    L"    Move Files Up\n"
    L"    ---\n"
    L"    Delete Empty Files\\Folders\n"
    L"    Invert Selection\n"
    L"    Copy Path to Clipboard\n"
    L"    Touch\n"
    L"  List of Files >\n"
    L"    Detailed\n"
    L"    Detailed - Include Full Path\n"
    L"    ---\n"
    L"    Simple\n"
    L"    Simple - Include Full Path\n"
    L"  Security >\n"
    L"    Encrypt\n"
    L"    Decrypt [greyed]\n"
    L"  Split and Join >\n"
    L"    Split\n"
    L"    Join\n"
    L"  Rename >\n"
    L"    Find and Replace\n"
    L"    Autonumbering\n"
    L"    Alphabetize\n"
    L"    Append\n"
    L"    ---\n"
    L"    Autonumbering with Append\n"
    L"    Alphabetize with Append\n"
    L"    ---\n"
    L"    Make All Same Name\n"
    L"    ---\n"
    L"    Truncate\n"
    L"  Image Manipulation >\n"
    L"    Custom Resize\n"
    L"    ---\n"
    L"    Resize 25%\n"
    L"    Resize 50%\n"
    L"    Resize 75%\n"
    L"    ---\n"
    L"    Resize 25% (Save as Jpeg)\n"
    L"    Resize 50% (Save as Jpeg)\n"
    L"    Resize 75% (Save as Jpeg)\n"
    L"    ---\n"
    L"    Convert to Jpeg\n"
    L"    ---\n"
    L"    Put Logo on Image\n"
    L"  Image Album >\n"
    L"    Custom [greyed]\n"
    L"    ---\n"
    L"    Fill Page, Wallet [greyed]\n"
    L"    Fill Page, 3.5x5 [greyed]\n"
    L"    Fill Page, 4x6 [greyed]\n"
    L"    Fill Page, 5x7 [greyed]\n"
    L"    Fill Page, 8x10 [greyed]\n"
    L"    Fill Page, 9x12 [greyed]\n"
    L"    Page 320x464, Photo 8x10 [greyed]\n"
    L"    Page 320x464, Photo 4x6 [greyed]\n"
    L"  ---\n"
    L"  Settings\n"
    L"  Help >\n"
    L"    Contents\n"
    L"    About\n";

TEST(MenuShape, FullModeForTwoImagesInAFolder) {
  TempDir dir;
  EXPECT_EQ(Tree({dir.File(L"a.JPG"), dir.File(L"b.png")}, {}), kFullMenu);
}

TEST(MenuShape, DesktopItemsGainSortDesktopBetweenOrganizeAndListOfFiles) {
  TempDir dir;
  MenuContext context;
  context.desktop.user = dir.Folder(L"Desktop");
  MenuNode menu = BuildMenu({dir.File(L"Desktop\\a.txt")}, context);
  ASSERT_GE(menu.children.size(), 4u);
  EXPECT_EQ(menu.children[1].text, L"Organize");
  EXPECT_EQ(menu.children[3].text, L"List of Files");
  EXPECT_EQ(MenuTreeText(menu.children[2]),
            L"Sort Desktop >\n  Custom\n  ---\n  Redo Last Sort [greyed]\n  ---\n"
            L"  Blue Sky\n  EggPlant\n  Sunset\n  Dark\n");
  context.hasStoredSort = true;
  EXPECT_FALSE(Find(BuildMenu({dir / L"Desktop\\a.txt"}, context), L"Redo Last Sort")->greyed);
}

TEST(MenuShape, DesktopBackgroundShowsOnlySortSettingsAndHelp) {
  MenuContext context;
  context.mode = MenuMode::DesktopBackground;
  EXPECT_EQ(Tree({}, context),
            L"Brivane >\n  Sort Desktop >\n    Custom\n    ---\n    Redo Last Sort [greyed]\n    ---\n"
            L"    Blue Sky\n    EggPlant\n    Sunset\n    Dark\n  ---\n  Settings\n  Help >\n    Contents\n    About\n");
}

TEST(MenuShape, FavoritesShowFullLabelsUnderManageFavorites) {
  TempDir dir;
  MenuContext context;
  context.favorites = {cmd::MoveFilesUp, cmd::Separator, cmd::RenameFindReplace, cmd::RenameSameName};
  std::wstring file = dir.File(L"one.txt");
  MenuNode favorites = *Find(BuildMenu({file}, context), L"Favorites");
  EXPECT_EQ(MenuTreeText(favorites),
            L"Favorites >\n  Manage Favorites\n  ---\n  Move Files Up\n  ---\n  Rename - Find and Replace\n"
            L"  Rename - Make All Same Name [greyed]\n");

  context.mode = MenuMode::FavoritesOnly;
  context.desktop.user = dir.path();  // even on the desktop nothing else is built
  EXPECT_EQ(Tree({file}, context),
            L"Brivane >\n  Manage Favorites\n  ---\n  Move Files Up\n  ---\n  Rename - Find and Replace\n"
            L"  Rename - Make All Same Name [greyed]\n  ---\n  Settings\n  Help >\n    Contents\n    About\n");
  context.favorites.clear();
  EXPECT_EQ(Tree({file}, context), L"Brivane >\n  Manage Favorites\n  ---\n  Settings\n  Help >\n    Contents\n    About\n");
}

TEST(MenuShape, RecentFoldersBecomeNumberedEntries) {
  TempDir dir;
  MenuContext context;
  context.recentCopy = {L"C:\\new", L"C:\\old"};
  context.recentMove = {L"D:\\target"};
  MenuNode menu = BuildMenu({dir.File(L"a.txt")}, context);
  const MenuNode* copy = Find(menu, L"Copy to (Recent)");
  ASSERT_TRUE(copy);
  EXPECT_FALSE(copy->greyed);
  ASSERT_EQ(copy->children.size(), 2u);
  EXPECT_EQ(copy->children[0].command, 52u);
  EXPECT_EQ(copy->children[0].text, L"C:\\new");
  EXPECT_EQ(copy->children[1].command, 53u);
  EXPECT_EQ(copy->children[1].iconSlot, 1);
  const MenuNode* move = Find(menu, L"Move to (Recent)");
  ASSERT_EQ(move->children.size(), 1u);
  EXPECT_EQ(move->children[0].command, 57u);
  EXPECT_EQ(move->children[0].iconSlot, 24);
}

}  // namespace
