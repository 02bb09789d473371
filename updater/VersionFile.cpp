#include "updater/VersionFile.h"

#include <windows.h>

#include <cwchar>
#include <vector>

#include "atl/Handles.h"

namespace {

// No version file comes near this; anything larger is not one.
constexpr DWORD kLargestVersionFile = 1024 * 1024;

// Reads the text line by line as a text-mode stream would: CR LF ends a line as LF does.
class LineReader {
 public:
  explicit LineReader(std::string_view bytes) : bytes_(bytes) {}

  // The next line without its line end, each byte widened to one character; false at the end.
  bool Next(std::wstring& line) {
    line.clear();
    if (at_ >= bytes_.size()) return false;
    while (at_ < bytes_.size()) {
      char c = bytes_[at_++];
      if (c == '\n') break;
      if (c == '\r' && at_ < bytes_.size() && bytes_[at_] == '\n') {
        ++at_;
        break;
      }
      line.push_back(wchar_t(static_cast<unsigned char>(c)));
    }
    return true;
  }

 private:
  std::string_view bytes_;
  size_t at_ = 0;
};

// A line that carries a value and one character after it; false when there is no such line.
bool ReadValue(LineReader& reader, std::wstring& value) {
  std::wstring line;
  if (!reader.Next(line) || line.empty()) return false;
  line.pop_back();
  value = line;
  return true;
}

int32_t ReadNumber(const std::wstring& part) { return int32_t(std::wcstol(part.c_str(), nullptr, 10)); }

// Splits at the first ".": what lies before and after it, or the whole text twice when there is none.
void SplitAtPoint(const std::wstring& text, std::wstring& head, std::wstring& rest) {
  size_t point = text.find(L'.');
  head = point == std::wstring::npos ? text : text.substr(0, point);
  rest = point == std::wstring::npos ? text : text.substr(point + 1);
}

}  // namespace

bool ParseVersionText(std::string_view bytes, VersionFile& file) {
  LineReader reader(bytes);
  std::wstring line;
  static const std::wstring kMarker(std::begin(kVersionFileMarker), std::end(kVersionFileMarker) - 1);
  if (!reader.Next(line) || line != kMarker) return false;
  if (!ReadValue(reader, file.version) || !ReadValue(reader, file.installerUrl)) return false;
  if (reader.Next(line)) file.signature = line;
  return true;
}

bool ParseVersionFile(const std::wstring& path, VersionFile& file) {
  UniqueFile handle(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!handle || !GetFileSizeEx(handle.get(), &size) || size.QuadPart > kLargestVersionFile) return false;
  std::string bytes(size_t(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty() && (!ReadFile(handle.get(), bytes.data(), DWORD(bytes.size()), &read, nullptr) || read != bytes.size()))
    return false;
  return ParseVersionText(bytes, file);
}

Version ParseVersion(const std::wstring& text) {
  std::wstring major, rest, minor, tail;
  SplitAtPoint(text, major, rest);
  SplitAtPoint(rest, minor, tail);
  return {ReadNumber(major), ReadNumber(minor), ReadNumber(tail)};
}

bool IsNewer(const Version& candidate, const Version& current) {
  if (candidate.major != current.major) return candidate.major > current.major;
  if (candidate.minor != current.minor) return candidate.minor > current.minor;
  return candidate.build > current.build;
}
