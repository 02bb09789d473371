// Batches in which not every item can be done: encrypted names past the path limit, a No inside a
// selected folder, names that are nothing but the extension. What cannot be done stays as it was, and
// the rest of the selection is still processed.
#include <gtest/gtest.h>

#include "CryptTestSupport.h"
#include "crypt/EncryptedFile.h"
#include "fileops/FilesRefactor.h"
#include "support/FileChecks.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

using Names = std::vector<std::wstring>;
const std::wstring kPassword = L"limits";

OperationResult Encrypt(const PathList& items, bool deleteOriginal) {
  OperationResult result;
  FilesRefactor().Encrypt(result, items, kPassword, deleteOriginal);
  return result;
}

OperationResult Decrypt(const PathList& items) {
  OperationResult result;
  FilesRefactor().Decrypt(result, items, kPassword);
  return result;
}

std::wstring EncryptedQuestion(const std::wstring& path) {
  return L"The file or directory : " + path +
         L"Already exist in its encrypted version.\nDo you want to overwrite?\n(Be careful... this might be a directory "
         L"and its content will be delivered to the recycle bin)";
}

TEST(EncryptAtThePathLimit, AFileWhoseEncryptedNameWouldNotFitIsLeftAsItWas) {
  TempDir dir;
  // 256 characters: the encrypted name would have 262.
  const std::wstring folder = FolderOfLength(dir, 240), name = L"fifteen_chars.x";
  const std::wstring tight = folder + L"\\" + name;
  for (bool deleteOriginal : {true, false}) {
    SCOPED_TRACE(deleteOriginal ? "deleting the original" : "keeping the original");
    dir.File(tight.substr(dir.path().size() + 1), "plain near the limit");
    std::wstring easy = dir.File(L"easy.txt", "easy");
    ScriptedPrompt yes;
    OperationResult result = Encrypt({tight, easy}, deleteOriginal);

    EXPECT_EQ(result.status, 3);
    EXPECT_EQ(result.message, L"1 files or folders failed to encrypt.");
    EXPECT_EQ(result.succeeded, 1u);
    EXPECT_EQ(result.failed, 1u);
    EXPECT_EQ(result.outputs, PathList{easy + L".qxenc"});
    EXPECT_EQ(ReadBytes(tight), "plain near the limit");
    EXPECT_EQ(NamesIn(folder), Names{name});  // no scratch file, no backup folder
    EXPECT_TRUE(IsEncryptionOf(easy + L".qxenc", "easy", kPassword));
    EXPECT_EQ(Exists(easy), !deleteOriginal);
    auto asked = yes.asked();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1].text, L"Can't encrypt file: " + tight + L".\n\nIts encrypted name would be too long.");
    EXPECT_EQ(asked[1].caption, L"Can't Encrypt!!!");
    EXPECT_EQ(asked[1].type, UINT(MB_ICONHAND));
    DeleteFileW((easy + L".qxenc").c_str());
  }
}

TEST(EncryptAtThePathLimit, AFolderWithAnItemThatWouldNotFitIsLeftAsItWas) {
  TempDir dir;
  // D.qxenc fits, and so does D.qxenc\s.txt.qxenc, but D.qxenc\<19 characters>.qxenc would not.
  const std::wstring parent = FolderOfLength(dir, 230);
  const std::wstring folder = parent + L"\\DDDD";
  const std::wstring relative = folder.substr(dir.path().size() + 1);
  dir.File(relative + L"\\s.txt", "short");
  dir.File(relative + L"\\sub\\abcdefghijklmn.t", "long");
  for (bool deleteOriginal : {true, false}) {
    SCOPED_TRACE(deleteOriginal ? "deleting the original" : "keeping the original");
    ScriptedPrompt yes;
    OperationResult result = Encrypt({folder}, deleteOriginal);
    EXPECT_EQ(result.status, 3);
    EXPECT_EQ(result.message, L"1 files or folders failed to encrypt.");
    EXPECT_EQ(NamesIn(parent), Names{L"DDDD"});
    EXPECT_EQ(NamesIn(folder), (Names{L"s.txt", L"sub"}));
    EXPECT_EQ(NamesIn(folder + L"\\sub"), Names{L"abcdefghijklmn.t"});
    EXPECT_EQ(ReadBytes(folder + L"\\s.txt"), "short");
    ASSERT_EQ(yes.asked().size(), 2u);
    EXPECT_EQ(yes.asked()[1].text.rfind(L"Can't encrypt file: " + folder + L".\n\n", 0), 0u);
  }
}

