#pragma once
// An owning COM interface pointer: one reference held, released exactly once.
#include <unknwn.h>

#include <utility>

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  // Takes a new reference on the pointer.
  explicit ComPtr(T* pointer) : pointer_(pointer) {
    if (pointer_) pointer_->AddRef();
  }
  ComPtr(const ComPtr& other) : ComPtr(other.pointer_) {}
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ~ComPtr() { reset(); }

  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(pointer_, other.pointer_);
    return *this;
  }

  // Adopts a pointer whose reference the caller already owns.
  static ComPtr Attach(T* pointer) {
    ComPtr result;
    result.pointer_ = pointer;
    return result;
  }

  T* get() const { return pointer_; }
  T* operator->() const { return pointer_; }
  T& operator*() const { return *pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }

  void reset() {
    if (pointer_) std::exchange(pointer_, nullptr)->Release();
  }
  T* detach() { return std::exchange(pointer_, nullptr); }

  // For out-parameters: releases what is held and hands out the slot.
  T** put() {
    reset();
    return &pointer_;
  }
  void** put_void() { return reinterpret_cast<void**>(put()); }

  // QueryInterface into another owner; empty when the interface is not there.
  template <class U>
  ComPtr<U> As() const {
    ComPtr<U> result;
    if (pointer_) pointer_->QueryInterface(__uuidof(U), result.put_void());
    return result;
  }

 private:
  T* pointer_ = nullptr;
};
