#include <gtest/gtest.h>

#include <algorithm>

#include "CryptTestSupport.h"
#include "crypt/EncryptedFile.h"
#include "crypt/PasswordCipher.h"
#include "fileops/FilesRefactor.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

const std::wstring kPassword = L"Tr1cky pass";
const wchar_t kWarning[] =
    L"The selected files will be encrypted with the given password.\nYou must make sure you remember this password "
    L"since this operation is irreversible without it.\nDo you want to continue?";

// Names directly inside the folder, sorted.
std::vector<std::wstring> Names(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    std::wstring name = data.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (FindNextFileW(search, &data));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

bool IsEncryptionOf(const std::wstring& path, const std::string& plain) { return ::IsEncryptionOf(path, plain, kPassword); }

bool Nondecreasing(const std::vector<int32_t>& positions) {
  return std::is_sorted(positions.begin(), positions.end());
}

struct Operations {
  RecordingSink sink;
  FilesRefactor refactor{&sink};

  OperationResult Encrypt(const PathList& items, bool deleteOriginal, const std::wstring& password = kPassword) {
    OperationResult result;
    refactor.Encrypt(result, items, password, deleteOriginal);
    return result;
  }
  OperationResult Decrypt(const PathList& items, const std::wstring& password = kPassword) {
    OperationResult result;
    refactor.Decrypt(result, items, password);
    return result;
  }
};

TEST(Encrypt, ReplacesTheFileOrKeepsAPlainCopyBesideIt) {
  TempDir dir;
  std::wstring gone = dir.File(L"gone\\a.txt", "first secret");
  std::wstring kept = dir.File(L"kept\\a.txt", "second secret");
  ScriptedPrompt yes;
  Operations ops;

  OperationResult result = ops.Encrypt({gone}, true);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.kind, kind::Encrypt);
  EXPECT_EQ(result.succeeded, 1u);
  EXPECT_EQ(result.outputs, PathList{gone + L".qxenc"});  // selected in the view afterwards
  EXPECT_EQ(Names(dir / L"gone"), std::vector<std::wstring>{L"a.txt.qxenc"});
  EXPECT_TRUE(IsEncryptionOf(gone + L".qxenc", "first secret"));
  ASSERT_EQ(yes.asked().size(), 1u);
  EXPECT_EQ(yes.asked()[0].text, kWarning);
  EXPECT_EQ(yes.asked()[0].caption, L"Encrypt File Warning");
  EXPECT_EQ(yes.asked()[0].type, 0x34u);
  EXPECT_EQ(ops.sink.reports.front(), std::make_pair(1, true));  // hidden for the warning
  EXPECT_EQ(ops.sink.shown().back(), 100);

  result = ops.Encrypt({kept}, false);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.outputs, PathList{kept + L".qxenc"});  // not the plain copy
  // The plain file is back beside the encrypted one and no backup folder is left.
  EXPECT_EQ(Names(dir / L"kept"), (std::vector<std::wstring>{L"a.txt", L"a.txt.qxenc"}));
  EXPECT_EQ(ReadBytes(kept), "second secret");
  EXPECT_TRUE(IsEncryptionOf(kept + L".qxenc", "second secret"));
}

TEST(Encrypt, KeepsPlainCopiesOfSameNamedItemsFromDifferentFolders) {
  TempDir dir;
  std::wstring one = dir.File(L"one\\same.txt", "one"), two = dir.File(L"two\\same.txt", "two");
  ScriptedPrompt yes;
  Operations ops;
  EXPECT_EQ(ops.Encrypt({one, two}, false).status, 0);
  EXPECT_EQ(ReadBytes(one), "one");
  EXPECT_EQ(ReadBytes(two), "two");
  EXPECT_TRUE(IsEncryptionOf(one + L".qxenc", "one"));
  EXPECT_TRUE(IsEncryptionOf(two + L".qxenc", "two"));
  EXPECT_EQ(Names(dir.path()), (std::vector<std::wstring>{L"one", L"two"}));
}

