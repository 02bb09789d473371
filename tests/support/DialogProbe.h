#pragma once
// Working a dialog from a driver thread: its boxes, buttons, lists and focus, read and set across threads.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/WindowDriver.h"

// Shows the dialog modally while drive(window) works it from another thread; returns DoModal's answer.
// A dialog the drive leaves open is cancelled, so that a failing test ends.
template <class Dialog>
INT_PTR RunDriven(Dialog& dialog, const std::wstring& caption, std::function<void(HWND)> drive);

// Sends the control's command to the dialog and returns once the dialog has handled it (for the buttons
// whose handlers do not start an operation).
void Command(HWND dialog, int id);
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

// Calls drive, then cancels the dialog if it is still shown after the wait.
void DriveThenClose(HWND window, const std::function<void(HWND)>& drive);

template <class Dialog>
INT_PTR RunDriven(Dialog& dialog, const std::wstring& caption, std::function<void(HWND)> drive) {
  WindowDriver driver(caption, [drive](HWND window) { DriveThenClose(window, drive); });
  INT_PTR answer = dialog.DoModal(nullptr);
  driver.join();
  return driver.found() ? answer : -2;
}
