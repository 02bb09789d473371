#pragma once
// The stand-in's command line. Other tools and the tests rely on it; README.md documents it.
#include <windows.h>

#include <string>
#include <vector>

struct ExplorerOptions {
  std::wstring folder;               // --folder: the folder the window shows
  std::vector<std::wstring> select;  // --select: names to select, in this order
  bool background = false;           // --background: a click on the folder's background
  bool withFolder = false;           // --with-folder: item menus also get the folder, as some Explorers pass it
  bool menu = false;                 // --menu: print the handlers' menu
  std::vector<std::wstring> invoke;  // --invoke: the menu path of the entry to invoke
  std::wstring script;               // --script: answers for the windows the command opens
  std::wstring shot;                 // --shot: screenshot of the open menu
  std::vector<std::wstring> open;    // --open: the menu path highlighted in the screenshot
  bool hasFlags = false;             // --flags: the CMF_ flags for QueryContextMenu instead of the usual ones
  UINT flags = 0;
  bool help = false;

  // Scripted runs print, invoke or capture and then end; otherwise the window stays open for the user.
  bool Scripted() const { return menu || !invoke.empty() || !shot.empty(); }
};

struct ParsedOptions {
  bool ok = false;
  std::wstring error;  // what was wrong, for the user
  ExplorerOptions options;
};

ParsedOptions ParseOptions(const std::vector<std::wstring>& args);

// "a;b;;c" -> a, b, c: empty parts are dropped, the others kept as written.
std::vector<std::wstring> SplitNames(const std::wstring& text);

// "Brivane > Organize>Copy Path" -> Brivane, Organize, Copy Path: parts trimmed of spaces.
std::vector<std::wstring> SplitMenuPath(const std::wstring& text);

std::wstring JoinMenuPath(const std::vector<std::wstring>& path);

extern const wchar_t kUsage[];
