// Split, join, encrypt and decrypt run end to end: Brivane.dll registered with regsvr32, the command
// invoked from the stand-in's menu on real files, its dialogs and questions answered by a script, and
// the files on disk and the view's selection checked afterwards.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "RegisteredBrivane.h"
#include "ScopedSetting.h"
#include "StandInProcess.h"
#include "crypt/EncryptedFile.h"
#include "fileops/FilesRefactor.h"
#include "support/FileChecks.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

const char kPassword[] = "Blue lagoon 7";

std::string Pattern(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = char((i * 7919 + i / 251) & 0xFF);
  return bytes;
}

class BrivaneFileCommands : public BrivaneInFolder {};

TEST_F(BrivaneFileCommands, SplitFromItsDialogThenJoinThePiecesBack) {
  const std::string original = Pattern(10000);
  dir_.File(L"report.pdf", original);
  dir_.File(L"other.txt", "stays unselected");

  // Cancel first: nothing is written and nothing reported.
  StandInRun cancelled = Invoke(L"report.pdf", L"Brivane>Split and Join>Split",
                                "window Brivane - Spilt Files\n"
                                "click IDCANCEL\n");
  EXPECT_EQ(cancelled.exitCode, 0u) << cancelled.errors;
  EXPECT_FALSE(Exists(dir_ / L"report.pdf.qxs0"));

  // A size of 0 is refused and the dialog stays. Then 3 Kilobytes: 3,072-byte pieces, the first holding
  // the 10-byte header; 10,000 bytes make four.
  StandInRun split = Invoke(L"report.pdf", L"Brivane>Split and Join>Split",
                            "window Brivane - Spilt Files\n"
                            "check 272\n"
                            "set 274 0\n"
                            "click IDOK\n"
                            "window Brivane - Split\n"
                            "click IDOK\n"
                            "window Brivane - Spilt Files\n"
                            "set 274 3\n"
                            "select 273 1\n"
                            "expect 273 Kilobytes\n"
                            "click IDOK\n"
                            "window Split File\n"
                            "expect 298 4 files will be created.\\nDo you want to split?\n"
                            "click IDYES\n");
  EXPECT_TRUE(Succeeded(split, "Split", "report.pdf.qxs0;report.pdf.qxs1;report.pdf.qxs2;report.pdf.qxs3"));
  EXPECT_TRUE(split.Has("  Error Converting Size, Please Enter a Valid Size in Bytes"));
  std::string pieces[4];
  for (int i = 0; i < 4; ++i) pieces[i] = ReadBytes(dir_ / (L"report.pdf.qxs" + std::to_wstring(i)));
  EXPECT_EQ(pieces[0].size(), 3072u);
  EXPECT_EQ(pieces[1].size(), 3072u);
  EXPECT_EQ(pieces[2].size(), 3072u);
  EXPECT_EQ(pieces[3].size(), 794u);
  EXPECT_EQ(pieces[0].substr(0, 4), std::string("4\0\0\0", 4));  // "4" and its terminator in UTF-16
  EXPECT_TRUE(pieces[0].substr(10) + pieces[1] + pieces[2] + pieces[3] == original);
  EXPECT_FALSE(Exists(dir_ / L"report.pdf.qxs4"));
  EXPECT_TRUE(ReadBytes(dir_ / L"report.pdf") == original);

  // The original goes, so that the join must make it again from the pieces.
  ASSERT_TRUE(DeleteFileW((dir_ / L"report.pdf").c_str()));
  StandInRun join = Invoke(L"report.pdf.qxs2;report.pdf.qxs0;report.pdf.qxs3;report.pdf.qxs1",
                           L"Brivane>Split and Join>Join");
  EXPECT_TRUE(Succeeded(join, "Join", "report.pdf"));
  EXPECT_TRUE(ReadBytes(dir_ / L"report.pdf") == original);
  EXPECT_EQ(ReadBytes(dir_ / L"report.pdf.qxs3").size(), 794u);  // the pieces stay
}