// Scratch files are named so that they fit wherever the item's own names do.
TEST(EncryptAtThePathLimit, AnItemWhoseNamesFitIsEncryptedAndDecryptedHoweverDeep) {
  TempDir dir;
  const std::wstring folder = FolderOfLength(dir, 251);
  const std::wstring item = folder + L"\\a";  // "a.qxenc" makes 259 characters
  for (bool deleteOriginal : {true, false}) {
    SCOPED_TRACE(deleteOriginal ? "deleting the original" : "keeping the original");
    dir.File(item.substr(dir.path().size() + 1), "deep down");
    ScriptedPrompt yes;
    EXPECT_EQ(Encrypt({item}, deleteOriginal).status, 0);
    EXPECT_TRUE(IsEncryptionOf(item + L".qxenc", "deep down", kPassword));
    EXPECT_EQ(NamesIn(folder), deleteOriginal ? Names{L"a.qxenc"} : (Names{L"a", L"a.qxenc"}));
    DeleteFileW(item.c_str());
    OperationResult result = Decrypt({item + L".qxenc"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.outputs, PathList{item});
    EXPECT_EQ(ReadBytes(item), "deep down");
    EXPECT_EQ(NamesIn(folder), Names{L"a"});
  }
}

TEST(EncryptList, ANoInsideAFolderSkipsOnlyThatItem) {
  TempDir dir;
  std::wstring folder = dir.Folder(L"D");
  dir.File(L"D\\a.txt", "A");
  dir.File(L"D\\a.txt.qxenc", "older encrypted version");
  dir.File(L"D\\b.txt", "B");
  std::wstring after = dir.File(L"z.txt", "Z");
  ScriptedPrompt answers({IDYES, IDNO}, IDCANCEL);
  OperationResult result = Encrypt({folder, after}, true);

  EXPECT_EQ(result.status, 3);
  EXPECT_EQ(result.message, L"1 files or folders failed to encrypt.");
  EXPECT_EQ(result.failed, 1u);
  EXPECT_EQ(result.outputs, (PathList{dir / L"D.qxenc", after + L".qxenc"}));
  ASSERT_EQ(answers.asked().size(), 2u);
  EXPECT_EQ(answers.asked()[1].text, EncryptedQuestion(dir / L"D\\a.txt"));
  // The folder and the file after it are encrypted; a.txt alone is left plain. The older encrypted
  // version is an item of the folder like any other.
  EXPECT_EQ(NamesIn(dir.path()), (Names{L"D.qxenc", L"z.txt.qxenc"}));
  EXPECT_EQ(NamesIn(dir / L"D.qxenc"), (Names{L"a.txt", L"a.txt.qxenc.qxenc", L"b.txt.qxenc"}));
  EXPECT_EQ(ReadBytes(dir / L"D.qxenc\\a.txt"), "A");
  EXPECT_TRUE(IsEncryptionOf(dir / L"D.qxenc\\b.txt.qxenc", "B", kPassword));
  EXPECT_TRUE(IsEncryptionOf(dir / L"D.qxenc\\a.txt.qxenc.qxenc", "older encrypted version", kPassword));
  EXPECT_TRUE(IsEncryptionOf(after + L".qxenc", "Z", kPassword));

  // Yes replaces the older version, and what the batch wrote is not encrypted a second time.
  std::wstring again = dir.Folder(L"E");
  dir.File(L"E\\a.txt", "A");
  dir.File(L"E\\a.txt.qxenc", "older encrypted version");
  ScriptedPrompt yes({IDYES, IDYES}, IDCANCEL);
  result = Encrypt({again}, true);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(NamesIn(dir / L"E.qxenc"), Names{L"a.txt.qxenc"});
  EXPECT_TRUE(IsEncryptionOf(dir / L"E.qxenc\\a.txt.qxenc", "A", kPassword));

  // Decrypting: a No for one file inside skips that file alone, and the count says so.
  dir.File(L"D.qxenc\\b.txt", "plain B, kept");
  ScriptedPrompt decryptNo({IDNO}, IDCANCEL);
  result = Decrypt({dir / L"D.qxenc"});
  EXPECT_EQ(result.status, 3);
  EXPECT_EQ(result.message, L"1 files or folders failed to decrypt.");
  EXPECT_EQ(NamesIn(dir / L"D"), (Names{L"a.txt", L"a.txt.qxenc", L"b.txt", L"b.txt.qxenc"}));
  EXPECT_EQ(ReadBytes(dir / L"D\\b.txt"), "plain B, kept");
  EXPECT_EQ(ReadBytes(dir / L"D\\a.txt.qxenc"), "older encrypted version");
}

// ".qxenc", "..qxenc" and " .qxenc" would name the folder that holds them: they are not encrypted
// items, and the folder above is never offered for deletion.
TEST(Decrypt, ANameThatIsOnlyTheExtensionIsNotAnEncryptedItem) {
  TempDir dir;
  for (const wchar_t* name : {L".qxenc", L"..qxenc", L" .qxenc"}) {
    SCOPED_TRACE(Narrow(name));
    std::wstring parent = dir.Folder(L"P");
    dir.File(L"P\\keep.txt", "keep");
    std::wstring item = dir.Folder(std::wstring(L"P\\") + name);
    dir.File(std::wstring(L"P\\") + name + L"\\inner.txt", "inner");
    ScriptedPrompt yes;
    OperationResult result = Decrypt({item});
    EXPECT_TRUE(yes.asked().empty());
    EXPECT_EQ(result.status, 3);
    EXPECT_EQ(result.message, L"1 files or folders failed to decrypt.");
    EXPECT_EQ(ReadBytes(parent + L"\\keep.txt"), "keep");
    EXPECT_EQ(ReadBytes(item + L"\\inner.txt"), "inner");
    RemoveTree(parent);
  }

  // Inside a selected folder: it would name the selected folder itself.
  std::wstring plain = dir.File(L"X\\f.txt", "f");
  ASSERT_EQ(EncryptFile(nullptr, plain, kPassword), 0);
  ASSERT_TRUE(MoveFileW(plain.c_str(), (plain + L".qxenc").c_str()));
  dir.File(L"X\\.qxenc\\inner.txt", "inner");
  ASSERT_TRUE(MoveFileW((dir / L"X").c_str(), (dir / L"X.qxenc").c_str()));
  ScriptedPrompt yes;
  OperationResult result = Decrypt({dir / L"X.qxenc"});
  EXPECT_TRUE(yes.asked().empty());
  EXPECT_EQ(result.status, 3);
  EXPECT_EQ(result.outputs, PathList{dir / L"X"});
  EXPECT_EQ(NamesIn(dir / L"X"), (Names{L".qxenc", L"f.txt"}));
  EXPECT_EQ(ReadBytes(dir / L"X\\f.txt"), "f");
  EXPECT_EQ(ReadBytes(dir / L"X\\.qxenc\\inner.txt"), "inner");
}

}  // namespace
