#include "fileops/NameCharacters.h"

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
