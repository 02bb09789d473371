#include <gtest/gtest.h>

#include "fileops/FilesRefactor.h"
#include "split/SplitJoin.h"
#include "split/SplitLayout.h"
#include "support/FileChecks.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

// Bytes that differ from their neighbours, so a misplaced chunk shows.
std::string Pattern(size_t length) {
  std::string bytes(length, '\0');
  for (size_t i = 0; i < length; ++i) bytes[i] = char((i * 7 + i / 251) & 0xFF);
  return bytes;
}

std::vector<size_t> Sizes(const PathList& paths) {
  std::vector<size_t> sizes;
  for (const std::wstring& path : paths) sizes.push_back(ReadBytes(path).size());
  return sizes;
}

struct Splitter {
  RecordingSink sink;
  FilesRefactor refactor{&sink};
  OperationResult result;

  OperationResult Split(const std::wstring& path, uint64_t size) {
    result = {};
    refactor.SplitFile(result, path, size);
    return result;
  }
  OperationResult Join(const PathList& pieces) {
    result = {};
    refactor.JoinFiles(result, pieces);
    return result;
  }
};

// Splits, removes the source, joins the pieces back and checks the bytes.
void ExpectRoundTrip(const TempDir& dir, size_t length, uint64_t size, std::vector<size_t> pieceSizes) {
  SCOPED_TRACE(testing::Message() << length << " bytes at " << size);
  ScriptedPrompt yes;
  std::string bytes = Pattern(length);
  std::wstring source = dir.File(L"round.bin", bytes);
  Splitter s;
  ASSERT_EQ(s.Split(source, size).status, 0);
  EXPECT_EQ(Sizes(s.result.outputs), pieceSizes);
  EXPECT_FALSE(Exists(PiecePath(source, pieceSizes.size())));
  PathList pieces = s.result.outputs;
  DeleteFileW(source.c_str());
  OperationResult joined = s.Join(pieces);
  EXPECT_EQ(joined.status, 0);
  EXPECT_EQ(joined.succeeded, pieceSizes.size());
  EXPECT_EQ(joined.outputs, PathList{source});
  EXPECT_TRUE(ReadBytes(source) == bytes);
  for (const std::wstring& piece : pieces) DeleteFileW(piece.c_str());
}

TEST(SplitFile, HundredBytesAtThirtyMakeFourPiecesWithTheCountInTheHeader) {
  TempDir dir;
  std::string bytes = Pattern(100);
  std::wstring source = dir.File(L"report.pdf", bytes);
  ScriptedPrompt yes;
  Splitter s;
  OperationResult result = s.Split(source, 30);

  ASSERT_EQ(yes.asked().size(), 1u);
  EXPECT_EQ(yes.asked()[0].text, L"4 files will be created.\nDo you want to split?");
  EXPECT_EQ(yes.asked()[0].caption, L"Split File");
  EXPECT_EQ(yes.asked()[0].type, 0x24u);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.kind, kind::Split);
  EXPECT_EQ(result.succeeded, 1u);
  EXPECT_EQ(result.failed, 0u);
  EXPECT_EQ(result.outputs, (PathList{dir / L"report.pdf.qxs0", dir / L"report.pdf.qxs1", dir / L"report.pdf.qxs2",
                                      dir / L"report.pdf.qxs3"}));
  EXPECT_EQ(Sizes(result.outputs), (std::vector<size_t>{30, 30, 30, 20}));

  std::string first = ReadBytes(result.outputs[0]);
  EXPECT_EQ(first.substr(0, 10), std::string("4\0\0\0\0\0\0\0\0\0", 10));
  EXPECT_EQ(first.substr(10), bytes.substr(0, 20));
  EXPECT_EQ(ReadBytes(result.outputs[1]), bytes.substr(20, 30));
  EXPECT_EQ(ReadBytes(result.outputs[3]), bytes.substr(80));
  EXPECT_EQ(ReadBytes(source), bytes);  // the source stays

  // Position 1, hidden for the question, 2 once answered, then 98/4 per piece.
  EXPECT_EQ(s.sink.reports, (std::vector<std::pair<int32_t, bool>>{{1, false}, {1, true}, {2, false}, {26, false},
                                                                  {51, false}, {75, false}, {100, false}}));
}

