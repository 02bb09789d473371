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
#include "base/IReportProgess.h"
#include "base/OperationResult.h"
#include "base/PathList.h"
#include "fileops/CommandAction.h"
#include "fileops/FilesRefactor.h"
#include "shellext/com/ActionTable.h"
#include "shellext/com/DropFiles.h"
#include "shellext/com/ExplorerController.h"
#include "shellext/menu/CommandTable.h"
#include "shellext/menu/MenuModel.h"
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

  // This object's own rows of the action table.
  static CoreCommandRows OwnCommands();

  // Runs one feature command on a selection outside any menu, for the library's exported operations:
  // the command's row as InvokeCommand runs it, with the command's icon, then the post-operation step
  // (no view is attached, so a failure is reported and nothing is selected). The result is copied to
  // outcome before it is reported. False when the command has no feature row or its dialog was
  // cancelled. An object used so serves no menu: releasing it starts no update check.
  bool RunCommandOn(CommandId command, const PathList& selection, HWND parent, OperationResult& outcome);

 private:
  friend struct ShellExtTestAccess;

  HRESULT InitializeItems(IDataObject* data);
  HRESULT InitializeBackground(PCIDLIST_ABSOLUTE folder);
  // The attributes the shell holds for the handed-over items (empty where the disk must be asked).
  KnownAttributes ShellHeldAttributes(const PathViews& items);
  // The selection a command acts on: the handed-over items, in the order of the view they were clicked
  // in when it selects the same items.
  const PathList& CommandSelection();

  // Runs a feature's row: its dialog, then its direct operation or immediate action. False when the
  // dialog was cancelled.
  bool RunAction(const CommandAction& action, CommandContext& context);
  // Runs the direct operation behind this object's own progress window.
  void RunDirect(const CommandAction& action, CommandContext& context);
  // Selects what the operation produced, or refreshes the view and reports its error.
  void AfterOperation(HWND parent);
  // The feature row with the context of the current command, selection and working folder; false when
  // its dialog was cancelled. outcome, when given, gets the result before it is reported.
  bool RunFeatureRow(const CommandAction& action, HWND parent, HICON icon, OperationResult* outcome = nullptr);

  // The object's own commands (rows of the action table).
  void InvertSelection(CommandContext& context);
  void CopyPathsToClipboard(CommandContext& context);
  void ShowAbout(CommandContext& context);
  void ShowSettings(CommandContext& context);
  void ShowHelp(CommandContext& context);
  void ManageFavorites(CommandContext& context);
  // Copy and Move through the folder browser, and to a recent folder.
  void CopyToChosenFolder(CommandContext& context);
  void MoveToChosenFolder(CommandContext& context);
  void CopyToRecentFolder(CommandContext& context);
  void MoveToRecentFolder(CommandContext& context);
  void TransferToChosenFolder(CommandContext& context, const wchar_t* title, bool move);
  // Copies or moves the selection into the folder, then selects or reports as after any operation.
  void TransferTo(CommandContext& context, const std::wstring& folder, bool move);
  void SortDesktopCustom(CommandContext& context);
  void RedoDesktopSort(CommandContext& context);
  void SortDesktopTheme(CommandContext& context);

  ComPtr<IUnknown> site_;
  FilesRefactor engine_;
  OperationResult result_;
  bool themed_ = false;
  bool desktopBackground_ = false;
  // The items Explorer handed to Initialize, viewed in its CF_HDROP block.
  DroppedFiles handed_;
  // What commands act on: made from handed_ when a command runs, or given to RunCommandOn.
  PathList selection_;
  // The data object Initialize read the selection from: its items also tell files from folders.
  ComPtr<IDataObject> selectionData_;
  ExplorerController explorer_;
  // The recent folders the menu showed, which its recent-folder commands use.
  PathList shownRecentCopy_;
  PathList shownRecentMove_;
  std::map<uint32_t, CommandId> identifiers_;
  CommandTable commands_;
  std::wstring workingFolder_;
  CommandParameters parameters_;  // the list-of-files dialog's output path and options
  CommandId currentCommand_ = 0;
  // The direct operation the worker runs, while the progress window is up.
  const CommandAction* direct_ = nullptr;
  CommandContext* directContext_ = nullptr;
  CZintProgressDialog progress_;
  // Cleared when the object runs an exported operation instead of serving Explorer's menu.
  bool servesMenu_ = true;
};

using BrivaneShellExtObject = ComObject<CBrivaneShellExt>;
