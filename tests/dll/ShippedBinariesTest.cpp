// What the installer ships: each binary stripped of its debug information (kept in build\symbols),
// each with the product's version resource, and the library with its common-controls manifest.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BrivaneVersion.h"
#include "support/Programs.h"
#include "support/TestSupport.h"

namespace {

const wchar_t* const kShipped[] = {L"Brivane.dll", L"BrivaneSetupHelper.exe", L"BrivaneDecrypt.exe",
                                    L"BrivaneUpdater.exe"};

std::wstring VersionString(const std::vector<BYTE>& info, const wchar_t* name) {
  void* text = nullptr;
  UINT length = 0;
  std::wstring key = std::wstring(L"\\StringFileInfo\\040904b0\\") + name;
  if (!VerQueryValueW(info.data(), key.c_str(), &text, &length) || !length) return L"<none>";
  return static_cast<const wchar_t*>(text);
}

// The names of the image's sections; long names (".debug_info") are read from the string table.
std::vector<std::string> SectionNames(const std::wstring& path) {
  std::string image = ReadBytes(path);
  std::vector<std::string> names;
  if (image.size() < 0x40) return names;
  auto at = [&](size_t offset, size_t size) {
    uint64_t value = 0;
    for (size_t i = 0; i < size && offset + i < image.size(); ++i) value |= uint64_t(uint8_t(image[offset + i])) << (8 * i);
    return value;
  };
  size_t header = at(0x3C, 4);
  size_t count = at(header + 6, 2), symbols = at(header + 12, 4), symbolCount = at(header + 16, 4);
  size_t table = header + 24 + at(header + 20, 2);
  for (size_t i = 0; i < count; ++i) {
    std::string name = image.substr(table + 40 * i, 8);
    name = name.substr(0, name.find('\0'));
    if (name.size() > 1 && name[0] == '/') {  // "/offset" into the string table after the symbols
      size_t strings = symbols + 18 * symbolCount + std::stoul(name.substr(1));
      name = image.substr(strings, image.find('\0', strings) - strings);
    }
    names.push_back(name);
  }
  return names;
}

bool HasSection(const std::vector<std::string>& names, const std::string& prefix) {
  for (const std::string& name : names)
    if (name.compare(0, prefix.size(), prefix) == 0) return true;
  return false;
}

TEST(ShippedBinaries, AreStrippedWithTheirDebugInformationKeptAndCarryTheVersion) {
  for (const wchar_t* name : kShipped) {
    SCOPED_TRACE(Narrow(name));
    std::wstring shipped = BuildFolder() + L"\\ship\\" + name;
    std::vector<std::string> sections = SectionNames(shipped);
    ASSERT_FALSE(sections.empty());
    EXPECT_FALSE(HasSection(sections, ".debug"));
    EXPECT_TRUE(HasSection(sections, ".gnu_debuglink"));
    EXPECT_TRUE(HasSection(SectionNames(BuildFolder() + L"\\symbols\\" + name + L".debug"), ".debug_info"));

    DWORD size = GetFileVersionInfoSizeW(shipped.c_str(), nullptr);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(shipped.c_str(), 0, size, info.data()));
    EXPECT_EQ(VersionString(info, L"ProductName"), L"Brivane");
    EXPECT_EQ(VersionString(info, L"ProductVersion"), BRIVANE_VERSION_TEXT);
    EXPECT_EQ(VersionString(info, L"OriginalFilename"), name);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwProductVersionMS, DWORD(BRIVANE_VERSION_MAJOR << 16 | BRIVANE_VERSION_MINOR));
    EXPECT_EQ(fixed->dwProductVersionLS, DWORD(BRIVANE_VERSION_BUILD << 16));
  }
}

TEST(ShippedBinaries, TheLibraryNamesTheVersion6CommonControlsAndTheProgramsAskForAdministrators) {
  auto manifest = [](const std::wstring& path, WORD id) {
    HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    std::string text;
    if (HRSRC found = module ? FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(24)) : nullptr)
      text.assign(static_cast<const char*>(LockResource(LoadResource(module, found))), SizeofResource(module, found));
    if (module) FreeLibrary(module);
    return text;
  };
  std::string library = manifest(BuildFolder() + L"\\ship\\Brivane.dll", 2);
  EXPECT_NE(library.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos) << library;
  for (const wchar_t* program : {L"BrivaneSetupHelper.exe", L"BrivaneDecrypt.exe"})
    EXPECT_NE(manifest(BuildFolder() + L"\\ship\\" + program, 1).find("level=\"requireAdministrator\""), std::string::npos);
  // The updater runs as the user at every automatic check; the installer it starts asks for itself.
  EXPECT_NE(manifest(BuildFolder() + L"\\ship\\BrivaneUpdater.exe", 1).find("level=\"asInvoker\""), std::string::npos);
}

}  // namespace
