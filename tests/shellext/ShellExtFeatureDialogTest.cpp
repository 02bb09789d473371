// Encrypt, Decrypt and Split open their dialogs over the selection; what the operation produced is selected
// in the view, a failure is reported under the operation's title, and a cancelled dialog leaves nothing.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ShellExtFixture.h"
#include "support/ShellViewHost.h"
#include "crypt/EncryptedFile.h"
#include "resource.h"
#include "support/TestSupport.h"
#include "support/WindowDriver.h"

namespace {

const wchar_t kPasswordCaption[] = L"Brivane - Enter Password";
const wchar_t kSplitCaption[] = L"Brivane - Spilt Files";

class ShellExtFeatureDialogTest : public ShellExtFixture {
 protected:
  // Invokes the entry while drive works the dialog with the caption; false when no such dialog opened.
  bool InvokeDriving(const std::wstring& entry, const std::wstring& caption, std::function<void(HWND)> drive,
                     HWND owner = nullptr) {
    WindowDriver driver(caption, std::move(drive));
    EXPECT_EQ(Invoke(OffsetOf(entry), owner), S_OK);
    driver.join();
    return driver.found();
  }
};

void EnterPassword(HWND dialog, const wchar_t* password) {
  SetDlgItemTextW(dialog, IDC_PASSWORD, password);
  if (HWND retype = GetDlgItem(dialog, IDC_PASSWORD_RETYPE)) SetWindowTextW(retype, password);
}

TEST_F(ShellExtFeatureDialogTest, SplitRunsFromItsDialogAndSelectsThePieces) {
  std::string bytes(5000, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = char('a' + i % 26);
  dir_.File(L"movie.bin", bytes);
  ShellViewHost host(dir_.path());
  ASSERT_TRUE(host.Ready());
  host.Select({L"movie.bin"});
  ASSERT_EQ(object_->Initialize(nullptr, host.DataObjectFor({L"movie.bin"}).get(), nullptr), S_OK);
  ASSERT_EQ(object_->SetSite(host.Site()), S_OK);
  ASSERT_TRUE(SUCCEEDED(QueryAgain()));

  // Cancelled: nothing runs and nothing is reported.
  EXPECT_TRUE(InvokeDriving(L"Split", kSplitCaption, [](HWND dialog) { Click(dialog, IDCANCEL); }, host.Window()));
  EXPECT_FALSE(Exists(dir_ / L"movie.bin.qxs0"));

  std::wstring question;
  EXPECT_TRUE(InvokeDriving(
      L"Split", kSplitCaption,
      [&](HWND dialog) {
        ClickNow(dialog, IDC_SPLIT_USE_CUSTOM);
        SetDlgItemTextW(dialog, IDC_SPLIT_SIZE, L"2000");
        SendDlgItemMessageW(dialog, IDC_SPLIT_UNIT_LIST, CB_SETCURSEL, 0, 0);  // "Bytes"
        Click(dialog, IDOK);
        question = AnswerMessageBox(L"Split File", IDYES).text;
      },
      host.Window()));
  EXPECT_EQ(question, L"3 files will be created.\nDo you want to split?");
  EXPECT_EQ(ReadBytes(dir_ / L"movie.bin.qxs2").size(), 1010u);
  host.Pump();
  EXPECT_EQ(host.SelectedNames(), (std::vector<std::wstring>{L"movie.bin.qxs0", L"movie.bin.qxs1", L"movie.bin.qxs2"}));
  object_->SetSite(nullptr);
}

TEST_F(ShellExtFeatureDialogTest, EncryptThenDecryptWithAWrongAndTheRightPassword) {
  std::wstring plain = dir_.File(L"notes.txt", "dear diary");
  std::wstring encrypted = plain + L".qxenc";

  ASSERT_TRUE(SUCCEEDED(Query({plain})));
  EXPECT_TRUE(InvokeDriving(L"Encrypt", kPasswordCaption, [](HWND dialog) {
    EnterPassword(dialog, L"open sesame");
    SendDlgItemMessageW(dialog, IDC_DELETE_ORIGINAL, BM_SETCHECK, BST_CHECKED, 0);
    Click(dialog, IDOK);
    AnswerMessageBox(L"Encrypt File Warning", IDYES);
  }));
  EXPECT_FALSE(Exists(plain));
  EXPECT_TRUE(CheckPassword(encrypted, L"open sesame"));

  // A wrong password: the operation says so per file, then the object reports the failure.
  ASSERT_TRUE(SUCCEEDED(Query({encrypted})));
  std::wstring told, reported, errorText;
  EXPECT_TRUE(InvokeDriving(L"Decrypt", kPasswordCaption, [&](HWND dialog) {
    EnterPassword(dialog, L"open sesame!");
    Click(dialog, IDOK);
    told = AnswerMessageBox(L"Wrong Password", IDOK).text;
    HWND error = WaitForProcessWindow(L"Brivane - Decrypt Operation Error");
    if (!error) return;
    reported = WindowText(GetDlgItem(error, IDC_HEADING));
    errorText = WindowText(GetDlgItem(error, IDC_MESSAGE_TEXT));
    Click(error, IDOK);
  }));
  EXPECT_EQ(told, L"Wrong password for file: " + encrypted + L".");
  EXPECT_EQ(reported, L"Brivane - Decrypt Operation Error");
  EXPECT_EQ(errorText, told);
  EXPECT_TRUE(CheckPassword(encrypted, L"open sesame"));

  EXPECT_TRUE(InvokeDriving(L"Decrypt", kPasswordCaption, [](HWND dialog) {
    EnterPassword(dialog, L"open sesame");
    Click(dialog, IDOK);
  }));
  EXPECT_EQ(ReadBytes(plain), "dear diary");
  EXPECT_FALSE(Exists(encrypted));
}

}  // namespace
