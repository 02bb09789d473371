// The stand-in's command line and script language, which other tools and tests write.
#include <gtest/gtest.h>

#include "tools/explorer/Options.h"
#include "tools/explorer/Script.h"

namespace {

ParsedOptions Parse(std::vector<std::wstring> args) { return ParseOptions(args); }

TEST(StandInOptions, ReadsEveryOption) {
  ParsedOptions parsed = Parse({L"--folder", L"C:\\a b", L"--select", L"x.txt;;y z.png;", L"--menu", L"--invoke",
                                L" Brivane > Organize>Copy Path to Clipboard ", L"--script", L"s.txt", L"--shot",
                                L"m.png", L"--open", L"Brivane>Organize", L"--flags", L"0x10"});
  ASSERT_TRUE(parsed.ok) << parsed.error;
  const ExplorerOptions& o = parsed.options;
  EXPECT_EQ(o.folder, L"C:\\a b");
  EXPECT_EQ(o.select, (std::vector<std::wstring>{L"x.txt", L"y z.png"}));
  EXPECT_TRUE(o.menu);
  EXPECT_FALSE(o.background);
  EXPECT_EQ(o.invoke, (std::vector<std::wstring>{L"Brivane", L"Organize", L"Copy Path to Clipboard"}));
  EXPECT_EQ(o.script, L"s.txt");
  EXPECT_EQ(o.shot, L"m.png");
  EXPECT_EQ(o.open, (std::vector<std::wstring>{L"Brivane", L"Organize"}));
  EXPECT_TRUE(o.hasFlags);
  EXPECT_EQ(o.flags, 0x10u);
  EXPECT_TRUE(o.Scripted());

  ParsedOptions interactive = Parse({L"--folder", L"C:\\", L"--background"});
  ASSERT_TRUE(interactive.ok);
  EXPECT_FALSE(interactive.options.Scripted());
  EXPECT_FALSE(interactive.options.hasFlags);
}

TEST(StandInOptions, RefusesWhatCannotBeRun) {
  EXPECT_EQ(Parse({L"--menu"}).error, L"--folder is required");
  EXPECT_EQ(Parse({L"--folder"}).error, L"--folder needs a value");
  EXPECT_EQ(Parse({L"--folder", L"C:\\", L"--colour"}).error, L"unknown argument: --colour");
  EXPECT_EQ(Parse({L"--folder", L"C:\\", L"--flags", L"ten"}).error, L"--flags needs a number, such as 0x10");
  EXPECT_EQ(Parse({L"--folder", L"C:\\", L"--flags", L"0x1FFFFFFFF"}).error, L"--flags needs a number, such as 0x10");
  EXPECT_FALSE(Parse({L"--folder", L"C:\\", L"--invoke", L" > "}).ok);
  EXPECT_FALSE(Parse({L"--folder", L"C:\\", L"--background", L"--select", L"a"}).ok);
  EXPECT_FALSE(Parse({L"--folder", L"C:\\", L"--menu", L"--script", L"s.txt"}).ok);  // nothing to answer
  EXPECT_TRUE(Parse({L"--help"}).options.help);
}

TEST(StandInOptions, MenuPathsJoinBackAsTyped) {
  EXPECT_EQ(JoinMenuPath(SplitMenuPath(L"Brivane >  Rename>Find and Replace")), L"Brivane>Rename>Find and Replace");
  EXPECT_EQ(SplitNames(L";"), std::vector<std::wstring>{});
  EXPECT_EQ(SplitNames(L" lead;trail "), (std::vector<std::wstring>{L" lead", L"trail "}));
}

TEST(StandInScript, ReadsEveryStep) {
  ParsedScript script = ParseScript(
      L"# answer the rename dialog\r\n"
      L"window Brivane - Rename Files\r\n"
      L"  set 1001 new name with  spaces\r\n"
      L"set 1002 \r\n"
      L"check 0x3E9\n"
      L"uncheck 12\n"
      L"select 7 3\n"
      L"\n"
      L"click IDOK\n"
      L"expect IDYES &Yes\n"
      L"shot C:\\shots\\dialog.png\n"
      L"pause 250");
  ASSERT_TRUE(script.ok) << script.error;
  using Kind = ScriptStep::Kind;
  ASSERT_EQ(script.steps.size(), 10u);
  EXPECT_EQ(script.steps[0].kind, Kind::Window);
  EXPECT_EQ(script.steps[0].text, L"Brivane - Rename Files");
  EXPECT_EQ(script.steps[0].line, 2);
  EXPECT_EQ(script.steps[1].kind, Kind::Set);
  EXPECT_EQ(script.steps[1].control, 1001u);
  EXPECT_EQ(script.steps[1].text, L"new name with  spaces");
  EXPECT_EQ(script.steps[2].text, L"");  // set to empty
  EXPECT_EQ(script.steps[3].kind, Kind::Check);
  EXPECT_EQ(script.steps[3].control, 1001u);
  EXPECT_EQ(script.steps[4].kind, Kind::Uncheck);
  EXPECT_EQ(script.steps[5].kind, Kind::Select);
  EXPECT_EQ(script.steps[5].index, 3);
  EXPECT_EQ(script.steps[6].kind, Kind::Click);
  EXPECT_EQ(script.steps[6].control, UINT(IDOK));
  EXPECT_EQ(script.steps[6].line, 9);
  EXPECT_EQ(script.steps[7].kind, Kind::Expect);
  EXPECT_EQ(script.steps[7].control, UINT(IDYES));
  EXPECT_EQ(script.steps[7].text, L"&Yes");
  EXPECT_EQ(script.steps[8].kind, Kind::Shot);
  EXPECT_EQ(script.steps[8].text, L"C:\\shots\\dialog.png");
  EXPECT_EQ(script.steps[9].kind, Kind::Pause);
  EXPECT_EQ(script.steps[9].index, 250);
}

TEST(StandInScript, NamesTheLineOfAMistake) {
  EXPECT_EQ(ParseScript(L"window A\n\npress 1").error, L"line 3: unknown step \"press\"");
  EXPECT_EQ(ParseScript(L"window").error, L"line 1: window needs a caption");
  EXPECT_EQ(ParseScript(L"click OK").error, L"line 1: \"OK\" is not a control id");
  EXPECT_EQ(ParseScript(L"click 70000").error, L"line 1: \"70000\" is not a control id");
  EXPECT_EQ(ParseScript(L"click -1").error, L"line 1: \"-1\" is not a control id");
  EXPECT_EQ(ParseScript(L"click 1 now").error, L"line 1: click takes only a control id");
  EXPECT_EQ(ParseScript(L"select 5 -1").error, L"line 1: select needs a row index (0, 1, ...)");
  EXPECT_EQ(ParseScript(L"select 5").error, L"line 1: select needs a row index (0, 1, ...)");
  EXPECT_TRUE(ParseScript(L"select 5 x").steps.empty());
  EXPECT_EQ(ParseScript(L"pause 10001").error, L"line 1: pause needs milliseconds (0 to 10000)");
  EXPECT_EQ(ParseScript(L"pause").error, L"line 1: pause needs milliseconds (0 to 10000)");
  EXPECT_TRUE(ParseScript(L"").ok);
}

TEST(StandInScript, ReadsTrackBarsAndKeys) {
  ParsedScript script = ParseScript(L"window A\nslide 299 40\nslide 300 -5\nkey RIGHT\nkey F4");
  ASSERT_TRUE(script.ok) << script.error;
  using Kind = ScriptStep::Kind;
  ASSERT_EQ(script.steps.size(), 5u);
  EXPECT_EQ(script.steps[1].kind, Kind::Slide);
  EXPECT_EQ(script.steps[1].control, 299u);
  EXPECT_EQ(script.steps[1].index, 40);
  EXPECT_EQ(script.steps[2].index, -5);
  EXPECT_EQ(script.steps[3].kind, Kind::Key);
  EXPECT_EQ(script.steps[3].index, VK_RIGHT);
  EXPECT_EQ(script.steps[4].index, VK_F4);
  EXPECT_EQ(ParseScript(L"slide 299").error, L"line 1: slide needs a position (a whole number)");
  EXPECT_EQ(ParseScript(L"slide 299 4.5").error, L"line 1: slide needs a position (a whole number)");
  EXPECT_EQ(ParseScript(L"key PAGEUP").error, L"line 1: \"PAGEUP\" is not a key this script can press");
}

TEST(StandInScript, ComparesLineBreaksAsWritten) {
  EXPECT_EQ(ComparableText(L"First line.\r\nSecond\nthird"), L"First line.\\nSecond\\nthird");
  EXPECT_EQ(ComparableText(L"C:\\new folder"), L"C:\\new folder");
}

}  // namespace
