#pragma once
// Working the rename dialogs from a driver thread: their boxes, buttons, order list and focus.
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

// The texts of the order list's rows, top to bottom, and the selected row.
std::vector<std::wstring> Rows(HWND dialog);
int SelectedRow(HWND dialog);
void SelectRow(HWND dialog, int row);
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
