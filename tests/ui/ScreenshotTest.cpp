// Pictures of the windows for a person to look at; only when BRIVANE_SHOTS names a folder.
#include <gtest/gtest.h>

#include <string>

#include "fileops/FilesRefactor.h"
#include "support/Screenshot.h"
#include "support/WindowDriver.h"
#include "ui/MessageBoxLayout.h"
#include "ui/ZintErrorDialog.h"
#include "ui/ZintMessageBox.h"
#include "ui/ZintProgressDialog.h"

namespace {
class ShootingSink : public IReportProgess {
 public:
  FilesRefactor refactor{this};
  CZintProgressDialog dialog{this, &refactor.owner};
  std::wstring file;
  void ReportProgress(int32_t position, bool hide) override { dialog.ReportProgress(position, hide); }
  void Run() override {
    refactor.Report(57);
    EXPECT_TRUE(SaveWindowPng(refactor.owner, file));
  }
};

void ShootMessageBox(const std::wstring& folder, const std::wstring& name, const std::wstring& text, UINT type) {
  WindowDriver driver(L"Brivane", [&](HWND box) {
    EXPECT_TRUE(SaveWindowPng(box, folder + L"\\" + name));
    PostMessageW(box, WM_COMMAND, message_box::ButtonsFor(type).slots[0], 0);
  });
  CZintMessageBox::Show(nullptr, text.c_str(), L"Brivane", type);
}
}  // namespace

TEST(Screenshots, Windows) {
  std::wstring folder = ScreenshotFolder();
  if (folder.empty()) GTEST_SKIP() << "BRIVANE_SHOTS not set";

  ShootMessageBox(folder, L"messagebox-yesno-question.png",
                  L"The file \"holiday.jpg\" already exists.\nDo you want to replace it?", MB_YESNO | MB_ICONQUESTION);
  ShootMessageBox(folder, L"messagebox-ok-information.png", L"The operation completed.", MB_OK | MB_ICONINFORMATION);
  ShootMessageBox(folder, L"messagebox-abortretryignore-error-6lines.png",
                  L"Line one\nLine two\nLine three\nLine four\nLine five\nLine six", MB_ABORTRETRYIGNORE | MB_ICONERROR);
  ShootMessageBox(folder, L"messagebox-canceltrycontinue-warning-long.png",
                  L"The folder C:\\Users\\Someone\\Documents\\Projects\\Archive\\2019 is in use by another "
                  L"program and cannot be moved right now, so it was skipped.",
                  MB_CANCELTRYCONTINUE | MB_ICONWARNING);
  ShootMessageBox(folder, L"messagebox-yesnocancel-question.png", L"Save the list of files?",
                  MB_YESNOCANCEL | MB_ICONQUESTION);

  for (bool marquee : {true, false}) {
    ShootingSink sink;
    sink.file = folder + (marquee ? L"\\progress-marquee.png" : L"\\progress-determinate.png");
    sink.dialog.SetMarquee(marquee);
    sink.dialog.DoModal(nullptr);
  }

  struct Error {
    const wchar_t* file;
    const wchar_t* title;
    const wchar_t* message;
  } errors[] = {
      {L"error-copy.png", L"Brivane - Copy Operation Error", L"Some files could not be copied."},
      {L"error-delete-empty-long.png", L"Brivane - Delete Empty Files or Folders Operation Error",
       L"The following items could not be deleted because they are open in another program:\n"
       L"C:\\Users\\Someone\\Documents\\empty.txt\nC:\\Users\\Someone\\Documents\\Old Folder\n"
       L"C:\\Users\\Someone\\Desktop\\New Text Document.txt\nClose the program and try again."},
  };
  for (const Error& error : errors) {
    WindowDriver driver(error.title, [&](HWND dialog) {
      EXPECT_TRUE(SaveWindowPng(dialog, folder + L"\\" + error.file));
      Click(dialog, IDOK);
    });
    CZintErrorDialog::Show(nullptr, error.title, error.message);
  }
}
