// The engine on real files: the two phases, the question about names taken outside the batch, and the
// ways back when a batch cannot finish.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "RenameTestSupport.h"
#include "atl/Handles.h"
#include "base/Prompt.h"
#include "fileops/FilesRefactor.h"
#include "rename/FilesRenamerStyles.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

using Names = std::vector<std::wstring>;

const wchar_t kQuestion[] =
    L"Some files already exist with some of the destination file names.\nDo you want to overwrite?!\n"
    L"(The existing files will be sent to the recycle bin)";

// A style whose new names the test lists by old name: items not listed keep theirs.
class ListedRenamer : public FilesRenamer {
 public:
  ListedRenamer(const PathList& paths, std::map<std::wstring, std::wstring> names)
      : FilesRenamer(nullptr, paths), names_(std::move(names)) {}
  int GenerateNewNames() override {
    for (const std::wstring& path : movedPaths) {
      size_t slash = path.rfind(L'\\');
      auto listed = names_.find(path.substr(slash + 1));
      if (listed == names_.end())
        Keep(path, false);
      else
        Propose(path, path.substr(0, slash), listed->second);
    }
    int kept = FinishWalk();
    if (afterNaming) afterNaming(*this);
    return kept;
  }
  std::function<void(ListedRenamer&)> afterNaming;  // runs once the names are chosen, as another program could

 private:
  std::map<std::wstring, std::wstring> names_;
};

TEST(RenameEngine, ExchangesNamesInsideTheBatchWithoutAQuestion) {
  TempDir dir;
  std::wstring one = dir.File(L"1.txt", "one"), two = dir.File(L"2.txt", "two");
  ScriptedPrompt prompt({}, IDCANCEL);  // an unscripted question is never a Yes
  OperationResult result;
  FilesRefactor().RenameAutonumber(result, {two, one}, 1);  // the user put 2.txt first

  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.kind, 12);
  EXPECT_EQ(result.message, L"");
  EXPECT_EQ(result.succeeded, 2u);
  EXPECT_EQ(result.failed, 0u);
  EXPECT_EQ(result.outputs, (PathList{one, two}));
  EXPECT_EQ(ReadBytes(one), "two");
  EXPECT_EQ(ReadBytes(two), "one");
  EXPECT_TRUE(prompt.asked().empty());
  EXPECT_EQ(NamesIn(dir.path()), (Names{L"1.txt", L"2.txt"}));

  // The same through a listed swap of a.txt and b.txt, folders renamed with their contents.
  std::wstring a = dir.File(L"a.txt", "a"), b = dir.Folder(L"b.txt");
  dir.File(L"b.txt\\inner.txt", "inner");
  ListedRenamer swap({a, b}, {{L"a.txt", L"b.txt"}, {L"b.txt", L"a.txt"}});
  swap.Rename(result);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(ReadBytes(b), "a");
  EXPECT_EQ(ReadBytes(dir / L"a.txt\\inner.txt"), "inner");
  EXPECT_TRUE(prompt.asked().empty());
}

TEST(RenameEngine, AnItemDeletedAfterSelectionCountsAsFailedAndTheOthersAreRenamed) {
  TempDir dir;
  std::wstring a = dir.File(L"a.txt", "a"), c = dir.File(L"c.txt", "c");
  TraceCapture trace;
  ScriptedPrompt prompt({}, IDCANCEL);  // an unscripted question is never a Yes
  OperationResult result;
  FilesRefactor().RenameAppend(result, {a, dir / L"gone.txt", c}, L"x_", L"");

  EXPECT_EQ(result.status, 3);
  EXPECT_EQ(result.message, L"1 files failed to rename.");
  EXPECT_EQ(result.succeeded, 2u);
  EXPECT_EQ(result.failed, 1u);
  EXPECT_EQ(result.outputs, (PathList{dir / L"x_a.txt", dir / L"x_c.txt"}));
  EXPECT_EQ(NamesIn(dir.path()), (Names{L"x_a.txt", L"x_c.txt"}));
  EXPECT_EQ(trace.Count("1. File doesn't exist: " + Narrow(dir / L"gone.txt")), 1);
}

