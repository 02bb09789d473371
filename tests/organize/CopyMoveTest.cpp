// Copy and move into a chosen folder on real files: merges, files held open, refusals, links and names
// the shell must carry as they are.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <thread>

#include "OrganizeTestSupport.h"
#include "fileops/FilesRefactor.h"
#include "organize/OrganizeCommon.h"
#include "support/FolderLinks.h"
#include "support/TestSupport.h"
#include "support/WindowDriver.h"

namespace {
using Tree = std::map<std::string, std::string>;
const wchar_t kWideName[] = L"\u03A9mega \u043A\u043B\u044E\u0447 \u6771\u4EAC.txt";  // Greek, Cyrillic, CJK
}  // namespace

TEST(CopyFiles, CreatesMissingLevelsAndMergesIntoAFolderOfTheSameName) {
  TempDir dir;
  std::wstring file = dir.File(kWideName, "wide");
  dir.File(L"A\\x.txt", "x");
  dir.File(L"A\\sub\\y.txt", "y");
  FilesRefactor engine;

  OperationResult result;
  engine.CopyFiles(result, {file, dir / L"A"}, dir / L"out\\deeper");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.kind, kind::Copy);
  EXPECT_EQ(result.succeeded, 2u);
  EXPECT_TRUE(result.outputs.empty());
  EXPECT_EQ(FolderTree(dir / L"out\\deeper"),
            (Tree{{Narrow(kWideName), "wide"}, {"A", "<folder>"}, {"A\\x.txt", "x"}, {"A\\sub", "<folder>"}, {"A\\sub\\y.txt", "y"}}));
  EXPECT_EQ(ReadBytes(dir / L"A\\x.txt"), "x");  // the originals stay

  // Again into a folder that already holds an A with other files: the shell asks, and the two merge.
  dir.File(L"again\\A\\old.txt", "old");
  std::thread answer([] { AnswerMessageBox(L"Confirm file overwrite", IDYES); });
  OperationResult merged;
  engine.CopyFiles(merged, {dir / L"A"}, dir / L"again");
  answer.join();
  EXPECT_EQ(merged.status, 0);
  EXPECT_EQ(FolderTree(dir / L"again"),
            (Tree{{"A", "<folder>"}, {"A\\old.txt", "old"}, {"A\\x.txt", "x"}, {"A\\sub", "<folder>"}, {"A\\sub\\y.txt", "y"}}));
}

TEST(MoveFiles, MergesFoldersAndLeavesAFileHeldOpenWhereItIs) {
  TempDir dir;
  dir.File(L"A\\x.txt", "x");
  dir.File(L"A\\sub\\y.txt", "y");
  std::wstring locked = dir.File(L"A\\locked.txt", "locked");
  dir.File(L"dest\\A\\old.txt", "old");
  UniqueFile holder = HoldOpen(locked);
  ASSERT_TRUE(holder);
  FilesRefactor engine;
  TraceCapture trace;

  OperationResult result;
  engine.MoveFiles(result, {dir / L"A"}, dir / L"dest");
  EXPECT_EQ(result.status, status::SomeFailed);
  EXPECT_EQ(result.kind, kind::Move);
  EXPECT_EQ(result.message, L"1 files or folders failed to move completely.");
  EXPECT_EQ(result.failed, 1u);
  EXPECT_EQ(result.succeeded, 0u);
  EXPECT_EQ(trace.Count("FilesRefactor::MoveFiles: File In Use!"), 1);
  EXPECT_EQ(FolderTree(dir / L"A"), (Tree{{"locked.txt", ""}}));  // held: it cannot be read meanwhile
  EXPECT_EQ(FolderTree(dir / L"dest"),
            (Tree{{"A", "<folder>"}, {"A\\old.txt", "old"}, {"A\\x.txt", "x"}, {"A\\sub", "<folder>"}, {"A\\sub\\y.txt", "y"}}));

  // Released, the rest follows and the emptied source folder goes.
  holder.reset();
  OperationResult again;
  engine.MoveFiles(again, {dir / L"A"}, dir / L"dest");
  EXPECT_EQ(again.status, 0);
  EXPECT_EQ(again.succeeded, 1u);
  EXPECT_FALSE(Exists(dir / L"A"));
  EXPECT_EQ(ReadBytes(dir / L"dest\\A\\locked.txt"), "locked");
}

