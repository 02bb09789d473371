// The encrypt and decrypt dialogs driven as a user drives them: the password checks with their messages,
// and batches over real files behind the progress window with the operation's questions answered in the
// system's message box.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "CryptTestSupport.h"
#include "crypt/EncryptedFile.h"
#include "crypt/ZintDecryptDialog.h"
#include "crypt/ZintEncryptDialog.h"
#include "fileops/FilesRefactor.h"
#include "resource.h"
#include "support/Screenshot.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"
#include "support/WindowDriver.h"

namespace {
const wchar_t kCaption[] = L"Brivane - Enter Password";
const wchar_t kWarning[] =
    L"The selected files will be encrypted with the given password.\nYou must make sure you remember this password "
    L"since this operation is irreversible without it.\nDo you want to continue?";

bool PasswordStyle(HWND dialog, int id) {
  return (GetWindowLongPtrW(GetDlgItem(dialog, id), GWL_STYLE) & ES_PASSWORD) != 0;
}

void TypePasswords(HWND dialog, const wchar_t* password, const wchar_t* retyped, bool deleteOriginal) {
  SetDlgItemTextW(dialog, IDC_PASSWORD, password);
  SetDlgItemTextW(dialog, IDC_PASSWORD_RETYPE, retyped);
  SendDlgItemMessageW(dialog, IDC_DELETE_ORIGINAL, BM_SETCHECK, deleteOriginal ? BST_CHECKED : BST_UNCHECKED, 0);
}

// Encrypts the items with the operation itself, answering its warning.
void EncryptBeforehand(const PathList& items, const std::wstring& password) {
  ScriptedPrompt yes;
  FilesRefactor refactor;
  OperationResult result;
  refactor.Encrypt(result, items, password, /*deleteOriginal=*/true);
  ASSERT_EQ(result.status, 0);
}
}  // namespace

TEST(EncryptDialog, RefusesPasswordsThatDifferOrAreEmptyAndStaysOpen) {
  TempDir dir;
  std::wstring plain = dir.File(L"a.txt", "plain text");
  CZintEncryptDialog dialog({plain});

  struct Seen {
    std::wstring caption, text;
    bool dialogOpen;
  };
  std::vector<Seen> seen;
  INT_PTR answer = DriveModal(dialog, kCaption, [&](HWND window) {
    EXPECT_EQ(WindowText(GetDlgItem(window, IDC_HEADING)), L"Encrypt");
    EXPECT_TRUE(PasswordStyle(window, IDC_PASSWORD));
    EXPECT_TRUE(PasswordStyle(window, IDC_PASSWORD_RETYPE));
    EXPECT_EQ(WindowText(GetDlgItem(window, IDC_PASSWORD)), L"");
    EXPECT_EQ(WindowText(GetDlgItem(window, IDC_PASSWORD_RETYPE)), L"");
    EXPECT_EQ(WindowText(GetDlgItem(window, IDC_DELETE_ORIGINAL)), L"&Delete original file");
    EXPECT_EQ(SendDlgItemMessageW(window, IDC_DELETE_ORIGINAL, BM_GETCHECK, 0, 0), BST_UNCHECKED);

    DWORD thread = GetWindowThreadProcessId(window, nullptr);
    const wchar_t* attempts[][2] = {{L"secret", L"Secret"}, {L"", L"secret"}, {L"", L""}};
    for (auto& attempt : attempts) {
      TypePasswords(window, attempt[0], attempt[1], true);
      Click(window, IDOK);
      HWND box = WaitForWindow(thread, L"Password Validation");
      if (!box) break;
      seen.push_back({WindowText(box), WindowText(GetDlgItem(box, IDC_HEADING)), false});
      Click(box, IDOK);
      seen.back().dialogOpen = !NoWindowAppears(thread, kCaption, 5000);
    }
    Click(window, IDCANCEL);
  });
  EXPECT_EQ(answer, IDCANCEL);

  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].text, L"Please Retype The Exact Password");
  EXPECT_EQ(seen[1].text, L"Please Retype The Exact Password");
  EXPECT_EQ(seen[2].text, L"Cannot Enter Empty Password");
  for (const Seen& each : seen) {
    EXPECT_EQ(each.caption, L"Password Validation");
    EXPECT_TRUE(each.dialogOpen);
  }
  EXPECT_EQ(ReadBytes(plain), "plain text");
  EXPECT_FALSE(Exists(plain + L".qxenc"));
}

