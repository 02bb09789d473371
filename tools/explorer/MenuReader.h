#pragma once
// A context menu read back from its HMENU as a user sees it. Entries are MenuNode values (the shape the
// menu model prints with MenuTreeText); here `command` holds the entry's menu identifier.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "shellext/menu/MenuModel.h"

// Called before a submenu is read, as the menu would announce it when it opens (WM_INITMENUPOPUP).
using SubmenuOpening = std::function<void(HMENU submenu, UINT position)>;

std::vector<MenuNode> ReadMenu(HMENU menu, const SubmenuOpening& opening = nullptr);

// What a user reads: "&Open" -> "Open", "&&" -> "&".
std::wstring WithoutMnemonics(const std::wstring& text);

// Drops the separators a user does not see: leading, trailing and repeated ones.
void TidySeparators(std::vector<MenuNode>& entries);

// One line per entry (MenuTreeText for each).
std::wstring MenuLines(const std::vector<MenuNode>& entries);

// The entry at the path of captions; on failure null and the reason, naming what the level holds.
struct MenuPathStep {
  const MenuNode* node = nullptr;
  int selectable = 0;  // entries before it at its level that the keyboard stops at (all but separators)
};
bool FindMenuPath(const std::vector<MenuNode>& entries, const std::vector<std::wstring>& path,
                  std::vector<MenuPathStep>& steps, std::wstring& error);
