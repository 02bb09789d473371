// Extract to a folder and extract from folders on real files, with the questions answered by script.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "OrganizeTestSupport.h"
#include "fileops/FilesRefactor.h"
#include "organize/OrganizeCommon.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {
using Tree = std::map<std::string, std::string>;
const wchar_t kIncomplete[] = L"Some files or folders failed to extract completely.\n\n(Are some of the files open?!)";
}  // namespace

TEST(ExtractToFolder, GathersTheSelectionIntoANewFolderAndSelectsIt) {
  TempDir dir;
  std::wstring a = dir.File(L"a.txt", "a"), wide = dir.File(L"\u0416\u00E9 & co.txt", "w");
  dir.File(L"D\\inner.txt", "i");
  std::wstring stays = dir.File(L"stays.txt", "s");
  FilesRefactor engine;
  ScriptedPrompt prompt;

  OperationResult result;
  engine.ExtractFilesToFolder(result, {a, wide, dir / L"D"}, dir.path(), L"New");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.kind, kind::ExtractToFolder);
  EXPECT_EQ(result.succeeded, 3u);
  EXPECT_EQ(result.outputs, PathList{dir / L"New"});
  EXPECT_TRUE(prompt.asked().empty());
  EXPECT_EQ(FolderTree(dir.path()),
            (Tree{{"New", "<folder>"}, {"New\\a.txt", "a"}, {"New\\" + Narrow(L"\u0416\u00E9 & co.txt"), "w"},
                  {"New\\D", "<folder>"}, {"New\\D\\inner.txt", "i"}, {"stays.txt", "s"}}));
}

