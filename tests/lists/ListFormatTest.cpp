// Lists of real files read back byte for byte: the text layouts, the HTML statistics and sections, names
// that need escaping, the overwrite question and the failures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fileops/FilesRefactor.h"
#include "lists/ListFormat.h"
#include "support/FolderLinks.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

const wchar_t kDate[] = L"5/3/2009  14:7";  // 5 March 2009, 14:07 UTC
const std::wstring kCells = std::wstring(kDate) + L"\t" + kDate;
const wchar_t* const kTextHead[] = {L"--------------------------------------", L"Brivane List Of Files Creator (ver 2.0)",
                                    L"(For your information: This file is encoded in UTF-16LE)",
                                    L"--------------------------------------", L""};

// The bytes a list of these lines must hold: FF FE, then each line in UTF-16LE ended by CR LF.
std::string ListBytes(const std::vector<std::wstring>& lines) {
  std::wstring text = L"\xFEFF";
  for (const std::wstring& line : lines) text += line + L"\r\n";
  return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
}

// The list as text, after checking its byte-order mark.
std::wstring ListText(const std::wstring& path) {
  std::string bytes = ReadBytes(path);
  if (bytes.size() < 2 || bytes.compare(0, 2, "\xFF\xFE") != 0 || bytes.size() % 2) return L"<not UTF-16LE>";
  return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
}

std::vector<std::wstring> With(std::vector<std::wstring> lines, std::initializer_list<std::wstring> more) {
  lines.insert(lines.end(), more);
  return lines;
}

void Stamp(const std::vector<std::wstring>& paths) {
  for (const std::wstring& path : paths) SetCreationTime(path, 2009, 3, 5, 14, 7);
}

}  // namespace

TEST(MakeListOfFiles, SimpleTextOfTwoFilesIsTheHeadAndOneNamePerLine) {
  TempDir dir;
  std::wstring a = dir.File(L"a.txt", "a"), tom = dir.File(L"Tom & Jerry \u6771\u4EAC.txt", "t");
  FilesRefactor engine;
  OperationResult result;
  engine.MakeListOfFiles(result, {a, tom}, dir / L"FileList.txt", false, false, false, false, false);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.kind, kind::ListOfFiles);
  EXPECT_EQ(result.succeeded, 2u);
  EXPECT_EQ(result.outputs, PathList{dir / L"FileList.txt"});
  std::vector<std::wstring> head(std::begin(kTextHead), std::end(kTextHead));
  EXPECT_EQ(ReadBytes(dir / L"FileList.txt"), ListBytes(With(head, {L"a.txt", L"Tom & Jerry \u6771\u4EAC.txt"})));

  // With full paths the same lines carry the whole path.
  OperationResult full;
  engine.MakeListOfFiles(full, {a}, dir / L"Full.txt", false, true, false, false, false);
  EXPECT_EQ(ReadBytes(dir / L"Full.txt"), ListBytes(With(head, {a})));
}

TEST(MakeListOfFiles, DetailedTextWithIndentedSectionsPerLevel) {
  TempDir dir;
  std::wstring f = dir.File(L"f.txt", "abc"), y = dir.File(L"D\\E\\y.txt", "yy");
  Stamp({f, y, dir / L"D\\E", dir / L"D"});
  FilesRefactor engine;
  OperationResult result;
  engine.MakeListOfFiles(result, {f, dir / L"D"}, dir / L"list.txt", true, false, true, true, false);
  EXPECT_EQ(result.status, 0);
  const std::wstring heads = L"FileName\tCreation Date\tModification Date\tSize\tType";
  const std::wstring rule = L"--------\t-------------\t-----------------\t----\t----";
  std::vector<std::wstring> head(std::begin(kTextHead), std::end(kTextHead));
  EXPECT_EQ(ReadBytes(dir / L"list.txt"),
            ListBytes(With(head, {heads, rule,
                                  L"f.txt\t" + kCells + L"\t3\t<FILE>",
                                  L"D\t" + kCells + L"\t1\t<DIR>",
                                  L"", L"",
                                  L"\tInner Folder (level 1): " + (dir / L"D"), L"\t" + heads, L"\t" + rule,
                                  L"\tE\t" + kCells + L"\t1\t<DIR>",
                                  L"", L"",
                                  L"\t\tInner Folder (level 2): " + (dir / L"D\\E"), L"\t\t" + heads, L"\t\t" + rule,
                                  L"\t\ty.txt\t" + kCells + L"\t2\t<FILE>"})));
}

