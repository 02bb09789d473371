#include "shellext/menu/MenuModel.h"

#include <windows.h>

#include <algorithm>

#include "base/ParentFolder.h"
#include "fileops/FileMachine.h"
#include "shellext/menu/CommandCatalog.h"

namespace {

constexpr size_t kMaxMenuText = 255;

bool Contains(const std::vector<CommandId>& list, CommandId id) {
  return std::find(list.begin(), list.end(), id) != list.end();
}

void AddAll(std::vector<CommandId>& list, std::initializer_list<CommandId> ids) {
  list.insert(list.end(), ids.begin(), ids.end());
}

// Backslash runs in folder + "\"; at most one means the folder is a drive root.
MenuNode Separator() { return MenuNode{}; }

MenuNode Submenu(const wchar_t* caption, int iconSlot, std::vector<MenuNode> children, bool greyed = false) {
  MenuNode node;
  node.kind = MenuNode::Kind::Submenu;
  node.text = caption;
  node.iconSlot = iconSlot;
  node.greyed = greyed;
  node.children = std::move(children);
  return node;
}

class MenuBuilder {
 public:
  MenuBuilder(const std::vector<CommandId>& disabled, const MenuContext& context)
      : disabled_(disabled), context_(context) {}

  MenuNode Entry(CommandId id, bool shortText, bool greyed) const {
    MenuNode node;
    node.kind = MenuNode::Kind::Command;
    node.command = id;
    node.text = MenuText(id, shortText);
    node.iconSlot = CommandIconSlot(id);
    node.greyed = greyed;
    return node;
  }
  MenuNode Entry(CommandId id, bool shortText = false) const { return Entry(id, shortText, Contains(disabled_, id)); }

  // Favourites: a stored 0 is a separator; commands without a label (recent folders) are skipped.
  void AppendFavorites(std::vector<MenuNode>& items) const {
    if (context_.favorites.empty()) return;
    items.push_back(Separator());
    for (CommandId id : context_.favorites) {
      if (id == cmd::Separator)
        items.push_back(Separator());
      else if (CommandLabel(id))
        items.push_back(Entry(id));
    }
  }

  MenuNode Recent(const PathList& folders, CommandId first, const wchar_t* caption, int iconSlot) const {
    std::vector<MenuNode> items;
    for (size_t n = 0; n < folders.size() && n < size_t(cmd::kRecentSlots); ++n) {
      MenuNode node = Entry(first + CommandId(n), false, false);
      node.text = MenuTextForPath(folders[n]);
      items.push_back(node);
    }
    return Submenu(caption, iconSlot, std::move(items), folders.empty());
  }

  MenuNode Organize() const {
    return Submenu(L"Organize", 25,
                   {Entry(cmd::ExtractToFolder), Entry(cmd::ExtractFromFolder), Separator(), Entry(cmd::Copy),
                    Recent(context_.recentCopy, cmd::RecentCopyFirst, L"Copy to (Recent)", 1), Separator(),
                    Entry(cmd::Move), Recent(context_.recentMove, cmd::RecentMoveFirst, L"Move to (Recent)", 24),
                    Entry(cmd::MoveFilesUp), Separator(), Entry(cmd::DeleteEmpty), Entry(cmd::InvertSelection),
                    Entry(cmd::CopyPath), Entry(cmd::Touch)});
  }

  MenuNode SortDesktop() const {
    return Submenu(L"Sort Desktop", 36,
                   {Entry(cmd::SortDesktopCustom, true, false), Separator(),
                    Entry(cmd::SortDesktopRedo, true, !context_.hasStoredSort), Separator(),
                    Entry(cmd::SortDesktopBlueSky, true, false), Entry(cmd::SortDesktopEggPlant, true, false),
                    Entry(cmd::SortDesktopSunset, true, false), Entry(cmd::SortDesktopDark, true, false)});
  }

  MenuNode ImageManipulation() const {
    bool greyed = Contains(disabled_, cmd::ImageCustomResize);
    auto e = [&](CommandId id) { return Entry(id, true, greyed); };
    return Submenu(L"Image Manipulation", 12,
                   {e(cmd::ImageCustomResize), Separator(), e(cmd::ImageResize25), e(cmd::ImageResize50),
                    e(cmd::ImageResize75), Separator(), e(cmd::ImageResize25Jpeg), e(cmd::ImageResize50Jpeg),
                    e(cmd::ImageResize75Jpeg), Separator(), e(cmd::ImageConvertJpeg), Separator(), e(cmd::ImageLogo)});
  }