TEST(SplitFile, PieceSizesAndRoundTrips) {
  TempDir dir;
  ExpectRoundTrip(dir, 100, 30, {30, 30, 30, 20});
  ExpectRoundTrip(dir, 80, 30, {30, 30, 30});  // the last piece full, no empty fourth one
  ExpectRoundTrip(dir, 55, 30, {30, 30, 5});
  ExpectRoundTrip(dir, 25, 8, {10, 8, 8, 8, 1});  // at 10 bytes or less piece 0 holds the header alone
  ExpectRoundTrip(dir, 25, 10, {10, 10, 10, 5});
  ExpectRoundTrip(dir, 12, 11, {11, 11});
  // Several chunks a piece, and a piece boundary inside a chunk.
  ExpectRoundTrip(dir, 50000, 20000, {20000, 20000, 10010});
  ExpectRoundTrip(dir, 3 * 4096 + 7, 4097, {4097, 4097, 4097, 14});
}

TEST(SplitFile, RefusalsWriteNoPiece) {
  TempDir dir;
  std::wstring exact = dir.File(L"exact.bin", Pattern(30));
  std::wstring tiny = dir.File(L"tiny.bin", Pattern(100000));
  std::wstring folder = dir.Folder(L"folder.bin");
  ScriptedPrompt answers({IDNO});
  Splitter s;
  TraceCapture trace;

  OperationResult result = s.Split(exact, 30);
  EXPECT_EQ(result.status, 7);
  EXPECT_EQ(result.message, L"Your file size is smaller or equal to the split size.");
  EXPECT_EQ(result.failed, 1u);
  EXPECT_EQ(trace.Count("FilesRefactor::SplitFile: wrong split size"), 1);

  result = s.Split(folder, 30);
  EXPECT_EQ(result.status, 15);
  EXPECT_EQ(result.message, L"You can't split a folder.");
  EXPECT_EQ(trace.Count("FilesRefactor::SplitFile: a folder selected"), 1);

  // 100,000 bytes at 1 byte would need 100,001 pieces; the header holds five digits.
  result = s.Split(tiny, 1);
  EXPECT_EQ(result.status, status::SplitTooManyPieces);
  EXPECT_NE(result.message.find(L"99,999"), std::wstring::npos);
  result = s.Split(tiny, 0);
  EXPECT_EQ(result.status, status::SplitTooManyPieces);
  EXPECT_TRUE(answers.asked().empty());

  result = s.Split(exact, 20);
  EXPECT_EQ(result.status, 6);
  EXPECT_EQ(result.message, L"");
  EXPECT_EQ(answers.asked().size(), 1u);
  EXPECT_EQ(trace.Count("FilesRefactor::SplitFile: User stopped operation"), 1);

  result = s.Split(dir / L"missing.bin", 20);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.message, L"An unexpected error occured.");
  EXPECT_EQ(trace.Count("FilesRefactor::SplitFile: Can't open file."), 1);

  for (const std::wstring& path : {exact, tiny, folder}) EXPECT_FALSE(Exists(PiecePath(path, 0))) << Narrow(path);
}

