// The "Image Manipulation" and "Image Album" entries run end to end: Brivane.dll registered with
// regsvr32, the entry invoked from the stand-in's menu on real pictures, its dialog answered by a
// script, and the pictures and documents on disk and the view's selection checked afterwards.
#include <gtest/gtest.h>

#include <string>

#include "RegisteredBrivane.h"
#include "StandInProcess.h"
#include "support/HostTool.h"
#include "support/Pictures.h"
#include "support/TestSupport.h"

namespace {

// The command ran to its end without an error dialog and left the view with that selection.
::testing::AssertionResult Succeeded(const StandInRun& run, const std::string& selection) {
  if (run.exitCode != 0 || !run.Has("invoke: S_OK"))
    return ::testing::AssertionFailure() << "exit code " << run.exitCode << ": " << run.errors;
  for (const std::string& line : run.lines)
    if (line.find("Operation Error") != std::string::npos) return ::testing::AssertionFailure() << line;
  if (run.LineStarting("selected: ") != "selected: " + selection)
    return ::testing::AssertionFailure() << run.LineStarting("selected: ");
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult HasSize(const std::wstring& path, UINT width, UINT height) {
  LoadedPicture picture = ReadPicture(path);
  if (!picture.loaded) return ::testing::AssertionFailure() << Narrow(path) << " does not load";
  if (picture.width != width || picture.height != height)
    return ::testing::AssertionFailure() << Narrow(path) << " is " << picture.width << " x " << picture.height;
  return ::testing::AssertionSuccess();
}

class BrivaneImagingCommands : public BrivaneInFolder {};

}  // namespace

TEST_F(BrivaneImagingCommands, CustomResizeToDimensionsWithQualityIntoASeparateFolder) {
  MakeQuadrants(dir_ / L"beach.jpg", 200, 100);
  MakeQuadrants(dir_ / L"logo.png", 100, 100);
  StandInRun run = Invoke(L"beach.jpg;logo.png", L"Brivane>Image Manipulation>Custom Resize",
                          "window Brivane - Resize Image\n"
                          "check 227\n"
                          "set 228 50\n"
                          "set 229 40\n"
                          "check 223\n"
                          "set 201 Small\n"
                          "click IDOK\n");
  EXPECT_TRUE(Succeeded(run, "Small"));
  EXPECT_TRUE(HasSize(dir_ / L"Small\\beach.jpg", 50, 40));
  EXPECT_TRUE(HasSize(dir_ / L"Small\\logo.png", 50, 40));
  EXPECT_EQ(ReadBytes(dir_ / L"Small\\logo.png").substr(1, 3), "PNG");
}

TEST_F(BrivaneImagingCommands, ConvertToJpegBesideTheSources) {
  MakeQuadrants(dir_ / L"Dog.png", 64, 48);
  MakeQuadrants(dir_ / L"Cat.bmp", 30, 20);
  StandInRun run = Invoke(L"Dog.png;Cat.bmp", L"Brivane>Image Manipulation>Convert to Jpeg",
                          "window Brivane - Resize Image\n"
                          "uncheck 311\n"
                          "click IDOK\n");
  EXPECT_TRUE(Succeeded(run, "Cat_ZintResizer100%.jpg;Dog_ZintResizer100%.jpg"));  // in the view's order
  EXPECT_TRUE(HasSize(dir_ / L"Dog_ZintResizer100%.jpg", 64, 48));
  EXPECT_TRUE(HasSize(dir_ / L"Cat_ZintResizer100%.jpg", 30, 20));
  EXPECT_EQ(ReadBytes(dir_ / L"Cat_ZintResizer100%.jpg").substr(0, 2), "\xFF\xD8");
}
