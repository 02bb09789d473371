// The split dialog driven as a user drives it: its choices, its refusal of sizes it cannot read, and
// splits of real files behind the progress window.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "resource.h"
#include "split/SplitLayout.h"
#include "split/SplitSizeChoice.h"
#include "split/ZintSplitDialog.h"
#include "support/Screenshot.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"
#include "support/WindowDriver.h"

namespace {
const wchar_t kCaption[] = L"Brivane - Spilt Files";

std::string Pattern(size_t length) {
  std::string bytes(length, '\0');
  for (size_t i = 0; i < length; ++i) bytes[i] = char((i * 13 + i / 241) & 0xFF);
  return bytes;
}

std::vector<std::wstring> ComboItems(HWND dialog, int id) {
  std::vector<std::wstring> items;
  int count = int(SendDlgItemMessageW(dialog, id, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t text[256] = L"";
    SendDlgItemMessageW(dialog, id, CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text));
    items.push_back(text);
  }
  return items;
}

int Selected(HWND dialog, int id) { return int(SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0)); }
bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
bool Checked(HWND dialog, int id) { return SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// Custom size: the radio, the number and the unit.
void TypeCustomSize(HWND dialog, const wchar_t* number, int unit) {
  ClickNow(dialog, IDC_SPLIT_USE_CUSTOM);
  SetDlgItemTextW(dialog, IDC_SPLIT_SIZE, number);
  SendDlgItemMessageW(dialog, IDC_SPLIT_UNIT_LIST, CB_SETCURSEL, WPARAM(unit), 0);
}

std::vector<size_t> Sizes(const PathList& paths) {
  std::vector<size_t> sizes;
  for (const std::wstring& path : paths) sizes.push_back(ReadBytes(path).size());
  return sizes;
}
}  // namespace

TEST(SplitSizeChoice, PresetsUnitsAndSizesThatCannotBeRead) {
  EXPECT_EQ(PresetSplitSize(0, L""), 1457664u);
  EXPECT_EQ(PresetSplitSize(1, L""), 100431872u);
  EXPECT_EQ(PresetSplitSize(2, L""), 734003200u);
  EXPECT_EQ(PresetSplitSize(5, L""), 10485760u);
  // No preset selected: the list's own text is read.
  EXPECT_EQ(PresetSplitSize(-1, L"  2048 bytes"), 2048u);
  EXPECT_EQ(PresetSplitSize(-1, L"CD: 700 Megabytes"), 0u);

  EXPECT_EQ(CustomSplitSize(L"30", 0), 30u);
  EXPECT_EQ(CustomSplitSize(L" +3kb", 1), 3072u);
  EXPECT_EQ(CustomSplitSize(L"3", 2), 3145728u);
  EXPECT_EQ(CustomSplitSize(L"3", -1), 3u);  // no unit selected: bytes
  EXPECT_EQ(CustomSplitSize(L"abc", 2), 0u);
  EXPECT_EQ(CustomSplitSize(L"0", 2), 0u);
  // A negative size would wrap round to an enormous one.
  EXPECT_EQ(CustomSplitSize(L"-4", 0), 0u);
  EXPECT_EQ(CustomSplitSize(L"99999999999999999999", 2), std::numeric_limits<uint64_t>::max());
  EXPECT_EQ(CustomSplitSize(std::wstring(1024, L'0') + L"7", 0), 0u);  // read up to 1,024 characters
}

