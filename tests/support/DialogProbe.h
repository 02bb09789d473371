#pragma once
// Working a dialog from a driver thread: its boxes, buttons, lists and focus, read and set across threads.
#include <windows.h>

#include <string>
#include <vector>

void SetText(HWND dialog, int id, const std::wstring& text);
std::wstring Text(HWND dialog, int id);
// The control of the dialog's thread that has the keyboard focus.
HWND FocusOf(HWND dialog);
bool Checked(HWND dialog, int id);

// The texts of a list view's rows (first column), top to bottom; its selected row; selecting one row.
std::vector<std::wstring> ListRows(HWND dialog, int id);
int SelectedListRow(HWND dialog, int id);
void SelectListRow(HWND dialog, int id, int row);
// The combo box's entries.
std::vector<std::wstring> ComboEntries(HWND dialog, int id);

// How the one column of a report list sits in the list: its width, the list's client width, and the
// width the widest row's text takes in the list's font.
struct ColumnFit {
  int column = 0;
  int client = 0;
  int widestText = 0;
};
ColumnFit ReadColumnFit(HWND dialog, int id);