TEST(EncryptDialog, EncryptsBehindTheProgressWindowKeepingPlainCopiesUnlessTold) {
  TempDir dir;
  std::wstring a = dir.File(L"a.txt", "first file");
  std::wstring folder = dir.Folder(L"D");
  dir.File(L"D\\x.txt", "inside");
  std::wstring b = dir.File(L"b.txt", "second file");

  // Plain copies kept: the warning is answered in the system's message box on the worker's thread.
  {
    CZintEncryptDialog dialog({a, folder});
    AnsweredBox warning;
    INT_PTR answer = DriveModal(dialog, kCaption, [&](HWND window) {
      TypePasswords(window, L"Tr1cky pass", L"Tr1cky pass", false);
      Click(window, IDOK);
      warning = AnswerMessageBox(L"Encrypt File Warning", IDYES);
    });
    EXPECT_EQ(answer, IDOK);
    EXPECT_EQ(warning.text, kWarning);
    EXPECT_EQ(warning.ownerCaption, L"Brivane - Working...");
    EXPECT_EQ(warning.ownerBarStyle & PBS_MARQUEE, 0);
    EXPECT_FALSE(dialog.DeleteOriginal());

    const OperationResult& result = dialog.Result();
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.kind, 10);
    EXPECT_EQ(result.succeeded, 2u);
    EXPECT_EQ(ReadBytes(a), "first file");
    EXPECT_TRUE(IsEncryptionOf(a + L".qxenc", "first file", L"Tr1cky pass"));
    EXPECT_EQ(ReadBytes(folder + L"\\x.txt"), "inside");
    EXPECT_TRUE(IsEncryptionOf(dir / L"D.qxenc\\x.txt.qxenc", "inside", L"Tr1cky pass"));
  }

  // "Delete original file" ticked: only the encrypted item remains.
  {
    CZintEncryptDialog dialog({b});
    ScriptedPrompt yes;
    INT_PTR answer = DriveModal(dialog, kCaption, [&](HWND window) {
      TypePasswords(window, L"another", L"another", true);
      Click(window, IDOK);
    });
    EXPECT_EQ(answer, IDOK);
    ASSERT_EQ(yes.asked().size(), 1u);
    EXPECT_EQ(yes.asked()[0].caption, L"Encrypt File Warning");
    EXPECT_EQ(yes.asked()[0].type, UINT(MB_YESNO | MB_ICONEXCLAMATION));
    EXPECT_TRUE(dialog.DeleteOriginal());
    EXPECT_EQ(dialog.Result().status, 0);
    EXPECT_FALSE(Exists(b));
    EXPECT_TRUE(IsEncryptionOf(b + L".qxenc", "second file", L"another"));
  }
}

TEST(EncryptDialog, DeclinedWarningEndsWithIdOkAndStatusSixAndChangesNothing) {
  TempDir dir;
  std::wstring a = dir.File(L"a.txt", "plain");
  CZintEncryptDialog dialog({a});
  ScriptedPrompt no({IDNO});
  INT_PTR answer = DriveModal(dialog, kCaption, [&](HWND window) {
    TypePasswords(window, L"pw", L"pw", true);
    Click(window, IDOK);
  });
  EXPECT_EQ(answer, IDOK);
  EXPECT_EQ(dialog.Result().status, 6);
  EXPECT_EQ(dialog.Result().failed, 1u);
  EXPECT_EQ(ReadBytes(a), "plain");
  EXPECT_FALSE(Exists(a + L".qxenc"));
}

