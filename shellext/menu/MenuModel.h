#pragma once
// The Brivane menu as data: which commands are greyed for a selection and the shape of the menu in
// each mode. No windows and no folder enumeration, so it is cheap to build and easy to test.
#include <windows.h>

#include <string>
#include <vector>

#include "base/CommandId.h"
#include "base/PathList.h"
#include "shellext/settings/DesktopFolders.h"

enum class MenuMode { Full, FavoritesOnly, DesktopBackground };

// Everything besides the selection that shapes the menu.
struct MenuContext {
  MenuMode mode = MenuMode::Full;
  std::vector<CommandId> favorites;
  PathList recentCopy;  // newest first
  PathList recentMove;
  bool hasStoredSort = false;
  DesktopFolders desktop;
};

struct MenuNode {
  enum class Kind { Command, Separator, Submenu };
  Kind kind = Kind::Separator;
  CommandId command = 0;  // for Kind::Command
  std::wstring text;      // menu text, at most 255 characters
  int iconSlot = 0;
  bool greyed = false;
  std::vector<MenuNode> children;  // for Kind::Submenu
};

// The file attributes of the selected paths that the shell already holds, in selection order; 0 (or
// no entry at all) where it holds none, and then the disk is asked. Only the folder flag is read.
using KnownAttributes = std::vector<DWORD>;

// Commands shown greyed for this selection (empty in desktop background mode).
std::vector<CommandId> ComputeDisabledCommands(const PathViews& selection, const DesktopFolders& desktop,
                                               const KnownAttributes& known = {});

// The popup behind the "Brivane" entry.
MenuNode BuildMenu(const PathViews& selection, const MenuContext& context, const KnownAttributes& known = {});


// A command's text: inside a short-text submenu (Rename, Image Manipulation, Image Album, Sort Desktop)
// the label after its first " - ", elsewhere the whole label.
std::wstring MenuText(CommandId id, bool shortText);

// A folder path as a menu entry shows it: every "&" doubled so that none is a mnemonic, and fitted to
// 255 characters of menu text, keeping the drive and the end.
std::wstring MenuTextForPath(const std::wstring& path);

// One line per entry, two spaces of indent per level, "---" for separators, " >" after submenus and
// " [greyed]" after greyed entries.
std::wstring MenuTreeText(const MenuNode& root);
