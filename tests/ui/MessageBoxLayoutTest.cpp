#include <gtest/gtest.h>

#include <string>

#include "resource.h"
#include "ui/MessageBoxLayout.h"
#include "ui/Dpi.h"

using namespace message_box;

TEST(MessageBoxLines, CountsLineFeedsAndWrapsAfterFiftyCharacters) {
  EXPECT_EQ(CountLines(L""), 1);
  EXPECT_EQ(CountLines(L"one line"), 1);
  EXPECT_EQ(CountLines(L"a\nb\nc"), 3);
  EXPECT_EQ(CountLines(L"a\r\nb\r\nc\r\nd\r\ne\r\nf"), 6);
  EXPECT_EQ(CountLines(L"trailing\n"), 2);
  EXPECT_EQ(CountLines(std::wstring(50, L'x')), 1);
  EXPECT_EQ(CountLines(std::wstring(51, L'x')), 2);
  EXPECT_EQ(CountLines(std::wstring(100, L'x')), 2);
  EXPECT_EQ(CountLines(std::wstring(101, L'x')), 3);
  EXPECT_EQ(CountLines(std::wstring(120, L'x')), 3);
  // A line feed starts the column again.
  EXPECT_EQ(CountLines(std::wstring(50, L'x') + L"\n" + std::wstring(50, L'y')), 2);
  EXPECT_EQ(CountLines(std::wstring(60, L'x') + L"\n" + std::wstring(60, L'y')), 4);
}

TEST(MessageBoxLines, GrowsThirteenPixelsPerLineBeyondThree) {
  EXPECT_EQ(Growth(1, 96), 0);
  EXPECT_EQ(Growth(3, 96), 0);
  EXPECT_EQ(Growth(4, 96), 13);
  EXPECT_EQ(Growth(6, 96) - Growth(3, 96), 39);
}

TEST(MessageBoxButtons, SlotsAndDefaultByType) {
  struct Row {
    UINT type;
    std::vector<int> slots;
    int defaultId;
  };
  const Row rows[] = {
      {MB_OK, {IDOK}, IDOK},
      {MB_OKCANCEL, {IDCANCEL, IDOK}, IDOK},
      {MB_ABORTRETRYIGNORE, {IDIGNORE, IDRETRY, IDABORT}, IDRETRY},
      {MB_YESNOCANCEL, {IDCANCEL, IDNO, IDYES}, IDYES},
      {MB_YESNO, {IDNO, IDYES}, IDYES},
      {MB_RETRYCANCEL, {IDCANCEL, IDRETRY}, IDCANCEL},
      {MB_CANCELTRYCONTINUE, {IDCONTINUE, IDTRYAGAIN, IDCANCEL}, IDCONTINUE},
      // The symbol bits do not change the buttons; an unknown button type falls back to OK.
      {MB_YESNO | MB_ICONQUESTION, {IDNO, IDYES}, IDYES},
      {0x0F, {IDOK}, IDOK},
  };
  for (const Row& row : rows) {
    Buttons buttons = ButtonsFor(row.type);
    EXPECT_EQ(buttons.slots, row.slots) << "type " << row.type;
    EXPECT_EQ(buttons.defaultId, row.defaultId) << "type " << row.type;
  }
}

TEST(MessageBoxSymbol, ChosenByIconBits) {
  EXPECT_EQ(SymbolFor(MB_ICONERROR), IDB_ERROR);
  EXPECT_EQ(SymbolFor(MB_ICONQUESTION | MB_YESNO), IDB_QUESTION);
  EXPECT_EQ(SymbolFor(MB_ICONWARNING), IDB_WARNING);
  EXPECT_EQ(SymbolFor(MB_ICONINFORMATION), IDB_INFORMATION);
  EXPECT_EQ(SymbolFor(MB_OK), IDB_INFORMATION);
  EXPECT_EQ(SymbolFor(0x50), IDB_INFORMATION);
}

// The box at 100 %, 150 % and 200 %: every size scales with the DPI, and at 96 DPI nothing moves.
TEST(MessageBoxLayoutDpi, SizesScaleWithTheDpi) {
  struct Row {
    int dpi;
    int width, line, banner;
    RECT slot0, slot2;  // in a client area of 1000 x 500 pixels
  };
  const Row rows[] = {
      {96, 460, 13, 90, {900, 465, 990, 490}, {700, 465, 790, 490}},
      {144, 690, 20, 135, {850, 447, 985, 485}, {550, 447, 685, 485}},
      {192, 920, 26, 180, {800, 430, 980, 480}, {400, 430, 580, 480}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.dpi);
    EXPECT_EQ(Width(row.dpi), row.width);
    EXPECT_EQ(Growth(3, row.dpi), 0);
    EXPECT_EQ(Growth(4, row.dpi), row.line);
    EXPECT_EQ(Growth(6, row.dpi), 3 * row.line);
    EXPECT_EQ(BannerHeight(0, row.dpi), row.banner);
    EXPECT_EQ(BannerHeight(Growth(6, row.dpi), row.dpi), row.banner + 3 * row.line);
    RECT slot0 = ButtonRect(0, 1000, 500, row.dpi), slot2 = ButtonRect(2, 1000, 500, row.dpi);
    EXPECT_TRUE(EqualRect(&slot0, &row.slot0)) << slot0.left << "," << slot0.top << "," << slot0.right << ","
                                               << slot0.bottom;
    EXPECT_TRUE(EqualRect(&slot2, &row.slot2)) << slot2.left << "," << slot2.top << "," << slot2.right << ","
                                               << slot2.bottom;
    // Three buttons side by side leave a gap between each other and stay inside the box.
    RECT slot1 = ButtonRect(1, Width(row.dpi), 500, row.dpi);
    RECT first = ButtonRect(0, Width(row.dpi), 500, row.dpi);
    EXPECT_LT(slot1.right, first.left);
    EXPECT_GT(ButtonRect(2, Width(row.dpi), 500, row.dpi).left, 0);
  }
}
