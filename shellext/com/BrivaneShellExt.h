#pragma once
// The COM object Explorer creates for every context menu on files, folders, shortcuts and the desktop
// background: takes the selection, adds the "Brivane" submenu, and dispatches the chosen command.
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdint>
#include <map>
#include <string>

#include "atl/ComObject.h"
#include "atl/ComPtr.h"
#include "fileops/FilesRefactor.h"
#include "base/IReportProgess.h"
#include "base/OperationResult.h"
#include "base/PathList.h"
#include "shellext/settings/BrivaneSettings.h"
#include "shellext/menu/CommandTable.h"
#include "shellext/com/ExplorerController.h"
#include "shellext/menu/MenuModel.h"
#include "shellext/settings/RecentPaths.h"
#include "ui/ZintProgressDialog.h"

class CBrivaneShellExt : public ComObjectRoot,
                         public IShellExtInit,
                         public IContextMenu3,
                         public IObjectWithSite,
                         public IReportProgess {
 public:
  CBrivaneShellExt();
  virtual ~CBrivaneShellExt();

  static const InterfaceEntry* Interfaces();

  // IShellExtInit
  STDMETHODIMP Initialize(PCIDLIST_ABSOLUTE folder, IDataObject* data, HKEY programKey) override;

  // IContextMenu, IContextMenu2, IContextMenu3
  STDMETHODIMP QueryContextMenu(HMENU menu, UINT index, UINT first, UINT last, UINT flags) override;
  STDMETHODIMP InvokeCommand(CMINVOKECOMMANDINFO* info) override;
  STDMETHODIMP GetCommandString(UINT_PTR offset, UINT type, UINT* reserved, LPSTR buffer, UINT size) override;
  STDMETHODIMP HandleMenuMsg(UINT message, WPARAM wparam, LPARAM lparam) override;
  STDMETHODIMP HandleMenuMsg2(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) override;

  // IObjectWithSite
  STDMETHODIMP SetSite(IUnknown* site) override;
  STDMETHODIMP GetSite(REFIID iid, void** out) override;

  // IReportProgess: positions from the direct operations, and their worker.
  void ReportProgress(int32_t position, bool hide) override;
  void Run() override;

 private:
  friend struct ShellExtTestAccess;

  // The stored inputs of the menu: mode, favourites, recent folders, stored sort, desktop folders.
  MenuContext LoadMenuContext() const;

  HRESULT Dispatch(CommandId command, const CMINVOKECOMMANDINFO& info);
  // Runs the current command's operation behind this object's own progress window.
  void RunDirect(HWND parent);
  template <class Dialog>
  void ShowDialog(HWND parent) {
    runAfterwards_ = false;
    Dialog dialog;
    dialog.DoModal(parent);
  }
  // A feature dialog over a copy of the selection, with the command's icon. IDOK means its operation ran:
  // its result becomes this object's; anything else leaves nothing to report.
  template <class Dialog>
  void RunFeatureDialog(HWND parent) {
    Dialog dialog(selection_, commands_.CommandIcon(currentCommand_));
    if (dialog.DoModal(parent) == IDOK)
      result_ = dialog.Result();
    else
      runAfterwards_ = false;
  }
  void AfterOperation(HWND parent);
  void CopyPathsToClipboard();

  ComPtr<IUnknown> site_;
  FilesRefactor engine_;
  OperationResult result_;
  bool themed_ = false;
  bool desktopBackground_ = false;
  PathList selection_;
  // The data object Initialize read the selection from: its items also tell files from folders.
  ComPtr<IDataObject> selectionData_;
  ExplorerController explorer_;
  RecentPaths recent_;
  std::map<uint32_t, CommandId> identifiers_;
  CommandTable commands_;
  BrivaneSettings settings_;
  std::wstring workingFolder_;
  std::wstring listOutputPath_;
  uint8_t listOptions_[3] = {};
  CommandId currentCommand_ = 0;
  bool runAfterwards_ = false;
  CZintProgressDialog progress_;
};

using BrivaneShellExtObject = ComObject<CBrivaneShellExt>;
