// InvokeCommand: from the chosen menu identifier to the command's row of the action table, then the
// results in the view.
#include "base/ParentFolder.h"
#include "base/Prompt.h"
#include "base/Trace.h"
#include "desktop/DesktopSortSettings.h"
#include "desktop/ZintSortDesktopDialog.h"
#include "shellext/com/BrivaneShellExt.h"
#include "shellext/com/Clipboard.h"
#include "shellext/com/FolderBrowser.h"
#include "shellext/com/HelpContents.h"
#include "shellext/dialogs/ZintAboutDialog.h"
#include "shellext/dialogs/ZintFavoriteDialog.h"
#include "shellext/dialogs/ZintSettingsDialog.h"
#include "shellext/settings/RecentPaths.h"
#include "ui/ResultReport.h"
#include "ui/ZintMessageBox.h"

CoreCommandRows CBrivaneShellExt::OwnCommands() {
  static const CoreCommand rows[] = {
      {cmd::Copy, &CBrivaneShellExt::CopyToChosenFolder},
      {cmd::Move, &CBrivaneShellExt::MoveToChosenFolder},
      {cmd::InvertSelection, &CBrivaneShellExt::InvertSelection},
      {cmd::CopyPath, &CBrivaneShellExt::CopyPathsToClipboard},
      {cmd::About, &CBrivaneShellExt::ShowAbout},
      {cmd::Settings, &CBrivaneShellExt::ShowSettings},
      {cmd::HelpContents, &CBrivaneShellExt::ShowHelp},
      {cmd::ManageFavorites, &CBrivaneShellExt::ManageFavorites},
      {cmd::RecentCopyFirst + 0, &CBrivaneShellExt::CopyToRecentFolder},
      {cmd::RecentCopyFirst + 1, &CBrivaneShellExt::CopyToRecentFolder},
      {cmd::RecentCopyFirst + 2, &CBrivaneShellExt::CopyToRecentFolder},
      {cmd::RecentCopyFirst + 3, &CBrivaneShellExt::CopyToRecentFolder},
      {cmd::RecentCopyFirst + 4, &CBrivaneShellExt::CopyToRecentFolder},
      {cmd::RecentMoveFirst + 0, &CBrivaneShellExt::MoveToRecentFolder},
      {cmd::RecentMoveFirst + 1, &CBrivaneShellExt::MoveToRecentFolder},
      {cmd::RecentMoveFirst + 2, &CBrivaneShellExt::MoveToRecentFolder},
      {cmd::RecentMoveFirst + 3, &CBrivaneShellExt::MoveToRecentFolder},
      {cmd::RecentMoveFirst + 4, &CBrivaneShellExt::MoveToRecentFolder},
      {cmd::SortDesktopCustom, &CBrivaneShellExt::SortDesktopCustom},
      {cmd::SortDesktopRedo, &CBrivaneShellExt::RedoDesktopSort},
      {cmd::SortDesktopEggPlant, &CBrivaneShellExt::SortDesktopTheme},
      {cmd::SortDesktopSunset, &CBrivaneShellExt::SortDesktopTheme},
      {cmd::SortDesktopDark, &CBrivaneShellExt::SortDesktopTheme},
      {cmd::SortDesktopBlueSky, &CBrivaneShellExt::SortDesktopTheme},
  };
  static_assert(cmd::kRecentSlots == 5, "one row per recent folder");
  return {rows, rows + std::size(rows)};
}

STDMETHODIMP CBrivaneShellExt::InvokeCommand(CMINVOKECOMMANDINFO* info) {
  if (!info) return E_INVALIDARG;
  try {
    result_.Clear();
    // An offset, not a verb string; a 64-bit pointer can have a zero high word, so all its upper bits count.
    if (!IS_INTRESOURCE(info->lpVerb)) return E_INVALIDARG;
    auto found = identifiers_.find(LOWORD(reinterpret_cast<ULONG_PTR>(info->lpVerb)));
    currentCommand_ = found == identifiers_.end() ? cmd::Separator : found->second;
    engine_.owner = nullptr;
    if (currentCommand_ == cmd::Separator || currentCommand_ >= kCommandCount) return E_INVALIDARG;
    CommandSelection();

    const auto* extended = reinterpret_cast<const CMINVOKECOMMANDINFOEX*>(info);
    if (info->cbSize >= sizeof(CMINVOKECOMMANDINFOEX) && (info->fMask & CMIC_MASK_UNICODE) && extended->lpDirectoryW)
      workingFolder_ = extended->lpDirectoryW;
    else
      workingFolder_ = selection_.empty() ? std::wstring() : ParentFolder(selection_.front());

    const ActionRow& row = ActionFor(currentCommand_);
    // A command whose feature this build does not contain: nothing runs.
    if (!row) return S_OK;
    if (row.core) {
      CommandContext context{info->hwnd, currentCommand_, nullptr, selection_, workingFolder_, parameters_, result_, engine_};
      (this->*row.core)(context);
      return S_OK;
    }
    RunFeatureRow(*row.feature, info->hwnd, commands_.CommandIcon(currentCommand_));
    return S_OK;
  } catch (...) {
    return E_FAIL;
  }
}

bool CBrivaneShellExt::RunFeatureRow(const CommandAction& action, HWND parent, HICON icon, OperationResult* outcome) {
  CommandContext context{parent, currentCommand_, icon, selection_, workingFolder_, parameters_, result_, engine_};
  if (!RunAction(action, context)) return false;
  if (outcome) *outcome = result_;
  if (action.reportsResult) AfterOperation(parent);
  return true;
}

