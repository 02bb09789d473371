#include "lists/ListFormat.h"

#include <cwchar>

#include "fileops/DateText.h"

namespace {

const wchar_t kRule[] = L"--------------------------------------";
const wchar_t kCreator[] = L"Brivane List Of Files Creator (ver 2.0)";
const wchar_t kEncodingNote[] = L"(For your information: This file is encoded in UTF-16LE)";
const wchar_t kBrowserHome[] = L"https://www.mozilla.org/firefox/";
const wchar_t kProductSite[] = L"https://brivane.example/";

std::wstring SizeText(uint64_t size) { return std::to_wstring(int64_t(size)); }

// ---------------------------------------------------------------------------------------------------
class TextList : public ListFormat {
 public:
  explicit TextList(const ListOptions& options) : options_(options) {}

  void Begin(ListWriter& out, const ListStatistics&) override {
    out.Line(kRule);
    out.Line(kCreator);
    out.Line(kEncodingNote);
    out.Line(std::wstring(kRule) + L"\n");
    if (options_.detailed) ColumnHeads(out, L"");
  }
  void SelectedItem(ListWriter& out, const ListEntry& entry) override { Row(out, L"", entry); }
  void EndSelected(ListWriter&) override {}
  void BeginSection(ListWriter& out, int level, const std::wstring& folder) override {
    std::wstring prefix = Prefix(level);
    out.Text(L"\n\n");
    out.Line(prefix + L"Inner Folder (level " + std::to_wstring(level) + L"): " + folder);
    if (options_.detailed) ColumnHeads(out, prefix);
  }
  void SectionItem(ListWriter& out, int level, const ListEntry& entry) override { Row(out, Prefix(level), entry); }
  void EndSection(ListWriter&, int) override {}
  void End(ListWriter&) override {}

 private:
  std::wstring Prefix(int level) const { return options_.indent ? std::wstring(size_t(level), L'\t') : L""; }

  static void ColumnHeads(ListWriter& out, const std::wstring& prefix) {
    out.Line(prefix + L"FileName\tCreation Date\tModification Date\tSize\tType");
    out.Line(prefix + L"--------\t-------------\t-----------------\t----\t----");
  }

  void Row(ListWriter& out, const std::wstring& prefix, const ListEntry& entry) const {
    std::wstring line = prefix + entry.text;
    if (options_.detailed && entry.known)
      line += L"\t" + DateText(&entry.created) + L"\t" + DateText(&entry.modified) + L"\t" + SizeText(entry.size) +
              L"\t" + (entry.folder ? L"<DIR>" : L"<FILE>");
    out.Line(line);
  }