TEST(EncryptAndDecrypt, AFolderTreeGoesToQxencAndBack) {
  TempDir dir;
  dir.File(L"D\\x.txt", "ex"), dir.File(L"D\\sub\\y.txt", "why");
  ScriptedPrompt yes;
  Operations ops;

  OperationResult result = ops.Encrypt({dir / L"D"}, true);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.outputs, PathList{dir / L"D.qxenc"});  // the selected item, not what lies inside it
  EXPECT_EQ(Names(dir.path()), std::vector<std::wstring>{L"D.qxenc"});
  EXPECT_EQ(Names(dir / L"D.qxenc"), (std::vector<std::wstring>{L"sub.qxenc", L"x.txt.qxenc"}));
  EXPECT_EQ(Names(dir / L"D.qxenc\\sub.qxenc"), std::vector<std::wstring>{L"y.txt.qxenc"});
  EXPECT_TRUE(IsEncryptionOf(dir / L"D.qxenc\\x.txt.qxenc", "ex"));
  EXPECT_TRUE(IsEncryptionOf(dir / L"D.qxenc\\sub.qxenc\\y.txt.qxenc", "why"));
  EXPECT_TRUE(Nondecreasing(ops.sink.shown()));
  EXPECT_EQ(ops.sink.shown().back(), 100);

  ops.sink.reports.clear();
  result = ops.Decrypt({dir / L"D.qxenc"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.kind, kind::Decrypt);
  EXPECT_EQ(result.outputs, PathList{dir / L"D"});
  EXPECT_EQ(Names(dir.path()), std::vector<std::wstring>{L"D"});
  EXPECT_EQ(Names(dir / L"D"), (std::vector<std::wstring>{L"sub", L"x.txt"}));
  EXPECT_EQ(ReadBytes(dir / L"D\\x.txt"), "ex");
  EXPECT_EQ(ReadBytes(dir / L"D\\sub\\y.txt"), "why");
  EXPECT_EQ(ops.sink.shown().front(), 1);
  EXPECT_TRUE(Nondecreasing(ops.sink.shown()));
  EXPECT_EQ(yes.asked().size(), 1u);  // the warning only

  // Kept originals: the plain tree stays beside the encrypted one.
  EXPECT_EQ(ops.Encrypt({dir / L"D"}, false).status, 0);
  EXPECT_EQ(Names(dir.path()), (std::vector<std::wstring>{L"D", L"D.qxenc"}));
  EXPECT_EQ(ReadBytes(dir / L"D\\sub\\y.txt"), "why");
  EXPECT_TRUE(IsEncryptionOf(dir / L"D.qxenc\\sub.qxenc\\y.txt.qxenc", "why"));
}

TEST(Decrypt, AWrongPasswordLeavesEveryFileEncrypted) {
  TempDir dir;
  std::wstring a = dir.File(L"a.txt", "alpha"), b = dir.File(L"F\\b.txt", "beta");
  ScriptedPrompt answers;
  Operations ops;
  ASSERT_EQ(ops.Encrypt({a, dir / L"F"}, true).status, 0);
  std::string encrypted = ReadBytes(a + L".qxenc");
  TraceCapture trace;

  OperationResult result = ops.Decrypt({a + L".qxenc", dir / L"F.qxenc"}, L"tr1cky pass");
  EXPECT_EQ(result.status, 5);
  std::wstring last = L"Wrong password for file: " + dir / L"F.qxenc\\b.txt.qxenc" + L".";
  EXPECT_EQ(result.message, last);
  auto asked = answers.asked();
  ASSERT_EQ(asked.size(), 3u);  // the warning of the encryption, then one message per file
  EXPECT_EQ(asked[1].text, L"Wrong password for file: " + a + L".qxenc.");
  EXPECT_EQ(asked[1].caption, L"Wrong Password");
  EXPECT_EQ(asked[1].type, 0x10u);
  EXPECT_EQ(asked[2].text, last);
  EXPECT_EQ(trace.Count("Wrong Password!"), 2);
  EXPECT_EQ(Names(dir.path()), (std::vector<std::wstring>{L"F.qxenc", L"a.txt.qxenc"}));
  EXPECT_TRUE(ReadBytes(a + L".qxenc") == encrypted);
  EXPECT_TRUE(Exists(dir / L"F.qxenc\\b.txt.qxenc"));
}

