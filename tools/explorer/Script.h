#pragma once
// The answers a script gives to the windows a command opens, one step per line:
//   window CAPTION      wait for a top-level window with that caption; the next steps act on it
//   set ID TEXT         set a control's text
//   check ID / uncheck ID
//   select ID INDEX     a row of a list box, combo box or list view
//   click ID            press a button
//   expect ID TEXT      the control's text must read TEXT (line breaks written as \n)
//   shot FILE.png       screenshot of the current window (of the screen before the first window)
//   browse FOLDER       in the system's folder browser (the current window), select that folder
//   pause MS            wait that many milliseconds (at most 10000), e.g. for a window to settle
//   slide ID POSITION   move a track bar, telling its dialog as a drag would
//   key NAME            press a key in the current window (LEFT, RIGHT, UP, DOWN, RETURN, ESCAPE,
//                       TAB, SPACE, F4), as the keyboard would: to the control with the focus
// ID is a control identifier: a number (decimal or 0x…) or IDOK, IDCANCEL, IDYES, IDNO, IDABORT,
// IDRETRY, IDIGNORE. Blank lines and lines starting with # are skipped.
#include <windows.h>

#include <string>
#include <vector>

struct ScriptStep {
  enum class Kind { Window, Set, Check, Uncheck, Select, Click, Expect, Shot, Slide, Key, Pause, Browse };
  Kind kind = Kind::Window;
  int line = 0;
  UINT control = 0;
  int index = 0;      // a row, a track bar position, a key's virtual-key code, or a pause's milliseconds
  std::wstring text;  // caption, text or file
};

struct ParsedScript {
  bool ok = false;
  std::wstring error;  // "line 3: ..."
  std::vector<ScriptStep> steps;
};

ParsedScript ParseScript(const std::wstring& text);

// Reads a UTF-8 script file (a byte-order mark is allowed).
bool ReadTextFile(const std::wstring& path, std::wstring& text, std::wstring& error);

// A control's text as the script compares it: CR LF and LF become the two characters \n.
std::wstring ComparableText(const std::wstring& text);
