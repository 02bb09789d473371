#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "base/Trace.h"
#include "support/TestSupport.h"
#include "updater/VersionFile.h"

namespace {

struct FileCase {
  const char* what;
  std::string bytes;
  bool read;
  std::wstring version, url, signature;
};

TEST(VersionFile, ReadsItsLinesAsEveryInstalledUpdaterDoes) {
  const FileCase cases[] = {
      {"LF, one character after each value", "BrivaneVersionUpdateFile\n2.3.0 \nhttp://h/a/Setup.exe \n", true,
       L"2.3.0", L"http://h/a/Setup.exe"},
      {"CR LF counts as the line end", "BrivaneVersionUpdateFile\r\n2.3.0 \r\nhttp://h/Setup.exe \r\n", true, L"2.3.0",
       L"http://h/Setup.exe"},
      {"the last character goes whatever it is", "BrivaneVersionUpdateFile\n2.2.1\nhttp://h/Setup.exe\n", true,
       L"2.2.", L"http://h/Setup.ex"},
      {"a CR not before LF is a character", "BrivaneVersionUpdateFile\n2.3.0\r\r\nhttp://h/S.exe\r\r\n", true,
       L"2.3.0", L"http://h/S.exe"},
      {"a last line without its line end", "BrivaneVersionUpdateFile\n2.3.0 \nhttp://h/S.exe ", true, L"2.3.0",
       L"http://h/S.exe"},
      {"line 4 is the signature, later lines are ignored",
       "BrivaneVersionUpdateFile\r\n2.3.0 \r\nhttp://h/S.exe \r\nECDSA-P256 00ff\r\nmore\r\n", true, L"2.3.0",
       L"http://h/S.exe", L"ECDSA-P256 00ff"},
      {"bytes above 127 widen one by one", "BrivaneVersionUpdateFile\n2.3.0\xE9 \nhttp://h/\xFC.exe \n", true,
       L"2.3.0\u00E9", L"http://h/\u00FC.exe"},
      {"the marker with a trailing space", "BrivaneVersionUpdateFile \n2.3.0 \nhttp://h/S.exe \n", false},
      {"the marker in other letters", "brivaneversionupdatefile\n2.3.0 \nhttp://h/S.exe \n", false},
      {"something before the marker", "\xEF\xBB\xBF" "BrivaneVersionUpdateFile\n2.3.0 \nhttp://h/S.exe \n", false},
      {"an empty version line", "BrivaneVersionUpdateFile\n\nhttp://h/S.exe \n", false},
      {"an empty address line", "BrivaneVersionUpdateFile\n2.3.0 \n\n", false, L"2.3.0"},
      {"no address line", "BrivaneVersionUpdateFile\n2.3.0 \n", false, L"2.3.0"},
      {"an error page", "<html><body>404 Not Found</body></html>\n", false},
      {"nothing at all", "", false},
  };
  for (const FileCase& c : cases) {
    SCOPED_TRACE(c.what);
    VersionFile file;
    EXPECT_EQ(ParseVersionText(c.bytes, file), c.read);
    EXPECT_EQ(file.version, c.version);
    EXPECT_EQ(file.installerUrl, c.url);
    EXPECT_EQ(file.signature, c.signature);
  }
}

TEST(VersionFile, IsReadWhileAnotherProgramHoldsItOpenAndRefusedWhenMissingOrHuge) {
  TempDir dir;
  std::wstring path = dir.File(L"QX64.ver", "BrivaneVersionUpdateFile\r\n2.4.1 \r\nhttp://h/S.exe \r\n");
  HANDLE writer = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  VersionFile file;
  EXPECT_TRUE(ParseVersionFile(path, file));
  EXPECT_EQ(file.version, L"2.4.1");
  CloseHandle(writer);

  VersionFile none;
  EXPECT_FALSE(ParseVersionFile(dir / L"absent.ver", none));
  std::string huge = "BrivaneVersionUpdateFile\n2.4.1 \nhttp://h/S.exe \n" + std::string(2 * 1024 * 1024, 'x');
  EXPECT_FALSE(ParseVersionFile(dir.File(L"huge.ver", huge), none));
}

TEST(Version, PartsReadAsTheStandardConversionReadsThem) {
  const struct {
    const wchar_t* text;
    int32_t major, minor, build;
  } cases[] = {
      {L"2.2.0", 2, 2, 0},
      {L"3", 3, 3, 3},  // no points: the whole text stands for every part
      {L"2.5", 2, 5, 5},
      {L"2.2.", 2, 2, 0},
      {L"1.2.3.4", 1, 2, 3},
      {L" 2. +3.-1", 2, 3, -1},
      {L"2a.b.7x", 2, 0, 7},
      {L"", 0, 0, 0},
      {L"99999999999.1.1", INT_MAX, 1, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(trace::ToUtf8(c.text));
    Version version = ParseVersion(c.text);
    EXPECT_EQ(version.major, c.major);
    EXPECT_EQ(version.minor, c.minor);
    EXPECT_EQ(version.build, c.build);
  }
}

TEST(Version, NewerComparesNumbersAsNumbers) {
  const struct {
    const wchar_t *candidate, *current;
    bool newer;
  } cases[] = {
      {L"2.10.0", L"2.9.5", true}, {L"2.2.0", L"2.2.0", false}, {L"2.2.1", L"2.2.0", true},
      {L"2.1.9", L"2.2.0", false}, {L"3", L"2.2.0", true},      {L"2.2.", L"2.2.0", false},
      {L"10.0.0", L"9.9.9", true}, {L"2.3.0", L"10.0.0", false}, {L"2.2.0", L"2.2.1", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(IsNewer(ParseVersion(c.candidate), ParseVersion(c.current)), c.newer)
        << trace::ToUtf8(c.candidate) << " against " << trace::ToUtf8(c.current);
}

}  // namespace
