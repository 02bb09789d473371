#include <gtest/gtest.h>

#include <algorithm>

#include "fileops/DateText.h"
#include "fileops/DirectoryWalk.h"
#include "fileops/FileMachine.h"
#include "support/TestSupport.h"

namespace {

FILETIME Utc(int year, int month, int day, int hour, int minute, int second = 0) {
  SYSTEMTIME st{};
  st.wYear = WORD(year), st.wMonth = WORD(month), st.wDay = WORD(day);
  st.wHour = WORD(hour), st.wMinute = WORD(minute), st.wSecond = WORD(second);
  FILETIME ft;
  SystemTimeToFileTime(&st, &ft);
  return ft;
}

TEST(SplitPath, SplitsNameTitleExtensionAndFolder) {
  struct Case {
    const wchar_t *path, *name, *title, *extension, *folder, *withoutExtension;
  } cases[] = {
      {L"C:\\x\\Photo.JPG", L"Photo.JPG", L"Photo", L"jpg", L"C:\\x", L"C:\\x\\Photo"},
      {L"C:\\a.b\\file", L"file", L"file", L"", L"C:\\a.b", L"C:\\a.b\\file"},
      {L"C:\\x\\.profile", L".profile", L"", L"profile", L"C:\\x", L"C:\\x\\"},
      {L"C:\\x\\archive.tar.GZ", L"archive.tar.GZ", L"archive.tar", L"gz", L"C:\\x", L"C:\\x\\archive.tar"},
      {L"plain.TXT", L"plain.TXT", L"plain.TXT", L"txt", L"", L"plain"},
      {L"C:\\x\\\u00C4rger.\u00C4BC", L"\u00C4rger.\u00C4BC", L"\u00C4rger", L"\u00C4bc", L"C:\\x", L"C:\\x\\\u00C4rger"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.path));
    PathParts parts = SplitPath(c.path);
    EXPECT_EQ(parts.name, c.name);
    EXPECT_EQ(parts.title, c.title);
    EXPECT_EQ(parts.extension, c.extension);  // only A-Z are lowered
    EXPECT_EQ(parts.folder, c.folder);
    EXPECT_EQ(parts.pathWithoutExtension, c.withoutExtension);
    EXPECT_EQ(PathExtension(c.path), c.extension);
  }
}

TEST(DateText, WritesUtcFieldsWithoutLeadingZeros) {
  FILETIME march = Utc(2009, 3, 5, 14, 7), january = Utc(2010, 1, 1, 9, 5), lastMinute = Utc(2008, 12, 31, 23, 59, 59);
  EXPECT_EQ(DateText(&march), L"5/3/2009  14:7");
  EXPECT_EQ(DateText(&january), L"1/1/2010  9:5");
  EXPECT_EQ(DateText(&lastMinute), L"31/12/2008  23:59");
  FILETIME none{};
  EXPECT_EQ(DateText(nullptr), L"NULL");
  EXPECT_EQ(DateText(&none), L"NULL");
}

TEST(FileMachine, DescribesAFileOnDisk) {
  TempDir dir;
  std::wstring path = dir.File(L"Report.Final.DOCX", "twelve bytes");
  SetCreationTime(path, 2009, 3, 5, 14, 7);
  FileMachine record(nullptr, path);
  EXPECT_TRUE(record.isFile);
  EXPECT_EQ(record.size, 12u);
  EXPECT_EQ(record.name, L"Report.Final.DOCX");
  EXPECT_EQ(record.title, L"Report.Final");
  EXPECT_EQ(record.extension, L"docx");
  EXPECT_EQ(record.folder, dir.path());
  EXPECT_EQ(record.created, L"5/3/2009  14:7");
  EXPECT_FALSE(record.accessed.empty());
}

TEST(FileMachine, FolderSizeIsItsDirectEntryCount) {
  TempDir dir;
  dir.File(L"d\\1.txt", "a"), dir.File(L"d\\2.txt", "b"), dir.File(L"d\\3.txt", "c");
  dir.Folder(L"d\\empty");
  dir.File(L"d\\empty-not\\deep.txt");
  FileMachine folder(nullptr, dir / L"d");
  EXPECT_FALSE(folder.isFile);
  EXPECT_EQ(folder.size, 5u);
  EXPECT_EQ(FileMachine(nullptr, dir.Folder(L"blank")).size, 0u);
}

TEST(FileMachine, MissingPathKeepsDefinedValuesAndTraces) {
  TraceCapture trace;
  TempDir dir;
  FileMachine record(nullptr, dir / L"gone.txt");
  EXPECT_EQ(record.name, L"gone.txt");
  EXPECT_EQ(record.extension, L"txt");
  EXPECT_TRUE(record.created.empty());
  EXPECT_TRUE(record.accessed.empty());
  EXPECT_EQ(record.size, 0u);
  EXPECT_FALSE(record.isFile);
  EXPECT_EQ(trace.Count("FileMachine: FindFirstFile failed for " + Narrow(dir / L"gone.txt")), 1);
}