TEST(Decrypt, NamesAreMatchedAfterLoweringAndOthersOnlyTraced) {
  TempDir dir;
  std::wstring upper = dir.File(L"A.TXT", "upper case");
  std::wstring notes = dir.File(L"notes.txt", "not encrypted");
  ASSERT_EQ(EncryptFile(nullptr, upper, kPassword), 0);
  ASSERT_TRUE(MoveFileW(upper.c_str(), (dir / L"A.TXT.QXENC").c_str()));
  ScriptedPrompt answers;
  Operations ops;
  TraceCapture trace;

  OperationResult result = ops.Decrypt({dir / L"A.TXT.QXENC", notes, dir / L"missing.qxenc"});
  EXPECT_EQ(ReadBytes(dir / L"A.TXT"), "upper case");
  EXPECT_FALSE(Exists(dir / L"A.TXT.QXENC"));
  EXPECT_EQ(ReadBytes(notes), "not encrypted");
  EXPECT_EQ(trace.Count("No enc extention for: " + Narrow(notes)), 1);
  EXPECT_EQ(trace.Count("DecryptList: File doesn't exist: " + Narrow(dir / L"missing.qxenc")), 1);
  // The selected items that could not be decrypted are counted.
  EXPECT_EQ(result.status, 3);
  EXPECT_EQ(result.message, L"2 files or folders failed to decrypt.");
  EXPECT_EQ(result.succeeded, 1u);
  EXPECT_EQ(result.failed, 2u);
  EXPECT_EQ(result.outputs, PathList{dir / L"A.TXT"});
  EXPECT_TRUE(answers.asked().empty());
}

TEST(Encrypt, AnExistingEncryptedVersionIsAskedAbout) {
  TempDir dir;
  std::wstring a = dir.File(L"a.txt", "plain"), old = dir.File(L"a.txt.qxenc", "older encrypted version");
  const std::wstring question = L"The file or directory : " + a +
                                L"Already exist in its encrypted version.\nDo you want to overwrite?\n(Be careful... "
                                L"this might be a directory and its content will be delivered to the recycle bin)";
  Operations ops;
  {
    ScriptedPrompt no({IDYES, IDNO});
    OperationResult result = ops.Encrypt({a}, true);
    EXPECT_EQ(result.status, 3);
    EXPECT_EQ(result.message, L"1 files or folders failed to encrypt.");
    EXPECT_EQ(result.failed, 1u);
    ASSERT_EQ(no.asked().size(), 2u);
    EXPECT_EQ(no.asked()[1].text, question);
    EXPECT_EQ(no.asked()[1].caption, L"Encrypt File Exist");
    EXPECT_EQ(no.asked()[1].type, 0x23u);
  }
  {
    ScriptedPrompt no({IDYES, IDNO});  // keeping the original: the copy goes back over the unchanged file
    EXPECT_EQ(ops.Encrypt({a}, false).status, 3);
    EXPECT_EQ(Names(dir.path()), (std::vector<std::wstring>{L"a.txt", L"a.txt.qxenc"}));
  }
  {
    ScriptedPrompt cancel({IDYES, IDCANCEL});
    OperationResult result = ops.Encrypt({a}, true);
    EXPECT_EQ(result.status, 6);
    EXPECT_EQ(result.message, L"");
  }
  EXPECT_EQ(ReadBytes(a), "plain");
  EXPECT_EQ(ReadBytes(old), "older encrypted version");
  {
    ScriptedPrompt yes({IDYES, IDYES});
    EXPECT_EQ(ops.Encrypt({a}, true).status, 0);
    EXPECT_EQ(yes.asked().size(), 2u);
  }
  EXPECT_EQ(Names(dir.path()), std::vector<std::wstring>{L"a.txt.qxenc"});
  EXPECT_TRUE(IsEncryptionOf(old, "plain"));
}