TEST_F(BrivaneFileCommands, AnIncompleteSetOfPiecesIsReportedAndNothingIsWritten) {
  const std::string original = Pattern(100);
  dir_.File(L"notes.bin", original);
  StandInRun split = Invoke(L"notes.bin", L"Brivane>Split and Join>Split",
                            "window Brivane - Spilt Files\n"
                            "check 272\n"
                            "set 274 30\n"
                            "select 273 0\n"
                            "click IDOK\n"
                            "window Split File\n"
                            "click IDYES\n");
  ASSERT_EQ(split.exitCode, 0u) << split.errors;
  ASSERT_TRUE(DeleteFileW((dir_ / L"notes.bin").c_str()));

  StandInRun join = Invoke(L"notes.bin.qxs0;notes.bin.qxs1;notes.bin.qxs3", L"Brivane>Split and Join>Join",
                           "window Brivane - Join Operation Error\n"
                           "expect 298 Brivane - Join Operation Error\n"
                           "click IDOK\n");
  EXPECT_EQ(join.exitCode, 0u) << join.errors;
  EXPECT_TRUE(join.Has("  Missing files with in selection for Join."));
  EXPECT_FALSE(Exists(dir_ / L"notes.bin"));
}

TEST_F(BrivaneFileCommands, EncryptAFolderThenDecryptItWithAWrongAndTheRightPassword) {
  dir_.File(L"D\\x.txt", "the letter x");
  dir_.File(L"D\\sub\\y.bin", Pattern(5000));
  dir_.Folder(L"D\\sub\\empty");
  dir_.File(L"beside.txt", "not selected");
  const std::map<std::string, std::string> plain = FolderTree(dir_ / L"D");

  StandInRun encrypt = Invoke(L"D", L"Brivane>Security>Encrypt",
                              std::string("window Brivane - Enter Password\n") +
                                  "set 212 " + kPassword + "\n"
                                  "set 214 blue lagoon 7\n"
                                  "click IDOK\n"
                                  "window Password Validation\n"
                                  "expect 298 Please Retype The Exact Password\n"
                                  "click IDOK\n"
                                  "window Brivane - Enter Password\n"
                                  "set 214 " + kPassword + "\n"
                                  "check 246\n"
                                  "click IDOK\n"
                                  "window Encrypt File Warning\n"
                                  "click IDYES\n");
  EXPECT_TRUE(Succeeded(encrypt, "Encrypt", "D.qxenc"));
  EXPECT_FALSE(Exists(dir_ / L"D"));  // "Delete original file": no plain copy is kept
  const std::map<std::string, std::string> encrypted = FolderTree(dir_ / L"D.qxenc");
  std::vector<std::string> names;
  for (const auto& [name, bytes] : encrypted) names.push_back(name);
  EXPECT_EQ(names, (std::vector<std::string>{"sub.qxenc", "sub.qxenc\\empty.qxenc", "sub.qxenc\\y.bin.qxenc",
                                             "x.txt.qxenc"}));
  // Each file is its encryption: 16 bytes longer, the plain bytes nowhere in it, the password's check passing.
  for (const auto& [name, stored] : {std::pair<std::string, std::string>{"x.txt", "x.txt.qxenc"},
                                     std::pair<std::string, std::string>{"sub\\y.bin", "sub.qxenc\\y.bin.qxenc"}}) {
    ASSERT_TRUE(encrypted.count(stored)) << stored;
    EXPECT_EQ(encrypted.at(stored).size(), plain.at(name).size() + 16) << stored;
    EXPECT_EQ(encrypted.at(stored).find(plain.at(name)), std::string::npos) << stored;
  }
  EXPECT_TRUE(CheckPassword(dir_ / L"D.qxenc\\sub.qxenc\\y.bin.qxenc", L"Blue lagoon 7"));

  // A wrong password: one message per file, then the error dialog; everything stays encrypted.
  StandInRun wrong = Invoke(L"D.qxenc", L"Brivane>Security>Decrypt",
                            "window Brivane - Enter Password\n"
                            "set 212 blue lagoon 7\n"
                            "click IDOK\n"
                            "window Wrong Password\n"
                            "click IDOK\n"
                            "window Wrong Password\n"
                            "click IDOK\n"
                            "window Brivane - Decrypt Operation Error\n"
                            "click IDOK\n");
  EXPECT_EQ(wrong.exitCode, 0u) << wrong.errors;
  EXPECT_TRUE(wrong.Has("window: Brivane - Decrypt Operation Error"));
  EXPECT_TRUE(wrong.Has("  Wrong password for file: " + Narrow(dir_ / L"D.qxenc\\x.txt.qxenc") + "."));
  EXPECT_TRUE(wrong.Has("  Wrong password for file: " + Narrow(dir_ / L"D.qxenc\\sub.qxenc\\y.bin.qxenc") + "."));
  // The files, that is: an empty folder holds nothing to check the password against and loses its ".qxenc".
  std::map<std::string, std::string> after = FolderTree(dir_ / L"D.qxenc");
  for (const auto& [name, bytes] : encrypted) {
    if (bytes == "<folder>") continue;
    EXPECT_TRUE(after.count(name) && after.at(name) == bytes) << name;
  }
  EXPECT_FALSE(Exists(dir_ / L"D"));

  StandInRun decrypt = Invoke(L"D.qxenc", L"Brivane>Security>Decrypt",
                              std::string("window Brivane - Enter Password\n") +
                                  "set 212 " + kPassword + "\n"
                                  "click IDOK\n");
  EXPECT_TRUE(Succeeded(decrypt, "Decrypt", "D"));
  EXPECT_FALSE(Exists(dir_ / L"D.qxenc"));
  EXPECT_TRUE(FolderTree(dir_ / L"D") == plain);
  EXPECT_EQ(ReadBytes(dir_ / L"beside.txt"), "not selected");
}

