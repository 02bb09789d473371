#include "tools/explorer/ItemIdArray.h"

#include <shlwapi.h>

#include <cstring>

namespace {

// The length of an item list that must end inside the block, with its terminator; 0 when it does not.
size_t ListLength(const std::vector<BYTE>& block, size_t offset) {
  size_t at = offset;
  while (at + sizeof(USHORT) <= block.size()) {
    USHORT cb;
    memcpy(&cb, block.data() + at, sizeof cb);
    if (cb == 0) return at + sizeof(USHORT) - offset;
    at += cb;
  }
  return 0;
}

}  // namespace

bool ItemIdArray::Read(IDataObject* data) {
  block_.clear();
  offsets_.clear();
  if (!data) return false;
  FORMATETC format = {static_cast<CLIPFORMAT>(RegisterClipboardFormatW(CFSTR_SHELLIDLIST)), nullptr,
                      DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium = {};
  if (FAILED(data->GetData(&format, &medium))) return false;
  bool ok = false;
  if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
    size_t bytes = GlobalSize(medium.hGlobal);
    if (const BYTE* locked = static_cast<const BYTE*>(GlobalLock(medium.hGlobal))) {
      block_.assign(locked, locked + bytes);
      GlobalUnlock(medium.hGlobal);
      ok = true;
    }
  }
  ReleaseStgMedium(&medium);
  if (!ok || block_.size() < 2 * sizeof(UINT)) return false;

  UINT count;
  memcpy(&count, block_.data(), sizeof count);
  if (count > (block_.size() / sizeof(UINT)) - 2) return false;
  offsets_.resize(size_t(count) + 1);
  memcpy(offsets_.data(), block_.data() + sizeof(UINT), offsets_.size() * sizeof(UINT));
  for (UINT offset : offsets_) {
    if (offset >= block_.size() || ListLength(block_, offset) == 0) {
      offsets_.clear();
      return false;
    }
  }
  return true;
}

UniquePidl ItemIdArray::Absolute(size_t i) const { return UniquePidl(ILCombine(parent(), item(i))); }

std::wstring ItemPath(PCIDLIST_ABSOLUTE absolute) {
  if (!absolute) return L"";
  // Long paths too: the extended call takes a buffer of any size.
  std::wstring path(32768, L'\0');
  if (SHGetPathFromIDListEx(absolute, path.data(), DWORD(path.size()), GPFIDL_DEFAULT)) {
    path.resize(wcslen(path.c_str()));
    return path;
  }
  wchar_t shortPath[MAX_PATH];
  return SHGetPathFromIDListW(absolute, shortPath) ? shortPath : L"";
}

std::wstring ItemName(IShellFolder* parent, PCUITEMID_CHILD item, PCIDLIST_ABSOLUTE absolute) {
  std::wstring path = ItemPath(absolute);
  size_t slash = path.find_last_of(L'\\');
  if (!path.empty() && slash != path.size() - 1) return slash == std::wstring::npos ? path : path.substr(slash + 1);
  STRRET name = {};
  wchar_t* text = nullptr;
  if (parent && SUCCEEDED(parent->GetDisplayNameOf(item, SHGDN_INFOLDER, &name)) &&
      SUCCEEDED(StrRetToStrW(&name, item, &text))) {
    std::wstring result = text;
    CoTaskMemFree(text);
    return result;
  }
  return path;
}
