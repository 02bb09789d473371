// What the rename dialogs accept and the previews they show, without a window.
#include <gtest/gtest.h>

#include <climits>

#include "rename/RenameInput.h"
#include "support/TestSupport.h"

namespace {

TEST(RenameInput, SearchTextsMayBeginWithASpaceButNamePartsMayNot) {
  EXPECT_TRUE(IsValidSearchText(L" a"));
  EXPECT_FALSE(IsValidNamePart(L" a"));
  EXPECT_TRUE(IsValidNamePart(L"a "));
  for (const wchar_t* bad : {L"", L"a:b", L"a*", L"?", L"a\\b", L"a/b", L"<a>", L"a|b", L"\"a\""}) {
    EXPECT_FALSE(IsValidSearchText(bad)) << Narrow(bad);
    EXPECT_FALSE(IsValidNamePart(bad)) << Narrow(bad);
  }
  EXPECT_FALSE(IsValidNamePart(std::wstring(L"a\tb")));

  EXPECT_TRUE(AreValidAffixes(L"", L""));
  EXPECT_TRUE(AreValidAffixes(L"x_", L""));
  EXPECT_TRUE(AreValidAffixes(L"", L"_y"));
  EXPECT_FALSE(AreValidAffixes(L" x", L""));
  EXPECT_FALSE(AreValidAffixes(L"", L"a|b"));
}

TEST(RenameInput, StartNumbersAreReadAsAStreamReadsThem) {
  struct Case {
    const wchar_t* text;
    bool valid;
    int32_t number;
  } cases[] = {
      {L"1", true, 1},           {L"007", true, 7},         {L"-3", true, -3},   {L"  +5", true, 5},
      {L"12ab", true, 12},       {L"2147483647", true, INT_MAX}, {L"-2147483648", true, INT_MIN},
      {L"x", false, 0},          {L"", false, 0},           {L"- 3", false, 0},  {L"2147483648", false, 0},
      {L"-2147483649", false, 0}, {L"99999999999999999999", false, 0},
  };
  for (const Case& c : cases) {
    int32_t number = 42;
    EXPECT_EQ(ReadStartNumber(c.text, number), c.valid) << Narrow(c.text);
    EXPECT_EQ(number, c.valid ? c.number : 42) << Narrow(c.text);
  }
}

TEST(RenameInput, PreviewsShowTheSampleBeforeAndAfter) {
  EXPECT_EQ(RenamePreview(L"x_filename_y.ext"), L"Before: filename.ext\r\nAfter: x_filename_y.ext");
  EXPECT_EQ(RenamePreview(std::wstring(2000, L'n')).size(), 1023u);

  EXPECT_EQ(AppendPreviewName(L"x_", L"_y"), L"x_filename_y.ext");
  EXPECT_EQ(AppendPreviewName(L"", L""), L"filename.ext");
  EXPECT_EQ(AlphabetizeAppendPreviewName(L"x_", L"_y"), L"x_A_y.ext");
  EXPECT_EQ(AutonumberAppendPreviewName(L"img", L"7", L""), L"img7.ext");
  // The number box's text as it stands.
  EXPECT_EQ(AutonumberAppendPreviewName(L"", L"007", L"-b"), L"007-b.ext");
}

TEST(RenameInput, TruncatePreviewCutsTheSampleAsTheRenameWould) {
  EXPECT_EQ(TruncatePreviewName(true, 2, false, false), L"filena.ext");
  EXPECT_EQ(TruncatePreviewName(true, 2, true, false), L"lename.ext");
  EXPECT_EQ(TruncatePreviewName(true, 2, false, true), L"filename.e");
  EXPECT_EQ(TruncatePreviewName(true, 2, true, true), L"lename.ext");
  EXPECT_EQ(TruncatePreviewName(true, 7, false, false), L"f.ext");
  // Nothing would be left, or nothing is cut: the sample keeps its name, as the item would.
  EXPECT_EQ(TruncatePreviewName(true, 8, false, false), L"filename.ext");
  EXPECT_EQ(TruncatePreviewName(true, 12, true, true), L"filename.ext");
  EXPECT_EQ(TruncatePreviewName(true, -1, false, false), L"filename.ext");
  EXPECT_EQ(TruncatePreviewName(false, 0, false, false), L"filename.ext");
}

}  // namespace
