#include "shellext/com/ShellIdListArray.h"

#include <shlwapi.h>

#include <cstring>

namespace {
// An item list is a chain of length-prefixed ids ended by a zero length; it must end inside the block.
bool ListEndsInside(const BYTE* block, SIZE_T offset, SIZE_T size) {
  while (offset + sizeof(USHORT) <= size) {
    USHORT length;
    std::memcpy(&length, block + offset, sizeof length);
    if (length == 0) return true;
    if (length < sizeof(USHORT)) return false;
    offset += length;
  }
  return false;
}

// Offsets past the block, or item lists running past its end, would make readers leave it.
bool OffsetsInside(const CIDA* array, SIZE_T size) {
  SIZE_T header = sizeof(UINT) * (SIZE_T(array->cidl) + 2);
  if (size < header) return false;
  for (UINT i = 0; i <= array->cidl; ++i)
    if (array->aoffset[i] < header ||
        !ListEndsInside(reinterpret_cast<const BYTE*>(array), array->aoffset[i], size))
      return false;
  return true;
}

bool SameItemList(PCIDLIST_ABSOLUTE a, PCIDLIST_ABSOLUTE b) {
  UINT size = ILGetSize(a);
  return size == ILGetSize(b) && std::memcmp(a, b, size) == 0;
}

// One level below the parent: the only kind a folder answers for directly.
bool SingleLevel(PCUITEMID_CHILD item) { return item->mkid.cb != 0 && ILIsEmpty(ILNext(item)); }

// A drive path ("C:\...") or a network path ("\server\...").
bool LooksLikeFileSystemPath(const wchar_t* text) {
  return (text[0] && text[1] == L':' && text[2] == L'\\') || (text[0] == L'\\' && text[1] == L'\\');
}
}  // namespace

ShellIdListArray::ShellIdListArray(IDataObject* data) {
  if (!data) return;
  static const CLIPFORMAT format = CLIPFORMAT(RegisterClipboardFormatW(CFSTR_SHELLIDLIST));
  FORMATETC request{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  if (FAILED(data->GetData(&request, &medium_))) return;
  haveMedium_ = true;
  if (medium_.tymed != TYMED_HGLOBAL || !medium_.hGlobal) return;
  size_ = GlobalSize(medium_.hGlobal);
  auto* array = static_cast<const CIDA*>(GlobalLock(medium_.hGlobal));
  if (!array) return;
  if (size_ < sizeof(UINT) || !OffsetsInside(array, size_)) {
    GlobalUnlock(medium_.hGlobal);
    return;
  }
  array_ = array;
  count_ = array->cidl;
}

ShellIdListArray::~ShellIdListArray() {
  if (array_) GlobalUnlock(medium_.hGlobal);
  if (haveMedium_) ReleaseStgMedium(&medium_);
}

PCIDLIST_ABSOLUTE ShellIdListArray::Parent() const {
  return reinterpret_cast<PCIDLIST_ABSOLUTE>(reinterpret_cast<const BYTE*>(array_) + array_->aoffset[0]);
}

PCUITEMID_CHILD ShellIdListArray::Item(UINT index) const {
  return reinterpret_cast<PCUITEMID_CHILD>(reinterpret_cast<const BYTE*>(array_) + array_->aoffset[index + 1]);
}

bool ShellIdListArray::UseFolderIfParent(IShellFolder* known) {
  parent_.reset();
  if (!array_ || !known) return false;
  PIDLIST_ABSOLUTE location = nullptr;
  ComPtr<IPersistFolder2> persist;
  if (FAILED(known->QueryInterface(IID_IPersistFolder2, persist.put_void())) ||
      FAILED(persist->GetCurFolder(&location)) || !location)
    return false;
  bool same = SameItemList(location, Parent());
  CoTaskMemFree(location);
  if (same) parent_ = ComPtr<IShellFolder>(known);
  return same;
}

bool ShellIdListArray::UseParentFolder(IShellFolder* known) {
  if (UseFolderIfParent(known)) return true;
  if (!array_) return false;
  ComPtr<IShellFolder> desktop;
  if (FAILED(SHGetDesktopFolder(desktop.put())) || !desktop) return false;
  if (ILIsEmpty(Parent())) {
    parent_ = desktop;
    return true;
  }
  if (FAILED(desktop->BindToObject(Parent(), nullptr, IID_IShellFolder, parent_.put_void()))) parent_.reset();
  return bool(parent_);
}

// What SHGetPathFromIDListEx answers, without binding the folder for every item: the parsing name of
// a file-system item.
bool ShellIdListArray::PathThroughFolder(PCUITEMID_CHILD item, std::wstring& path) const {
  if (!parent_ || !SingleLevel(item)) return false;
  SFGAOF attributes = SFGAO_FILESYSTEM;
  STRRET name{};
  if (FAILED(parent_->GetAttributesOf(1, &item, &attributes)) || !(attributes & SFGAO_FILESYSTEM) ||
      FAILED(parent_->GetDisplayNameOf(item, SHGDN_FORPARSING, &name)))
    return false;
  // Into the buffer the items share (StrRetToBufW frees the folder's string): no allocation per item.
  if (buffer_.empty()) buffer_.resize(kMaxLongPath);
  if (FAILED(StrRetToBufW(&name, item, buffer_.data(), UINT(buffer_.size())))) return false;
  bool found = LooksLikeFileSystemPath(buffer_.data());
  if (found) path = buffer_.data();
  return found;
}

DWORD ShellIdListArray::FileAttributes(UINT index, std::wstring* name) const {
  PCUITEMID_CHILD item = Item(index);
  WIN32_FIND_DATAW found{};
  if (!parent_ || !SingleLevel(item) ||
      FAILED(SHGetDataFromIDListW(parent_.get(), item, SHGDFIL_FINDDATA, &found, sizeof found)))
    return 0;
  if (name) {
    found.cFileName[MAX_PATH - 1] = L'\0';
    *name = found.cFileName;
  }
  return found.dwFileAttributes;
}

bool ShellIdListArray::Path(UINT index, std::wstring& path) const {
  if (PathThroughFolder(Item(index), path)) return true;
  PIDLIST_ABSOLUTE full = ILCombine(Parent(), Item(index));
  if (!full) return false;
  // Room for long paths; the buffer is shared by all items of the array.
  if (buffer_.empty()) buffer_.resize(kMaxLongPath);
  buffer_[0] = L'\0';
  bool found = SHGetPathFromIDListEx(full, buffer_.data(), DWORD(buffer_.size()), GPFIDL_DEFAULT) != FALSE;
  IMalloc* allocator = nullptr;
  if (SUCCEEDED(SHGetMalloc(&allocator))) {
    allocator->Free(full);
    allocator->Release();
  }
  if (found) path = buffer_.data();
  return found;
}
