// Move up, delete empty and touch on real files.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "OrganizeTestSupport.h"
#include "fileops/FilesRefactor.h"
#include "organize/OrganizeCommon.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {
using Tree = std::map<std::string, std::string>;

FILETIME WriteTime(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
  return data.ftLastWriteTime;
}

FILETIME Now() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return now;
}

// Within a minute of the moment given.
bool Near(const FILETIME& time, const FILETIME& moment) {
  int64_t a = (int64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  int64_t b = (int64_t(moment.dwHighDateTime) << 32) | moment.dwLowDateTime;
  return (a > b ? a - b : b - a) < 60LL * 10000000;
}
}  // namespace

TEST(MoveFilesUp, ItemsGoToTheFolderAboveTheirsMergingFolders) {
  TempDir dir;
  std::wstring file = dir.File(L"P\\inner\\\u00C5ngstr\u00F6m.txt", "a");
  dir.File(L"P\\inner\\D\\new.txt", "n");
  dir.File(L"P\\D\\old.txt", "o");
  FilesRefactor engine;

  OperationResult result;
  engine.MoveFilesUp(result, {file, dir / L"P\\inner\\D"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.kind, kind::ExtractToFolder);
  EXPECT_EQ(result.succeeded, 2u);
  EXPECT_EQ(FolderTree(dir / L"P"), (Tree{{Narrow(L"\u00C5ngstr\u00F6m.txt"), "a"}, {"D", "<folder>"},
                                          {"D\\old.txt", "o"}, {"D\\new.txt", "n"}, {"inner", "<folder>"}}));
}

TEST(MoveFilesUp, AnItemInADriveRootHasNowhereToGo) {
  wchar_t windows[MAX_PATH];
  GetWindowsDirectoryW(windows, MAX_PATH);
  std::wstring root = std::wstring(windows, 3);  // "C:\"
  std::wstring atRoot = root + L"brivane-move-up-" + std::to_wstring(GetCurrentProcessId()) + L".txt";
  HANDLE made = CreateFileW(atRoot.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (made == INVALID_HANDLE_VALUE) GTEST_SKIP() << "the drive root cannot be written";
  CloseHandle(made);
  TempDir dir;
  std::wstring beside = dir.File(L"sub\\fine.txt", "f");
  FilesRefactor engine;

  OperationResult result;
  engine.MoveFilesUp(result, {atRoot, beside});
  EXPECT_EQ(result.status, status::SomeFailed);
  EXPECT_EQ(result.message, L"1 files or folders failed to move up.\n\n(Are some of the files open?!)");
  EXPECT_EQ(result.succeeded, 1u);
  EXPECT_TRUE(Exists(atRoot));
  EXPECT_EQ(ReadBytes(dir / L"fine.txt"), "f");
  DeleteFileW(atRoot.c_str());
}

TEST(DeleteZeroFiles, OnlyEmptyItemsGoAndOneHeldOpenIsSkippedSilently) {
  TempDir dir;
  std::wstring zero = dir.File(L"zero.txt"), held = dir.File(L"held.txt"), full = dir.File(L"full.txt", "x");
  std::wstring empty = dir.Folder(L"empty"), busy = dir.Folder(L"busy");
  dir.File(L"busy\\one.txt", "1");
  std::wstring longZero = dir.File(L"deep\\" + std::wstring(130, L'd') + L"\\" + std::wstring(130, L'z'));
  UniqueFile holder = HoldOpen(held);
  ASSERT_TRUE(holder);
  FilesRefactor engine;
  RecordingSink sink;
  engine.sink = &sink;
  ScriptedPrompt prompt;
  TraceCapture trace;

  OperationResult result;
  engine.DeleteZeroFiles(result, {zero, held, full, empty, busy, dir / L"gone"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.kind, kind::DeleteEmpty);
  EXPECT_EQ(result.succeeded, 6u);
  EXPECT_TRUE(prompt.asked().empty());
  EXPECT_FALSE(Exists(zero));
  EXPECT_FALSE(Exists(empty));
  EXPECT_TRUE(Exists(held));
  EXPECT_EQ(ReadBytes(full), "x");
  EXPECT_EQ(ReadBytes(dir / L"busy\\one.txt"), "1");
  EXPECT_EQ(trace.Count("FilesRefactor::DeleteZeroFiles: File In Use!"), 1);
  // 1 at the start, then one report per item: 1 + 100/6 and onwards.
  EXPECT_EQ(sink.shown(), (std::vector<int32_t>{1, 17, 34, 51, 67, 84, 101}));

  // A path the shell cannot take is a failure that deletes nothing.
  OperationResult tooLong;
  engine.DeleteZeroFiles(tooLong, {longZero});
  EXPECT_EQ(tooLong.status, status::Unexpected);
  EXPECT_TRUE(Exists(longZero));
}

TEST(TouchFiles, FilesGetOneNewTimeFoldersStayAndUnwritableFilesAreCounted) {
  TempDir dir;
  std::wstring a = dir.File(L"a.txt", "a"), b = dir.File(L"\u6771\u4EAC.txt", "b");
  std::wstring readOnly = dir.File(L"read-only.txt", "r"), locked = dir.File(L"locked.txt", "l");
  std::wstring longFile = dir.File(L"deep\\" + std::wstring(130, L'd') + L"\\" + std::wstring(130, L'l'), "long");
  std::wstring folder = dir.Folder(L"folder");
  for (const std::wstring& path : {a, b, readOnly, locked, folder}) SetCreationTime(path, 2009, 3, 5, 14, 7);
  SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
  UniqueFile holder = HoldOpen(locked);
  FilesRefactor engine;

  // Windows refuses to write a read-only file; Wine writes it all the same.
  UniqueFile probe(CreateFileW(readOnly.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  const bool readOnlyRefused = !probe;
  probe.reset();

  OperationResult result;
  engine.TouchFiles(result, {a, b, folder, readOnly, locked, longFile, dir / L"gone.txt"});
  FILETIME now = Now();
  const uint32_t failed = readOnlyRefused ? 3 : 2;
  EXPECT_EQ(result.kind, kind::Touch);
  EXPECT_EQ(result.status, status::SomeFailed);
  EXPECT_EQ(result.message,
            std::to_wstring(failed) + L" files could not be touched.\n\n(Are some of the files read-only or open?!)");
  EXPECT_EQ(result.succeeded, 7u - failed);
  EXPECT_EQ(result.failed, failed);
  for (const std::wstring& path : {a, b}) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data));
    EXPECT_TRUE(Near(data.ftLastWriteTime, now)) << Narrow(path);
    EXPECT_TRUE(Near(data.ftLastAccessTime, now)) << Narrow(path);
    EXPECT_EQ(CompareFileTime(&data.ftLastWriteTime, &data.ftLastAccessTime), 0);
  }
  EXPECT_FALSE(Near(WriteTime(folder), now));
  if (readOnlyRefused) EXPECT_FALSE(Near(WriteTime(readOnly), now));
  EXPECT_FALSE(Near(WriteTime(locked), now));
  EXPECT_EQ(ReadBytes(a), "a");
  SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);

  OperationResult clean;
  engine.TouchFiles(clean, {a, folder});
  EXPECT_EQ(clean.status, 0);
  EXPECT_EQ(clean.succeeded, 2u);
  EXPECT_EQ(clean.outputs, (PathList{a, folder}));
}