TEST(RenameEngine, ANameTakenOutsideTheBatchIsReplacedOnlyOnYes) {
  TempDir dir;
  std::wstring blocker = UniqueName(L"taken", L"txt");  // unique, to be found in the recycle bin
  std::wstring a = dir.File(L"a.txt", "a"), b = dir.File(L"b.txt", "b");
  dir.File(blocker, "outside");
  const std::map<std::wstring, std::wstring> names{{L"a.txt", blocker}, {L"b.txt", L"c.txt"}};

  // No: every item is back under its own name and nothing outside the batch is touched.
  {
    ScriptedPrompt prompt({IDNO}, IDCANCEL);
    OperationResult result;
    result.outputs = {L"untouched"};
    ListedRenamer renamer({a, b}, names);
    renamer.Rename(result);
    EXPECT_EQ(result.status, 6);
    EXPECT_EQ(result.kind, 12);
    EXPECT_EQ(result.message, L"");
    EXPECT_EQ(result.succeeded, 0u);
    EXPECT_EQ(result.failed, 2u);
    EXPECT_EQ(result.outputs, PathList{L"untouched"});
    ASSERT_EQ(prompt.asked().size(), 1u);
    EXPECT_EQ(prompt.asked()[0].text, kQuestion);
    EXPECT_EQ(prompt.asked()[0].caption, L"Warning!");
    EXPECT_EQ(prompt.asked()[0].type, 0x34u);
    EXPECT_EQ(NamesIn(dir.path()), (Names{L"a.txt", L"b.txt", blocker}));
    EXPECT_EQ(ReadBytes(dir / blocker), "outside");
  }
  // Yes: the blocking file goes to the recycle bin and the batch is renamed.
  {
    ScriptedPrompt prompt({IDYES}, IDCANCEL);
    OperationResult result;
    ListedRenamer renamer({a, b}, names);
    renamer.Rename(result);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(prompt.asked().size(), 1u);
    EXPECT_EQ(NamesIn(dir.path()), (Names{L"c.txt", blocker}));
    EXPECT_EQ(ReadBytes(dir / blocker), "a");
    EXPECT_EQ(ReadBytes(dir / L"c.txt"), "b");
    EXPECT_TRUE(InRecycleBin(blocker));
  }
}

