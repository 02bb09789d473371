// What each style names the items it is given, without touching the disk: the items lie in a folder that
// does not exist, so no new name is ever taken.
#include <gtest/gtest.h>

#include "rename/FilesRenamerStyles.h"
#include "support/TestSupport.h"

namespace {

using Names = std::vector<std::wstring>;

const std::wstring kFolder = L"C:\\brivane-no-such-folder\\p";

PathList InFolder(const Names& names) {
  PathList paths;
  for (const std::wstring& name : names) paths.push_back(kFolder + L"\\" + name);
  return paths;
}

const Names kExamples = {L"Beach.JPG", L"sunset.jpg", L"notes", L"Read.Me.txt"};

struct Generated {
  Names names;  // the new names, each checked to stay in its item's folder
  int kept;
};

// Runs the style's walk over the items as if the engine had moved them aside.
Generated Generate(FilesRenamer&& style, const Names& items = kExamples) {
  style.movedPaths = InFolder(items);
  Generated generated{{}, style.GenerateNewNames()};
  EXPECT_EQ(style.newPaths.size(), items.size());
  for (const std::wstring& path : style.newPaths) {
    EXPECT_EQ(path.substr(0, kFolder.size() + 1), kFolder + L"\\");
    generated.names.push_back(path.substr(kFolder.size() + 1));
  }
  return generated;
}

Names Sequence(int count) {
  Names items;
  for (int i = 0; i < count; ++i) items.push_back(L"item" + std::to_wstring(i) + L".Dat");
  return items;
}

TEST(NameStyles, NumberTheItemsFromTheStartNumber) {
  Generated numbered = Generate(FilesRenamerAutonumbering(nullptr, {}, 1));
  EXPECT_EQ(numbered.names, (Names{L"1.jpg", L"2.jpg", L"3", L"4.txt"}));
  EXPECT_EQ(numbered.kept, 0);
  EXPECT_EQ(Generate(FilesRenamerAutonumbering(nullptr, {}, 9), Sequence(3)).names,
            (Names{L"9.dat", L"10.dat", L"11.dat"}));
  EXPECT_EQ(Generate(FilesRenamerAutonumbering(nullptr, {}, -2), Sequence(3)).names,
            (Names{L"-2.dat", L"-1.dat", L"0.dat"}));
  EXPECT_EQ(Generate(FilesRenamerAutonumberAppend(nullptr, {}, 7, L"img", L"")).names,
            (Names{L"img7.jpg", L"img8.jpg", L"img9", L"img10.txt"}));
}

TEST(NameStyles, LetterTheItemsRepeatingTheLetterAfterZ) {
  EXPECT_EQ(Generate(FilesRenamerAlphabetize(nullptr, {})).names, (Names{L"A.jpg", L"B.jpg", L"C", L"D.txt"}));
  Names fiftyThree = Generate(FilesRenamerAlphabetize(nullptr, {}), Sequence(53)).names;
  EXPECT_EQ(fiftyThree[25], L"Z.dat");
  EXPECT_EQ(fiftyThree[26], L"AA.dat");
  EXPECT_EQ(fiftyThree[27], L"BB.dat");
  EXPECT_EQ(fiftyThree[51], L"ZZ.dat");
  EXPECT_EQ(fiftyThree[52], L"AAA.dat");
  EXPECT_EQ(Generate(FilesRenamerAlphabetizeAppend(nullptr, {}, L"x_", L"_y")).names,
            (Names{L"x_A_y.jpg", L"x_B_y.jpg", L"x_C_y", L"x_D_y.txt"}));
}

TEST(NameStyles, AppendKeepsTheStemBetweenPrefixAndPostfix) {
  Generated appended = Generate(FilesRenamerAppend(nullptr, {}, L"x_", L"_y"));
  EXPECT_EQ(appended.names, (Names{L"x_Beach_y.jpg", L"x_sunset_y.jpg", L"x_notes_y", L"x_Read.Me_y.txt"}));
  EXPECT_EQ(appended.kept, 0);
  // Nothing to add still lowers the extension; a folder's dotted name is split the same way.
  EXPECT_EQ(Generate(FilesRenamerAppend(nullptr, {}, L"", L""), {L"Photo.JPG", L"Old.Photos"}).names,
            (Names{L"Photo.jpg", L"Old.photos"}));
}

TEST(NameStyles, FindAndReplaceWorksOnTheStemOnly) {
  EXPECT_EQ(Generate(FilesRenamerFindReplace(nullptr, {}, L"e", L"E")).names,
            (Names{L"BEach.jpg", L"sunsEt.jpg", L"notEs", L"REad.ME.txt"}));
  // The inserted text is not searched again.
  EXPECT_EQ(Generate(FilesRenamerFindReplace(nullptr, {}, L"a", L"aa"), {L"aab.txt"}).names, Names{L"aaaab.txt"});
  EXPECT_EQ(Generate(FilesRenamerFindReplace(nullptr, {}, L"aa", L"a"), {L"aaaa.txt"}).names, Names{L"aa.txt"});
  EXPECT_EQ(Generate(FilesRenamerFindReplace(nullptr, {}, L"txt", L"x"), {L"txt.txt"}).names, Names{L"x.txt"});
  EXPECT_EQ(Generate(FilesRenamerFindReplace(nullptr, {}, L"Me", L""), {L"Me.txt"}).names, Names{L".txt"});

  // Found nowhere: every item keeps its exact old name, uncounted, with one trace line each.
  TraceCapture trace;
  Generated none = Generate(FilesRenamerFindReplace(nullptr, {}, L"zz", L"y"));
  EXPECT_EQ(none.names, kExamples);
  EXPECT_EQ(none.kept, 0);
  EXPECT_EQ(trace.Count("FilesRenamerFindReplace::GenerateNewNames: Can't find the search criteria for : "), 4);
  EXPECT_EQ(Generate(FilesRenamerFindReplace(nullptr, {}, L"", L"y")).names, kExamples);
}

TEST(NameStyles, TruncateCutsFromEitherEndAndKeepsWhatIsTooShort) {
  Generated end = Generate(FilesRenamerTruncate(nullptr, {}, 2, false, false));
  EXPECT_EQ(end.names, (Names{L"Bea.jpg", L"suns.jpg", L"not", L"Read..txt"}));
  EXPECT_EQ(end.kept, 0);
  EXPECT_EQ(Generate(FilesRenamerTruncate(nullptr, {}, 2, true, true)).names,
            (Names{L"ach.JPG", L"nset.jpg", L"tes", L"ad.Me.txt"}));
  Generated five = Generate(FilesRenamerTruncate(nullptr, {}, 5, false, false));
  EXPECT_EQ(five.names, (Names{L"Beach.JPG", L"s.jpg", L"notes", L"Re.txt"}));
  EXPECT_EQ(five.kept, 2);
  // Exactly the stem's length keeps the item; a negative count never cuts.
  EXPECT_EQ(Generate(FilesRenamerTruncate(nullptr, {}, 6, true, false), {L"sunset.jpg"}).kept, 1);
  Generated negative = Generate(FilesRenamerTruncate(nullptr, {}, -1, true, true));
  EXPECT_EQ(negative.names, kExamples);
  EXPECT_EQ(negative.kept, 4);
  // Two items cut to one name: the second keeps its own.
  Generated clash = Generate(FilesRenamerTruncate(nullptr, {}, 1, false, false), {L"abc.txt", L"abd.txt"});
  EXPECT_EQ(clash.names, (Names{L"ab.txt", L"abd.txt"}));
  EXPECT_EQ(clash.kept, 1);
}

TEST(NameStyles, MakeSameNameGivesOneStemOncePerFolderAndExtension) {
  Generated same = Generate(FilesRenamerMakeSameName(nullptr, {}, L"C:\\q\\Holiday.png"));
  EXPECT_EQ(same.names, (Names{L"Holiday.jpg", L"sunset.jpg", L"Holiday", L"Holiday.txt"}));
  EXPECT_EQ(same.kept, 1);
  Generated two = Generate(FilesRenamerMakeSameName(nullptr, {}, L"C:\\q\\Holiday.png"), {L"a.txt", L"b.txt"});
  EXPECT_EQ(two.names, (Names{L"Holiday.txt", L"b.txt"}));
  EXPECT_EQ(two.kept, 1);
  // An item already under that name keeps it uncounted, and blocks it for the others.
  Generated holder = Generate(FilesRenamerMakeSameName(nullptr, {}, L"C:\\q\\Holiday.png"), {L"x.txt", L"Holiday.txt"});
  EXPECT_EQ(holder.names, (Names{L"x.txt", L"Holiday.txt"}));
  EXPECT_EQ(holder.kept, 1);
  // The name-giving file's own name is never given, whatever the case of its extension.
  Generated giver = Generate(FilesRenamerMakeSameName(nullptr, {}, kFolder + L"\\Holiday.PNG"), {L"x.png", L"y.Png"});
  EXPECT_EQ(giver.names, (Names{L"x.png", L"y.Png"}));
  EXPECT_EQ(giver.kept, 2);
}

}  // namespace
