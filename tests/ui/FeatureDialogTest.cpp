// A feature dialog from end to end: OK hides it, the operation runs on the worker behind the progress
// window, asks one question through the prompt hook, and the dialog ends with IDOK and the result.
#include <gtest/gtest.h>

#include "base/Prompt.h"
#include "fileops/FileOperation.h"
#include "fileops/ZintProgressReportDialog.h"
#include "resource.h"
#include "support/TestSupport.h"
#include "support/WindowDriver.h"
#include "ui/ResultReport.h"

namespace {
const wchar_t kCaption[] = L"Brivane Test Feature";

// Copies the selection into the folder given as parameter, asking before it replaces a file.
// It borrows the error dialog's template, which has the banner, a heading and OK.
class CTestCopyDialog : public CZintProgressReportDialog<CTestCopyDialog> {
 public:
  enum { IDD = IDD_ERROR };
  using CZintProgressReportDialog::CZintProgressReportDialog;

  HWND progressWindow = nullptr;
  HWND progressOwner = nullptr;
  bool visibleWhileRunning = true;
  DWORD workerThread = 0;
  int runs = 0;

 protected:
  BOOL OnInitDialog(LPARAM) override {
    SetWindowTextW(Handle(), kCaption);
    SetItemText(IDC_HEADING, L"Copy the selection");
    return TRUE;
  }
  bool OnCommand(int id, int, HWND) override {
    if (id != IDOK) return false;
    RunOperation(/*marquee=*/false);
    return true;
  }
  void Run() override {
    ++runs;
    workerThread = GetCurrentThreadId();
    progressWindow = refactor_.owner;
    progressOwner = GetWindow(progressWindow, GW_OWNER);
    visibleWhileRunning = IsWindowVisible(Handle());
    for (size_t i = 0; i < input_.size(); ++i) {
      int32_t position = int32_t(100.0 * double(i) / double(input_.size()));
      refactor_.Report(position);
      std::wstring name = input_[i].substr(input_[i].rfind(L'\\') + 1);
      if (GetFileAttributesW((parameter_ + L"\\" + name).c_str()) != INVALID_FILE_ATTRIBUTES &&
          refactor_.Ask((name + L" already exists.\nReplace it?").c_str(), L"Brivane", MB_YESNO | MB_ICONQUESTION,
                        position) != IDYES) {
        result_.Stop(status::UserSaidNo, L"", input_.size());
        return;
      }
      if (!CopyFileOperation(refactor_.owner, input_[i], parameter_, false, true, false).execute()) {
        ++result_.failed;
        continue;
      }
      ++result_.succeeded;
      result_.outputs.push_back(parameter_ + L"\\" + name);
    }
    refactor_.Report(100);
  }
};

struct Question {
  int calls = 0;
  DWORD thread = 0;
  HWND owner = nullptr;
  bool ownerVisible = true;
  std::wstring text;
  UINT type = 0;
};
Question g_question;

int ScriptedYes(HWND owner, const wchar_t* text, const wchar_t*, UINT type) {
  ++g_question.calls;
  g_question.thread = GetCurrentThreadId();
  g_question.owner = owner;
  g_question.ownerVisible = IsWindowVisible(owner);
  g_question.text = text;
  g_question.type = type;
  return IDYES;
}
}  // namespace

TEST(FeatureDialog, OkRunsTheOperationBehindTheProgressWindowAndEndsWithItsResult) {
  TempDir temp;
  std::wstring first = temp.File(L"in\\first.txt", "first");
  std::wstring second = temp.File(L"in\\second.txt", "second");
  std::wstring target = temp.Folder(L"out");
  temp.File(L"out\\second.txt", "old");

  PromptFunction previous = PromptHook();
  CTestCopyDialog dialog({first, second}, target);
  EXPECT_EQ(PromptHook(), &CZintMessageBox::Show);  // setting up the dialog installed the message box
  SetPromptHook(ScriptedYes);
  g_question = {};

  WindowDriver driver(kCaption, [](HWND window) { Click(window, IDOK); });
  INT_PTR answer = dialog.DoModal(nullptr);
  driver.join();
  SetPromptHook(previous);

  EXPECT_EQ(answer, IDOK);
  EXPECT_EQ(dialog.runs, 1);
  EXPECT_NE(dialog.workerThread, GetCurrentThreadId());
  EXPECT_FALSE(dialog.visibleWhileRunning);
  EXPECT_NE(dialog.progressWindow, nullptr);
  EXPECT_FALSE(IsWindow(dialog.progressWindow));

  EXPECT_EQ(g_question.calls, 1);
  EXPECT_EQ(g_question.thread, dialog.workerThread);
  EXPECT_EQ(g_question.owner, dialog.progressWindow);
  EXPECT_FALSE(g_question.ownerVisible);
  EXPECT_EQ(g_question.text, L"second.txt already exists.\nReplace it?");
  EXPECT_EQ(g_question.type, UINT(MB_YESNO | MB_ICONQUESTION));

  OperationResult& result = dialog.Result();
  EXPECT_EQ(result.status, status::Success);
  EXPECT_EQ(result.succeeded, 2u);
  EXPECT_EQ(result.outputs, (PathList{target + L"\\first.txt", target + L"\\second.txt"}));
  EXPECT_EQ(ReadBytes(target + L"\\second.txt"), "second");

  PathList selected;
  ReportResult(nullptr, result, [&](const PathList& outputs) { selected = outputs; });
  EXPECT_EQ(selected.size(), 2u);
  EXPECT_TRUE(result.outputs.empty());
}

TEST(FeatureDialog, CancelEndsWithoutRunning) {
  TempDir temp;
  CTestCopyDialog dialog({temp.File(L"a.txt", "a")}, temp.Folder(L"out"));
  WindowDriver driver(kCaption, [](HWND window) { PostMessageW(window, WM_COMMAND, IDCANCEL, 0); });
  EXPECT_EQ(dialog.DoModal(nullptr), IDCANCEL);
  driver.join();
  EXPECT_EQ(dialog.runs, 0);
  EXPECT_FALSE(Exists(temp / L"out\\a.txt"));
}
