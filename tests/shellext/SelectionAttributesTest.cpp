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

// The folder bound from the desktop, as a view holds it.
ComPtr<IShellFolder> FolderOf(const std::wstring& path) {
  ComPtr<IShellFolder> desktop, folder;
  SHGetDesktopFolder(desktop.put());
  PIDLIST_RELATIVE location = nullptr;
  std::wstring copy = path;
  if (SUCCEEDED(desktop->ParseDisplayName(nullptr, nullptr, copy.data(), nullptr, &location, nullptr))) {
    desktop->BindToObject(location, nullptr, IID_IShellFolder, folder.put_void());
    CoTaskMemFree(location);
  }
  return folder;
}

// Binding the items' folder costs a few hundred disk lookups: without leave to bind, only the view's
// own folder is used, and only when the items are in it.
TEST(ShellAttributes, WithoutLeaveToBindOnlyTheViewsOwnFolderServes) {
  CoInitialize(nullptr);
  {
    TempDir dir, elsewhere;
    std::wstring file = dir.File(L"a.jpg", "x"), folder = dir.Folder(L"b.jpg");
    ShellViewHost host(dir.path());
    ASSERT_TRUE(host.Ready());
    ComPtr<IDataObject> data = host.DataObjectFor({L"a.jpg", L"b.jpg"});
    PathList paths{file, folder};
    ComPtr<IShellFolder> own = FolderOf(dir.path()), other = FolderOf(elsewhere.path());
    ASSERT_TRUE(own && other);

    EXPECT_TRUE(ReadShellAttributes(data.get(), ViewsOf(paths), nullptr, /*mayBind=*/false).empty());
    EXPECT_TRUE(ReadShellAttributes(data.get(), ViewsOf(paths), other.get(), /*mayBind=*/false).empty());
    KnownAttributes known = ReadShellAttributes(data.get(), ViewsOf(paths), own.get(), /*mayBind=*/false);
    ASSERT_EQ(known.size(), 2u);
    EXPECT_FALSE(known[0] & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_TRUE(known[1] & FILE_ATTRIBUTE_DIRECTORY);
    // With leave, the other folder is no obstacle: the items' own is bound.
    EXPECT_EQ(ReadShellAttributes(data.get(), ViewsOf(paths), other.get(), /*mayBind=*/true), known);
  }
  CoUninitialize();
}

}  // namespace
