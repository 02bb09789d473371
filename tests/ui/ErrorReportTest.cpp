// Reporting an operation's result: the error dialog titled by kind, or nothing, or the selection.
#include <gtest/gtest.h>

#include <string>

#include "resource.h"
#include "support/WindowDriver.h"
#include "ui/ResultReport.h"
#include "ui/ZintErrorDialog.h"

namespace {
struct ErrorView {
  std::wstring caption, heading, text;
  RECT textRect{}, okRect{}, client{};
};

// Reports the result on this thread and reads the error dialog that appears with the caption.
ErrorView ReportAndRead(OperationResult& result, const std::wstring& expectedCaption) {
  ErrorView view;
  WindowDriver driver(expectedCaption, [&](HWND dialog) {
    view.caption = WindowText(dialog);
    view.heading = WindowText(GetDlgItem(dialog, IDC_HEADING));
    view.text = WindowText(GetDlgItem(dialog, IDC_MESSAGE_TEXT));
    view.textRect = ChildRect(dialog, IDC_MESSAGE_TEXT);
    view.okRect = ChildRect(dialog, IDOK);
    GetClientRect(dialog, &view.client);
    Click(dialog, IDOK);
  });
  ReportResult(nullptr, result);
  driver.join();
  EXPECT_TRUE(driver.found()) << "no error dialog titled " << std::string(expectedCaption.begin(), expectedCaption.end());
  return view;
}
}  // namespace

TEST(ErrorReport, TitleFollowsTheKindAndTheTextIsTheMessage) {
  struct Row {
    int32_t kind;
    const wchar_t* title;
  };
  const Row rows[] = {
      {2, L"Brivane - Copy Operation Error"},
      {13, L"Brivane - Operation Error"},
      {14, L"Brivane - Operation Error"},
      {77, L"Brivane - Operation Error"},
  };
  for (const Row& row : rows) {
    OperationResult result;
    result.status = status::SomeFailed;
    result.kind = row.kind;
    result.message = L"Some files could not be copied.";
    result.outputs = {L"C:\\a.txt"};
    ErrorView view = ReportAndRead(result, row.title);
    EXPECT_EQ(view.caption, row.title);
    EXPECT_EQ(view.heading, row.title);
    EXPECT_EQ(view.text, L"Some files could not be copied.");
    EXPECT_TRUE(result.message.empty());
    EXPECT_TRUE(result.outputs.empty());
    EXPECT_EQ(result.status, status::SomeFailed);
  }
}

TEST(ErrorReport, UserSaidNoShowsNothingAndSuccessSelectsTheOutputs) {
  OperationResult declined;
  declined.status = status::UserSaidNo;
  declined.kind = 7;
  declined.outputs = {L"C:\\piece.qxs0"};
  DWORD self = GetCurrentThreadId();
  bool nothingShown = false;
  std::thread watcher([&] { nothingShown = NoWindowAppears(self, L"Brivane - Split Operation Error", 500); });
  ReportResult(nullptr, declined, [](const PathList&) { ADD_FAILURE() << "nothing to select after No"; });
  watcher.join();
  EXPECT_TRUE(nothingShown);
  EXPECT_TRUE(declined.outputs.empty());

  OperationResult done;
  done.outputs = {L"C:\\x\\joined.bin", L"C:\\x\\list.txt"};
  PathList selected;
  ReportResult(nullptr, done, [&](const PathList& outputs) { selected = outputs; });
  EXPECT_EQ(selected, (PathList{L"C:\\x\\joined.bin", L"C:\\x\\list.txt"}));
  EXPECT_TRUE(done.outputs.empty());

  OperationResult empty;
  int calls = 0;
  ReportResult(nullptr, empty, [&](const PathList&) { ++calls; });
  EXPECT_EQ(calls, 0);
}

TEST(ErrorReport, FailureWithoutMessageSaysUnexpectedError) {
  OperationResult result;
  result.status = status::Unexpected;
  result.kind = kind::Touch;
  ErrorView view = ReportAndRead(result, L"Brivane - Touch Files Operation Error");
  EXPECT_EQ(view.text, L"An unexpected error occured.");
}

TEST(ErrorDialog, KeepsAtMost511CharactersAndGrowsToShowLongMessages) {
  CZintErrorDialog clipped(std::wstring(600, L't'), std::wstring(700, L'm'));
  EXPECT_EQ(std::wstring(clipped.Title()), std::wstring(511, L't'));
  EXPECT_EQ(std::wstring(clipped.Message()), std::wstring(511, L'm'));

  std::wstring longMessage;
  for (int i = 0; i < 7; ++i) longMessage += L"The file could not be read because it is locked by another program.\n";
  ErrorView view;
  WindowDriver driver(L"Brivane - Join Operation Error", [&](HWND dialog) {
    view.textRect = ChildRect(dialog, IDC_MESSAGE_TEXT);
    view.okRect = ChildRect(dialog, IDOK);
    GetClientRect(dialog, &view.client);
    Click(dialog, IDOK);
  });
  CZintErrorDialog::Show(nullptr, L"Brivane - Join Operation Error", longMessage);
  driver.join();
  // Seven lines (483 characters) do not fit the template's text; everything moved down to make room.
  EXPECT_GE(view.textRect.bottom - view.textRect.top, 7 * 13);
  EXPECT_GE(view.okRect.top, view.textRect.bottom);
  EXPECT_LE(view.okRect.bottom, view.client.bottom);
}