  ListOptions options_;
};

// ---------------------------------------------------------------------------------------------------
const wchar_t* const kHtmlHead[] = {
    L"<html>", L"<head>", L"<link href=\"null\" rel=\"stylesheet\">", L"<style type=\"text/css\">", L"<!--",
    L"BODY {", L"\tbackground: #3C7BCF;", L"}",
    L".zinttop1 {", L"\tmargin-top: 15px;", L"\tmargin-left: 15px;", L"\tmargin-right: 50px;",
    L"\tfont-family: \"Arial\";", L"\tfont-size: 70px;", L"\tline-height: 40px;", L"\ttext-align: left;",
    L"\tcolor: #B8D03B;", L"}",
    L".zinttop2 {", L"\tmargin-top: -42px;", L"\tmargin-left: 145px;", L"\tmargin-right: 50px;",
    L"\tfont-family: \"Arial\";", L"\tfont-size: 35px;", L"\tline-height: 35px;", L"\ttext-align: left;",
    L"\tcolor: #E1E1E1;", L"}",
    L".zintstatistics {", L"\tmargin-top: 20px;", L"\tmargin-left: 40px;", L"\tmargin-right: 10px;",
    L"\tfont-family: \"Arial\";", L"\tfont-size: 12px;", L"\ttext-align: left;", L"\tcolor: #FFFFFF;", L"}",
    L".footer {", L"\tmargin-top: 10px;", L"\tfont-family: \"Arial\";", L"\tfont-size: 10px;",
    L"\ttext-align: center;", L"\tcolor: #FFFFFF;", L"}",
    L"-->", L"</style>", L"<title>Brivane | List Of Files</title>", L"</head>",
    L"<body leftmargin=\"0\" text=\"#FFFFFF\" topmargin=\"0\">", L"\t<div>",
    L"\t\t<div align=\"center\" class=\"zinttop1\">", L"\t\t\t<p>Brivane</p>", L"\t\t</div>",
    L"\t\t<div align=\"center\" class=\"zinttop2\">", L"\t\t\t<p>List of files</p>", L"\t\t</div>",
};
const wchar_t kAmber[] = L"\t\t\t<font color=\"#FFBF00\" face=\"Arial\">";
const wchar_t kAmberAfterBreak[] = L"\t\t\t<br><font color=\"#FFBF00\" face=\"Arial\">";
const wchar_t kHeading[] = L"\t<p style=\"margin-top: 50px\"><font color=\"#FFBF00\" face=\"Arial\"><big>";
const wchar_t kHeadingEnd[] = L"</big></font></p>";
const wchar_t kHeadCell[] = L"\t\t\t<td style=\"padding-right: 20px; font-weight:bold;color: #B8D03B; font-size:1.5em;\">";
const wchar_t kCell[] = L"\t\t\t<td style=\"padding-right: 20px\">";

class HtmlList : public ListFormat {
 public:
  explicit HtmlList(const ListOptions& options) : options_(options) {}

  void Begin(ListWriter& out, const ListStatistics& statistics) override {
    for (const wchar_t* line : kHtmlHead) out.Line(line);
    out.Line(std::wstring(L"\t<font style=\"font-size:13px; color: white; margin-left: 10px;\">Best viewed with <a href=\"") +
             kBrowserHome + L"\">Mozilla Firefox</a></font>");
    out.Line(L"\t</div>");
    out.Line(L"\t<hr align=\"left\" color=\"#B8D03B\" noshade size=\"10\" width=\"90%\">");
    Statistics(out, statistics);
    out.Line(L"<blockquote>");
    out.Line(std::wstring(kHeading) +
             (options_.includeSubfolders ? L"Level 0 - Your selected files" : L"Your selectd files") + kHeadingEnd);
    if (options_.detailed) TableHead(out);
  }
  void SelectedItem(ListWriter& out, const ListEntry& entry) override { Row(out, entry, L"<br />"); }
  void EndSelected(ListWriter& out) override {
    if (options_.detailed) out.Line(L"\t</table>");
  }
  void BeginSection(ListWriter& out, int level, const std::wstring& folder) override {
    out.Line(L"\t<div style=\"margin-left: " + std::to_wstring(options_.indent ? 35 * level : 0) + L";\">");
    out.Line(std::wstring(kHeading) + L"Level " + std::to_wstring(level) + L" - Inner Folder " + HtmlText(folder) +
             kHeadingEnd);
    if (options_.detailed) TableHead(out);
  }
  void SectionItem(ListWriter& out, int, const ListEntry& entry) override { Row(out, entry, L"<br>"); }
  void EndSection(ListWriter& out, int) override {
    if (options_.detailed) out.Line(L"\t</table>");
    out.Line(L"\t</div>");
  }
  void End(ListWriter& out) override {
    out.Line(L"</blockquote>");
    out.Line(L"<br><br><br><br>");
    out.Line(L"<div class=\"footer\">");
    out.Line(std::wstring(L"\tThis list of files was generated with \"Brivane List Of Files Creator (ver 2.0)\" as a part "
                          L"of <a href=\"") +
             kProductSite + L"\">Brivane</a> - The ultimate file handling application.<br>");
    out.Line(std::wstring(L"\t") + kEncodingNote);
    out.Line(L"</div>");
    out.Line(L"</body>");
    out.Line(L"</html>");
  }

