#pragma once
// Owners for the Win32 handles the system holds, each released exactly once.
#include <windows.h>
#include <commctrl.h>

#include <utility>

template <class Handle, class Traits>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return Traits::Valid(handle_); }
  Handle release() { return std::exchange(handle_, Traits::Invalid()); }
  void reset(Handle handle = Traits::Invalid()) {
    if (Traits::Valid(handle_)) Traits::Close(handle_);
    handle_ = handle;
  }
  // For out-parameters: releases what is held and hands out the slot.
  Handle* put() {
    reset();
    return &handle_;
  }

 private:
  Handle handle_ = Traits::Invalid();
};

#define BRIVANE_HANDLE_TRAITS(Name, Type, InvalidValue, CloseCall)     \
  struct Name##Traits {                                                \
    static Type Invalid() { return InvalidValue; }                     \
    static bool Valid(Type h) { return h != InvalidValue; }            \
    static void Close(Type h) { CloseCall; }                           \
  };                                                                   \
  using Name = UniqueHandle<Type, Name##Traits>;

BRIVANE_HANDLE_TRAITS(UniqueIcon, HICON, nullptr, DestroyIcon(h))
BRIVANE_HANDLE_TRAITS(UniqueBitmap, HBITMAP, nullptr, DeleteObject(h))
BRIVANE_HANDLE_TRAITS(UniqueFont, HFONT, nullptr, DeleteObject(h))
BRIVANE_HANDLE_TRAITS(UniqueBrush, HBRUSH, nullptr, DeleteObject(h))
BRIVANE_HANDLE_TRAITS(UniqueKey, HKEY, nullptr, RegCloseKey(h))
BRIVANE_HANDLE_TRAITS(UniqueFile, HANDLE, INVALID_HANDLE_VALUE, CloseHandle(h))
BRIVANE_HANDLE_TRAITS(UniqueKernelHandle, HANDLE, nullptr, CloseHandle(h))
BRIVANE_HANDLE_TRAITS(UniqueMenu, HMENU, nullptr, DestroyMenu(h))
BRIVANE_HANDLE_TRAITS(UniqueGlobal, HGLOBAL, nullptr, GlobalFree(h))
BRIVANE_HANDLE_TRAITS(UniqueWindowDc, HDC, nullptr, DeleteDC(h))
BRIVANE_HANDLE_TRAITS(UniqueImageList, HIMAGELIST, nullptr, ImageList_Destroy(h))

#undef BRIVANE_HANDLE_TRAITS
