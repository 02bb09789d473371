// Split, join, encrypt and decrypt run end to end: Brivane.dll registered with regsvr32, the command
// invoked from the stand-in's menu on real files, its dialogs and questions answered by a script, and
// the files on disk and the view's selection checked afterwards.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "RegisteredBrivane.h"
#include "StandInProcess.h"
#include "crypt/EncryptedFile.h"
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

}  // namespace
