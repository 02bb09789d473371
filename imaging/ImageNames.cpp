#include "imaging/ImageNames.h"

#include <cmath>

#include "fileops/FileMachine.h"

namespace {
const wchar_t kLabelStart[] = L"_ZintResizer";

std::wstring QualitySuffix(int32_t quality) { return quality >= 0 ? L"Q" + std::to_wstring(quality) : L""; }

std::wstring WithExtension(std::wstring base, const std::wstring& extension) {
  if (!extension.empty()) base += L"." + extension;
  return base;
}
}  // namespace

std::wstring ScaleLabel(double scale, int32_t quality) {
  return kLabelStart + std::to_wstring(std::llround(scale * 100.0)) + L"%" + QualitySuffix(quality);
}

std::wstring SizeLabel(int32_t width, int32_t height, int32_t quality) {
  return kLabelStart + std::to_wstring(width) + L"x" + std::to_wstring(height) + QualitySuffix(quality);
}

std::wstring ResizedPath(const std::wstring& source, const std::wstring& label, const std::wstring& folderName,
                         bool saveAsJpeg) {
  PathParts parts = SplitPath(source);
  std::wstring folder = folderName.empty() ? parts.folder : parts.folder + L"\\" + folderName;
  std::wstring base = folder + L"\\" + parts.title + (folderName.empty() ? label : L"");
  // As JPEG only the file's own extension is replaced: a dot in a folder name is no extension.
  return WithExtension(base, saveAsJpeg ? L"jpg" : parts.extension);
}

std::wstring BatchFolder(const std::wstring& firstPath, const std::wstring& folderName) {
  return SplitPath(firstPath).folder + L"\\" + folderName;
}

const wchar_t* const kLogoPositionTags[kLogoPositions] = {L"TL", L"TC", L"TR", L"ML", L"MC",
                                                           L"MR", L"BL", L"BC", L"BR"};

std::wstring LogoPath(const std::wstring& source, int position, const std::wstring& folderName) {
  PathParts parts = SplitPath(source);
  if (!folderName.empty()) return parts.folder + L"\\" + folderName + L"\\" + parts.name;
  const wchar_t* tag = kLogoPositionTags[position >= 0 && position < kLogoPositions ? position : 0];
  return WithExtension(parts.pathWithoutExtension + L"_plus_logo_" + tag, parts.extension);
}

bool IsValidFolderName(const std::wstring& name) {
  if (name.empty() || name[0] == L' ') return false;
  for (wchar_t c : name)
    if (c < 0x20 || c == L'"' || c == L'<' || c == L'>' || c == L'|' || c == L':' || c == L'*' || c == L'?' ||
        c == L'\\' || c == L'/')
      return false;
  return name.find_first_not_of(L". ") != std::wstring::npos;
}