TEST(MoveFiles, EmptyFoldersMissingItemsAndDestinationsThatCannotBe) {
  TempDir dir;
  dir.Folder(L"empty");
  std::wstring file = dir.File(kWideName, "wide");
  std::wstring blocker = dir.File(L"blocker.txt", "a file");
  FilesRefactor engine;

  // An empty folder: the destination gains it, the source goes and counts one success. A missing item fails.
  OperationResult result;
  engine.MoveFiles(result, {dir / L"empty", file, dir / L"gone.txt"}, dir / L"dest");
  EXPECT_EQ(result.status, status::SomeFailed);
  EXPECT_EQ(result.message, L"1 files or folders failed to move completely.");
  EXPECT_EQ(result.succeeded, 2u);
  EXPECT_EQ(FolderTree(dir / L"dest"), (Tree{{"empty", "<folder>"}, {Narrow(kWideName), "wide"}}));
  EXPECT_FALSE(Exists(dir / L"empty"));

  // Onto a file: status 16 and nothing moves.
  std::wstring other = dir.File(L"other.txt", "o");
  OperationResult onFile;
  engine.MoveFiles(onFile, {other}, blocker);
  EXPECT_EQ(onFile.status, status::DestinationIsFile);
  EXPECT_EQ(onFile.message, L"The destination can't be a file");
  EXPECT_EQ(onFile.failed, 1u);
  EXPECT_EQ(ReadBytes(other), "o");
  EXPECT_EQ(ReadBytes(blocker), "a file");
}

TEST(CopyMove, AFolderIsNeverCopiedOrMovedIntoItself) {
  TempDir dir;
  dir.File(L"A\\x.txt", "x");
  dir.Folder(L"A\\inner");
  std::wstring loose = dir.File(L"loose.txt", "l");
  const Tree before = FolderTree(dir.path());
  FilesRefactor engine;

  struct Case {
    bool move;
    std::wstring destination;
    const wchar_t* message;
  } cases[] = {
      {true, dir / L"A\\inner", L"A folder can't be moved into itself or into one of its own subfolders."},
      {true, dir / L"a", L"A folder can't be moved into itself or into one of its own subfolders."},
      {false, dir / L"A\\inner\\new", L"A folder can't be copied into itself or into one of its own subfolders."},
  };
  for (const Case& c : cases) {
    OperationResult result;
    if (c.move)
      engine.MoveFiles(result, {loose, dir / L"A"}, c.destination);
    else
      engine.CopyFiles(result, {loose, dir / L"A"}, c.destination);
    EXPECT_EQ(result.status, status::IntoItself) << Narrow(c.destination);
    EXPECT_EQ(result.message, c.message);
    EXPECT_EQ(result.failed, 2u);
    EXPECT_EQ(FolderTree(dir.path()), before) << "nothing moved for " << Narrow(c.destination);
  }
  // A sibling whose name merely starts like the folder is fine.
  OperationResult sibling;
  engine.CopyFiles(sibling, {dir / L"A"}, dir / L"AB");
  EXPECT_EQ(sibling.status, 0);
}

TEST(MoveFiles, ALinkInsideAMovedFolderMovesAsTheLink) {
  TempDir dir;
  dir.File(L"elsewhere\\keep.txt", "keep");
  dir.File(L"A\\x.txt", "x");
  dir.File(L"dest\\A\\link\\other.txt", "other");  // an existing folder the link would merge with
  if (!MakeFolderLink(dir / L"A\\link", dir / L"elsewhere")) GTEST_SKIP() << "this platform cannot make a folder link";
  FilesRefactor engine;

  OperationResult result;
  engine.MoveFiles(result, {dir / L"A"}, dir / L"dest");
  // What the link points at is never walked: its file stays where it is.
  EXPECT_EQ(ReadBytes(dir / L"elsewhere\\keep.txt"), "keep");
  EXPECT_FALSE(Exists(dir / L"dest\\A\\link\\keep.txt"));
  EXPECT_EQ(ReadBytes(dir / L"dest\\A\\x.txt"), "x");
  RemoveFolderLink(dir / L"A\\link");
}

TEST(MoveFiles, PathsTooLongForTheShellFailAndStayPut) {
  TempDir dir;
  // A file whose path passes 260 characters inside a folder whose own path does not.
  std::wstring deep = L"T\\" + std::wstring(120, L'd') + L"\\" + std::wstring(120, L'e');
  std::wstring longFile = dir.File(deep + L"\\long.txt", "long");
  ASSERT_GE(longFile.size(), size_t(MAX_PATH));
  FilesRefactor engine;

  OperationResult result;
  engine.MoveFiles(result, {dir / L"T"}, dir / L"dest");
  EXPECT_EQ(result.status, status::SomeFailed);
  EXPECT_EQ(result.message, L"1 files or folders failed to move completely.");
  EXPECT_EQ(ReadBytes(longFile), "long");
}
