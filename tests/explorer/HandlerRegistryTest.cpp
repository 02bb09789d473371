// Which handlers the stand-in loads, read from the per-user and the machine's classes as Explorer's
// merged view shows them, and the bounds it keeps when it reads a data object's item lists.
#include <gtest/gtest.h>
#include <objidl.h>

#include <cstring>

#include "atl/Handles.h"
#include "tools/explorer/HandlerRegistry.h"
#include "tools/explorer/ItemIdArray.h"

namespace {

constexpr wchar_t kClass[] = L"BrivaneStandInTestClass";
constexpr wchar_t kFirst[] = L"{11111111-2222-3333-4444-555555555555}";
constexpr wchar_t kSecond[] = L"{66666666-7777-8888-9999-AAAAAAAAAAAA}";

void SetHandler(HKEY root, const std::wstring& className, const std::wstring& name, const std::wstring& value) {
  UniqueKey key;
  std::wstring path = L"Software\\Classes\\" + className + L"\\shellex\\ContextMenuHandlers\\" + name;
  ASSERT_EQ(RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, key.put(), nullptr), ERROR_SUCCESS);
  if (!value.empty())
    RegSetValueExW(key.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   DWORD((value.size() + 1) * sizeof(wchar_t)));
}

struct ClassKeys {
  ~ClassKeys() {
    for (const wchar_t* name : {kClass, L"BrivaneStandInOtherClass"}) {
      RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(L"Software\\Classes\\") + name).c_str());
      RegDeleteTreeW(HKEY_LOCAL_MACHINE, (std::wstring(L"Software\\Classes\\") + name).c_str());
    }
  }
};

TEST(HandlerRegistry, PerUserEntriesWinAndEachClassIdLoadsOnce) {
  ClassKeys cleanup;
  SetHandler(HKEY_LOCAL_MACHINE, kClass, L"Zeta", kSecond);       // the same class id again: left out
  SetHandler(HKEY_LOCAL_MACHINE, kClass, L"alpha", kFirst);
  SetHandler(HKEY_CURRENT_USER, kClass, L"Alpha", kSecond);      // same key name, per user: replaces
  SetHandler(HKEY_CURRENT_USER, kClass, L"Broken", L"not a guid");
  SetHandler(HKEY_CURRENT_USER, kClass, kFirst, L"");            // the class id as the key name
  SetHandler(HKEY_LOCAL_MACHINE, L"BrivaneStandInOtherClass", L"Again", kSecond);

  std::vector<HandlerEntry> found = FindContextMenuHandlers({kClass, L"BrivaneStandInOtherClass"});
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].name, L"alpha");
  EXPECT_EQ(found[0].clsid, kSecond);
  EXPECT_EQ(found[1].name, kFirst);
  EXPECT_EQ(found[1].clsid, kFirst);
  EXPECT_TRUE(FindContextMenuHandlers({L"BrivaneStandInNoSuchClass"}).empty());
}

TEST(HandlerRegistry, ShortcutsAddTheirOwnClass) {
  EXPECT_EQ(ItemClasses(L"Report.LNK"), (std::vector<std::wstring>{L"AllFilesystemObjects", L"lnkfile"}));
  EXPECT_EQ(ItemClasses(L"lnk"), std::vector<std::wstring>{L"AllFilesystemObjects"});
  EXPECT_EQ(BackgroundClasses(), std::vector<std::wstring>{L"Directory\\Background"});
}

// A data object that hands out one prepared "Shell IDList Array" block.
class BlockData : public IDataObject {
 public:
  explicit BlockData(std::vector<BYTE> block) : block_(std::move(block)) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC*, STGMEDIUM* medium) override {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, block_.size());
    memcpy(GlobalLock(memory), block_.data(), block_.size());
    GlobalUnlock(memory);
    *medium = {};
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = memory;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

 private:
  std::vector<BYTE> block_;
};

// count, offsets, then the lists: an empty parent and one item of four bytes.
std::vector<BYTE> Block(UINT count, std::vector<UINT> offsets, std::vector<BYTE> lists) {
  std::vector<BYTE> block(sizeof(UINT) * (1 + offsets.size()));
  memcpy(block.data(), &count, sizeof count);
  memcpy(block.data() + sizeof(UINT), offsets.data(), offsets.size() * sizeof(UINT));
  block.insert(block.end(), lists.begin(), lists.end());
  return block;
}

TEST(ItemIdArray, ReadsWellFormedBlocksAndRefusesOthers) {
  // Parent at 12: the empty list; item at 14: one id of four bytes, then the terminator.
  std::vector<BYTE> lists = {0, 0, 4, 0, 'x', 'y', 0, 0};
  ItemIdArray array;
  BlockData good(Block(1, {12, 14}, lists));
  ASSERT_TRUE(array.Read(&good));
  EXPECT_EQ(array.size(), 1u);
  EXPECT_TRUE(ILIsEmpty(array.parent()));
  EXPECT_EQ(array.item(0)->mkid.cb, 4);

  BlockData countTooLarge(Block(1000, {12, 14}, lists));
  EXPECT_FALSE(array.Read(&countTooLarge));
  EXPECT_EQ(array.size(), 0u);
  BlockData offsetOutside(Block(1, {12, 400}, lists));
  EXPECT_FALSE(array.Read(&offsetOutside));
  BlockData unterminated(Block(1, {12, 14}, {0, 0, 4, 0, 'x', 'y'}));
  EXPECT_FALSE(array.Read(&unterminated));
  EXPECT_FALSE(array.Read(nullptr));
}

}  // namespace
