#pragma once
// What the rename dialogs share: their common controls, the preview text, the start number box and the
// refusals they show through the program's message box, parented to the dialog.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "atl/DialogImpl.h"

// Registers the list view and up-down classes the templates use; call before making a dialog.
void UseRenameControls();

// Moves the keyboard focus to the control as the dialog manager does (default button kept right).
void FocusItem(const CDialogWindow& dialog, int id);

// Writes "Before: filename.ext\r\nAfter: <after>" into the preview text (277).
void ShowRenamePreview(const CDialogWindow& dialog, const std::wstring& after);

// "A file name cannot contain any of the following characters: ..." under "File Name Validation".
void RefuseFileName(const CDialogWindow& dialog);

// Reads the prefix (216) and the postfix (215) into the arguments when both are acceptable (each may be
// empty); otherwise refuses them with the file-name message and leaves the arguments alone.
bool TakeAffixes(const CDialogWindow& dialog, std::wstring& prefix, std::wstring& postfix);

// The start number box (213) with its up-down (242): 0 to 32767, showing "1".
void SetUpStartNumber(const CDialogWindow& dialog);
// Reads the start number for a batch of count items. A text that is no number is refused with "Please
// Enter a Valid Number" and the box and the number go back to 1; a number whose later values would not
// fit the 7-character number field is refused with the range that fits. True when the number is taken.
bool TakeStartNumber(const CDialogWindow& dialog, size_t count, int32_t& number);
