#include "fileops/NameCharacters.h"

#include "base/Prompt.h"

bool IsInvalidNameCharacter(wchar_t c) {
  return c < 0x20 || c == L'"' || c == L'<' || c == L'>' || c == L'|' || c == L':' || c == L'*' || c == L'?' ||
         c == L'\\' || c == L'/';
}

bool HasInvalidNameCharacter(std::wstring_view text) {
  for (wchar_t c : text)
    if (IsInvalidNameCharacter(c)) return true;
  return false;
}

NameProblem CheckNewName(std::wstring_view name, bool folder) {
  if (name.empty()) return NameProblem::Empty;
  if (HasInvalidNameCharacter(name) || (folder && name.front() == L' ') ||
      name.find_first_not_of(L". ") == std::wstring_view::npos)
    return NameProblem::Invalid;
  return NameProblem::None;
}

bool AcceptNewName(HWND owner, std::wstring_view name, bool folder) {
  switch (CheckNewName(name, folder)) {
    case NameProblem::Empty:
      Prompt(owner, folder ? L"Cannot Enter Empty Folder Name" : L"Cannot Enter Empty FileName",
             folder ? L"Folder Name Validation" : L"FileName Validation", MB_OK);
      return false;
    case NameProblem::Invalid:
      Prompt(owner,
             folder ? L"A folder name cannot contain any of the following characters:\n\\ / : * ? \" < > |"
                    : L"A file name cannot contain any of the following characters:\n\\ / : * ? \" < > |",
             folder ? L"Folder Name Validation" : L"File Name Validation", MB_OK);
      return false;
    case NameProblem::None:
      break;
  }
  return true;
}
