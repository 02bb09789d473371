#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <utility>

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

// The paths of the block, which the reader takes over; complete as the reader says.
PathList Read(UniqueGlobal block, bool& complete) {
  STGMEDIUM medium{TYMED_HGLOBAL};
  medium.hGlobal = block.release();
  DroppedFiles moved;
  {
    DroppedFiles dropped(medium);
    EXPECT_EQ(medium.tymed, DWORD(TYMED_NULL)) << "the medium is the reader's now";
    complete = dropped.complete();
    moved = std::move(dropped);  // the views must not point into the object they came from
  }
  return PathList(moved.paths().begin(), moved.paths().end());
}

TEST(DropFiles, ReadsWideAndAnsiLists) {
  bool complete = false;
  const wchar_t wide[] = L"C:\\a.txt\0C:\\long folder\\b.jpg\0";  // plus the array's own terminator
  EXPECT_EQ(Read(Block(wide, sizeof wide, true), complete), (PathList{L"C:\\a.txt", L"C:\\long folder\\b.jpg"}));
  EXPECT_TRUE(complete);

  const char ansi[] = "C:\\x\0D:\\y z\0";
  EXPECT_EQ(Read(Block(ansi, sizeof ansi, false), complete), (PathList{L"C:\\x", L"D:\\y z"}));
  EXPECT_TRUE(complete);

  const wchar_t empty[] = L"";
  EXPECT_TRUE(Read(Block(empty, sizeof empty, true), complete).empty());
  EXPECT_TRUE(complete);
}

TEST(DropFiles, DamagedBlocksStopInsideTheBlock) {
  bool complete = true;
  // The list runs to the end of the block without its closing empty string.
  const wchar_t unterminated[] = {L'C', L':', L'\\', L'a', 0, L'C', L':', L'\\', L'b'};
  EXPECT_EQ(Read(Block(unterminated, sizeof unterminated, true), complete), (PathList{L"C:\\a"}));
  EXPECT_FALSE(complete);
  const char ansiUnterminated[] = {'C', ':', '\\', 'a', 0, 'C', ':', '\\', 'b'};
  EXPECT_EQ(Read(Block(ansiUnterminated, sizeof ansiUnterminated, false), complete), (PathList{L"C:\\a"}));
  EXPECT_FALSE(complete);

  // The list offset points past the block, or into the header.
  const wchar_t list[] = L"C:\\a\0";
  for (DWORD offset : {DWORD(4096), DWORD(4)}) {
    EXPECT_TRUE(Read(Block(list, sizeof list, true, offset), complete).empty()) << offset;
    EXPECT_FALSE(complete);
  }
}

}  // namespace
