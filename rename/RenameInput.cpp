#include "rename/RenameInput.h"

#include <sstream>

#include "fileops/FileMachine.h"
#include "rename/NameRules.h"

namespace rename_text {
const wchar_t kSearchEmpty[] = L"Search text is empty, enter text in order to continue.";
const wchar_t kFindReplaceError[] = L"Brivane - Find Replace Error";
const wchar_t kInvalidFileName[] = L"A file name cannot contain any of the following characters:\n\\ / : * ? \" < > |";
const wchar_t kFileNameValidation[] = L"File Name Validation";
const wchar_t kInvalidNumber[] = L"Please Enter a Valid Number";
const wchar_t kRenameCaption[] = L"Brivane - Rename";
}  // namespace rename_text

const wchar_t kPreviewSample[] = L"filename.ext";

namespace {
constexpr size_t kPreviewLimit = 1023;  // a buffer of 1024 wide characters with its terminator

const PathParts& SampleParts() {
  static const PathParts parts{kPreviewSample, L"filename", L"ext", L"", L"filename"};
  return parts;
}
}  // namespace

bool IsValidSearchText(std::wstring_view text) { return !text.empty() && !HasInvalidNameCharacter(text); }

bool IsValidNamePart(std::wstring_view text) {
  return !text.empty() && text.front() != L' ' && !HasInvalidNameCharacter(text);
}

bool AreValidAffixes(std::wstring_view prefix, std::wstring_view postfix) {
  return (prefix.empty() || IsValidNamePart(prefix)) && (postfix.empty() || IsValidNamePart(postfix));
}

bool ReadStartNumber(const std::wstring& text, int32_t& number) {
  std::wistringstream stream(text);
  int32_t value = 0;
  if (!(stream >> value)) return false;
  number = value;
  return true;
}

std::wstring RenamePreview(const std::wstring& after) {
  std::wstring text = std::wstring(L"Before: ") + kPreviewSample + L"\r\nAfter: " + after;
  if (text.size() > kPreviewLimit) text.resize(kPreviewLimit);
  return text;
}

std::wstring AppendPreviewName(const std::wstring& prefix, const std::wstring& postfix) {
  const PathParts& sample = SampleParts();
  return JoinName(prefix + sample.title + postfix, sample.extension);
}

std::wstring AlphabetizeAppendPreviewName(const std::wstring& prefix, const std::wstring& postfix) {
  return JoinName(prefix + L"A" + postfix, SampleParts().extension);
}

std::wstring AutonumberAppendPreviewName(const std::wstring& prefix, const std::wstring& numberText,
                                         const std::wstring& postfix) {
  return JoinName(prefix + numberText + postfix, SampleParts().extension);
}

std::wstring TruncatePreviewName(bool countIsNumber, int32_t count, bool fromBeginning, bool includeExtension) {
  if (!countIsNumber) return kPreviewSample;
  return TruncatedName(SampleParts(), count, fromBeginning, includeExtension).value_or(kPreviewSample);
}