bool CBrivaneShellExt::RunCommandOn(CommandId command, const PathList& selection, HWND parent,
                                    OperationResult& outcome) {
  servesMenu_ = false;
  result_.Clear();
  outcome = result_;
  handed_ = DroppedFiles();
  selection_ = selection;
  workingFolder_ = selection_.empty() ? std::wstring() : ParentFolder(selection_.front());
  currentCommand_ = command;
  engine_.owner = nullptr;
  const ActionRow& row = ActionFor(command);
  if (!row.feature) return false;
  return RunFeatureRow(*row.feature, parent, commands_.CommandIcon(command), &outcome);
}

bool CBrivaneShellExt::RunAction(const CommandAction& action, CommandContext& context) {
  if (action.dialog && !action.dialog(context)) return false;
  if (action.direct)
    RunDirect(action, context);
  else if (action.immediate)
    action.immediate(context);
  return true;
}

void CBrivaneShellExt::RunDirect(const CommandAction& action, CommandContext& context) {
  // The worker runs this object's code: the object lives until it has finished, whatever Explorer
  // releases meanwhile.
  ComPtr<IContextMenu3> self(this);
  if (!PromptHook()) CZintMessageBox::InstallAsPromptHook();
  direct_ = &action;
  directContext_ = &context;
  progress_.SetIcon(context.icon);
  progress_.SetMarquee(true);
  progress_.DoModal(context.parent);
  direct_ = nullptr;
  directContext_ = nullptr;
}

// The direct-operation worker, on the progress window's thread.
void CBrivaneShellExt::Run() {
  if (direct_ && directContext_) direct_->direct(*directContext_);
}

void CBrivaneShellExt::AfterOperation(HWND parent) {
  if (result_.status == status::Success && !result_.outputs.empty()) {
    explorer_.SelectPaths(result_.outputs);
  } else {
    explorer_.RefreshView();
    ReportResult(parent, result_);
  }
}

void CBrivaneShellExt::InvertSelection(CommandContext&) { explorer_.InvertSelection(); }

void CBrivaneShellExt::CopyPathsToClipboard(CommandContext& context) {
  if (!PutClipboardText(JoinPathLines(context.selection)))
    trace::Write(L"CBrivaneShellExt::CopyPathsToClipboard: the clipboard could not be set");
}

void CBrivaneShellExt::ShowAbout(CommandContext& context) { CZintAboutDialog().DoModal(context.parent); }

void CBrivaneShellExt::ShowSettings(CommandContext& context) { CZintSettingsDialog().DoModal(context.parent); }

void CBrivaneShellExt::ShowHelp(CommandContext& context) { ShowHelpContents(context.parent); }

void CBrivaneShellExt::ManageFavorites(CommandContext& context) { CZintFavoriteDialog().DoModal(context.parent); }

void CBrivaneShellExt::CopyToChosenFolder(CommandContext& context) {
  TransferToChosenFolder(context, L"Please select a destination folder to copy selected files", /*move=*/false);
}

void CBrivaneShellExt::MoveToChosenFolder(CommandContext& context) {
  TransferToChosenFolder(context, L"Please select a destination folder to move selected files", /*move=*/true);
}

// The chosen folder goes to the front of its recent list, which is saved before the operation runs.
void CBrivaneShellExt::TransferToChosenFolder(CommandContext& context, const wchar_t* title, bool move) {
  std::wstring folder = BrowseForFolder(context.parent, title);
  if (folder.empty()) return;
  RecentPaths recent;  // as stored now, not as when the menu was built
  if (move)
    recent.AddMoveFolder(folder);
  else
    recent.AddCopyFolder(folder);
  recent.Save();
  TransferTo(context, folder, move);
}

// The folder is the one the menu showed, even if the stored list changed since; the list keeps its order.
void CBrivaneShellExt::CopyToRecentFolder(CommandContext& context) {
  size_t index = context.command - cmd::RecentCopyFirst;
  if (index < shownRecentCopy_.size()) TransferTo(context, shownRecentCopy_[index], /*move=*/false);
}

void CBrivaneShellExt::MoveToRecentFolder(CommandContext& context) {
  size_t index = context.command - cmd::RecentMoveFirst;
  if (index < shownRecentMove_.size()) TransferTo(context, shownRecentMove_[index], /*move=*/true);
}

void CBrivaneShellExt::TransferTo(CommandContext& context, const std::wstring& folder, bool move) {
  // On this thread, without the progress window: the shell shows its own progress and questions, unowned.
  engine_.owner = nullptr;
  if (move)
    engine_.MoveFiles(result_, context.selection, folder);
  else
    engine_.CopyFiles(result_, context.selection, folder);
  AfterOperation(context.parent);
}

// The desktop sorts ask their keep-or-undo question through the prompt hook.
void CBrivaneShellExt::SortDesktopCustom(CommandContext& context) {
  if (!PromptHook()) CZintMessageBox::InstallAsPromptHook();
  CZintSortDesktopDialog dialog(ProcessDesktopSortSettings(), commands_.CommandIcon(context.command));
  if (dialog.DoModal(context.parent) != IDOK) return;
  explorer_.SortDesktop(ProcessDesktopSortSettings(), true, false);
}

void CBrivaneShellExt::RedoDesktopSort(CommandContext& context) {
  if (!PromptHook()) CZintMessageBox::InstallAsPromptHook();
  if (Prompt(context.parent, L"Redo Last Desktop Sort?", L"Brivane - Redo Last Desktop Sort",
             MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  explorer_.RedoLastDesktopSort(false);
}

void CBrivaneShellExt::SortDesktopTheme(CommandContext& context) {
  if (!PromptHook()) CZintMessageBox::InstallAsPromptHook();
  DesktopSortSettings settings = DefaultDesktopSortSettings();
  if (ApplyDesktopTheme(context.command, settings)) explorer_.SortDesktop(settings, true, false);
}