TEST(RenameEngine, AnItemOpenElsewhereStopsTheBatchBeforeAnythingMoves) {
  TempDir dir;
  std::wstring a = dir.File(L"a.txt", "a"), b = dir.File(L"b.txt", "b");
  UniqueFile held(CreateFileW(b.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(held);
  TraceCapture trace;
  OperationResult result;
  FilesRefactor().RenameAutonumber(result, {a, b}, 1);

  EXPECT_EQ(result.status, 4);
  EXPECT_EQ(result.kind, 12);
  EXPECT_EQ(result.message, L"Some of the files are open.\nCan't complete rename operation.");
  EXPECT_EQ(result.succeeded, 0u);
  EXPECT_EQ(result.failed, 2u);
  EXPECT_EQ(NamesIn(dir.path()), (Names{L"a.txt", L"b.txt"}));
  EXPECT_EQ(trace.Count("FilesRenamer::Rename: Some files are open!"), 1);
}

TEST(RenameEngine, AnItemThatCannotTakeItsNameGoesBackAndLaterItemsStillGetTheirs) {
  TempDir dir;
  std::wstring a = dir.File(L"a.txt", "a"), b = dir.File(L"b.txt", "b"), c = dir.File(L"c.txt", "c");
  ListedRenamer renamer({a, b, c}, {{L"a.txt", L"A1.txt"}, {L"b.txt", L"B1.txt"}, {L"c.txt", L"C1.txt"}});
  // Another program takes b's new name after the names are chosen.
  renamer.afterNaming = [&](ListedRenamer&) { dir.File(L"B1.txt", "other"); };
  ScriptedPrompt prompt({}, IDCANCEL);  // an unscripted question is never a Yes
  OperationResult result;
  renamer.Rename(result);

  EXPECT_EQ(result.status, 3);
  EXPECT_EQ(result.message, L"1 files failed to rename.");
  EXPECT_EQ(result.succeeded, 2u);
  EXPECT_EQ(result.failed, 1u);
  // The result lists every generated name, the failed one included.
  EXPECT_EQ(result.outputs, (PathList{dir / L"A1.txt", dir / L"B1.txt", dir / L"C1.txt"}));
  EXPECT_EQ(ReadBytes(dir / L"A1.txt"), "a");
  EXPECT_EQ(ReadBytes(b), "b");
  EXPECT_EQ(ReadBytes(dir / L"B1.txt"), "other");
  EXPECT_EQ(ReadBytes(dir / L"C1.txt"), "c");
  EXPECT_FALSE(HasScratchNames(dir.path()));
}

TEST(RenameEngine, ItemsWantingOneNameNeverCollide) {
  TempDir dir;
  // Find "1", replace "2": a2.txt keeps its name, so a1.txt cannot take it.
  std::wstring a1 = dir.File(L"a1.txt", "1"), a2 = dir.File(L"a2.txt", "2");
  ScriptedPrompt prompt({}, IDCANCEL);  // an unscripted question is never a Yes
  OperationResult result;
  FilesRefactor().RenameFindReplace(result, {a1, a2}, L"1", L"2");
  EXPECT_EQ(result.status, 3);
  EXPECT_EQ(result.message, L"1 files failed to rename.");
  EXPECT_EQ(ReadBytes(a1), "1");
  EXPECT_EQ(ReadBytes(a2), "2");

  // b and d both want c; b wins, so d stays, and a, which wanted d's name, stays too. The names differ in
  // case only where the file system does not tell them apart.
  std::wstring a = dir.File(L"a", "a"), b = dir.File(L"b", "b"), d = dir.File(L"d", "d");
  ListedRenamer renamer({b, d, a}, {{L"b", L"c"}, {L"d", L"C"}, {L"a", L"D"}});
  renamer.Rename(result);
  EXPECT_EQ(result.status, 3);
  EXPECT_EQ(result.message, L"2 files failed to rename.");
  EXPECT_EQ(ReadBytes(dir / L"c"), "b");
  EXPECT_EQ(ReadBytes(d), "d");
  EXPECT_EQ(ReadBytes(a), "a");
  EXPECT_TRUE(prompt.asked().empty());
  EXPECT_FALSE(HasScratchNames(dir.path()));
}

// Phase 1 stops at an item whose folder has no free scratch name: the items already moved aside come back.
TEST(RenameEngine, AFailureWhileMovingAsideBringsEveryItemBack) {
  TempDir dir;
  std::wstring a = dir.File(L"a.txt", "a"), b = dir.File(L"b.txt", "b");
  // At this depth a scratch name has one character, and every one of them is taken.
  std::wstring deep = FolderOfLength(dir, 257);
  std::wstring relative = deep.substr(dir.path().size() + 1);
  std::wstring tight = dir.File(relative + L"\\t", "t");
  for (const wchar_t* digit : {L"0", L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8", L"9", L"A", L"B", L"C", L"D",
                               L"E", L"F"})
    dir.File(relative + L"\\" + digit, "taken");
  TraceCapture trace;
  ScriptedPrompt prompt({}, IDCANCEL);  // an unscripted question is never a Yes
  OperationResult result;
  ListedRenamer renamer({a, b, tight}, {{L"a.txt", L"a2.txt"}, {L"b.txt", L"b2.txt"}, {L"t", L"g"}});
  renamer.Rename(result);

  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.message, L"An unexpected error occured.");
  EXPECT_EQ(result.succeeded, 0u);
  EXPECT_EQ(result.failed, 0u);
  EXPECT_EQ(ReadBytes(a), "a");
  EXPECT_EQ(ReadBytes(b), "b");
  EXPECT_EQ(ReadBytes(tight), "t");
  EXPECT_EQ(NamesIn(deep).size(), 17u);
  EXPECT_FALSE(HasScratchNames(dir.path()));
  EXPECT_EQ(trace.Count("FilesRenamer::Rename: GetTempFileName failed!"), 1);
  EXPECT_EQ(trace.Count("FilesRenamer::Rename: Unexpected error!"), 1);
}

// Deep folders leave little room for a scratch name: a rename whose new names fit still succeeds.
TEST(RenameEngine, NewNamesThatFitAreGivenAtAnyDepth) {
  for (size_t length : {243, 244, 249, 253, 255, 257}) {
    SCOPED_TRACE(length);
    TempDir dir;
    std::wstring deep = FolderOfLength(dir, length), relative = deep.substr(dir.path().size() + 1);
    std::wstring a = dir.File(relative + L"\\a", "a"), b = dir.File(relative + L"\\b", "b");
    ScriptedPrompt prompt({}, IDCANCEL);
    OperationResult result;
    ListedRenamer swap({a, b}, {{L"a", L"b"}, {L"b", L"a"}});
    swap.Rename(result);
    EXPECT_EQ(result.status, 0) << Narrow(result.message);
    EXPECT_EQ(ReadBytes(a), "b");
    EXPECT_EQ(ReadBytes(b), "a");
    EXPECT_EQ(NamesIn(deep), (Names{L"a", L"b"}));

    FilesRefactor().RenameAutonumber(result, {a, b}, 1);
    EXPECT_EQ(result.status, 0) << Narrow(result.message);
    EXPECT_EQ(result.outputs, (PathList{deep + L"\\1", deep + L"\\2"}));
    EXPECT_EQ(NamesIn(deep), (Names{L"1", L"2"}));
    EXPECT_TRUE(prompt.asked().empty());
  }
}

// Answers the overwrite question, noting what the folder holds while it waits for the answer.
struct FolderWhileAsking {
  static inline std::wstring folder;
  static inline int answer = IDNO;
  static inline std::vector<Names> seen;
  static int Answer(HWND, const wchar_t*, const wchar_t*, UINT) {
    seen.push_back(NamesIn(folder));
    return answer;
  }
  FolderWhileAsking(const std::wstring& watched, int reply) {
    folder = watched;
    answer = reply;
    seen.clear();
    SetPromptHook(Answer);
  }
  ~FolderWhileAsking() { SetPromptHook(nullptr); }
};

TEST(RenameEngine, TheOverwriteQuestionComesBeforeAnythingMoves) {
  TempDir dir;
  dir.File(L"a.txt", "a"), dir.File(L"b.txt", "b"), dir.File(L"2.txt", "outside");
  for (int answer : {IDNO, IDYES}) {
    FolderWhileAsking asking(dir.path(), answer);
    OperationResult result;
    FilesRefactor().RenameAutonumber(result, {dir / L"a.txt", dir / L"b.txt"}, 1);
    ASSERT_EQ(asking.seen.size(), 1u);
    // Every item under its own name while the user decides.
    EXPECT_EQ(asking.seen[0], (Names{L"2.txt", L"a.txt", L"b.txt"}));
    EXPECT_EQ(result.status, answer == IDYES ? 0 : 6);
  }
  EXPECT_EQ(NamesIn(dir.path()), (Names{L"1.txt", L"2.txt"}));
  EXPECT_EQ(ReadBytes(dir / L"2.txt"), "b");
}

// The file system drops trailing dots and spaces from a name: the paths the view selects afterwards
// are the names as stored.
TEST(RenameEngine, ProducedPathsAreTheNamesAsStored) {
  TempDir dir;
  ScriptedPrompt prompt({}, IDCANCEL);
  OperationResult result;
  FilesRefactor().RenameTruncate(result, {dir.File(L"abc.txt", "truncated")}, 4, false, true);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.outputs, PathList{dir / L"abc"});
  FilesRefactor().RenameAppend(result, {dir.File(L"note", "appended")}, L"", L". ");
  EXPECT_EQ(result.outputs, PathList{dir / L"note"});
  FilesRefactor().RenameFindReplace(result, {dir.File(L"readme x", "replaced")}, L"x", L"");
  EXPECT_EQ(result.outputs, PathList{dir / L"readme"});
  EXPECT_EQ(NamesIn(dir.path()), (Names{L"abc", L"note", L"readme"}));
  EXPECT_EQ(ReadBytes(dir / L"abc"), "truncated");
  EXPECT_TRUE(prompt.asked().empty());
}