TEST(Decrypt, AnExistingPlainVersionIsAskedAbout) {
  TempDir dir;
  std::wstring file = dir.File(L"f.txt", "new plain");
  dir.File(L"G\\g.txt", "folder plain");
  ScriptedPrompt yes;
  Operations ops;
  ASSERT_EQ(ops.Encrypt({file, dir / L"G"}, false).status, 0);  // the plain versions stay
  dir.File(L"f.txt", "old plain");
  const std::wstring fileQuestion = L"The file or directory : " + file + L".qxenc" +
                                    L" Already exist in its decrypted version.\nDo you want to overwrite?\n(Be careful... "
                                    L"this might be a directory and its content will be delivered to the recycle bin)";
  const std::wstring folderQuestion = L"The file or directory : " + dir / L"G.qxenc" +
                                      L"Already exist in its decrypted version.\nDo you want to overwrite?\n(Be careful... "
                                      L"this might be a directory and its content will be delivered to the recycle bin)";
  {
    ScriptedPrompt no({IDNO, IDNO});
    OperationResult result = ops.Decrypt({file + L".qxenc", dir / L"G.qxenc"});
    EXPECT_EQ(result.status, 3);
    EXPECT_EQ(result.message, L"2 files or folders failed to decrypt.");
    ASSERT_EQ(no.asked().size(), 2u);
    EXPECT_EQ(no.asked()[0].text, fileQuestion);
    EXPECT_EQ(no.asked()[0].caption, L"Decrypt File Exist");
    EXPECT_EQ(no.asked()[0].type, 0x23u);
    EXPECT_EQ(no.asked()[1].text, folderQuestion);
  }
  {
    ScriptedPrompt cancel({IDCANCEL});
    OperationResult result = ops.Decrypt({file + L".qxenc", dir / L"G.qxenc"});
    EXPECT_EQ(result.status, 6);
    EXPECT_EQ(cancel.asked().size(), 1u);
  }
  EXPECT_EQ(ReadBytes(file), "old plain");
  EXPECT_EQ(Names(dir.path()), (std::vector<std::wstring>{L"G", L"G.qxenc", L"f.txt", L"f.txt.qxenc"}));
  {
    ScriptedPrompt overwrite({IDYES, IDYES});
    EXPECT_EQ(ops.Decrypt({file + L".qxenc", dir / L"G.qxenc"}).status, 0);
  }
  EXPECT_EQ(ReadBytes(file), "new plain");
  EXPECT_EQ(ReadBytes(dir / L"G\\g.txt"), "folder plain");
  EXPECT_EQ(Names(dir.path()), (std::vector<std::wstring>{L"G", L"f.txt"}));
}

TEST(Encrypt, DeclinedWarningChangesNothing) {
  TempDir dir;
  std::wstring a = dir.File(L"a.txt", "a"), b = dir.File(L"b.txt", "b");
  ScriptedPrompt no({IDNO});
  Operations ops;
  TraceCapture trace;
  OperationResult result = ops.Encrypt({a, b}, true);
  EXPECT_EQ(result.status, 6);
  EXPECT_EQ(result.failed, 2u);
  EXPECT_EQ(result.succeeded, 0u);
  EXPECT_EQ(trace.Count("FilesRefactor::EncryptList: User stopped operation"), 1);
  EXPECT_EQ(Names(dir.path()), (std::vector<std::wstring>{L"a.txt", L"b.txt"}));
}