// The cases that used to lose data, each run as a user would: the user's files are intact afterwards and
// the outcome is told.

std::string EncryptScript(bool deleteOriginal) {
  return std::string("window Brivane - Enter Password\n") + "set 212 " + kPassword + "\nset 214 " + kPassword + "\n" +
         (deleteOriginal ? "check 246\n" : "uncheck 246\n") + "click IDOK\nwindow Encrypt File Warning\nclick IDYES\n";
}

// Splits in this process: the pieces are the starting point, not what is checked.
PathList SplitHere(const std::wstring& source, uint64_t size) {
  ScriptedPrompt yes;
  OperationResult result;
  FilesRefactor().SplitFile(result, source, size);
  return result.outputs;
}

TEST_F(BrivaneFileCommands, JoinAsksBeforeReplacingAFileEditedSinceTheSplit) {
  const std::string original = Pattern(5000);
  const std::wstring name = UniqueName(L"data", L"bin");
  ASSERT_EQ(SplitHere(dir_.File(name, original), 2048).size(), 3u);
  dir_.File(name, "edited after the split");
  const std::wstring pieces = name + L".qxs0;" + name + L".qxs1;" + name + L".qxs2";
  const std::string question = "The file " + Narrow(dir_ / name) + " already exists.\\nDo you want to replace it?\\n"
                               "(The existing file will be sent to the recycle bin)";

  StandInRun no = Invoke(pieces, L"Brivane>Split and Join>Join",
                         "window Join File Exist\nexpect 298 " + question + "\nclick IDNO\n");
  EXPECT_EQ(no.exitCode, 0u) << no.errors;
  EXPECT_FALSE(no.Has("window: Brivane - Join Operation Error"));
  EXPECT_EQ(ReadBytes(dir_ / name), "edited after the split");
  EXPECT_EQ(NamesIn(dir_.path()).size(), 4u);  // no scratch file

  StandInRun yes = Invoke(pieces, L"Brivane>Split and Join>Join", "window Join File Exist\nclick IDYES\n");
  EXPECT_TRUE(Succeeded(yes, "Join", Narrow(name)));
  EXPECT_TRUE(ReadBytes(dir_ / name) == original);
  EXPECT_TRUE(InRecycleBin(name));
}

