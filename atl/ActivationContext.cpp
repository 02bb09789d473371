#include "atl/ActivationContext.h"

#include <string>

#include "atl/Module.h"

namespace {

constexpr WORD kLibraryManifest = 2;  // ISOLATIONAWARE_MANIFEST_RESOURCE_ID

struct ContextHolder {
  HANDLE handle = INVALID_HANDLE_VALUE;
  ContextHolder() {
    HINSTANCE module = ModuleInstance();
    if (!FindResourceW(module, MAKEINTRESOURCEW(kLibraryManifest), MAKEINTRESOURCEW(24 /* RT_MANIFEST */))) return;
    std::wstring path = ModuleFilePath();
    ACTCTXW description{};
    description.cbSize = sizeof description;
    description.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    description.lpSource = path.c_str();
    description.hModule = module;
    description.lpResourceName = MAKEINTRESOURCEW(kLibraryManifest);
    handle = CreateActCtxW(&description);
  }
  ~ContextHolder() {
    if (handle != INVALID_HANDLE_VALUE) ReleaseActCtx(handle);
  }
  ContextHolder(const ContextHolder&) = delete;
  ContextHolder& operator=(const ContextHolder&) = delete;
};

}  // namespace

HANDLE ModuleActivationContext() {
  static ContextHolder context;
  return context.handle;
}

ModuleActivationScope::ModuleActivationScope() {
  HANDLE context = ModuleActivationContext();
  if (context != INVALID_HANDLE_VALUE) active_ = ActivateActCtx(context, &cookie_) != FALSE;
}

ModuleActivationScope::~ModuleActivationScope() {
  if (active_) DeactivateActCtx(0, cookie_);
}