TEST(MakeListOfFiles, HtmlWithStatisticsEscapedNamesAndMarginsByLevel) {
  TempDir dir;
  std::wstring f = dir.File(L"f.txt", "abc");
  dir.File(L"Tom & Jerry\\a&lt;b.txt", "12345");
  dir.File(L"Tom & Jerry\\Sub\\z.bin", "1234567");
  FilesRefactor engine;
  OperationResult result;
  engine.MakeListOfFiles(result, {f, dir / L"Tom & Jerry"}, dir / L"FileList.html", true, false, true, true, true);
  EXPECT_EQ(result.status, 0);
  std::wstring html = ListText(dir / L"FileList.html");
  auto has = [&](const std::wstring& block) { return html.find(block) != std::wstring::npos; };

  EXPECT_EQ(html.substr(0, 30), L"<html>\r\n<head>\r\n<link href=\"nu");
  const std::wstring o = L"\t\t\t<font color=\"#FFBF00\" face=\"Arial\">";
  EXPECT_TRUE(has(L"\t<div>\r\n\t\t<div align=\"left\" class=\"zintstatistics\">\r\n" +
                  o + L"1</font> files in your selection.\r\n"
                  L"\t\t\t Average file size is:\r\n" + o + L"3.00</font> Bytes.\r\n"
                  L"\t\t\t<br><font color=\"#FFBF00\" face=\"Arial\">1</font> folders in your selection.\r\n"
                  L"\t\t\t Average files (and folders) in folder is:\r\n" + o + L"2.00</font>.\r\n"
                  L"\t\t\t<br><br><font color=\"#FFBF00\" face=\"Arial\">3</font> files in total.\r\n"
                  L"\t\t\t Average file size is:\r\n" + o + L"5.00</font> Bytes.\r\n"
                  L"\t\t\t<br><font color=\"#FFBF00\" face=\"Arial\">2</font> folders in total.\r\n"
                  L"\t\t\t Average files (and folders) in folder is:\r\n" + o + L"1.50</font>.\r\n"
                  L"\t\t\t<br>You have a total of \r\n" + o + L"1</font> subfolders.\r\n"
                  L"\t\t</div>\r\n\t</div>\r\n<blockquote>\r\n"
                  L"\t<p style=\"margin-top: 50px\"><font color=\"#FFBF00\" face=\"Arial\"><big>Level 0 - Your selected "
                  L"files</big></font></p>\r\n"));
  const std::wstring cell = L"\t\t\t<td style=\"padding-right: 20px\">";
  EXPECT_TRUE(has(L"\t\t<tr>\r\n" + cell + L"Tom &amp; Jerry</td>\r\n"));
  EXPECT_TRUE(has(cell + L"a&amp;lt;b.txt</td>\r\n"));
  EXPECT_TRUE(has(L"\t<div style=\"margin-left: 35;\">\r\n\t<p style=\"margin-top: 50px\"><font color=\"#FFBF00\" "
                  L"face=\"Arial\"><big>Level 1 - Inner Folder " + dir.path() + L"\\Tom &amp; Jerry</big></font></p>\r\n"));
  EXPECT_TRUE(has(L"\t<div style=\"margin-left: 70;\">\r\n"));
  EXPECT_TRUE(has(cell + L"7</td>\r\n" + cell + L"FILE</td>\r\n\t\t</tr>\r\n\t</table>\r\n\t</div>\r\n</blockquote>\r\n"));
  const std::wstring ending = L"(For your information: This file is encoded in UTF-16LE)\r\n</div>\r\n</body>\r\n</html>\r\n";
  EXPECT_EQ(html.substr(html.size() - ending.size()), ending);
  EXPECT_FALSE(has(L"Tom & Jerry"));  // no bare ampersand anywhere
}

TEST(MakeListOfFiles, FoldersOnlySimpleHtmlCountsNoFilesAndShowsNoSizeAverage) {
  TempDir dir;
  dir.File(L"A\\one.txt");
  dir.Folder(L"B");
  FilesRefactor engine;
  OperationResult result;
  engine.MakeListOfFiles(result, {dir / L"A", dir / L"B"}, dir / L"l.html", false, false, false, true, true);
  std::wstring html = ListText(dir / L"l.html");
  EXPECT_NE(html.find(L"\t\t\t<font color=\"#FFBF00\" face=\"Arial\">0</font> files in your selection.\r\n"
                      L"\t\t\t<br><font color=\"#FFBF00\" face=\"Arial\">2</font> folders in your selection.\r\n"
                      L"\t\t\t Average files (and folders) in folder is:\r\n"
                      L"\t\t\t<font color=\"#FFBF00\" face=\"Arial\">0.50</font>.\r\n\t\t</div>"),
            std::wstring::npos);
  EXPECT_EQ(html.find(L"Average file size"), std::wstring::npos);
  EXPECT_NE(html.find(L"Your selectd files</big></font></p>\r\n\t\tA<br />\r\n\t\tB<br />\r\n</blockquote>"),
            std::wstring::npos);
}

