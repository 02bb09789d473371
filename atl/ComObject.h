#pragma once
// The COM object base of the template-library stand-in: a reference count and an interface table.
//
//   class CThing : public ComObjectRoot, public IFoo, public IBar {
//    public:
//     static const InterfaceEntry* Interfaces();   // {ComInterface<CThing, IFoo>(), ..., {}}
//     ...the interface methods, without IUnknown...
//   };
//   ComObject<CThing>::NewInstance(nullptr, IID_IFoo, &out);
#include <unknwn.h>

#include <cstddef>
#include <new>
#include <utility>

#include "atl/ComModule.h"
#include "atl/ComPtr.h"

// One row of a class's interface table: where the interface's vtable pointer sits in the object.
struct InterfaceEntry {
  const IID* iid = nullptr;
  std::ptrdiff_t offset = 0;
};

template <class Class, class Interface>
InterfaceEntry ComInterface(const IID& iid = __uuidof(Interface)) {
  // Any non-null address serves to measure the base's offset.
  Class* object = reinterpret_cast<Class*>(alignof(Class) * 64);
  return {&iid, reinterpret_cast<char*>(static_cast<Interface*>(object)) - reinterpret_cast<char*>(object)};
}

// Looks the interface up in a table that ends with an empty entry; the first row also answers IUnknown.
HRESULT QueryInterfaceFromTable(void* object, const InterfaceEntry* table, REFIID iid, void** out);

// First base of every COM class: holds the module lock for the object's whole life, so the library
// stays loaded until the last destructor has finished.
class ComObjectRoot {
 protected:
  explicit ComObjectRoot(bool locksModule = true) : locksModule_(locksModule) {
    if (locksModule_) ComModule::Lock();
  }
  ~ComObjectRoot() {
    if (locksModule_) ComModule::Unlock();
  }
  ComObjectRoot(const ComObjectRoot&) = delete;
  ComObjectRoot& operator=(const ComObjectRoot&) = delete;

 private:
  bool locksModule_;
};

// The created object: T with IUnknown implemented over T::Interfaces(). Lives on the heap and deletes
// itself when its last reference goes.
template <class T>
class ComObject final : public T {
 public:
  // Creates an object holding one reference. E_OUTOFMEMORY when memory runs out; no exception leaves.
  template <class... Args>
  static HRESULT Create(ComPtr<ComObject>& out, Args&&... args) noexcept {
    out.reset();
    try {
      out = ComPtr<ComObject>::Attach(new ComObject(std::forward<Args>(args)...));
      return S_OK;
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    } catch (...) {
      return E_FAIL;
    }
  }

  // The class factory's creation: no aggregation.
  static HRESULT NewInstance(IUnknown* outer, REFIID iid, void** out) noexcept {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    ComPtr<ComObject> object;
    HRESULT hr = Create(object);
    if (FAILED(hr)) return hr;
    return object->QueryInterface(iid, out);
  }

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    return QueryInterfaceFromTable(static_cast<T*>(this), T::Interfaces(), iid, out);
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ULONG(InterlockedIncrement(&references_)); }
  STDMETHODIMP_(ULONG) Release() override {
    LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return ULONG(left);
  }

 private:
  template <class... Args>
  explicit ComObject(Args&&... args) : T(std::forward<Args>(args)...) {
    references_ = 1;
  }
  ~ComObject() = default;

  LONG references_ = 0;
};