TEST(Encrypt, ItemsOpenElsewhereAreLeftOutAndCounted) {
  TempDir dir;
  std::wstring a = dir.File(L"a.txt", "a"), b = dir.File(L"b.txt", "b");
  HANDLE held = CreateFileW(a.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  ScriptedPrompt yes;
  Operations ops;
  OperationResult result = ops.Encrypt({a, b}, false);
  EXPECT_EQ(result.status, 3);
  EXPECT_EQ(result.message, L"1 files or folders failed to encrypt.");
  EXPECT_EQ(result.succeeded, 1u);
  EXPECT_EQ(result.failed, 1u);
  EXPECT_EQ(Names(dir.path()), (std::vector<std::wstring>{L"a.txt", L"b.txt", L"b.txt.qxenc"}));

  std::wstring c = dir.File(L"c.txt", "c");
  HANDLE heldToo = CreateFileW(c.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  result = ops.Encrypt({a, c}, true);
  EXPECT_EQ(result.status, 3);
  EXPECT_EQ(result.message, L"2 files or folders failed to encrypt.");
  CloseHandle(held);
  CloseHandle(heldToo);
}

TEST(EncryptAndDecrypt, AFileTheRoutineCannotProcessIsNamedWithItsCode) {
  TempDir dir;
  std::wstring a = dir.File(L"a.txt", "plain a"), b = dir.File(L"b.txt", "plain b");
  ScriptedPrompt answers;
  Operations ops;
  SimulateCipherFailure(0);  // the key setup of the first file
  OperationResult result = ops.Encrypt({a, b}, true);
  EXPECT_EQ(result.status, 3);
  EXPECT_EQ(result.message, L"1 files or folders failed to encrypt.");
  auto asked = answers.asked();
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[1].text, L"Can't encrypt file: " + a + L".\n\nError: PRIVRESPONSE 7");
  EXPECT_EQ(asked[1].caption, L"Can't Encrypt!!!");
  EXPECT_EQ(asked[1].type, 0x10u);
  EXPECT_EQ(ReadBytes(a), "plain a");
  EXPECT_TRUE(IsEncryptionOf(b + L".qxenc", "plain b"));

  std::string encrypted = ReadBytes(b + L".qxenc");
  SimulateCipherFailure(0);
  result = ops.Decrypt({b + L".qxenc"});
  SimulateCipherFailure(-1);
  asked = answers.asked();
  ASSERT_EQ(asked.size(), 3u);
  EXPECT_EQ(asked[2].text, L"Can't decrypt file: " + b + L".qxenc.\n\nError: PRIVRESPONSE 7");
  EXPECT_EQ(asked[2].caption, L"Can't Decrypt");
  EXPECT_TRUE(ReadBytes(b + L".qxenc") == encrypted);
  EXPECT_TRUE(TemporaryFilesIn(dir.path()).empty());
}

TEST(EncryptAndDecrypt, LinksInsideTheTreeAreNotFollowed) {
  TempDir dir;
  std::wstring secret = dir.File(L"outside\\secret.txt", "outside the tree");
  dir.File(L"D\\inside.txt", "inside");
  if (!MakeFolderLink(dir / L"D\\escape", dir / L"outside")) GTEST_SKIP() << "this platform cannot make a folder link";
  ASSERT_TRUE(Exists(dir / L"D\\escape\\secret.txt"));
  ScriptedPrompt yes;
  Operations ops;

  EXPECT_EQ(ops.Encrypt({dir / L"D"}, true).status, 0);
  EXPECT_EQ(Names(dir / L"D.qxenc"), (std::vector<std::wstring>{L"escape", L"inside.txt.qxenc"}));
  EXPECT_EQ(ReadBytes(secret), "outside the tree");
  EXPECT_EQ(Names(dir / L"outside"), std::vector<std::wstring>{L"secret.txt"});

  // A selected link is left alone too.
  OperationResult result = ops.Encrypt({dir / L"D.qxenc\\escape"}, true);
  EXPECT_EQ(result.status, 3);
  EXPECT_EQ(ReadBytes(secret), "outside the tree");

  EXPECT_EQ(ops.Decrypt({dir / L"D.qxenc"}).status, 0);
  EXPECT_EQ(ReadBytes(dir / L"D\\inside.txt"), "inside");
  EXPECT_EQ(ReadBytes(secret), "outside the tree");
  RemoveFolderLink(dir / L"D\\escape");
  EXPECT_FALSE(Exists(dir / L"D\\escape"));
}

}  // namespace
