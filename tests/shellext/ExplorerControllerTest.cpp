#include <gtest/gtest.h>

#include "support/ShellViewHost.h"
#include "shellext/com/ExplorerController.h"
#include "support/TestSupport.h"

namespace {

using Names = std::vector<std::wstring>;

// Five files in a fresh folder, shown in a real shell view.
class ExplorerControllerTest : public testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt", L"d.txt", L"e.txt"}) dir_.File(name, "x");
    host_ = std::make_unique<ShellViewHost>(dir_.path());
    ASSERT_TRUE(host_->Ready());
    ASSERT_EQ(host_->AllNames().size(), 5u);
    controller_.Attach(host_->Site());
  }
  void TearDown() override {
    host_.reset();
    CoUninitialize();
  }

  TempDir dir_;
  std::unique_ptr<ShellViewHost> host_;
  ExplorerController controller_;
};

TEST(ExplorerControllerWithoutView, EveryViewOperationFailsWithoutEffect) {
  ExplorerController controller;
  PathList paths{L"left over"};
  EXPECT_FALSE(controller.GetSelectedPaths(paths));
  EXPECT_TRUE(paths.empty());
  EXPECT_FALSE(controller.InvertSelection());
  EXPECT_FALSE(controller.RefreshView());
  EXPECT_FALSE(controller.SelectPaths({L"C:\\x"}));

  // A site that is no browser leaves the controller without a view.
  TempDir dir;
  CoInitialize(nullptr);
  {
    ComPtr<IShellFolder> desktop;
    SHGetDesktopFolder(desktop.put());
    controller.Attach(desktop.get());
    EXPECT_FALSE(controller.GetSelectedPaths(paths));
  }
  CoUninitialize();
}

// Beside each path, the attributes the view's item holds: nobody needs to ask the disk again.
TEST(ExplorerControllerAttributes, TellFoldersFromFilesAsTheViewHoldsThem) {
  CoInitialize(nullptr);
  {
    TempDir dir;
    dir.File(L"a.jpg", "x");
    dir.Folder(L"b.jpg");
    ShellViewHost host(dir.path());
    ASSERT_TRUE(host.Ready());
    host.SelectAll();
    ExplorerController controller;
    controller.Attach(host.Site());
    PathList paths;
    std::vector<DWORD> attributes;
    ASSERT_TRUE(controller.GetSelectedPaths(paths, &attributes));
    ASSERT_EQ(paths.size(), 2u);
    ASSERT_EQ(attributes.size(), 2u);
    for (size_t i = 0; i < paths.size(); ++i) {
      SCOPED_TRACE(Narrow(paths[i]));
      EXPECT_NE(attributes[i], 0u);
      EXPECT_EQ((attributes[i] & FILE_ATTRIBUTE_DIRECTORY) != 0, paths[i] == dir / L"b.jpg");
    }
  }
  CoUninitialize();
}

TEST_F(ExplorerControllerTest, ReadsTheSelectionInTheViewsOrder) {
  host_->Select({L"d.txt", L"b.txt"});
  PathList paths;
  ASSERT_TRUE(controller_.GetSelectedPaths(paths));
  EXPECT_EQ(paths, (PathList{dir_ / L"b.txt", dir_ / L"d.txt"}));

  // With nothing selected the view may answer with no items or not at all.
  host_->Select({});
  controller_.GetSelectedPaths(paths);
  EXPECT_TRUE(paths.empty());
}

TEST_F(ExplorerControllerTest, InvertingTwoOfFiveSelectsTheOtherThree) {
  host_->Select({L"b.txt", L"d.txt"});
  ASSERT_TRUE(controller_.InvertSelection());
  host_->Pump();
  EXPECT_EQ(host_->SelectedNames(), (Names{L"a.txt", L"c.txt", L"e.txt"}));

  ASSERT_TRUE(controller_.InvertSelection());
  host_->Pump();
  EXPECT_EQ(host_->SelectedNames(), (Names{L"b.txt", L"d.txt"}));
}

TEST_F(ExplorerControllerTest, SelectPathsMatchesExactlyAndFindsNewFiles) {
  host_->Select({L"a.txt", L"b.txt", L"c.txt"});
  // A file made after the view was filled is there once the view was refreshed.
  std::wstring added = dir_.File(L"f.txt", "new");
  ASSERT_TRUE(controller_.SelectPaths({dir_ / L"b.txt", dir_ / L"D.TXT", added}));
  host_->Pump();
  EXPECT_EQ(host_->SelectedNames(), (Names{L"b.txt", L"f.txt"}));

  ASSERT_TRUE(controller_.SelectPaths({dir_ / L"nothing.txt"}));
  host_->Pump();
  EXPECT_TRUE(host_->SelectedNames().empty());
}

}  // namespace
