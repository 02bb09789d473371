#include "crypt/CryptWalk.h"

#include <windows.h>

#include <algorithm>

#include "base/Trace.h"
#include "fileops/DirectoryWalk.h"

const wchar_t kEncryptedExtension[] = L".qxenc";

PathList EntriesToWalk(const std::wstring& folder) {
  PathList entries, walked;
  MakeListInDir(folder, entries);
  for (std::wstring& entry : entries) {
    if (IsLink(entry))
      trace::Write(L"EntriesToWalk: Link not followed: ", entry);
    else
      walked.push_back(std::move(entry));
  }
  return walked;
}

int32_t BarPosition(double position) { return int32_t(std::clamp(position, 0.0, 100.0)); }

std::wstring OverwriteQuestion(const std::wstring& path, const wchar_t* state, bool spaceAfterPath) {
  return L"The file or directory : " + path + (spaceAfterPath ? L" " : L"") + L"Already exist in its " + state +
         L" version.\nDo you want to overwrite?\n(Be careful... this might be a directory and its content will be "
         L"delivered to the recycle bin)";
}
