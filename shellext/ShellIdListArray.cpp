#include "shellext/ShellIdListArray.h"

namespace {
// Offsets past the block would make the item lists point outside it.
bool OffsetsInside(const CIDA* array, SIZE_T size) {
  SIZE_T header = sizeof(UINT) * (SIZE_T(array->cidl) + 2);
  if (size < header) return false;
  for (UINT i = 0; i <= array->cidl; ++i)
    if (array->aoffset[i] < header || array->aoffset[i] + sizeof(USHORT) > size) return false;
  return true;
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

bool ShellIdListArray::Path(UINT index, std::wstring& path) const {
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
