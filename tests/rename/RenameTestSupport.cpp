#include "RenameTestSupport.h"

bool HasScratchNames(const std::wstring& folder) {
  for (const std::wstring& name : NamesIn(folder))
    if (name.rfind(L"mrv", 0) == 0 && name.size() > 4 && name.substr(name.size() - 4) == L".tmp") return true;
  return false;
}
