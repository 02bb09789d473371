// The rename dialogs driven as a user would: their checks and messages, the order list, the previews,
// and a rename on real files behind the progress window.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <map>

#include "RenameTestSupport.h"
#include "base/Prompt.h"
#include "rename/NameRules.h"
#include "rename/ZintRenameAppendDialog.h"
#include "rename/ZintRenameAutoAlphaAppendDialog.h"
#include "rename/ZintRenameAutoAlphaDialog.h"
#include "rename/ZintRenameAutoNumAppendDialog.h"
#include "rename/ZintRenameAutoNumDialog.h"
#include "rename/ZintRenameFindReplaceDialog.h"
#include "rename/ZintRenameSameNameDialog.h"
#include "rename/ZintRenameTruncateDialog.h"
#include "support/DialogProbe.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"
#include "support/WindowDriver.h"

namespace {

using Names = std::vector<std::wstring>;

const wchar_t kFileNameMessage[] = L"A file name cannot contain any of the following characters:\n\\ / : * ? \" < > |";

// Each file holds its own first name, so a test can tell which file took which new name.
PathList MakeFiles(const TempDir& dir, const Names& names) {
  PathList paths;
  for (const std::wstring& name : names) paths.push_back(dir.File(name, Narrow(name)));
  return paths;
}

// New name -> the first name of the file that now has it.
std::map<std::wstring, std::string> WhoIsWho(const TempDir& dir) {
  std::map<std::wstring, std::string> who;
  for (const std::wstring& name : NamesIn(dir.path())) who[name] = ReadBytes(dir / name);
  return who;
}

const AskedQuestion kFileNameRefusal{kFileNameMessage, L"File Name Validation", 0};
const AskedQuestion kNumberRefusal{L"Please Enter a Valid Number", L"Brivane - Rename", 0};

void ExpectAsked(const std::vector<AskedQuestion>& asked, const std::vector<AskedQuestion>& expected) {
  ASSERT_EQ(asked.size(), expected.size());
  for (size_t i = 0; i < asked.size(); ++i) {
    EXPECT_EQ(asked[i].text, expected[i].text) << i;
    EXPECT_EQ(asked[i].caption, expected[i].caption) << i;
    EXPECT_EQ(asked[i].type, expected[i].type) << i;
  }
}

TEST(RenameDialogs, FindAndReplaceRefusesEmptyAndUnusableTextsThenReplacesInTheStems) {
  TempDir dir;
  PathList files = MakeFiles(dir, {L"x a1.TXT", L"x a2 x a.txt", L"other.txt"});
  CZintRenameFindReplaceDialog dialog(files);
  ScriptedPrompt prompt({}, IDOK);
  size_t afterEmptyFind = 0, afterBadFind = 0;
  bool focusOnFind = false, stillShown = false;

  INT_PTR answer = DriveModal(dialog, L"Brivane - Rename - Find and Replace", [&](HWND window) {
    EXPECT_EQ(Text(window, IDC_HEADING), L"Rename - Find and Replace");
    SetText(window, IDC_RENAME_REPLACE, L"_b");
    ClickNow(window, IDOK);
    afterEmptyFind = prompt.asked().size();
    focusOnFind = FocusOf(window) == GetDlgItem(window, IDC_RENAME_FIND);

    SetText(window, IDC_RENAME_FIND, L"a:b");
    ClickNow(window, IDOK);
    afterBadFind = prompt.asked().size();

    SetText(window, IDC_RENAME_FIND, L" a");     // a search text may begin with a space,
    SetText(window, IDC_RENAME_REPLACE, L" a");  // a replacement may not
    ClickNow(window, IDOK);
    stillShown = IsWindowVisible(window);

    SetText(window, IDC_RENAME_REPLACE, L"_b");
    Click(window, IDOK);
  });

  EXPECT_EQ(afterEmptyFind, 1u);
  EXPECT_EQ(afterBadFind, 2u);
  ExpectAsked(prompt.asked(), {{L"Search text is empty, enter text in order to continue.",
                                L"Brivane - Find Replace Error", MB_ICONEXCLAMATION},
                               kFileNameRefusal,
                               kFileNameRefusal});
  EXPECT_TRUE(focusOnFind);
  EXPECT_TRUE(stillShown);

  ASSERT_EQ(answer, IDOK);
  const OperationResult& result = dialog.Result();
  EXPECT_EQ(result.status, status::Success);
  EXPECT_EQ(result.kind, kind::Rename);
  EXPECT_EQ(result.outputs, (PathList{dir / L"x_b1.txt", dir / L"x_b2 x_b.txt", dir / L"other.txt"}));
  EXPECT_EQ(NamesIn(dir.path()), (Names{L"other.txt", L"x_b1.txt", L"x_b2 x_b.txt"}));
}

TEST(RenameDialogs, CancelChangesNothing) {
  TempDir dir;
  PathList files = MakeFiles(dir, {L"a.txt", L"b.txt"});
  CZintRenameAutoNumDialog dialog(files);
  EXPECT_EQ(DriveModal(dialog, L"Brivane - Rename - Autonumbering", [](HWND window) { Click(window, IDCANCEL); }),
            IDCANCEL);
  EXPECT_EQ(NamesIn(dir.path()), (Names{L"a.txt", L"b.txt"}));
  EXPECT_TRUE(dialog.Result().outputs.empty());
}

// The order list starts in selection order with one row per item; Up and Down swap neighbours, never
// past the ends, and the numbers follow the rows.
TEST(RenameDialogs, AutonumberingNumbersTheRowsInTheOrderTheUserArranged) {
  TempDir dir;
  dir.Folder(L"Old.Photos");
  PathList files = MakeFiles(dir, {L"c.txt", L"a.JPG", L"b.txt"});
  files.push_back(dir / L"Old.Photos");
  CZintRenameAutoNumDialog dialog(files);
  ScriptedPrompt prompt({}, IDOK);
  Names initial, afterUpAtTop, afterMoves, afterDownAtBottom;
  std::wstring startText, afterReset, headerName, columnName;
  size_t afterNotANumber = 0;
  int selectedAfterMoves = -1;
  bool listHasFocus = false, listHasIcons = false, numberKeptWhenTooLong = false;

  INT_PTR answer = DriveModal(dialog, L"Brivane - Rename - Autonumbering", [&](HWND window) {
    HWND list = GetDlgItem(window, IDC_RENAME_ORDER);
    initial = ListRows(window, IDC_RENAME_ORDER);
    startText = Text(window, IDC_RENAME_START_NUMBER);
    wchar_t column[64] = L"";
    LVCOLUMNW info{};
    info.mask = LVCF_TEXT;
    info.pszText = column;
    info.cchTextMax = 64;
    ListView_GetColumn(list, 0, &info);
    columnName = column;
    HIMAGELIST images = ListView_GetImageList(list, LVSIL_SMALL);
    listHasIcons = images && ImageList_GetImageCount(images) == 4;

    SelectListRow(window, IDC_RENAME_ORDER, 0);
    ClickNow(window, IDC_RENAME_UP);
    afterUpAtTop = ListRows(window, IDC_RENAME_ORDER);
    SelectListRow(window, IDC_RENAME_ORDER, 2);  // b.txt up to the top
    ClickNow(window, IDC_RENAME_UP);
    ClickNow(window, IDC_RENAME_UP);
    afterMoves = ListRows(window, IDC_RENAME_ORDER);
    selectedAfterMoves = SelectedListRow(window, IDC_RENAME_ORDER);
    listHasFocus = FocusOf(window) == list;
    SelectListRow(window, IDC_RENAME_ORDER, 3);
    ClickNow(window, IDC_RENAME_DOWN);
    afterDownAtBottom = ListRows(window, IDC_RENAME_ORDER);
    SelectListRow(window, IDC_RENAME_ORDER, 1);
    ClickNow(window, IDC_RENAME_DOWN);  // c.txt below a.JPG: b, a, c, Old.Photos

    SetText(window, IDC_RENAME_START_NUMBER, L"x");
    ClickNow(window, IDOK);
    afterNotANumber = prompt.asked().size();
    afterReset = Text(window, IDC_RENAME_START_NUMBER);

    SetText(window, IDC_RENAME_START_NUMBER, L"9999998");  // 9999998 .. 10000001 do not all fit
    ClickNow(window, IDOK);
    numberKeptWhenTooLong = Text(window, IDC_RENAME_START_NUMBER) == L"9999998";

    SetText(window, IDC_RENAME_START_NUMBER, L"007");
    Click(window, IDOK);
  });

  EXPECT_EQ(initial, (Names{L"c.txt", L"a.JPG", L"b.txt", L"Old.Photos"}));
  EXPECT_EQ(columnName, L"File Name");
  EXPECT_TRUE(listHasIcons);
  EXPECT_EQ(startText, L"1");
  EXPECT_EQ(afterUpAtTop, initial);
  EXPECT_EQ(afterMoves, (Names{L"b.txt", L"c.txt", L"a.JPG", L"Old.Photos"}));
  EXPECT_EQ(selectedAfterMoves, 0);
  EXPECT_TRUE(listHasFocus);
  EXPECT_EQ(afterDownAtBottom, afterMoves);
  EXPECT_EQ(afterNotANumber, 1u);
  EXPECT_EQ(afterReset, L"1");
  ExpectAsked(prompt.asked(), {kNumberRefusal, {NumberFieldMessage(4), L"Brivane - Rename", MB_ICONEXCLAMATION}});
  EXPECT_TRUE(numberKeptWhenTooLong);

  ASSERT_EQ(answer, IDOK);
  EXPECT_EQ(dialog.OrderedPaths(), (PathList{files[2], files[1], files[0], files[3]}));
  EXPECT_EQ(dialog.Result().status, status::Success);
  EXPECT_EQ(dialog.Result().outputs, (PathList{dir / L"7.txt", dir / L"8.jpg", dir / L"9.txt", dir / L"10.photos"}));
  auto who = WhoIsWho(dir);
  EXPECT_EQ(who[L"7.txt"], "b.txt");
  EXPECT_EQ(who[L"8.jpg"], "a.JPG");
  EXPECT_EQ(who[L"9.txt"], "c.txt");
  EXPECT_EQ(NamesIn(dir.path()), (Names{L"10.photos", L"7.txt", L"8.jpg", L"9.txt"}));
}

// The rename runs on the worker behind a determinate progress window while the dialog is hidden; a
// name taken outside the batch is asked about over that window.
struct Handover {
  int questions = 0;
  bool ownerIsProgressWindow = false;
  bool barMoves = false;
  HWND dialog = nullptr;
  bool dialogHidden = false;
};
Handover g_handover;

// The order list's column spans the list; a name longer than the list is wide widens the column and the
// list scrolls sideways, so the name is never cut.
TEST(RenameDialogs, OrderListColumnSpansTheListAndWidensForALongName) {
  TempDir dir;
  PathList shortNames = MakeFiles(dir, {L"a.txt", L"Holiday notes.txt"});
  std::wstring longName = std::wstring(120, L'x') + L".txt";
  PathList withLong = MakeFiles(dir, {L"b.txt", longName});
  for (const PathList* files : {&shortNames, &withLong}) {
    CZintRenameAutoAlphaDialog dialog(*files);
    ColumnFit fit;
    int iconWidth = 0;
    DriveModal(dialog, L"Brivane - Rename - Alphabetize", [&](HWND window) {
      fit = ReadColumnFit(window, IDC_RENAME_ORDER);
      int cx = 0, cy = 0;
      ImageList_GetIconSize(ListView_GetImageList(GetDlgItem(window, IDC_RENAME_ORDER), LVSIL_SMALL), &cx, &cy);
      iconWidth = cx;
      Click(window, IDCANCEL);
    });
    EXPECT_EQ(iconWidth, GetSystemMetrics(SM_CXSMICON));
    if (files == &shortNames) {
      EXPECT_EQ(fit.column, fit.client);
    } else {
      EXPECT_GT(fit.column, fit.client);
      EXPECT_GE(fit.column, fit.widestText + iconWidth);
    }
  }
}

int AnswerYesAndLook(HWND owner, const wchar_t*, const wchar_t* caption, UINT) {
  ++g_handover.questions;
  g_handover.ownerIsProgressWindow = WindowText(owner) == L"Brivane - Working...";
  LONG_PTR style = GetWindowLongPtrW(GetDlgItem(owner, IDC_PROGRESS_BAR), GWL_STYLE);
  g_handover.barMoves = !(style & PBS_MARQUEE);
  g_handover.dialogHidden = !IsWindowVisible(g_handover.dialog);
  return std::wstring(caption) == L"Warning!" ? IDYES : IDCANCEL;
}

TEST(RenameDialogs, AlphabetizeHandsTheOrderToTheWorkerBehindADeterminateBar) {
  TempDir dir;
  PathList files = MakeFiles(dir, {L"one.txt", L"two.txt"});
  std::wstring outsider = dir.File(L"B.txt", "outsider");
  CZintRenameAutoAlphaDialog dialog(files);
  PromptFunction previous = PromptHook();
  SetPromptHook(AnswerYesAndLook);
  g_handover = {};

  INT_PTR answer = DriveModal(dialog, L"Brivane - Rename - Alphabetize", [&](HWND window) {
    g_handover.dialog = window;
    SelectListRow(window, IDC_RENAME_ORDER, 1);
    ClickNow(window, IDC_RENAME_UP);
    Click(window, IDOK);
  });
  SetPromptHook(previous);

  ASSERT_EQ(answer, IDOK);
  EXPECT_EQ(g_handover.questions, 1);  // B.txt is taken by a file outside the batch
  EXPECT_TRUE(g_handover.ownerIsProgressWindow);
  EXPECT_TRUE(g_handover.barMoves);
  EXPECT_TRUE(g_handover.dialogHidden);
  EXPECT_EQ(dialog.Result().status, status::Success);
  auto who = WhoIsWho(dir);
  EXPECT_EQ(who.size(), 2u);
  EXPECT_EQ(who[L"A.txt"], "two.txt");
  EXPECT_EQ(who[L"B.txt"], "one.txt");
}

TEST(RenameDialogs, AppendPreviewsTheSampleAndAcceptsEmptyAffixes) {
  TempDir dir;
  PathList files = MakeFiles(dir, {L"Beach.JPG", L"notes"});
  std::wstring initial, typed;
  std::vector<AskedQuestion> refused;
  {
    CZintRenameAppendDialog dialog(files);
    ScriptedPrompt prompt({}, IDOK);
    INT_PTR answer = DriveModal(dialog, L"Brivane - Rename - Append", [&](HWND window) {
      initial = Text(window, IDC_RENAME_PREVIEW);
      SetText(window, IDC_RENAME_PREFIX, L"x_");
      SetText(window, IDC_RENAME_POSTFIX, L"_y");
      typed = Text(window, IDC_RENAME_PREVIEW);
      SetText(window, IDC_RENAME_PREFIX, L" x");
      ClickNow(window, IDOK);
      refused = prompt.asked();
      SetText(window, IDC_RENAME_PREFIX, L"x_");
      Click(window, IDOK);
    });
    ASSERT_EQ(answer, IDOK);
  }
  EXPECT_EQ(initial, L"Before: filename.ext\r\nAfter: filename.ext");
  EXPECT_EQ(typed, L"Before: filename.ext\r\nAfter: x_filename_y.ext");
  ExpectAsked(refused, {kFileNameRefusal});
  EXPECT_EQ(NamesIn(dir.path()), (Names{L"x_Beach_y.jpg", L"x_notes_y"}));

  // Both empty: every item keeps its stem, its extension lowered.
  CZintRenameAppendDialog dialog({dir / L"x_Beach_y.jpg", dir / L"x_notes_y"});
  ScriptedPrompt prompt({}, IDOK);
  EXPECT_EQ(DriveModal(dialog, L"Brivane - Rename - Append", [](HWND window) { Click(window, IDOK); }), IDOK);
  EXPECT_TRUE(prompt.asked().empty());
  EXPECT_EQ(dialog.Result().status, status::Success);
}

TEST(RenameDialogs, AlphabetizeWithAppendChecksItsAffixesAndLettersTheRows) {
  TempDir dir;
  PathList files = MakeFiles(dir, {L"Beach.JPG", L"sunset.jpg", L"notes"});
  CZintRenameAutoAlphaAppendDialog dialog(files);
  ScriptedPrompt prompt({}, IDOK);
  std::wstring preview;
  std::vector<AskedQuestion> refused;

  INT_PTR answer = DriveModal(dialog, L"Brivane - Rename - Alphabetize with Append", [&](HWND window) {
    SetText(window, IDC_RENAME_PREFIX, L"x_");
    SetText(window, IDC_RENAME_POSTFIX, L"a|b");
    ClickNow(window, IDOK);
    refused = prompt.asked();
    SetText(window, IDC_RENAME_POSTFIX, L"_y");
    preview = Text(window, IDC_RENAME_PREVIEW);
    SelectListRow(window, IDC_RENAME_ORDER, 0);
    ClickNow(window, IDC_RENAME_DOWN);
    Click(window, IDOK);
  });

  ExpectAsked(refused, {kFileNameRefusal});
  EXPECT_EQ(preview, L"Before: filename.ext\r\nAfter: x_A_y.ext");
  ASSERT_EQ(answer, IDOK);
  auto who = WhoIsWho(dir);
  EXPECT_EQ(who[L"x_A_y.jpg"], "sunset.jpg");
  EXPECT_EQ(who[L"x_B_y.jpg"], "Beach.JPG");
  EXPECT_EQ(who[L"x_C_y"], "notes");
}

TEST(RenameDialogs, AutonumberingWithAppendReadsTheNumberFirstAndAcceptsANegativeStart) {
  TempDir dir;
  PathList files = MakeFiles(dir, {L"Beach.JPG", L"sunset.jpg", L"Read.Me.txt"});
  CZintRenameAutoNumAppendDialog dialog(files);
  ScriptedPrompt prompt({}, IDOK);
  std::wstring initial, typed, afterReset;
  size_t afterTwoFaults = 0;

  INT_PTR answer = DriveModal(dialog, L"Brivane - Rename - Autonumbering with Append", [&](HWND window) {
    initial = Text(window, IDC_RENAME_PREVIEW);
    SetText(window, IDC_RENAME_PREFIX, L"img");
    SetText(window, IDC_RENAME_START_NUMBER, L"7");
    typed = Text(window, IDC_RENAME_PREVIEW);

    SetText(window, IDC_RENAME_POSTFIX, L" b");
    SetText(window, IDC_RENAME_START_NUMBER, L"seven");
    ClickNow(window, IDOK);  // two faults: only the number is reported
    afterTwoFaults = prompt.asked().size();
    afterReset = Text(window, IDC_RENAME_PREVIEW);
    ClickNow(window, IDOK);

    SetText(window, IDC_RENAME_POSTFIX, L"");
    SetText(window, IDC_RENAME_START_NUMBER, L"-3");
    Click(window, IDOK);
  });

  EXPECT_EQ(initial, L"Before: filename.ext\r\nAfter: 1.ext");
  EXPECT_EQ(typed, L"Before: filename.ext\r\nAfter: img7.ext");
  EXPECT_EQ(afterTwoFaults, 1u);
  EXPECT_EQ(afterReset, L"Before: filename.ext\r\nAfter: img1 b.ext");
  ExpectAsked(prompt.asked(), {kNumberRefusal, kFileNameRefusal});
  ASSERT_EQ(answer, IDOK);
  EXPECT_EQ(dialog.Result().outputs, (PathList{dir / L"img-3.jpg", dir / L"img-2.jpg", dir / L"img-1.txt"}));
  EXPECT_EQ(NamesIn(dir.path()), (Names{L"img-1.txt", L"img-2.jpg", L"img-3.jpg"}));
}

TEST(RenameDialogs, MakeAllSameNameOffersTheNamesAndGivesTheChosenStem) {
  TempDir dir;
  PathList files = MakeFiles(dir, {L"IMG_1.JPG", L"holiday.png", L"IMG_2.txt"});
  CZintRenameSameNameDialog dialog(files);
  ScriptedPrompt prompt({}, IDOK);
  Names entries;
  int initiallySelected = -1;

  INT_PTR answer = DriveModal(dialog, L"Brivane - Rename - Make All Same Name", [&](HWND window) {
    entries = ComboEntries(window, IDC_RENAME_NAME_GIVER);
    initiallySelected = int(SendDlgItemMessageW(window, IDC_RENAME_NAME_GIVER, CB_GETCURSEL, 0, 0));
    SendDlgItemMessageW(window, IDC_RENAME_NAME_GIVER, CB_SETCURSEL, 1, 0);
    Click(window, IDOK);
  });

  EXPECT_EQ(entries, (Names{L"IMG_1.JPG", L"holiday.png", L"IMG_2.txt"}));
  EXPECT_EQ(initiallySelected, 0);
  ASSERT_EQ(answer, IDOK);
  EXPECT_EQ(dialog.Result().status, status::Success);
  EXPECT_EQ(dialog.Result().outputs, (PathList{dir / L"holiday.jpg", dir / L"holiday.txt", files[1]}));
  EXPECT_EQ(NamesIn(dir.path()), (Names{L"holiday.jpg", L"holiday.png", L"holiday.txt"}));
}

TEST(RenameDialogs, TruncateBeepsAtACountThatIsNoNumberAndPreviewsEachChoice) {
  TempDir dir;
  PathList files = MakeFiles(dir, {L"Beach.JPG", L"sunset.jpg", L"notes", L"Read.Me.txt"});
  CZintRenameTruncateDialog dialog(files);
  ScriptedPrompt prompt({}, IDOK);
  std::wstring initial, beginningWithExtension, tooMany;
  bool endChosen = false, focusOnCount = false, stillShown = false;

  INT_PTR answer = DriveModal(dialog, L"Brivane - Rename - Truncate", [&](HWND window) {
    initial = Text(window, IDC_RENAME_PREVIEW);
    endChosen = Checked(window, IDC_TRUNCATE_FROM_END) && !Checked(window, IDC_TRUNCATE_FROM_BEGINNING);
    SetText(window, IDC_TRUNCATE_COUNT, L"2");
    SendDlgItemMessageW(window, IDC_TRUNCATE_FROM_BEGINNING, BM_CLICK, 0, 0);
    SendDlgItemMessageW(window, IDC_TRUNCATE_INCLUDE_EXTENSION, BM_CLICK, 0, 0);
    beginningWithExtension = Text(window, IDC_RENAME_PREVIEW);
    SetText(window, IDC_TRUNCATE_COUNT, L"20");
    tooMany = Text(window, IDC_RENAME_PREVIEW);

    SetText(window, IDC_TRUNCATE_COUNT, L"two");
    ClickNow(window, IDOK);
    focusOnCount = FocusOf(window) == GetDlgItem(window, IDC_TRUNCATE_COUNT);
    stillShown = IsWindowVisible(window);

    SetText(window, IDC_TRUNCATE_COUNT, L"2");
    SendDlgItemMessageW(window, IDC_TRUNCATE_FROM_END, BM_CLICK, 0, 0);
    SendDlgItemMessageW(window, IDC_TRUNCATE_INCLUDE_EXTENSION, BM_CLICK, 0, 0);
    Click(window, IDOK);
  });

  EXPECT_EQ(initial, L"Before: filename.ext\r\nAfter: filenam.ext");
  EXPECT_TRUE(endChosen);
  EXPECT_EQ(beginningWithExtension, L"Before: filename.ext\r\nAfter: lename.ext");
  EXPECT_EQ(tooMany, L"Before: filename.ext\r\nAfter: filename.ext");
  EXPECT_TRUE(focusOnCount);
  EXPECT_TRUE(stillShown);
  EXPECT_TRUE(prompt.asked().empty());  // a beep, no message
  ASSERT_EQ(answer, IDOK);
  EXPECT_EQ(dialog.Result().status, status::Success);
  EXPECT_EQ(NamesIn(dir.path()), (Names{L"Bea.jpg", L"Read..txt", L"not", L"suns.jpg"}));
}

}  // namespace
