// The exported operations: each runs one command of the shell-extension object outside a menu.
#include "shellext/dll/ExternalZintOperations.h"

#include <exdisp.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "atl/ComPtr.h"
#include "atl/Module.h"
#include "base/ParentFolder.h"
#include "base/Trace.h"
#include "shellext/com/BrivaneShellExt.h"
#include "shellext/dll/JoinPieces.h"

namespace {

constexpr wchar_t kEncryptedSuffix[] = L".qxenc";

// A shell-extension object of our own, made as the class factory makes it; null when it cannot be.
ComPtr<BrivaneShellExtObject> NewShellExt() {
  ComPtr<BrivaneShellExtObject> object;
  if (FAILED(BrivaneShellExtObject::Create(object))) return {};
  return object;
}

void NotifyFolderChanged(const std::wstring& path) {
  std::wstring folder = ParentFolder(path);
  SHChangeNotify(SHCNE_UPDATEDIR, SHCNF_PATHW, folder.c_str(), nullptr);
}

// The decrypted counterpart of an encrypted path: the path without ".qxenc"; empty when it has none.
std::wstring DecryptedName(const std::wstring& path) {
  const size_t suffix = std::size(kEncryptedSuffix) - 1;
  if (path.size() <= suffix || !SamePathText(std::wstring_view(path).substr(path.size() - suffix), kEncryptedSuffix)) return {};
  return path.substr(0, path.size() - suffix);
}

}  // namespace

ExternalZintOperations& ExternalZintOperations::operator=(const ExternalZintOperations&) { return *this; }

void ExternalZintOperations::ExternalDecryptFileDialog(const std::wstring& path) {
  try {
    ComPtr<BrivaneShellExtObject> shellExt = NewShellExt();
    if (!shellExt) return;
    OperationResult outcome;
    if (!shellExt->RunCommandOn(cmd::Decrypt, PathList{path}, GetActiveWindow(), outcome)) return;
    NotifyFolderChanged(path);
    // Only what this decryption produced is opened: not a file that merely has the name, nor anything
    // after a wrong password or a declined question.
    const std::wstring decrypted = DecryptedName(path);
    if (outcome.status != status::Success || decrypted.empty()) return;
    bool produced = false;
    for (const std::wstring& output : outcome.outputs) produced = produced || SamePathText(output, decrypted);
    if (!produced || !PathFileExistsW(decrypted.c_str())) return;
    HINSTANCE opened = ShellExecuteW(nullptr, nullptr, decrypted.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(opened) <= 32)
      trace::Write(L"ExternalZintOperations::ExternalDecryptFileDialog: could not open ", decrypted);
  } catch (...) {
    trace::Write(L"ExternalZintOperations::ExternalDecryptFileDialog: failed");
  }
}

void ExternalZintOperations::ExternalJoinFileDialog(const std::wstring& path) {
  if (path.empty()) return;
  try {
    ComPtr<BrivaneShellExtObject> shellExt = NewShellExt();
    if (!shellExt) return;
    PathList selection = JoinSelectionBeside(path);
    OperationResult outcome;
    shellExt->RunCommandOn(cmd::Join, selection, nullptr, outcome);
    NotifyFolderChanged(selection.front());
  } catch (...) {
    trace::Write(L"ExternalZintOperations::ExternalJoinFileDialog: failed");
  }
}

bool ExternalZintOperations::RedoLastDesktopSort() {
  HRESULT initialized = CoInitialize(nullptr);
  bool sorted = false;
  try {
    ComPtr<IShellWindows> windows;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                                   windows.put_void())) &&
        windows) {
      VARIANT location, root;
      VariantInit(&location);
      VariantInit(&root);
      long window = 0;
      ComPtr<IDispatch> desktop;
      if (windows->FindWindowSW(&location, &root, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH, desktop.put()) == S_OK &&
          desktop) {
        ExplorerController controller;
        controller.Attach(desktop.get());
        sorted = controller.RedoLastDesktopSort(/*doNotAsk=*/true);
      }
    }
  } catch (...) {
    trace::Write(L"ExternalZintOperations::RedoLastDesktopSort: failed");
    sorted = false;
  }
  // S_FALSE (already initialised on this thread) counts too: every successful call is paired.
  if (SUCCEEDED(initialized)) CoUninitialize();
  return sorted;
}