TEST(DecryptDialog, AWrongPasswordIsToldPerFileAndTheRightOneRestoresEverything) {
  TempDir dir;
  std::wstring a = dir.File(L"a.txt", "first file");
  std::wstring folder = dir.Folder(L"D");
  dir.File(L"D\\sub\\y.txt", "deep inside");
  EncryptBeforehand({a, folder}, L"right");
  PathList selection{a + L".qxenc", folder + L".qxenc"};

  {
    CZintDecryptDialog dialog(selection);
    std::vector<std::wstring> told;
    INT_PTR answer = DriveModal(dialog, kCaption, [&](HWND window) {
      EXPECT_EQ(WindowText(GetDlgItem(window, IDC_HEADING)), L"Decrypt");
      EXPECT_TRUE(PasswordStyle(window, IDC_PASSWORD));
      SetDlgItemTextW(window, IDC_PASSWORD, L"wrong");
      Click(window, IDOK);
      for (int file = 0; file < 2; ++file) told.push_back(AnswerMessageBox(L"Wrong Password", IDOK).text);
    });
    EXPECT_EQ(answer, IDOK);
    std::wstring deepest = dir / L"D.qxenc\\sub.qxenc\\y.txt.qxenc";
    EXPECT_EQ(told, (std::vector<std::wstring>{L"Wrong password for file: " + a + L".qxenc.",
                                               L"Wrong password for file: " + deepest + L"."}));
    EXPECT_EQ(dialog.Result().status, 5);
    EXPECT_EQ(dialog.Result().kind, 11);
    EXPECT_EQ(dialog.Result().message, told.back());  // the last file with a wrong password
    EXPECT_TRUE(IsEncryptionOf(a + L".qxenc", "first file", L"right"));
    EXPECT_TRUE(IsEncryptionOf(deepest, "deep inside", L"right"));
  }

  {
    CZintDecryptDialog dialog(selection);
    INT_PTR answer = DriveModal(dialog, kCaption, [&](HWND window) {
      SetDlgItemTextW(window, IDC_PASSWORD, L"right");
      Click(window, IDOK);
    });
    EXPECT_EQ(answer, IDOK);
    EXPECT_EQ(dialog.Result().status, 0);
    EXPECT_EQ(dialog.Result().succeeded, 2u);
    EXPECT_EQ(ReadBytes(a), "first file");
    EXPECT_EQ(ReadBytes(dir / L"D\\sub\\y.txt"), "deep inside");
    EXPECT_FALSE(Exists(a + L".qxenc"));
    EXPECT_FALSE(Exists(folder + L".qxenc"));
  }
}

TEST(DecryptDialog, AnEmptyPasswordIsAcceptedAndCancelRunsNothing) {
  TempDir dir;
  std::wstring a = dir.File(L"a.txt", "made with no password");
  ASSERT_EQ(EncryptFile(nullptr, a, L""), 0);
  ASSERT_TRUE(MoveFileW(a.c_str(), (a + L".qxenc").c_str()));

  {
    CZintDecryptDialog dialog({a + L".qxenc"});
    INT_PTR answer = DriveModal(dialog, kCaption, [&](HWND window) { PostMessageW(window, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(answer, IDCANCEL);
    EXPECT_TRUE(Exists(a + L".qxenc"));
  }
  {
    CZintDecryptDialog dialog({a + L".qxenc"});
    INT_PTR answer = DriveModal(dialog, kCaption, [&](HWND window) { Click(window, IDOK); });
    EXPECT_EQ(answer, IDOK);
    EXPECT_EQ(dialog.Result().status, 0);
    EXPECT_EQ(ReadBytes(a), "made with no password");
  }
}

TEST(Screenshots, EncryptAndDecryptDialogs) {
  std::wstring folder = ScreenshotFolder();
  if (folder.empty()) GTEST_SKIP() << "BRIVANE_SHOTS not set";
  HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PRODUCT));
  {
    CZintEncryptDialog dialog({L"C:\\a.txt"}, icon);
    WindowDriver driver(kCaption, [&](HWND window) {
      TypePasswords(window, L"secret", L"secret", true);
      EXPECT_TRUE(SaveWindowPng(window, folder + L"\\crypt-encrypt.png"));
      TypePasswords(window, L"secret", L"secreT", true);
      Click(window, IDOK);
      HWND box = WaitForWindow(GetWindowThreadProcessId(window, nullptr), L"Password Validation");
      if (box) {
        EXPECT_TRUE(SaveWindowPng(box, folder + L"\\crypt-encrypt-validation.png"));
        Click(box, IDOK);
      }
      Click(window, IDCANCEL);
    });
    dialog.DoModal(nullptr);
  }
  {
    CZintDecryptDialog dialog({L"C:\\a.txt.qxenc"}, icon);
    WindowDriver driver(kCaption, [&](HWND window) {
      SetDlgItemTextW(window, IDC_PASSWORD, L"secret");
      EXPECT_TRUE(SaveWindowPng(window, folder + L"\\crypt-decrypt.png"));
      Click(window, IDCANCEL);
    });
    dialog.DoModal(nullptr);
  }
}