TEST(RenameEngine, ABlockingItemThatCannotBeDeletedBringsEveryItemBack) {
  TempDir dir;
  std::wstring a = dir.File(L"a.txt", "a"), b = dir.File(L"b.txt", "b");
  std::wstring blocker = dir.File(L"1.txt", "outside");
  UniqueFile held(CreateFileW(blocker.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(held);
  ScriptedPrompt prompt({IDYES}, IDCANCEL);
  OperationResult result;
  FilesRefactor().RenameAutonumber(result, {a, b}, 1);

  EXPECT_EQ(prompt.asked().size(), 1u);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.message, L"An unexpected error occured.");
  held.reset();
  EXPECT_EQ(NamesIn(dir.path()), (Names{L"1.txt", L"a.txt", L"b.txt"}));
  EXPECT_EQ(ReadBytes(blocker), "outside");
}

TEST(RenameEngine, NamesTheFileSystemCannotTakeKeepTheItemAndCountIt) {
  TempDir dir;
  // A new path of 260 characters would not fit: that item keeps its name, the other is renamed.
  std::wstring folder = dir.Folder(std::wstring(100, L'p') + L"\\" + std::wstring(100, L'q'));
  std::wstring longName = folder + L"\\" + std::wstring(255 - folder.size() - 5, L'n') + L".txt";
  ASSERT_EQ(longName.size(), 255u);
  std::wstring item = dir.File(longName.substr(dir.path().size() + 1), "long");
  std::wstring shortItem = dir.File(L"s.txt", "short");
  ScriptedPrompt prompt({}, IDCANCEL);  // an unscripted question is never a Yes
  OperationResult result;
  FilesRefactor().RenameAppend(result, {item, shortItem}, L"", L"_12345");
  EXPECT_EQ(result.status, 3);
  EXPECT_EQ(result.message, L"1 files failed to rename.");
  EXPECT_EQ(result.outputs, (PathList{item, dir / L"s_12345.txt"}));
  EXPECT_EQ(ReadBytes(item), "long");
  EXPECT_EQ(ReadBytes(dir / L"s_12345.txt"), "short");

  // An empty name, or the name of the folder that holds another item of the batch, is never given, and
  // never offered for the recycle bin.
  std::wstring notes = dir.File(L"notes", "notes"), a = dir.File(L"a", "a"), inner = dir.File(L"sub\\b.txt", "b");
  FilesRefactor().RenameFindReplace(result, {notes, a, inner}, L"notes", L"");
  EXPECT_EQ(result.status, 3);
  EXPECT_EQ(ReadBytes(notes), "notes");
  FilesRefactor().RenameFindReplace(result, {a, inner}, L"a", L"sub");
  EXPECT_EQ(result.status, 3);
  EXPECT_EQ(result.message, L"1 files failed to rename.");
  EXPECT_EQ(ReadBytes(a), "a");
  EXPECT_EQ(ReadBytes(inner), "b");
  EXPECT_TRUE(prompt.asked().empty());
  EXPECT_FALSE(HasScratchNames(dir.path()));
  EXPECT_FALSE(HasScratchNames(dir / L"sub"));
}

TEST(RenameEngine, AnItemInsideASelectedFolderTravelsWithIt) {
  TempDir dir;
  std::wstring folder = dir.Folder(L"box"), inner = dir.File(L"box\\in.txt", "in");
  ScriptedPrompt prompt({}, IDCANCEL);  // an unscripted question is never a Yes
  OperationResult result;
  FilesRefactor().RenameAppend(result, {inner, folder}, L"x_", L"");
  EXPECT_EQ(result.status, 3);
  EXPECT_EQ(result.message, L"1 files failed to rename.");
  EXPECT_EQ(ReadBytes(dir / L"x_box\\in.txt"), "in");
  EXPECT_EQ(NamesIn(dir / L"x_box"), Names{L"in.txt"});
}

TEST(RenameEngine, AnEmptySelectionSucceedsWithNothingDone) {
  ScriptedPrompt prompt({}, IDCANCEL);  // an unscripted question is never a Yes
  OperationResult result;
  result.status = 99;
  FilesRefactor().RenameAlphabetize(result, {});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.kind, 12);
  EXPECT_EQ(result.succeeded, 0u);
  EXPECT_EQ(result.failed, 0u);
  EXPECT_TRUE(result.outputs.empty());
  EXPECT_TRUE(prompt.asked().empty());
}