TEST(MakeListOfFiles, AnExistingListIsOverwrittenOnlyAfterYes) {
  TempDir dir;
  std::wstring a = dir.File(L"a.txt"), target = dir.File(L"FileList.txt", "keep me");
  FilesRefactor engine;
  {
    ScriptedPrompt prompt({IDNO});
    OperationResult declined;
    engine.MakeListOfFiles(declined, {a}, target, false, false, false, false, false);
    EXPECT_EQ(declined.status, status::UserSaidNo);
    EXPECT_EQ(declined.failed, 1u);
    EXPECT_TRUE(declined.outputs.empty());
    ASSERT_EQ(prompt.asked().size(), 1u);
    EXPECT_EQ(prompt.asked()[0].text, L"Target file already exist.\nDo you want to overwrite existing file?");
    EXPECT_EQ(prompt.asked()[0].caption, L"List Of files");
    EXPECT_EQ(prompt.asked()[0].type, UINT(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(ReadBytes(target), "keep me");
  }
  ScriptedPrompt prompt({IDYES});
  OperationResult accepted;
  engine.MakeListOfFiles(accepted, {a}, target, false, false, false, false, false);
  EXPECT_EQ(accepted.status, 0);
  EXPECT_NE(ListText(target).find(L"\r\n\r\na.txt\r\n"), std::wstring::npos);

  OperationResult nowhere;
  engine.MakeListOfFiles(nowhere, {a}, dir / L"missing folder\\FileList.txt", false, false, false, false, false);
  EXPECT_EQ(nowhere.status, status::Unexpected);
  EXPECT_EQ(nowhere.message, L"An unexpected error occured.");
  EXPECT_TRUE(nowhere.outputs.empty());
}

TEST(MakeListOfFiles, LongPathsAreListedAndLinksAreNotEntered) {
  TempDir dir;
  std::wstring deep = dir.Folder(L"T\\" + std::wstring(130, L'd'));
  std::wstring longFile = dir.File(L"T\\" + std::wstring(130, L'd') + L"\\" + std::wstring(130, L'f') + L".txt", "x");
  ASSERT_GE(longFile.size(), size_t(MAX_PATH));
  dir.File(L"outside\\secret.txt");
  bool linked = MakeFolderLink(dir / L"T\\link", dir / L"outside");
  FilesRefactor engine;
  OperationResult result;
  engine.MakeListOfFiles(result, {dir / L"T"}, dir / L"list.txt", false, true, true, false, false);
  EXPECT_EQ(result.status, 0);
  std::wstring text = ListText(dir / L"list.txt");
  EXPECT_NE(text.find(L"\r\n" + longFile + L"\r\n"), std::wstring::npos);
  EXPECT_NE(text.find(L"Inner Folder (level 2): " + deep + L"\r\n"), std::wstring::npos);
  if (linked) {
    EXPECT_NE(text.find(L"\r\n" + (dir / L"T\\link") + L"\r\n"), std::wstring::npos);  // listed as an entry
    EXPECT_EQ(text.find(L"secret.txt"), std::wstring::npos);                           // never entered
    RemoveFolderLink(dir / L"T\\link");
  }
}

TEST(ListFormatText, EscapingAndAverages) {
  EXPECT_EQ(HtmlText(L"Tom & Jerry"), L"Tom &amp; Jerry");
  EXPECT_EQ(HtmlText(L"a&lt;b"), L"a&amp;lt;b");
  EXPECT_EQ(HtmlText(L"<b>"), L"&lt;b&gt;");
  EXPECT_EQ(HtmlText(L"plain \"quoted\" 'name'"), L"plain \"quoted\" 'name'");
  EXPECT_EQ(AverageText(15, 3), L"5.00");
  EXPECT_EQ(AverageText(2, 3), L"0.67");
  EXPECT_EQ(AverageText(5, 0), L"0.00");
}