TEST(SplitDialog, StartsOnThePresetsAndTheRadiosSwitchTheControls) {
  TempDir dir;
  std::wstring source = dir.File(L"report.pdf", Pattern(100));
  CZintSplitDialog dialog({source});
  EXPECT_EQ(dialog.SplitSize(), 1048576u);

  EXPECT_EQ(
      DriveModal(
          dialog, kCaption,
          [&](HWND window) {
            EXPECT_EQ(WindowText(GetDlgItem(window, IDC_HEADING)), L"Split Files");
            EXPECT_TRUE(Checked(window, IDC_SPLIT_USE_PRESET));
            EXPECT_FALSE(Checked(window, IDC_SPLIT_USE_CUSTOM));
            EXPECT_EQ(ComboItems(window, IDC_SPLIT_PRESET_LIST),
                      (std::vector<std::wstring>{L"3.5\": 1,457,664 Bytes", L"Zip100: 9,8078 Kilobytes",
                                                 L"CD: 700 Megabytes", L"1 Megabyte: 1,048,576 Bytes",
                                                 L"5 Megabytes: 5,242,880 Bytes", L"10 Megabytes: 10,485,760 Bytes"}));
            EXPECT_EQ(Selected(window, IDC_SPLIT_PRESET_LIST), 0);
            EXPECT_EQ(ComboItems(window, IDC_SPLIT_UNIT_LIST),
                      (std::vector<std::wstring>{L"Bytes", L"Kilobytes", L"Megabytes"}));
            EXPECT_EQ(Selected(window, IDC_SPLIT_UNIT_LIST), 2);
            EXPECT_EQ(WindowText(GetDlgItem(window, IDC_SPLIT_SIZE)), L"1");
            int lowest = 0, highest = 0;
            SendDlgItemMessageW(window, IDC_SPLIT_SIZE_SPIN, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lowest),
                                reinterpret_cast<LPARAM>(&highest));
            EXPECT_EQ(lowest, 1);
            EXPECT_EQ(highest, 32767);
            // The spin's buddy is the size box.
            EXPECT_EQ(reinterpret_cast<HWND>(SendDlgItemMessageW(window, IDC_SPLIT_SIZE_SPIN, UDM_GETBUDDY, 0, 0)),
                      GetDlgItem(window, IDC_SPLIT_SIZE));

            const int custom[] = {IDC_SPLIT_UNIT_LIST, IDC_SPLIT_SIZE, IDC_SPLIT_SIZE_SPIN, IDC_SPLIT_UNITS_LABEL};
            EXPECT_TRUE(Enabled(window, IDC_SPLIT_PRESET_LIST));
            for (int id : custom) EXPECT_FALSE(Enabled(window, id)) << id;

            ClickNow(window, IDC_SPLIT_USE_CUSTOM);
            EXPECT_TRUE(Checked(window, IDC_SPLIT_USE_CUSTOM));
            EXPECT_FALSE(Checked(window, IDC_SPLIT_USE_PRESET));
            EXPECT_FALSE(Enabled(window, IDC_SPLIT_PRESET_LIST));
            for (int id : custom) EXPECT_TRUE(Enabled(window, id)) << id;

            ClickNow(window, IDC_SPLIT_USE_PRESET);
            EXPECT_TRUE(Checked(window, IDC_SPLIT_USE_PRESET));
            EXPECT_FALSE(Checked(window, IDC_SPLIT_USE_CUSTOM));
            EXPECT_TRUE(Enabled(window, IDC_SPLIT_PRESET_LIST));
            for (int id : custom) EXPECT_FALSE(Enabled(window, id)) << id;

            Click(window, IDCANCEL);
          }),
      IDCANCEL);
  EXPECT_FALSE(Exists(PiecePath(source, 0)));
  EXPECT_TRUE(dialog.Result().outputs.empty());
}

TEST(SplitDialog, SizesThatCannotBeReadAreRefusedAndTheDialogStaysOpen) {
  TempDir dir;
  std::wstring source = dir.File(L"report.pdf", Pattern(100));
  CZintSplitDialog dialog({source});

  std::vector<std::wstring> refusals;
  bool openAfterwards = false;
  INT_PTR answer = DriveModal(dialog, kCaption, [&](HWND window) {
    DWORD thread = GetWindowThreadProcessId(window, nullptr);
    for (const wchar_t* typed : {L"abc", L"0", L"-30"}) {
      TypeCustomSize(window, typed, 0);
      Click(window, IDOK);
      HWND box = WaitForWindow(thread, L"Brivane - Split");
      if (!box) break;
      refusals.push_back(WindowText(GetDlgItem(box, IDC_HEADING)));
      EXPECT_FALSE(IsWindow(GetDlgItem(box, IDCANCEL)));  // OK alone
      Dismiss(box, IDOK);
      EXPECT_FALSE(NoWindowAppears(thread, kCaption, 5000));
    }
    openAfterwards = IsWindowVisible(window) != FALSE;
    Click(window, IDCANCEL);
  });
  EXPECT_EQ(answer, IDCANCEL);

  const std::wstring refusal = L"Error Converting Size, Please Enter a Valid Size in Bytes";
  EXPECT_EQ(refusals, (std::vector<std::wstring>{refusal, refusal, refusal}));
  EXPECT_TRUE(openAfterwards);
  EXPECT_FALSE(Exists(PiecePath(source, 0)));
}

