#pragma once
#include <string>
#include <string_view>

// Strips trailing backslashes, then cuts at the last backslash, or just after the last colon:
// C:\a\b.txt -> C:\a, C:\a -> C:, a name with neither -> empty. A root is its own parent: C:\ -> C:,
// \\server\share -> \\server\share, and the long forms \\?\C:\ and \\?\UNC\server\share alike.
std::wstring ParentFolder(const std::wstring& path);

// A folder with no folder above it: a drive (C:, C:\), a share (\\server\share), their long forms
// (\\?\C:, \\?\UNC\server\share), and a bare name.
bool IsRootFolder(const std::wstring& folder);

// Two paths, or parts of paths, that name the same as the file system compares names: ordinal, with
// case ignored.
bool SamePathText(std::wstring_view a, std::wstring_view b);

// A path on a network share, by its form (\\server\share, \\?\UNC\...) or its drive's type (a mapped
// drive). Asks nothing of the share itself.
bool IsNetworkPath(std::wstring_view path);

// The same for many paths: each drive's type is asked once per test, and the system is asked at most
// once every few seconds per drive for the whole process (its answer costs a round trip).
class NetworkPathTest {
 public:
  bool operator()(std::wstring_view path);

 private:
  enum Known : unsigned char { Unknown, Local, Remote };
  Known drives_[26] = {};
};
