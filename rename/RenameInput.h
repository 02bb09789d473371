#pragma once
// What the rename dialogs accept from the user, the messages they refuse it with, and the previews they
// show on a sample name. No window needed.
#include <cstdint>
#include <string>
#include <string_view>

namespace rename_text {
extern const wchar_t kSearchEmpty[];       // "Search text is empty, enter text in order to continue."
extern const wchar_t kFindReplaceError[];  // its caption
extern const wchar_t kInvalidFileName[];   // "A file name cannot contain any of the following characters: ..."
extern const wchar_t kFileNameValidation[];  // its caption
extern const wchar_t kInvalidNumber[];     // "Please Enter a Valid Number"
extern const wchar_t kRenameCaption[];     // "Brivane - Rename"
}  // namespace rename_text

// A text to search for in names: not empty, none of the characters no file name may hold.
bool IsValidSearchText(std::wstring_view text);
// A text to put into names: not empty, not beginning with a space, none of those characters.
bool IsValidNamePart(std::wstring_view text);
// Prefix and postfix as the append styles take them: each may be empty, otherwise a valid name part.
bool AreValidAffixes(std::wstring_view prefix, std::wstring_view postfix);

// Reads a start number as a stream reads a 32-bit signed decimal: leading white space and a sign
// accepted, reading stops at the first character that is not a digit ("12ab" gives 12). False when
// there are no digits or the value does not fit.
bool ReadStartNumber(const std::wstring& text, int32_t& number);

// The preview's sample and the preview text "Before: filename.ext\r\nAfter: <after>", at most 1023 characters.
extern const wchar_t kPreviewSample[];
std::wstring RenamePreview(const std::wstring& after);

// The sample's new name under each style that shows a preview.
std::wstring AppendPreviewName(const std::wstring& prefix, const std::wstring& postfix);
std::wstring AlphabetizeAppendPreviewName(const std::wstring& prefix, const std::wstring& postfix);
std::wstring AutonumberAppendPreviewName(const std::wstring& prefix, const std::wstring& numberText,
                                         const std::wstring& postfix);
// The sample kept whole when the count is not a number or would cut every character, as the rename would.
std::wstring TruncatePreviewName(bool countIsNumber, int32_t count, bool fromBeginning, bool includeExtension);
