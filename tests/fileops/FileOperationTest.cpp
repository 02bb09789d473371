#include <gtest/gtest.h>

#include "fileops/FileOperation.h"
#include "support/TestSupport.h"

namespace {

TEST(FileOperation, FlagWordFollowsTheThreeSwitches) {
  EXPECT_EQ(DeleteFileOperation(nullptr, L"x", false, true).FlagWord(), 0x250u);
  EXPECT_EQ(DeleteFileOperation(nullptr, L"x", true, true).FlagWord(), 0x654u);
  EXPECT_EQ(DeleteFileOperation(nullptr, L"x", false, false).FlagWord(), 0x210u);
  EXPECT_EQ(RenameFileOperation(nullptr, L"a", L"b", false, false).FlagWord(), 0x250u);
  EXPECT_EQ(RenameFileOperation(nullptr, L"a", L"b", true, true).FlagWord(), 0x644u);
  EXPECT_EQ(CopyFileOperation(nullptr, L"a", L"b", true, false, false).FlagWord(), 0x200u);
  EXPECT_EQ(MoveFileOperation(nullptr, L"a", L"b", false, true, false).FlagWord(), 0x614u);
}

TEST(FileOperation, SourceListPutsExtraSourcesFirstAndTheSingleSourceLast) {
  CopyFileOperation copy(nullptr, L"C:\\single", L"C:\\to", false, true, false);
  EXPECT_EQ(copy.SourceBlock(), std::wstring(L"C:\\single\0\0", 11));
  copy.extraSources = {L"C:\\extra"};
  EXPECT_EQ(copy.SourceBlock(), std::wstring(L"C:\\extra\0C:\\single\0\0", 20));
  EXPECT_EQ(copy.SourceBlock(), copy.SourceBlock());  // building it twice changes nothing

  MoveFileOperation move(nullptr, L"", L"C:\\to", false, true, false);
  move.extraSources = {L"a", L"b", L"c"};
  EXPECT_EQ(move.SourceBlock(), std::wstring(L"a\0b\0c\0\0", 7));
}

TEST(FileOperation, CopiesAndMovesFilesAndFolderTrees) {
  TempDir dir;
  std::wstring file = dir.File(L"a.txt", "alpha");
  dir.File(L"tree\\sub\\deep.txt", "deep");
  TraceCapture trace;

  EXPECT_TRUE(CopyFileOperation(nullptr, file, dir / L"copy.txt", false, true, false).execute());
  EXPECT_EQ(ReadBytes(dir / L"copy.txt"), "alpha");
  EXPECT_TRUE(CopyFileOperation(nullptr, dir / L"tree", dir / L"made\\on\\the\\way", false, true, false).execute());
  EXPECT_EQ(ReadBytes(dir / L"made\\on\\the\\way\\sub\\deep.txt"), "deep");
  EXPECT_TRUE(MoveFileOperation(nullptr, dir / L"tree", dir / L"moved", false, true, false).execute());
  EXPECT_FALSE(Exists(dir / L"tree"));
  EXPECT_EQ(ReadBytes(dir / L"moved\\sub\\deep.txt"), "deep");
  EXPECT_EQ(trace.Count("CopyFileOrFolder Success!"), 2);
  EXPECT_EQ(trace.Count("MoveFileOrFolder Success!"), 1);
}

TEST(FileOperation, MovingIntoAnExistingFolderMergesAndReplacesWithoutAsking) {
  TempDir dir;
  dir.File(L"src\\box\\new.txt", "new"), dir.File(L"src\\box\\same.txt", "fresh");
  dir.File(L"dst\\box\\old.txt", "old"), dir.File(L"dst\\box\\same.txt", "stale");
  EXPECT_TRUE(MoveFileOperation(nullptr, dir / L"src\\box", dir / L"dst", false, true, false).execute());
  EXPECT_EQ(ReadBytes(dir / L"dst\\box\\new.txt"), "new");
  EXPECT_EQ(ReadBytes(dir / L"dst\\box\\old.txt"), "old");
  EXPECT_EQ(ReadBytes(dir / L"dst\\box\\same.txt"), "fresh");
}

TEST(FileOperation, MovesSeveralSourcesInOneRequest) {
  TempDir dir;
  std::wstring a = dir.File(L"a.txt", "a"), b = dir.File(L"b.txt", "b"), c = dir.File(L"c.txt", "c");
  std::wstring target = dir.Folder(L"target");
  MoveFileOperation move(nullptr, c, target, false, true, false);
  move.extraSources = {a, b};
  EXPECT_TRUE(move.execute());
  for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt"}) {
    EXPECT_TRUE(Exists(target + L"\\" + name)) << Narrow(name);
    EXPECT_FALSE(Exists(dir / name)) << Narrow(name);
  }
}

TEST(FileOperation, DeletesToTheRecycleBinOrOutrightAndRenames) {
  TempDir dir;
  std::wstring binned = dir.File(L"binned.txt", "x"), gone = dir.File(L"gone\\inner.txt", "y");
  EXPECT_TRUE(DeleteFileOperation(nullptr, binned, true, true).execute());
  EXPECT_FALSE(Exists(binned));
  EXPECT_TRUE(DeleteFileOperation(nullptr, dir / L"gone", true, false).execute());
  EXPECT_FALSE(Exists(dir / L"gone"));

  std::wstring old = dir.File(L"old name.txt", "kept");
  EXPECT_TRUE(RenameFileOperation(nullptr, old, dir / L"new name.txt", false, true).execute());
  EXPECT_FALSE(Exists(old));
  EXPECT_EQ(ReadBytes(dir / L"new name.txt"), "kept");
}

TEST(FileOperation, ARejectedRequestFailsWithOneTraceLine) {
  TempDir dir;
  TraceCapture trace;
  EXPECT_FALSE(RenameFileOperation(nullptr, dir / L"missing.txt", dir / L"other.txt", false, true).execute());
  EXPECT_EQ(trace.Count(" Failed!"), 1);
  EXPECT_EQ(trace.Count("RenameFileOrFolder Failed!"), 1);
  EXPECT_EQ(trace.lines().size(), 1u);
}

TEST(FileOperation, PathsThatDoNotFitAreRefusedNotCut) {
  TempDir dir;
  std::wstring source = dir.File(L"a.txt", "a");
  std::wstring longTarget = dir.path() + L"\\" + std::wstring(300, L'n');
  TraceCapture trace;
  CopyFileOperation copy(nullptr, source, longTarget, false, true, false);
  EXPECT_EQ(copy.target[0], L'\0');
  EXPECT_FALSE(copy.execute());
  MoveFileOperation move(nullptr, L"", dir.path(), false, true, false);
  move.extraSources = {source, longTarget};
  EXPECT_FALSE(move.execute());
  EXPECT_TRUE(Exists(source));
  EXPECT_EQ(trace.Count(" Failed!"), 2);
  EXPECT_EQ(trace.Count("Path too long"), 2);
}

TEST(FileOperation, TempFileNamesAreUniqueAndMadeOnDisk) {
  TempDir dir;
  std::wstring first = MakeTempFileName(dir.path()), second = MakeTempFileName(dir.path());
  ASSERT_FALSE(first.empty());
  EXPECT_NE(first, second);
  EXPECT_TRUE(Exists(first));
  EXPECT_EQ(first.substr(dir.path().size() + 1, 3), L"mrv");
  EXPECT_EQ(first.substr(first.size() - 4), L".tmp");
  EXPECT_EQ(MakeTempFileName(dir / L"no such folder"), L"");
}

}  // namespace