 private:
  static void TableHead(ListWriter& out) {
    out.Line(L"\t<table cellspacing=\"2\" style=\"font-family: Times New Roman; \">");
    out.Line(L"\t\t<tr>");
    for (const wchar_t* head : {L"FileName", L"Creation Date", L"Modification Date", L"Size", L"Type"})
      out.Line(std::wstring(kHeadCell) + head + L"</td >");
    out.Line(L"\t\t</tr>");
  }

  void Row(ListWriter& out, const ListEntry& entry, const wchar_t* simpleBreak) const {
    std::wstring text = HtmlText(entry.text);
    if (!options_.detailed) return out.Line(L"\t\t" + text + simpleBreak);
    out.Line(L"\t\t<tr>");
    out.Line(kCell + text + L"</td>");
    if (entry.known) {
      for (const std::wstring& value : {DateText(&entry.created), DateText(&entry.modified), SizeText(entry.size),
                                        std::wstring(entry.folder ? L"DIR" : L"FILE")})
        out.Line(kCell + value + L"</td>");
    }
    out.Line(L"\t\t</tr>");
  }

  static void AverageLines(ListWriter& out, const wchar_t* label, uint64_t total, uint64_t parts, const wchar_t* unit) {
    out.Line(label);
    out.Line(kAmber + AverageText(total, parts) + L"</font>" + unit);
  }

  void Statistics(ListWriter& out, const ListStatistics& s) const {
    const wchar_t kSizeLabel[] = L"\t\t\t Average file size is:";
    const wchar_t kEntriesLabel[] = L"\t\t\t Average files (and folders) in folder is:";
    out.Line(L"\t<div>");
    out.Line(L"\t\t<div align=\"left\" class=\"zintstatistics\">");
    out.Line(kAmber + std::to_wstring(s.selectedFiles) + L"</font> files in your selection.");
    if (s.selectedFiles > 0) AverageLines(out, kSizeLabel, s.selectedFileBytes, s.selectedFiles, L" Bytes.");
    out.Line(kAmberAfterBreak + std::to_wstring(s.selectedFolders) + L"</font> folders in your selection.");
    if (s.selectedFolders > 0) AverageLines(out, kEntriesLabel, s.selectedFolderEntries, s.selectedFolders, L".");
    if (options_.includeSubfolders) {
      out.Line(L"\t\t\t<br><br><font color=\"#FFBF00\" face=\"Arial\">" + std::to_wstring(s.totalFiles) +
               L"</font> files in total.");
      if (s.totalFiles > 0) AverageLines(out, kSizeLabel, s.totalBytes, s.totalFiles, L" Bytes.");
      out.Line(kAmberAfterBreak + std::to_wstring(s.totalFolders) + L"</font> folders in total.");
      if (s.totalFolders > 0) AverageLines(out, kEntriesLabel, s.totalEntries, s.totalFolders, L".");
      out.Line(L"\t\t\t<br>You have a total of ");
      out.Line(kAmber + std::to_wstring(s.subfolders) + L"</font> subfolders.");
    }
    out.Line(L"\t\t</div>");
    out.Line(L"\t</div>");
  }

  ListOptions options_;
};

}  // namespace

std::unique_ptr<ListFormat> MakeListFormat(const ListOptions& options) {
  if (options.html) return std::make_unique<HtmlList>(options);
  return std::make_unique<TextList>(options);
}

std::wstring HtmlText(const std::wstring& text) {
  if (text.find_first_of(L"&<>") == std::wstring::npos) return text;
  std::wstring escaped;
  escaped.reserve(text.size() + 16);
  for (wchar_t c : text) {
    switch (c) {
      case L'&': escaped += L"&amp;"; break;
      case L'<': escaped += L"&lt;"; break;
      case L'>': escaped += L"&gt;"; break;
      default: escaped.push_back(c);
    }
  }
  return escaped;
}

std::wstring AverageText(uint64_t total, uint64_t parts) {
  wchar_t text[64];
  std::swprintf(text, 64, L"%1.2f", parts ? double(total) / double(parts) : 0.0);
  return text;
}