TEST(SplitDialog, CustomSizeSplitsBehindADeterminateBarAndEndsWithTheResult) {
  TempDir dir;
  std::string bytes = Pattern(100);
  std::wstring source = dir.File(L"report.pdf", bytes);
  CZintSplitDialog dialog({source, dir.File(L"ignored.txt", "only the first path is split")});

  AnsweredBox question;
  INT_PTR answer = DriveModal(dialog, kCaption, [&](HWND window) {
    TypeCustomSize(window, L"30", 0);
    Click(window, IDOK);
    question = AnswerMessageBox(L"Split File", IDYES);
  });
  EXPECT_EQ(answer, IDOK);
  EXPECT_EQ(question.text, L"4 files will be created.\nDo you want to split?");
  EXPECT_EQ(question.ownerCaption, L"Brivane - Working...");
  EXPECT_EQ(question.ownerBarStyle & PBS_MARQUEE, 0);
  EXPECT_EQ(dialog.SplitSize(), 30u);

  const OperationResult& result = dialog.Result();
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.kind, 7);
  EXPECT_EQ(result.succeeded, 1u);
  PathList pieces{PiecePath(source, 0), PiecePath(source, 1), PiecePath(source, 2), PiecePath(source, 3)};
  EXPECT_EQ(result.outputs, pieces);
  EXPECT_EQ(Sizes(pieces), (std::vector<size_t>{30, 30, 30, 20}));
  std::string first = ReadBytes(pieces[0]);
  EXPECT_EQ(first.substr(0, 4), std::string("4\0\0\0", 4));
  EXPECT_EQ(first.substr(10) + ReadBytes(pieces[1]) + ReadBytes(pieces[2]) + ReadBytes(pieces[3]), bytes);
  EXPECT_FALSE(Exists(PiecePath(dir / L"ignored.txt", 0)));
}

TEST(SplitDialog, PresetSizeAndTheAnswerToTheQuestion) {
  TempDir dir;
  std::string bytes = Pattern(1048576 + 110);
  std::wstring source = dir.File(L"disk.img", bytes);

  struct Run {
    int answer;
    int status;
    size_t pieces;
  };
  for (Run run : {Run{IDNO, 6, 0}, Run{IDYES, 0, 2}}) {
    SCOPED_TRACE(run.answer);
    CZintSplitDialog dialog({source});
    ScriptedPrompt prompt({run.answer});
    INT_PTR answer = DriveModal(dialog, kCaption, [&](HWND window) {
      SendDlgItemMessageW(window, IDC_SPLIT_PRESET_LIST, CB_SETCURSEL, 3, 0);  // "1 Megabyte"
      Click(window, IDOK);
    });
    EXPECT_EQ(answer, IDOK);

    ASSERT_EQ(prompt.asked().size(), 1u);
    EXPECT_EQ(prompt.asked()[0].text, L"2 files will be created.\nDo you want to split?");
    EXPECT_EQ(prompt.asked()[0].caption, L"Split File");
    EXPECT_EQ(dialog.SplitSize(), 1048576u);
    EXPECT_EQ(dialog.Result().status, run.status);
    EXPECT_EQ(dialog.Result().outputs.size(), run.pieces);
  }
  EXPECT_EQ(Sizes({PiecePath(source, 0), PiecePath(source, 1)}), (std::vector<size_t>{1048576, 120}));
  EXPECT_EQ(ReadBytes(PiecePath(source, 0)).substr(10) + ReadBytes(PiecePath(source, 1)), bytes);
}

TEST(Screenshots, SplitDialog) {
  std::wstring folder = ScreenshotFolder();
  if (folder.empty()) GTEST_SKIP() << "BRIVANE_SHOTS not set";
  CZintSplitDialog dialog({L"C:\\report.pdf"}, LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PRODUCT)));
  WindowDriver driver(kCaption, [&](HWND window) {
    EXPECT_TRUE(SaveWindowPng(window, folder + L"\\crypt-split.png"));
    TypeCustomSize(window, L"250", 1);
    EXPECT_TRUE(SaveWindowPng(window, folder + L"\\crypt-split-custom.png"));
    Click(window, IDCANCEL);
  });
  dialog.DoModal(nullptr);
}
