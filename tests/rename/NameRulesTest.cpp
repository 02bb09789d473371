#include <gtest/gtest.h>

#include <climits>

#include "rename/NameRules.h"
#include "rename/TemporaryNames.h"
#include "support/FileChecks.h"
#include "support/TestSupport.h"

namespace {

TEST(NameRules, NumbersAreWrittenPlainAndMustFitSevenCharacters) {
  EXPECT_EQ(NumberText(0), L"0");
  EXPECT_EQ(NumberText(-3), L"-3");
  EXPECT_EQ(NumberText(INT32_MIN), L"-2147483648");

  EXPECT_TRUE(NumbersFitField(1, 0));
  EXPECT_TRUE(NumbersFitField(9999999, 1));
  EXPECT_FALSE(NumbersFitField(9999999, 2));
  EXPECT_TRUE(NumbersFitField(9999990, 10));
  EXPECT_FALSE(NumbersFitField(9999990, 11));
  EXPECT_TRUE(NumbersFitField(-999999, 3));
  EXPECT_FALSE(NumbersFitField(-1000000, 1));
  EXPECT_FALSE(NumbersFitField(INT32_MAX, 1));
  EXPECT_FALSE(NumbersFitField(INT32_MIN, 1));
  EXPECT_EQ(NumberFieldMessage(12),
            L"The numbers given to the 12 selected items must fit in 7 characters (a minus sign counts as one).\n"
            L"Enter a start number from -999999 to 9999988.");
}

TEST(NameRules, UsableNamesAndPathKeys) {
  EXPECT_TRUE(IsUsableName(L"a b.txt"));
  EXPECT_TRUE(IsUsableName(L".txt"));
  for (const wchar_t* bad : {L"", L".", L"..", L" . ", L"a:b", L"a\\b", L"a/b", L"a?", L"a|b", L"\"a\""})
    EXPECT_FALSE(IsUsableName(bad)) << Narrow(bad);
  EXPECT_FALSE(IsUsableName(std::wstring(L"a\x1f", 2)));
  int invalid = 0;
  for (wchar_t c = 0; c < 0x80; ++c) invalid += IsInvalidNameCharacter(c);
  EXPECT_EQ(invalid, 41);

  EXPECT_EQ(PathKey(L"C:\\p\\Read.Me."), PathKey(L"c:\\P\\read.me"));
  EXPECT_NE(PathKey(L"C:\\p\\a"), PathKey(L"C:\\p\\b"));
}

TEST(TemporaryNames, DrawsAgainPastNamesAlreadyTaken) {
  TempDir dir;
  // Three names an earlier batch with the same sequence left behind.
  TemporaryNames earlier(42);
  std::vector<std::wstring> left;
  for (int i = 0; i < 3; ++i) left.push_back(earlier.Reserve(dir.path()));

  TemporaryNames names(42);
  std::wstring fresh = names.Reserve(dir.path());
  ASSERT_FALSE(fresh.empty());
  EXPECT_EQ(fresh, dir / earlier.Peek()) << "the fourth name of the sequence";
  for (const std::wstring& path : left) EXPECT_NE(fresh, path);
  std::wstring name = fresh.substr(dir.path().size() + 1);
  EXPECT_EQ(name.size(), 15u);
  EXPECT_EQ(name.substr(0, 3), L"mrv");
  EXPECT_EQ(name.substr(11), L".tmp");
  EXPECT_TRUE(Exists(fresh));  // reserved as an empty file

  EXPECT_EQ(names.Reserve(dir / L"missing"), L"");
  EXPECT_EQ(names.Reserve(dir / std::wstring(250, L'x')), L"");
}

// Deep folders get as many hexadecimal digits as still fit, and never a name the batch needs.
TEST(TemporaryNames, ShorterWhereTheFolderIsDeep) {
  TempDir dir;
  std::wstring path = TemporaryNames(7).Reserve(FolderOfLength(dir, 255));
  EXPECT_EQ(path.size(), 259u);
  EXPECT_EQ(path.substr(256).find_first_not_of(L"0123456789ABCDEF"), std::wstring::npos);
  // One digit: every name but "7" is wanted by the batch.
  TempDir other;
  std::wstring folder = FolderOfLength(other, 257);
  auto wanted = [&](const std::wstring& candidate) { return candidate != folder + L"\\7"; };
  EXPECT_EQ(TemporaryNames(1).Reserve(folder, wanted), folder + L"\\7");
  EXPECT_EQ(TemporaryNames(1).Reserve(folder, wanted), L"");  // "7" is taken now
  EXPECT_EQ(TemporaryNames(1).Reserve(FolderOfLength(other, 258)), L"");  // no room for any name
}

}  // namespace