// Pieces of an earlier split may be all that is left of that version: they are replaced only on Yes,
// and go to the recycle bin.
TEST(SplitFile, ExistingPiecesAreReplacedOnlyOnYes) {
  TempDir dir;
  std::wstring name = UniqueName(L"older", L"bin");
  std::wstring source = dir.File(name, Pattern(100));
  std::wstring first = dir.File(name + L".qxs0", "an earlier piece"), third = dir.File(name + L".qxs2", "another");
  Splitter s;
  {
    ScriptedPrompt answers({IDYES, IDNO}, IDCANCEL);
    OperationResult result = s.Split(source, 30);
    EXPECT_EQ(result.status, 6);
    EXPECT_EQ(result.message, L"");
    ASSERT_EQ(answers.asked().size(), 2u);
    EXPECT_EQ(answers.asked()[1].text,
              L"2 of the pieces already exist.\nDo you want to replace them?\n(The existing files will be sent to the "
              L"recycle bin)");
    EXPECT_EQ(answers.asked()[1].caption, L"Split File Exist");
    EXPECT_EQ(answers.asked()[1].type, UINT(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(ReadBytes(first), "an earlier piece");
    EXPECT_EQ(ReadBytes(third), "another");
    EXPECT_EQ(NamesIn(dir.path()).size(), 3u);
  }
  {
    ScriptedPrompt answers({IDYES, IDYES}, IDCANCEL);
    OperationResult result = s.Split(source, 30);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(Sizes(result.outputs), (std::vector<size_t>{30, 30, 30, 20}));
    EXPECT_TRUE(InRecycleBin(name + L".qxs0"));
    EXPECT_TRUE(InRecycleBin(name + L".qxs2"));
  }
}

TEST(SplitLayout, HeaderCountsUpToFiveDigits) {
  SplitHeader four = MakeSplitHeader(4);
  EXPECT_EQ(std::string(four.begin(), four.end()), std::string("4\0\0\0\0\0\0\0\0\0", 10));
  SplitHeader most = MakeSplitHeader(99999);
  EXPECT_EQ(std::string(most.begin(), most.end()), std::string("9\0009\0009\0009\0009\0", 10));
  EXPECT_EQ(ReadSplitHeader(most), 99999);
  EXPECT_EQ(ReadSplitHeader(MakeSplitHeader(1234)), 1234);
  EXPECT_EQ(PieceCount(99998, 1), 99999u);
  EXPECT_EQ(PieceCount(100, 30), 4u);
  EXPECT_EQ(PieceCount(uint64_t(1) << 40, 1 << 20), (uint64_t(1) << 20) + 1);

  EXPECT_EQ(ReadLeadingDecimal(L"  +42abc"), 42);
  EXPECT_EQ(ReadLeadingDecimal(L"-7"), -7);
  EXPECT_EQ(ReadLeadingDecimal(L"x1"), 0);
  EXPECT_EQ(ReadLeadingDecimal(L"99999999999999999999999"), INT64_MAX);
}

TEST(SplitAndJoin, ReadOnlySourcesAndPiecesWork) {
  TempDir dir;
  std::string bytes = Pattern(1000);
  std::wstring source = dir.File(L"locked.txt", bytes);
  SetFileAttributesW(source.c_str(), FILE_ATTRIBUTE_READONLY);
  ScriptedPrompt yes;
  Splitter s;
  ASSERT_EQ(s.Split(source, 300).status, 0);
  PathList pieces = s.result.outputs;
  for (const std::wstring& piece : pieces) SetFileAttributesW(piece.c_str(), FILE_ATTRIBUTE_READONLY);
  SetFileAttributesW(source.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(source.c_str());
  EXPECT_EQ(s.Join(pieces).status, 0);
  EXPECT_TRUE(ReadBytes(source) == bytes);
}

TEST(JoinFiles, SortsByPieceNumber) {
  TempDir dir;
  std::string bytes = Pattern(1200);
  std::wstring source = dir.File(L"eleven.dat", bytes);
  ScriptedPrompt yes;
  Splitter s;
  ASSERT_EQ(s.Split(source, 110).status, 0);
  ASSERT_EQ(s.result.outputs.size(), 11u);
  PathList p = s.result.outputs;
  PathList scrambled = {p[0], p[2], p[10], p[1], p[9], p[3], p[8], p[4], p[7], p[5], p[6]};
  DeleteFileW(source.c_str());

  OperationResult result = s.Join(scrambled);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.kind, kind::Join);
  EXPECT_EQ(result.succeeded, 11u);
  EXPECT_TRUE(ReadBytes(source) == bytes);
  EXPECT_EQ(yes.asked().size(), 1u);  // only the split asked
  for (const std::wstring& piece : p) EXPECT_TRUE(Exists(piece));  // the pieces stay

  PathList list = {L"C:\\a\\x.bin.qxs0", L"C:\\a\\x.bin.qxs2", L"C:\\a\\x.bin.qxs10", L"C:\\a\\x.bin.qxs1"};
  OperationResult check;
  CheckSortListFilesForJoin(check, list);
  EXPECT_EQ(list, (PathList{L"C:\\a\\x.bin.qxs0", L"C:\\a\\x.bin.qxs1", L"C:\\a\\x.bin.qxs2", L"C:\\a\\x.bin.qxs10"}));
  EXPECT_EQ(check.status, 13);
}

// Splits a file of `length` bytes at `size` and returns the pieces; the source stays.
PathList PiecesOf(const std::wstring& source, size_t length, uint64_t size) {
  ScriptedPrompt yes;
  Splitter s;
  std::string bytes = Pattern(length);
  HANDLE file = CreateFileW(source.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
  CloseHandle(file);
  EXPECT_EQ(s.Split(source, size).status, 0);
  return s.result.outputs;
}

TEST(JoinFiles, AnExistingFileOfTheOutputsNameIsReplacedOnlyOnYes) {
  TempDir dir;
  std::wstring name = UniqueName(L"data", L"bin");  // unique, to be found in the recycle bin
  std::wstring output = dir / name;
  PathList pieces = PiecesOf(output, 1000, 300);
  dir.File(name, "edited after the split");
  const std::wstring question = L"The file " + output +
                                L" already exists.\nDo you want to replace it?\n(The existing file will be sent to "
                                L"the recycle bin)";
  Splitter s;
  {
    ScriptedPrompt no({IDNO}, IDCANCEL);
    OperationResult result = s.Join(pieces);
    EXPECT_EQ(result.status, 6);
    EXPECT_EQ(result.message, L"");
    EXPECT_EQ(result.failed, 4u);
    EXPECT_TRUE(result.outputs.empty());
    ASSERT_EQ(no.asked().size(), 1u);
    EXPECT_EQ(no.asked()[0].text, question);
    EXPECT_EQ(no.asked()[0].caption, L"Join File Exist");
    EXPECT_EQ(no.asked()[0].type, UINT(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(ReadBytes(output), "edited after the split");
    EXPECT_EQ(NamesIn(dir.path()).size(), 5u);  // the pieces and the edited file, no scratch file
  }
  {
    ScriptedPrompt yes({IDYES}, IDCANCEL);
    OperationResult result = s.Join(pieces);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.outputs, PathList{output});
    EXPECT_EQ(yes.asked().size(), 1u);
    EXPECT_TRUE(ReadBytes(output) == Pattern(1000));
    EXPECT_TRUE(InRecycleBin(name));
    EXPECT_EQ(NamesIn(dir.path()).size(), 5u);
  }
}

// A piece that turns out unreadable half-way through, or is not a file at all: the output is never
// left cut short, and a file that already had its name keeps its bytes.
TEST(JoinFiles, AFailureLeavesNoPartialOutputAndTheExistingFileUntouched) {
  TempDir dir;
  std::wstring output = dir / L"data.bin";
  PathList pieces = PiecesOf(output, 1000, 300);
  dir.File(L"data.bin", "previous version");
  const std::vector<std::wstring> before = NamesIn(dir.path());
  Splitter s;
  ScriptedPrompt yes;

  {
    // Held without sharing by another program: the copy stops at the third piece.
    HANDLE held = CreateFileW(pieces[2].c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    OperationResult result = s.Join(pieces);
    CloseHandle(held);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.message, L"An unexpected error occured.");
    EXPECT_TRUE(result.outputs.empty());
    EXPECT_TRUE(ReadBytes(output) == "previous version");
    EXPECT_EQ(NamesIn(dir.path()), before);
  }
  {
    std::string third = ReadBytes(pieces[2]);
    ASSERT_TRUE(DeleteFileW(pieces[2].c_str()));
    ASSERT_TRUE(CreateDirectoryW(pieces[2].c_str(), nullptr));
    OperationResult result = s.Join(pieces);
    EXPECT_NE(result.status, 0);
    EXPECT_TRUE(ReadBytes(output) == "previous version");
    EXPECT_EQ(NamesIn(dir.path()), before);
    RemoveDirectoryW(pieces[2].c_str());
    dir.File(L"data.bin.qxs2", third);
  }
  {
    // Without an earlier file: nothing at all is left under the output's name.
    DeleteFileW(output.c_str());
    HANDLE held = CreateFileW(pieces[3].c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    OperationResult result = s.Join(pieces);
    CloseHandle(held);
    EXPECT_NE(result.status, 0);
    EXPECT_FALSE(Exists(output));
    EXPECT_EQ(NamesIn(dir.path()).size(), 4u);
  }
}

// The joined file is written under a scratch name no longer than the first piece's, so a set of pieces
// that fits however deep its folder joins there.
TEST(JoinFiles, JoinsWhereverThePiecesFit) {
  TempDir dir;
  std::wstring deep = FolderOfLength(dir, 251);
  std::wstring output = deep + L"\\a";  // pieces of 258 characters
  PathList pieces = PiecesOf(output, 1000, 300);
  ASSERT_EQ(pieces.size(), 4u);
  DeleteFileW(output.c_str());
  ScriptedPrompt prompt({}, IDCANCEL);
  Splitter s;
  OperationResult result = s.Join(pieces);
  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(ReadBytes(output) == Pattern(1000));
  EXPECT_EQ(NamesIn(deep).size(), 5u);
}

// Pieces whose name is only the suffix would join into their own folder's path: refused, and the
// folder is never offered for replacing. A trailing dot is dropped from the joined name, as the file
// system drops it.
TEST(JoinFiles, TheJoinedNameIsOneTheFolderCanHold) {
  TempDir dir;
  for (const wchar_t* stem : {L"", L".", L" "}) {
    SCOPED_TRACE(Narrow(stem));
    std::wstring folder = dir.Folder(L"pieces");
    PathList pieces = PiecesOf(dir / L"whole.bin", 100, 60);
    PathList renamed;
    for (size_t i = 0; i < pieces.size(); ++i) {
      renamed.push_back(folder + L"\\" + stem + L".qxs" + std::to_wstring(i));
      ASSERT_TRUE(MoveFileW(pieces[i].c_str(), renamed.back().c_str()));
    }
    ScriptedPrompt yes;
    Splitter s;
    OperationResult result = s.Join(renamed);
    EXPECT_EQ(result.status, 10);
    EXPECT_EQ(result.message, L"Wrong files selection for Join.");
    EXPECT_TRUE(yes.asked().empty());
    EXPECT_EQ(NamesIn(folder).size(), 2u);
    RemoveTree(folder);
  }
  PathList pieces = PiecesOf(dir / L"abc.", 100, 60);  // "abc..qxs0", "abc..qxs1"
  DeleteFileW((dir / L"abc").c_str());
  ScriptedPrompt yes;
  Splitter s;
  OperationResult result = s.Join(pieces);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.outputs, PathList{dir / L"abc"});
  EXPECT_TRUE(ReadBytes(dir / L"abc") == Pattern(100));
}

// Every piece but the last holds exactly the split size and the last one at most that; a piece that
// was cut short or grew is refused before anything is written.
TEST(JoinFiles, PiecesOfTheWrongSizeAreRefusedBeforeWriting) {
  struct Case {
    const char* what;
    size_t length;
    uint64_t size;
    size_t piece;      // the piece to damage
    int64_t change;    // bytes added (or, negative, cut from its end)
  };
  const Case cases[] = {
      {"a middle piece cut short", 1000, 300, 1, -1},
      {"the first piece cut short", 1000, 300, 0, -50},
      {"a middle piece grown", 1000, 300, 2, 7},
      {"the last piece longer than the others", 1000, 300, 3, 201},
      {"the last piece emptied", 1000, 300, 3, -110},
      {"header-only first piece, a middle piece cut", 25, 8, 2, -1},
      {"header-only first piece, the last piece grown", 25, 8, 4, 8},
  };
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::wstring output = dir / L"data.bin";
    PathList pieces = PiecesOf(output, c.length, c.size);
    DeleteFileW(output.c_str());
    std::string bytes = ReadBytes(pieces[c.piece]);
    if (c.change < 0) bytes.resize(bytes.size() - size_t(-c.change));
    else bytes += std::string(size_t(c.change), 'x');
    dir.File(pieces[c.piece].substr(dir.path().size() + 1), bytes);

    ScriptedPrompt prompt({}, IDCANCEL);
    Splitter s;
    OperationResult result = s.Join(pieces);
    EXPECT_EQ(result.status, 8);
    EXPECT_EQ(result.kind, kind::Join);
    EXPECT_EQ(result.message, L"Wrong size of file in selection for Join: " + pieces[c.piece] + L".");
    EXPECT_EQ(result.failed, pieces.size());
    EXPECT_FALSE(Exists(output));
    EXPECT_EQ(NamesIn(dir.path()).size(), pieces.size());
    EXPECT_TRUE(prompt.asked().empty());
    for (const std::wstring& piece : pieces) DeleteFileW(piece.c_str());
  }
}

TEST(JoinFiles, ReportsProgressFromThreeToTheEnd) {
  TempDir dir;
  ScriptedPrompt yes;
  Splitter s;
  ASSERT_EQ(s.Split(dir.File(L"p.bin", Pattern(100)), 30).status, 0);
  PathList pieces = s.result.outputs;
  DeleteFileW((dir / L"p.bin").c_str());
  s.sink.reports.clear();
  ASSERT_EQ(s.Join(pieces).status, 0);
  EXPECT_EQ(s.sink.shown(), (std::vector<int32_t>{1, 3, 5, 29, 31, 55, 57, 81, 100}));
}

TEST(CheckSortListFilesForJoin, RefusesIncompleteOrMixedSelections) {
  struct Case {
    PathList list;
    int32_t status;
    const wchar_t* message;
  };
  const std::wstring r = L"C:\\docs\\report.pdf.qxs";
  const Case cases[] = {
      {{r + L"0", r + L"1", r + L"3"}, 13, L"Missing files with in selection for Join."},
      {{r + L"1", r + L"2", r + L"3"}, 13, L"Missing file with .qxs0 in selection for Join."},
      {{r + L"0", L"C:\\docs\\notes.pdf.qxs1"}, 10, L"Wrong files selection for Join."},
      {{r + L"0", L"C:\\docs\\report.pdf", r + L"1"}, 10, L"Wrong files selection for Join."},
      {{r + L"0", r + L"1", r + L"0"}, 11, L"Wrong files selection for Join."},
      {{r + L"0"}, 12, L"Wrong number of files in selection for Join."},
      {{}, 12, L"Wrong number of files in selection for Join."},
      {{r + L"0", r + L"1", r + L"01", r + L"3"}, 13, L"Missing files with in selection for Join."},
      {{L"C:\\d.ir\\ab", L"C:\\d.ir\\ab"}, 11, L"Wrong files selection for Join."},
      {{r + L"0", r + L"1", r + L"2"}, 0, L""},
  };
  TraceCapture trace;
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.list.empty() ? L"(empty)" : c.list.back()));
    PathList list = c.list;
    OperationResult result;
    CheckSortListFilesForJoin(result, list);
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.kind, kind::Join);
    EXPECT_EQ(result.message, c.message);
    if (c.status) {
      EXPECT_EQ(result.failed, c.list.size());
    }
  }
  EXPECT_EQ(trace.Count("CheckSortListFilesForJoin: wrong files selection for Join. FAIL_SOME_FILES_WRONG_KIND"), 2);
  EXPECT_EQ(trace.Count("CheckSortListFilesForJoin: wrong files selection for Join. FAIL_PATH_DUPLICATION"), 2);
  EXPECT_EQ(trace.Count("CheckSortListFilesForJoin: wrong files selection for Join. FAIL_WRONG_SIZE_OF_LIST"), 5);
}

