#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <string>

#include "atl/Handles.h"
#include "shellext/com/DropFiles.h"

namespace {

// A CF_HDROP block: the header, then `list` bytes exactly as given.
UniqueGlobal Block(const void* list, size_t bytes, bool wide, DWORD offset = sizeof(DROPFILES)) {
  UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + bytes));
  auto* header = static_cast<DROPFILES*>(GlobalLock(block.get()));
  header->pFiles = offset;
  header->fWide = wide;
  std::memcpy(header + 1, list, bytes);
  GlobalUnlock(block.get());
  return block;
}

TEST(DropFiles, ReadsWideAndAnsiLists) {
  const wchar_t wide[] = L"C:\\a.txt\0C:\\long folder\\b.jpg\0";  // plus the array's own terminator
  PathList paths;
  EXPECT_TRUE(ReadDropFiles(Block(wide, sizeof wide, true).get(), paths));
  EXPECT_EQ(paths, (PathList{L"C:\\a.txt", L"C:\\long folder\\b.jpg"}));

  const char ansi[] = "C:\\x\0D:\\y z\0";
  paths.clear();
  EXPECT_TRUE(ReadDropFiles(Block(ansi, sizeof ansi, false).get(), paths));
  EXPECT_EQ(paths, (PathList{L"C:\\x", L"D:\\y z"}));

  const wchar_t empty[] = L"";
  paths.clear();
  EXPECT_TRUE(ReadDropFiles(Block(empty, sizeof empty, true).get(), paths));
  EXPECT_TRUE(paths.empty());
}

TEST(DropFiles, DamagedBlocksStopInsideTheBlock) {
  // The list runs to the end of the block without its closing empty string.
  const wchar_t unterminated[] = {L'C', L':', L'\\', L'a', 0, L'C', L':', L'\\', L'b'};
  PathList paths;
  EXPECT_FALSE(ReadDropFiles(Block(unterminated, sizeof unterminated, true).get(), paths));
  EXPECT_EQ(paths, (PathList{L"C:\\a"}));

  // The list offset points past the block, or into the header.
  const wchar_t list[] = L"C:\\a\0";
  paths.clear();
  EXPECT_FALSE(ReadDropFiles(Block(list, sizeof list, true, 4096).get(), paths));
  EXPECT_FALSE(ReadDropFiles(Block(list, sizeof list, true, 4).get(), paths));
  EXPECT_TRUE(paths.empty());
}

}  // namespace