TEST(RenameEngine, MakeSameNameListsTheNameGivingFileWhateverTheOutcome) {
  TempDir dir;
  std::wstring giver = dir.File(L"IMG_1.JPG", "giver"), other = dir.File(L"IMG_2.JPG", "other");
  std::wstring note = dir.File(L"note.txt", "note");
  ScriptedPrompt prompt({}, IDCANCEL);  // an unscripted question is never a Yes
  OperationResult result;
  FilesRefactor().RenameMakeSameName(result, {other, note}, giver);
  // IMG_2.JPG would become IMG_1.jpg, which is the name-giving file itself: it keeps its name, unasked.
  EXPECT_TRUE(prompt.asked().empty());
  EXPECT_EQ(result.status, 3);
  EXPECT_EQ(result.message, L"1 files failed to rename.");
  EXPECT_EQ(result.outputs, (PathList{other, dir / L"IMG_1.txt", giver}));
  EXPECT_EQ(ReadBytes(giver), "giver");
  EXPECT_EQ(ReadBytes(dir / L"IMG_1.txt"), "note");

  UniqueFile held(CreateFileW(other.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  FilesRefactor().RenameMakeSameName(result, {other}, giver);
  EXPECT_EQ(result.status, 4);
  EXPECT_EQ(result.outputs.back(), giver);
}

}  // namespace
