#pragma once
// The class factory of the template-library stand-in: creates one COM class through its creation
// function. Factories do not hold the module; a client keeps the library loaded with LockServer.
#include <unknwn.h>

#include "atl/ComModule.h"
#include "atl/ComObject.h"

class ClassFactory : public ComObjectRoot, public IClassFactory {
 public:
  explicit ClassFactory(CreateInstanceFunction create) : ComObjectRoot(false), create_(create) {}

  static const InterfaceEntry* Interfaces() {
    static const InterfaceEntry table[] = {ComInterface<ClassFactory, IClassFactory>(), {}};
    return table;
  }

  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override { return create_(outer, iid, out); }
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
