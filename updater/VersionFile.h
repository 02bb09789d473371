#pragma once
// The version file on the product's web host, and version numbers.
//
// The file is 8-bit text, each byte one character, read as text: a carriage return directly before a
// line feed counts as the line feed. Every installed version reads its first three lines:
//   1  BrivaneVersionUpdateFile            exactly, nothing before or after it
//   2  the version and one more character   the value is the line without its last character
//   3  the installer's URL and one more character, read the same way
// Further lines are ignored by older updaters. Line 4 carries the maker's signature of the release
// (updater/InstallerSignature.h), which this updater requires before it starts an installer.
#include <cstdint>
#include <string>
#include <string_view>

inline constexpr char kVersionFileMarker[] = "BrivaneVersionUpdateFile";

struct VersionFile {
  std::wstring version;
  std::wstring installerUrl;
  std::wstring signature;  // line 4 as it stands, without its line end; empty when there is none
};

// False when line 1 is not the marker or line 2 or 3 is missing or empty. Fields already read stay set.
bool ParseVersionText(std::string_view bytes, VersionFile& file);
// The same for a file, opened so that others may go on reading and writing it. False when it cannot
// be read or is larger than any version file.
bool ParseVersionFile(const std::wstring& path, VersionFile& file);

struct Version {
  int32_t major = 0;
  int32_t minor = 0;
  int32_t build = 0;
};

// Three numbers separated by ".". Where a point is missing the rest stands in, so "3" reads as 3.3.3
// and "2.5" as 2.5.5. Each part is read as wcstol reads base 10: leading white space and a sign are
// taken, reading stops at the first other character, and a part without digits is 0.
Version ParseVersion(const std::wstring& text);
// Numbers compare as numbers: 2.10.0 is newer than 2.9.5.
bool IsNewer(const Version& candidate, const Version& current);