  MenuNode ImageAlbum() const {
    bool greyed = Contains(disabled_, cmd::AlbumCustom);
    std::vector<MenuNode> items{Entry(cmd::AlbumCustom, true, greyed), Separator()};
    for (CommandId id = cmd::AlbumWallet; id <= cmd::AlbumFourPhoto; ++id) items.push_back(Entry(id, true, greyed));
    return Submenu(L"Image Album", 11, std::move(items));
  }

  // Separator, "Settings" and "Help": the end of every shape.
  void AppendTail(std::vector<MenuNode>& items) const {
    items.push_back(Separator());
    items.push_back(Entry(cmd::Settings));
    items.push_back(Submenu(L"Help", 19, {Entry(cmd::HelpContents), Entry(cmd::About)}));
  }

  std::vector<MenuNode> Full() const {
    std::vector<MenuNode> favorites{Entry(cmd::ManageFavorites)};
    AppendFavorites(favorites);
    std::vector<MenuNode> items{Submenu(L"Favorites", 21, std::move(favorites)), Organize()};
    if (!Contains(disabled_, cmd::SortDesktopCustom)) items.push_back(SortDesktop());
    items.push_back(Submenu(L"List of Files", 9,
                            {Entry(cmd::ListDetailed), Entry(cmd::ListDetailedFullPath), Separator(),
                             Entry(cmd::ListSimple), Entry(cmd::ListSimpleFullPath)}));
    items.push_back(Submenu(L"Security", 17, {Entry(cmd::Encrypt), Entry(cmd::Decrypt)}));
    items.push_back(Submenu(L"Split and Join", 31, {Entry(cmd::Split), Entry(cmd::Join)}));
    auto r = [&](CommandId id) { return Entry(id, true); };
    items.push_back(Submenu(L"Rename", 16,
                            {r(cmd::RenameFindReplace), r(cmd::RenameAutoNum), r(cmd::RenameAlphabetize),
                             r(cmd::RenameAppend), Separator(), r(cmd::RenameAutoNumAppend),
                             r(cmd::RenameAlphabetizeAppend), Separator(), r(cmd::RenameSameName), Separator(),
                             r(cmd::RenameTruncate)}));
    items.push_back(ImageManipulation());
    items.push_back(ImageAlbum());
    AppendTail(items);
    return items;
  }

  std::vector<MenuNode> FavoritesOnly() const {
    std::vector<MenuNode> items{Entry(cmd::ManageFavorites)};
    AppendFavorites(items);
    AppendTail(items);
    return items;
  }

  std::vector<MenuNode> DesktopBackground() const {
    std::vector<MenuNode> items{SortDesktop()};
    AppendTail(items);
    return items;
  }

 private:
  const std::vector<CommandId>& disabled_;
  const MenuContext& context_;
};

}  // namespace