TEST(DirectoryWalk, MakeListInDirAppendsEveryEntryOnce) {
  TempDir dir;
  dir.File(L"d\\a.txt"), dir.File(L"d\\b.txt"), dir.Folder(L"d\\sub");
  PathList list{L"kept"};
  MakeListInDir(dir / L"d", list);
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list[0], L"kept");
  std::sort(list.begin() + 1, list.end());
  EXPECT_EQ(list[1], dir / L"d\\a.txt");
  EXPECT_EQ(list[2], dir / L"d\\b.txt");
  EXPECT_EQ(list[3], dir / L"d\\sub");

  TraceCapture trace;
  MakeListInDir(dir / L"missing", list);
  EXPECT_EQ(list.size(), 4u);
  EXPECT_EQ(trace.Count("MakeListInDir: Error trying FindFirstFile"), 1);
}

TEST(DirectoryWalk, CalcTotalFilesCountsEverythingBelowTheSelection) {
  TempDir dir;
  dir.File(L"d\\1.txt"), dir.File(L"d\\2.txt"), dir.File(L"d\\3.txt"), dir.Folder(L"d\\empty");
  EXPECT_EQ(CalcTotalFiles(nullptr, {dir / L"d"}, 0), 4);
  EXPECT_EQ(CalcTotalFiles(nullptr, {dir.Folder(L"blank")}, 7), 7);

  // Folders at every depth count, not only the first level below the selection.
  dir.File(L"deep\\e\\f\\g\\h.txt");
  EXPECT_EQ(CalcTotalFiles(nullptr, {dir / L"deep"}, 0), 4);

  TraceCapture trace;
  std::wstring file = dir.File(L"single.bin", "x");
  EXPECT_EQ(CalcTotalFiles(nullptr, {file, dir / L"nothing-here", dir / L"d"}, 1), 6);
  EXPECT_EQ(trace.Count("CalcTotalFiles: File doesn't exist: " + Narrow(dir / L"nothing-here")), 1);
}

TEST(DirectoryWalk, JunctionsCountAsOneItemAndAreNotEntered) {
  TempDir dir;
  dir.File(L"outside\\a.txt"), dir.File(L"outside\\b.txt");
  dir.File(L"tree\\one.txt");
  std::wstring link = dir / L"tree\\loop";
  CreateSymbolicLinkW(link.c_str(), dir.path().c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY);
  DWORD attributes = GetFileAttributesW(link.c_str());
  // Wine 8 answers success but makes no link; Windows makes one.
  if (attributes == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "this platform cannot make a folder link";
  ASSERT_NE(attributes & FILE_ATTRIBUTE_REPARSE_POINT, 0u);
  // The link points back at the whole scratch folder: following it would loop.
  EXPECT_EQ(CalcTotalFiles(nullptr, {dir / L"tree"}, 0), 2);
  EXPECT_EQ(CalcTotalFiles(nullptr, {link}, 0), 1);
  EXPECT_TRUE(FileMachine(nullptr, link).isReparsePoint);
  RemoveDirectoryW(link.c_str());
}

TEST(BrivaneListSorter, OrdersByCreationTimeAndKeepsTies) {
  TempDir dir;
  std::wstring a = dir.File(L"a.jpg"), b = dir.File(L"b.jpg"), c = dir.File(L"c.jpg"), d = dir.File(L"d.jpg");
  SetCreationTime(a, 2011, 1, 1, 0, 0);
  SetCreationTime(b, 2010, 1, 1, 0, 0);
  SetCreationTime(c, 2012, 1, 1, 0, 0);
  SetCreationTime(d, 2010, 1, 1, 0, 0);  // the same time as b
  PathList list{a, b, c, d};
  std::stable_sort(list.begin(), list.end(), BrivaneListSorter::compareFilePaths);
  EXPECT_EQ(list, (PathList{b, d, a, c}));

  TraceCapture trace;
  EXPECT_FALSE(BrivaneListSorter::compareFilePaths(dir / L"missing.jpg", a));
  EXPECT_FALSE(BrivaneListSorter::compareFilePaths(b, dir / L"missing.jpg"));
  EXPECT_EQ(trace.Count("BrivaneListSorter::compareFilePaths: FindFirstFile failed for first."), 1);
  EXPECT_EQ(trace.Count("BrivaneListSorter::compareFilePaths: FindFirstFile failed for second."), 1);
}

}  // namespace