TEST(ExtractToFolder, AnExistingFolderIsMergedIntoAfterAYesAndLeftAloneAfterANo) {
  TempDir dir;
  dir.File(L"New\\old.txt", "old");
  dir.File(L"New\\D\\kept.txt", "kept");
  std::wstring a = dir.File(L"a.txt", "a");
  dir.File(L"D\\added.txt", "added");
  FilesRefactor engine;

  {
    ScriptedPrompt prompt({IDNO});
    OperationResult declined;
    engine.ExtractFilesToFolder(declined, {a, dir / L"D"}, dir.path(), L"New");
    EXPECT_EQ(declined.status, status::UserSaidNo);
    EXPECT_EQ(declined.failed, 2u);
    ASSERT_EQ(prompt.asked().size(), 1u);
    EXPECT_EQ(prompt.asked()[0].text, L"Directory already exist.\nDo you want to extract files to the existing directory?");
    EXPECT_EQ(prompt.asked()[0].caption, L"Extract Files");
    EXPECT_EQ(prompt.asked()[0].type, UINT(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(ReadBytes(a), "a");
  }
  ScriptedPrompt prompt({IDYES});
  OperationResult result;
  engine.ExtractFilesToFolder(result, {a, dir / L"D"}, dir.path(), L"New");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.outputs, PathList{dir / L"New"});
  EXPECT_EQ(FolderTree(dir.path()), (Tree{{"New", "<folder>"}, {"New\\old.txt", "old"}, {"New\\a.txt", "a"},
                                          {"New\\D", "<folder>"}, {"New\\D\\kept.txt", "kept"},
                                          {"New\\D\\added.txt", "added"}}));
  EXPECT_FALSE(HasScratchItems(dir.path()));
}

TEST(ExtractToFolder, WhenTheLastStepFailsTheItemsGoBackAndNothingIsLeftBehind) {
  TempDir dir;
  std::wstring a = dir.File(L"a.txt", "a");
  dir.File(L"D\\inner.txt", "i");
  const Tree before = FolderTree(dir.path());
  FilesRefactor engine;
  ScriptedPrompt prompt;

  // The scratch folder fits the shell's paths, the target's name does not: renaming to it must fail.
  std::wstring name(MAX_PATH - dir.path().size(), L'n');
  OperationResult result;
  engine.ExtractFilesToFolder(result, {a, dir / L"D"}, dir.path(), name);
  EXPECT_EQ(result.status, status::SomeFailed);
  EXPECT_EQ(result.message, kIncomplete);
  EXPECT_EQ(result.failed, 2u);
  EXPECT_TRUE(result.outputs.empty());
  EXPECT_EQ(FolderTree(dir.path()), before);
  EXPECT_FALSE(HasScratchItems(dir.path()));
}

TEST(ExtractToFolder, NothingGatheredIsAFailureWithoutOutputAndATargetThatIsAFileIsRefused) {
  TempDir dir;
  FilesRefactor engine;
  ScriptedPrompt prompt;

  OperationResult nothing;
  engine.ExtractFilesToFolder(nothing, {dir / L"gone.txt", dir / L"gone too"}, dir.path(), L"New");
  EXPECT_EQ(nothing.status, status::SomeFailed);
  EXPECT_EQ(nothing.message, kIncomplete);
  EXPECT_EQ(nothing.failed, 2u);
  EXPECT_TRUE(nothing.outputs.empty());
  EXPECT_FALSE(Exists(dir / L"New"));
  EXPECT_FALSE(HasScratchItems(dir.path()));

  std::wstring a = dir.File(L"a.txt", "a");
  dir.File(L"New", "a file");
  OperationResult onFile;
  engine.ExtractFilesToFolder(onFile, {a}, dir.path(), L"New");
  EXPECT_EQ(onFile.status, status::DestinationIsFile);
  EXPECT_EQ(ReadBytes(a), "a");
  EXPECT_EQ(ReadBytes(dir / L"New"), "a file");
  EXPECT_TRUE(prompt.asked().empty());
}

TEST(ExtractFromFolder, AnInnerFolderOfTheSameNameTakesTheOuterOnesPlaceAfterYes) {
  TempDir dir;
  dir.File(L"Photos\\Photos\\p1.jpg", "p1");
  FilesRefactor engine;
  ScriptedPrompt prompt({IDYES});

  OperationResult result;
  engine.ExtractFilesFromFolders(result, {dir / L"Photos"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.kind, kind::ExtractFromFolder);
  EXPECT_EQ(result.succeeded, 1u);
  ASSERT_EQ(prompt.asked().size(), 1u);
  EXPECT_EQ(prompt.asked()[0].text, L"Do you want to delete the folder: " + (dir / L"Photos") + L" ?");
  EXPECT_EQ(prompt.asked()[0].caption, L"Delete Folder");
  EXPECT_EQ(FolderTree(dir.path()), (Tree{{"Photos", "<folder>"}, {"Photos\\p1.jpg", "p1"}}));
  EXPECT_EQ(result.outputs, PathList{dir / L"Photos"});
}

TEST(ExtractFromFolder, AfterNoTheEmptiedFolderStaysBesideTheRenamedOne) {
  TempDir dir;
  dir.File(L"Photos\\Photos\\p1.jpg", "p1");
  dir.File(L"Photos\\loose.txt", "l");
  dir.File(L"Photos(1)", "already taken in the parent");
  FilesRefactor engine;
  ScriptedPrompt prompt({IDNO});

  OperationResult result;
  engine.ExtractFilesFromFolders(result, {dir / L"Photos"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(FolderTree(dir.path()), (Tree{{"Photos", "<folder>"},
                                          {"Photos(1)", "already taken in the parent"},
                                          {"Photos(2)", "<folder>"},
                                          {"Photos(2)\\p1.jpg", "p1"},
                                          {"loose.txt", "l"}}));
  PathList outputs = result.outputs;
  std::sort(outputs.begin(), outputs.end());
  EXPECT_EQ(outputs, (PathList{dir / L"Photos(2)", dir / L"loose.txt"}));
}

TEST(ExtractFromFolder, FilesAndMissingFoldersFailOneByOneAndTheRestGoesOn) {
  TempDir dir;
  std::wstring file = dir.File(L"file.txt", "f");
  dir.File(L"A\\x.txt", "x");
  FilesRefactor engine;
  ScriptedPrompt prompt({IDNO});

  OperationResult one;
  engine.ExtractFilesFromFolder(one, file);
  EXPECT_EQ(one.status, status::NotAFolder);
  EXPECT_EQ(one.message, L"This operation can't be performed on files.\nPlease select a folder.");
  OperationResult missing;
  engine.ExtractFilesFromFolder(missing, dir / L"nowhere");
  EXPECT_EQ(missing.status, status::NotFound);
  EXPECT_EQ(missing.message, L"The given folder dosen't exist.");

  OperationResult batch;
  engine.ExtractFilesFromFolders(batch, {file, dir / L"A", dir / L"nowhere"});
  EXPECT_EQ(batch.status, status::SomeFailed);
  EXPECT_EQ(batch.message, L"2 folders failed to extract.\n\n(Are some of the files open?!)");
  EXPECT_EQ(batch.succeeded, 1u);
  EXPECT_EQ(batch.failed, 2u);
  EXPECT_EQ(ReadBytes(dir / L"x.txt"), "x");
  EXPECT_TRUE(Exists(dir / L"A"));  // the answer was No
}

TEST(ExtractFromFolder, AMoveTheShellCannotMakeStopsTheBatchAndTheRenamedEntryGetsItsNameBack) {
  TempDir dir;
  dir.File(L"P\\P\\inner.txt", "i");
  // An entry whose path passes what the shell takes: the move out of P fails.
  std::wstring longName(MAX_PATH - (dir / L"P\\").size(), L'n');
  dir.File(L"P\\" + longName, "long");
  FilesRefactor engine;
  ScriptedPrompt prompt;

  OperationResult result;
  engine.ExtractFilesFromFolders(result, {dir / L"P", dir / L"other"});
  EXPECT_EQ(result.status, status::Unexpected);
  EXPECT_EQ(result.message, L"Some files failed to completely extract.\n\n(Are some of the files open?!)");
  EXPECT_TRUE(prompt.asked().empty());
  EXPECT_EQ(ReadBytes(dir / L"P\\" + longName), "long");
  // The entry renamed for the move is back under its own name, wherever the shell left it.
  EXPECT_TRUE(Exists(dir / L"P\\P\\inner.txt") || Exists(dir / L"P(1)\\inner.txt"));
  EXPECT_FALSE(Exists(dir / L"P\\P(1)"));
}
