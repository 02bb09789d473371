#pragma once
// What the imaging dialogs share: their common controls, the "Output" group (a check box for a
// separate folder and the folder's name), and the refusals they show through the program's message box.
#include <windows.h>

#include <string>

#include "atl/DialogImpl.h"

extern const wchar_t kInvalidFolderNameText[];  // "Please Enter a Valid Folder Name"
extern const wchar_t kImageResizeCaption[];     // "Brivane - Image Resize"

// Registers the track bar and up-down classes the templates use; call before making a dialog.
void UseImagingControls();

// Moves the keyboard focus to the control as the dialog manager does.
void FocusControl(const CDialogWindow& dialog, int id);
void EnableControl(const CDialogWindow& dialog, int id, bool enabled);
bool IsChecked(const CDialogWindow& dialog, int id);
void SetChecked(const CDialogWindow& dialog, int id, bool checked);

// The "Output" group (311, 201): the check box, the name, and the name's box enabled with the check.
void ShowOutputChoice(const CDialogWindow& dialog, bool separateFolder, const std::wstring& folderName);
void FollowOutputCheck(const CDialogWindow& dialog);
// The folder name the operation gets: the typed name when the box is ticked and the name passes the
// folder-name rule, empty when it is not ticked. False, after "Please Enter a Valid Folder Name", when
// the ticked name does not pass.
bool TakeOutputFolder(const CDialogWindow& dialog, std::wstring& folderName);

// A signed whole number from the box; false when its text is no number.
bool ReadNumber(const CDialogWindow& dialog, int id, int& value);