TEST(JoinFiles, HeaderCountMustMatchTheSelectionAndPiecesMustOpen) {
  TempDir dir;
  ScriptedPrompt yes;
  Splitter s;
  ASSERT_EQ(s.Split(dir.File(L"five.bin", Pattern(140)), 30).status, 0);
  PathList pieces = s.result.outputs;
  ASSERT_EQ(pieces.size(), 5u);
  DeleteFileW((dir / L"five.bin").c_str());
  TraceCapture trace;

  OperationResult result = s.Join({pieces[0], pieces[1], pieces[2], pieces[3]});
  EXPECT_EQ(result.status, 9);
  EXPECT_EQ(result.message, L"Missing files with in selection for Join.");
  EXPECT_EQ(result.failed, 4u);
  EXPECT_EQ(trace.Count("FilesRefactor::JoinFiles: Missing some files to complete join. FAIL_WRONG_NUM_OF_FILES"), 1);
  EXPECT_FALSE(Exists(dir / L"five.bin"));  // nothing written before the count is known good

  DeleteFileW(pieces[3].c_str());
  result = s.Join(pieces);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.message, L"An unexpected error occured.");
  EXPECT_EQ(result.failed, 5u);
  EXPECT_EQ(trace.Count("FilesRefactor::JoinFiles: Can't open file."), 1);
}

}  // namespace