TEST_F(BrivaneFileCommands, AJoinThatCannotFinishLeavesTheExistingFileAsItWas) {
  ASSERT_EQ(SplitHere(dir_.File(L"data.bin", Pattern(5000)), 2048).size(), 3u);
  dir_.File(L"data.bin", "previous version");
  const std::wstring pieces = L"data.bin.qxs0;data.bin.qxs1;data.bin.qxs2";
  const std::vector<std::wstring> before = NamesIn(dir_.path());

  // A piece held by another program: the copy stops part-way.
  HANDLE held = CreateFileW((dir_ / L"data.bin.qxs2").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  StandInRun locked = Invoke(pieces, L"Brivane>Split and Join>Join",
                             "window Join File Exist\nclick IDYES\nwindow Brivane - Join Operation Error\nclick IDOK\n");
  CloseHandle(held);
  EXPECT_EQ(locked.exitCode, 0u) << locked.errors;
  EXPECT_TRUE(locked.Has("  An unexpected error occured."));
  EXPECT_TRUE(ReadBytes(dir_ / L"data.bin") == "previous version");
  EXPECT_EQ(NamesIn(dir_.path()), before);

  // A middle piece cut short: refused before anything is written.
  std::string middle = ReadBytes(dir_ / L"data.bin.qxs1");
  dir_.File(L"data.bin.qxs1", middle.substr(0, 2000));
  StandInRun cut = Invoke(pieces, L"Brivane>Split and Join>Join", "window Brivane - Join Operation Error\nclick IDOK\n");
  EXPECT_EQ(cut.exitCode, 0u) << cut.errors;
  EXPECT_TRUE(cut.Has("  Wrong size of file in selection for Join: " + Narrow(dir_ / L"data.bin.qxs1") + "."));
  EXPECT_TRUE(ReadBytes(dir_ / L"data.bin") == "previous version");
  EXPECT_EQ(NamesIn(dir_.path()), before);
}

TEST_F(BrivaneFileCommands, AFileWhoseEncryptedNameWouldNotFitIsLeftPlainAndTheOthersAreEncrypted) {
  const std::wstring folder = FolderOfLength(dir_, 240);
  const std::wstring relative = folder.substr(dir_.path().size() + 1);
  dir_.File(relative + L"\\fifteen_chars.x", "plain near the limit");
  dir_.File(relative + L"\\easy.txt", "easy");
  const std::string tight = Narrow(folder + L"\\fifteen_chars.x");
  StandInRun run = InvokeIn(folder, L"fifteen_chars.x;easy.txt", L"Brivane>Security>Encrypt",
                            EncryptScript(false) +
                                "window Can't Encrypt!!!\n"
                                "expect 298 Can't encrypt file: " + tight + ".\\n\\nIts encrypted name would be too long.\n"
                                "click IDOK\n"
                                "window Brivane - Encrypt Operation Error\n"
                                "click IDOK\n");
  EXPECT_EQ(run.exitCode, 0u) << run.errors;
  EXPECT_TRUE(run.Has("  1 files or folders failed to encrypt."));
  EXPECT_EQ(NamesIn(folder), (std::vector<std::wstring>{L"easy.txt", L"easy.txt.qxenc", L"fifteen_chars.x"}));
  EXPECT_EQ(ReadBytes(folder + L"\\fifteen_chars.x"), "plain near the limit");
  EXPECT_EQ(ReadBytes(folder + L"\\easy.txt"), "easy");
  EXPECT_TRUE(CheckPassword(folder + L"\\easy.txt.qxenc", L"Blue lagoon 7"));
}

TEST_F(BrivaneFileCommands, NoForOneFileInsideAFolderSkipsThatFileAlone) {
  dir_.File(L"D\\a.txt", "A");
  dir_.File(L"D\\a.txt.qxenc", "older encrypted version");
  dir_.File(L"D\\b.txt", "B");
  dir_.File(L"z.txt", "Z");
  StandInRun run = Invoke(L"D;z.txt", L"Brivane>Security>Encrypt",
                          EncryptScript(true) +
                              "window Encrypt File Exist\n"
                              "click IDNO\n"
                              "window Brivane - Encrypt Operation Error\n"
                              "click IDOK\n");
  EXPECT_EQ(run.exitCode, 0u) << run.errors;
  EXPECT_TRUE(run.Has("  1 files or folders failed to encrypt."));
  EXPECT_EQ(NamesIn(dir_.path()), (std::vector<std::wstring>{L"D.qxenc", L"z.txt.qxenc"}));
  EXPECT_EQ(NamesIn(dir_ / L"D.qxenc"), (std::vector<std::wstring>{L"a.txt", L"a.txt.qxenc.qxenc", L"b.txt.qxenc"}));
  EXPECT_EQ(ReadBytes(dir_ / L"D.qxenc\\a.txt"), "A");
  EXPECT_TRUE(CheckPassword(dir_ / L"z.txt.qxenc", L"Blue lagoon 7"));
}

TEST_F(BrivaneFileCommands, AFolderNamedOnlyTheExtensionIsNotDecrypted) {
  // Wine hides names that start with a dot unless told otherwise; " .qxenc" would name the folder
  // that holds it just the same.
  ScopedSetting dotFiles(L"Software\\Wine", L"ShowDotFiles", L"Y");
  for (const wchar_t* name : {L".qxenc", L" .qxenc"}) {
    SCOPED_TRACE(Narrow(name));
    std::wstring parent = dir_.Folder(L"P");
    dir_.File(L"P\\keep.txt", "keep");
    dir_.File(std::wstring(L"P\\") + name + L"\\inner.txt", "inner");
    StandInRun run = InvokeIn(parent, name, L"Brivane>Security>Decrypt",
                              std::string("window Brivane - Enter Password\nset 212 ") + kPassword +
                                  "\nclick IDOK\nwindow Brivane - Decrypt Operation Error\nclick IDOK\n");
    EXPECT_EQ(run.exitCode, 0u) << run.errors;
    EXPECT_FALSE(run.Has("window: Decrypt File Exist"));
    EXPECT_TRUE(run.Has("  1 files or folders failed to decrypt."));
    EXPECT_EQ(ReadBytes(parent + L"\\keep.txt"), "keep");
    EXPECT_EQ(ReadBytes(parent + L"\\" + name + L"\\inner.txt"), "inner");
    RemoveTree(parent);
  }
}

TEST_F(BrivaneFileCommands, RenamesInAFolderAtThePathLimitSucceed) {
  const std::wstring folder = FolderOfLength(dir_, 250);
  const std::wstring relative = folder.substr(dir_.path().size() + 1);
  dir_.File(relative + L"\\a.txt", "a");
  dir_.File(relative + L"\\b.txt", "b");
  StandInRun run = InvokeIn(folder, L"a.txt;b.txt", L"Brivane>Rename>Autonumbering",
                            "window Brivane - Rename - Autonumbering\nset 213 1\nclick IDOK\n");
  EXPECT_TRUE(Succeeded(run, "Rename", "1.txt;2.txt"));
  EXPECT_EQ(NamesIn(folder), (std::vector<std::wstring>{L"1.txt", L"2.txt"}));
  EXPECT_EQ(ReadBytes(folder + L"\\1.txt"), "a");
}

TEST_F(BrivaneFileCommands, TheOverwriteQuestionOfARenameLeavesEveryNameOnNo) {
  dir_.File(L"a.txt", "a");
  dir_.File(L"b.txt", "b");
  dir_.File(L"2.txt", "outside");
  const std::string script = "window Brivane - Rename - Autonumbering\nset 213 1\nclick IDOK\nwindow Warning!\n";
  StandInRun no = Invoke(L"a.txt;b.txt", L"Brivane>Rename>Autonumbering", script + "click IDNO\n");
  EXPECT_EQ(no.exitCode, 0u) << no.errors;
  EXPECT_EQ(NamesIn(dir_.path()), (std::vector<std::wstring>{L"2.txt", L"a.txt", L"b.txt"}));
  StandInRun yes = Invoke(L"a.txt;b.txt", L"Brivane>Rename>Autonumbering", script + "click IDYES\n");
  EXPECT_TRUE(Succeeded(yes, "Rename", "1.txt;2.txt"));
  EXPECT_EQ(ReadBytes(dir_ / L"2.txt"), "b");
}

TEST_F(BrivaneFileCommands, TruncateSelectsTheNameAsStored) {
  dir_.File(L"abc.txt", "abc");
  StandInRun run = Invoke(L"abc.txt", L"Brivane>Rename>Truncate",
                          "window Brivane - Rename - Truncate\nset 308 4\ncheck 294\ncheck 295\nclick IDOK\n");
  EXPECT_TRUE(Succeeded(run, "Rename", "abc"));
  EXPECT_EQ(NamesIn(dir_.path()), std::vector<std::wstring>{L"abc"});
}

}  // namespace
