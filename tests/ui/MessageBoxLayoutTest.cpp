#include <gtest/gtest.h>

#include <string>

#include "resource.h"
#include "ui/MessageBoxLayout.h"

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
  EXPECT_EQ(Growth(1), 0);
  EXPECT_EQ(Growth(3), 0);
  EXPECT_EQ(Growth(4), 13);
  EXPECT_EQ(Growth(6) - Growth(3), 39);
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