std::vector<CommandId> ComputeDisabledCommands(const PathViews& selection, const DesktopFolders& desktop,
                                               const KnownAttributes& known) {
  std::vector<CommandId> disabled;
  if (selection.empty()) return disabled;

  std::wstring parent = ParentFolder(std::wstring(selection.front()));
  if (parent != desktop.user && parent != desktop.common)
    AddAll(disabled, {cmd::SortDesktopCustom, cmd::SortDesktopRedo, cmd::SortDesktopBlueSky, cmd::SortDesktopDark,
                      cmd::SortDesktopEggPlant, cmd::SortDesktopSunset});
  if (IsRootFolder(parent)) disabled.push_back(cmd::MoveFilesUp);

  // Only the folder flag and the extension count: never enumerate a folder here. Asking the disk costs
  // a round trip per path, so the attributes the shell already holds come first.
  bool allFolders = true, allImages = true, allJpeg = true, allEncrypted = true;
  NetworkPathTest onNetwork;
  for (size_t i = 0; i < selection.size(); ++i) {
    std::wstring_view path = selection[i];
    bool isFile = false;
    if (i < known.size() && known[i]) {
      isFile = !(known[i] & FILE_ATTRIBUTE_DIRECTORY);
    } else if (onNetwork(path)) {
      // A share may be slow or offline, and the right-click must not wait for it: a name with an
      // extension counts as a file. The command itself finds out.
      isFile = !PathExtension(path).empty();
    } else {
      DWORD attributes = GetFileAttributesW(std::wstring(path).c_str());
      isFile = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    if (!isFile) {
      allImages = allJpeg = false;
      continue;
    }
    allFolders = false;
    std::wstring extension = PathExtension(path);
    if (extension == L"jpg" || extension == L"jpeg") {
    } else if (extension == L"tif" || extension == L"bmp" || extension == L"tiff" || extension == L"png" ||
               extension == L"gif") {
      allJpeg = false;
    } else {
      allImages = allJpeg = false;
    }
    if (extension != L"qxenc") allEncrypted = false;
  }
  if (!allFolders) disabled.push_back(cmd::ExtractFromFolder);
  if (!allJpeg) disabled.push_back(cmd::AlbumCustom);
  if (!allImages)
    AddAll(disabled, {cmd::ImageCustomResize, cmd::ImageResize25, cmd::ImageResize50, cmd::ImageResize75,
                      cmd::ImageResize25Jpeg, cmd::ImageResize50Jpeg, cmd::ImageResize75Jpeg, cmd::ImageConvertJpeg,
                      cmd::ImageLogo});
  if (!allEncrypted) disabled.push_back(cmd::Decrypt);
  if (selection.size() == 1) disabled.push_back(cmd::RenameSameName);
  return disabled;
}

MenuNode BuildMenu(const PathViews& selection, const MenuContext& context, const KnownAttributes& known) {
  std::vector<CommandId> disabled;
  if (context.mode != MenuMode::DesktopBackground)
    disabled = ComputeDisabledCommands(selection, context.desktop, known);
  MenuBuilder builder(disabled, context);
  std::vector<MenuNode> items;
  switch (context.mode) {
    case MenuMode::Full: items = builder.Full(); break;
    case MenuMode::FavoritesOnly: items = builder.FavoritesOnly(); break;
    case MenuMode::DesktopBackground: items = builder.DesktopBackground(); break;
  }
  return Submenu(L"Brivane", kProductIconSlot, std::move(items));
}

std::wstring MenuText(CommandId id, bool shortText) {
  const wchar_t* label = CommandLabel(id);
  std::wstring text = label ? label : L"";
  if (shortText) {
    size_t dash = text.find(L" - ");
    if (dash != std::wstring::npos) text.erase(0, dash + 3);
  }
  if (text.size() > kMaxMenuText) text.resize(kMaxMenuText);
  return text;
}

namespace {
// A path is data, not a label: every "&" is doubled so that the menu shows it instead of underlining the
// character after it.
std::wstring EscapeAmpersands(std::wstring_view text) {
  std::wstring menu;
  for (wchar_t c : text) {
    menu.push_back(c);
    if (c == L'&') menu.push_back(c);
  }
  return menu;
}
}  // namespace

std::wstring MenuTextForPath(const std::wstring& path) {
  std::wstring whole = EscapeAmpersands(path);
  if (whole.size() <= kMaxMenuText) return whole;
  // Keep the root (the drive, or the server of a network path) and as much of the end as fits: the end
  // names the folder. A doubled "&" is never cut in half.
  size_t root = path.find(L'\\', path.compare(0, 2, L"\\\\") == 0 ? 2 : 0);
  size_t head = (root == std::wstring::npos || root > 64) ? 0 : root + 1;
  std::wstring front = EscapeAmpersands(std::wstring_view(path).substr(0, head)) + L"...";
  size_t used = front.size(), tail = path.size();
  for (; tail > head; --tail) {
    size_t width = path[tail - 1] == L'&' ? 2 : 1;
    if (used + width > kMaxMenuText) break;
    used += width;
  }
  return front + EscapeAmpersands(std::wstring_view(path).substr(tail));
}

namespace {
void AppendTree(const MenuNode& node, int depth, std::wstring& out) {
  out.append(size_t(depth) * 2, L' ');
  if (node.kind == MenuNode::Kind::Separator) {
    out += L"---\n";
    return;
  }
  out += node.text;
  if (node.kind == MenuNode::Kind::Submenu) out += L" >";
  if (node.greyed) out += L" [greyed]";
  out += L"\n";
  for (const MenuNode& child : node.children) AppendTree(child, depth + 1, out);
}
}  // namespace

std::wstring MenuTreeText(const MenuNode& root) {
  std::wstring out;
  AppendTree(root, 0, out);
  return out;
}
