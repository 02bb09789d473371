#pragma once
// The class factory of the template-library stand-in: creates one COM class through its creation
// function. A factory that a client holds keeps the library loaded, as LockServer does.
#include <unknwn.h>

#include "atl/ComModule.h"
#include "atl/ComObject.h"

class ClassFactory : public ComObjectRoot, public IClassFactory {
 public:
  explicit ClassFactory(CreateInstanceFunction create) : create_(create) {}

  static const InterfaceEntry* Interfaces() {
    static const InterfaceEntry table[] = {ComInterface<ClassFactory, IClassFactory>(), {}};
    return table;
  }

  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    try {
      return create_(outer, iid, out);
    } catch (...) {
      return E_FAIL;
    }
  }
  STDMETHODIMP LockServer(BOOL lock) override {
    if (lock)
      ComModule::Lock();
    else
      ComModule::Unlock();
    return S_OK;
  }

 private:
  CreateInstanceFunction create_;
};
