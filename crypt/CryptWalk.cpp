#include "crypt/CryptWalk.h"

#include <windows.h>

#include <algorithm>

#include "base/Trace.h"
#include "fileops/DirectoryWalk.h"
#include "fileops/FileMachine.h"
#include "fileops/FileStream.h"

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
  std::sort(walked.begin(), walked.end());
  return walked;
}

namespace {

// Checks the item, which will end up at `encrypted`, and everything inside it; false once a name is
// found that does not fit.
bool CheckTree(const std::wstring& path, const std::wstring& encrypted, EncryptionCheck& check) {
  if (encrypted.size() >= MAX_PATH) {
    check.tooLong = path;
    return false;
  }
  DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return true;
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    check.openInside = check.openInside || OpenElsewhere(path);
    return true;
  }
  PathList entries;
  MakeListInDir(path, entries);
  for (const std::wstring& entry : entries) {
    // A link inside is not encrypted but moves along with its folder under its own name.
    std::wstring name = SplitPath(entry).name;
    std::wstring moved = encrypted + L"\\" + name + (IsLink(entry) ? L"" : kEncryptedExtension);
    if (!CheckTree(entry, moved, check)) return false;
  }
  return true;
}

}  // namespace

EncryptionCheck CheckEncryption(const std::wstring& item) {
  EncryptionCheck check;
  CheckTree(item, item + kEncryptedExtension, check);
  return check;
}

std::wstring DecryptedPath(const std::wstring& item) {
  const size_t extension = std::wstring(kEncryptedExtension).size();
  if (item.size() < extension) return L"";
  std::wstring plain = StoredPath(item.substr(0, item.size() - extension));
  return plain.empty() || plain.back() == L'\\' ? L"" : plain;
}

int32_t BarPosition(double position) { return int32_t(std::clamp(position, 0.0, 100.0)); }

std::wstring OverwriteQuestion(const std::wstring& path, const wchar_t* state, bool spaceAfterPath) {
  return L"The file or directory : " + path + (spaceAfterPath ? L" " : L"") + L"Already exist in its " + state +
         L" version.\nDo you want to overwrite?\n(Be careful... this might be a directory and its content will be "
         L"delivered to the recycle bin)";
}
