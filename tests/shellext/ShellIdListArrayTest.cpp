#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstring>
#include <vector>

#include "shellext/com/ShellIdListArray.h"

namespace {

// Serves one "Shell IDList Array" block, as a view's data object would.
class BlockDataObject : public IDataObject {
 public:
  explicit BlockDataObject(std::vector<BYTE> block) : block_(std::move(block)) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    *out = (riid == IID_IUnknown || riid == IID_IDataObject) ? this : nullptr;
    return *out ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC*, STGMEDIUM* medium) override {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, block_.size());
    std::memcpy(GlobalLock(memory), block_.data(), block_.size());
    GlobalUnlock(memory);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = memory;
    medium->pUnkForRelease = nullptr;
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

// cidl = 1; offsets 12 (the parent, an empty list) and 14 (one item of the given id length).
std::vector<BYTE> Block(USHORT itemLength, bool terminated) {
  std::vector<BYTE> block(14, 0);
  UINT header[3] = {1, 12, 14};
  std::memcpy(block.data(), header, sizeof header);
  block.insert(block.end(), {BYTE(itemLength), BYTE(itemLength >> 8)});
  block.resize(block.size() + (itemLength > 2 ? itemLength - 2 : 0), 'x');
  if (terminated) block.insert(block.end(), {0, 0});
  return block;
}

TEST(ShellIdListArray, RefusesItemListsThatRunPastTheBlock) {
  BlockDataObject good(Block(6, true)), unterminated(Block(6, false)), zeroLengthId(Block(1, true));
  EXPECT_TRUE(ShellIdListArray(&good).Locked());
  EXPECT_EQ(ShellIdListArray(&good).Count(), 1u);
  EXPECT_FALSE(ShellIdListArray(&unterminated).Locked());
  EXPECT_FALSE(ShellIdListArray(&zeroLengthId).Locked());
}

}  // namespace
