#include <gtest/gtest.h>

#include "ShellExtFixture.h"
#include "support/ShellViewHost.h"
#include "shellext/com/SelectionAttributes.h"

namespace {

TEST(ShellAttributes, ComeFromTheItemsBesideTheDroppedPaths) {
  CoInitialize(nullptr);
  {
    TempDir dir;
    std::wstring file = dir.File(L"a.jpg", "x"), folder = dir.Folder(L"b.jpg");
    ShellViewHost host(dir.path());
    ASSERT_TRUE(host.Ready());
    ComPtr<IDataObject> data = host.DataObjectFor({L"a.jpg", L"b.jpg"});
    KnownAttributes known = ReadShellAttributes(data.get(), {file, folder});
    ASSERT_EQ(known.size(), 2u);
    EXPECT_NE(known[0], 0u);
    EXPECT_FALSE(known[0] & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_TRUE(known[1] & FILE_ATTRIBUTE_DIRECTORY);

    // An item whose name is not the path's stays unknown; a list of another length learns nothing.
    known = ReadShellAttributes(data.get(), {dir / L"A.jpg", folder});
    ASSERT_EQ(known.size(), 2u);
    EXPECT_EQ(known[0], 0u);
    EXPECT_TRUE(known[1] & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_TRUE(ReadShellAttributes(data.get(), {file}).empty());
    // A data object with the paths alone.
    EXPECT_TRUE(ReadShellAttributes(MakeDropData({file, folder}).get(), {file, folder}).empty());
  }
  CoUninitialize();
}

}  // namespace
