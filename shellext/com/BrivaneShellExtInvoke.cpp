// InvokeCommand: from the chosen menu identifier to the command's handler, then the results in the view.
#include "crypt/ZintDecryptDialog.h"
#include "crypt/ZintEncryptDialog.h"
#include "base/Prompt.h"
#include "base/Trace.h"
#include "split/ZintSplitDialog.h"
#include "rename/ZintRenameAppendDialog.h"
#include "rename/ZintRenameAutoAlphaAppendDialog.h"
#include "rename/ZintRenameAutoAlphaDialog.h"
#include "rename/ZintRenameAutoNumAppendDialog.h"
#include "rename/ZintRenameAutoNumDialog.h"
#include "rename/ZintRenameFindReplaceDialog.h"
#include "rename/ZintRenameSameNameDialog.h"
#include "rename/ZintRenameTruncateDialog.h"
#include "shellext/com/BrivaneShellExt.h"
#include "shellext/com/Clipboard.h"
#include "shellext/com/HelpContents.h"
#include "base/ParentFolder.h"
#include "shellext/dialogs/ZintAboutDialog.h"
#include "shellext/dialogs/ZintFavoriteDialog.h"
#include "shellext/dialogs/ZintSettingsDialog.h"
#include "ui/ResultReport.h"
#include "ui/ZintMessageBox.h"

namespace {
constexpr CommandId kFirstCommandWithoutResult = cmd::About;  // 50-63 end before the post-operation step
}

STDMETHODIMP CBrivaneShellExt::InvokeCommand(CMINVOKECOMMANDINFO* info) {
  if (!info) return E_INVALIDARG;
  try {
    result_.Clear();
    runAfterwards_ = true;
    if (HIWORD(reinterpret_cast<ULONG_PTR>(info->lpVerb)) != 0) return E_INVALIDARG;

    const auto* extended = reinterpret_cast<const CMINVOKECOMMANDINFOEX*>(info);
    if (info->cbSize >= sizeof(CMINVOKECOMMANDINFOEX) && (info->fMask & CMIC_MASK_UNICODE) && extended->lpDirectoryW)
      workingFolder_ = extended->lpDirectoryW;
    else
      workingFolder_ = selection_.empty() ? std::wstring() : ParentFolder(selection_.front());

    auto found = identifiers_.find(LOWORD(reinterpret_cast<ULONG_PTR>(info->lpVerb)));
    currentCommand_ = found == identifiers_.end() ? cmd::Separator : found->second;
    engine_.owner = nullptr;

    HRESULT hr = Dispatch(currentCommand_, *info);
    if (hr == S_OK && currentCommand_ < kFirstCommandWithoutResult) AfterOperation(info->hwnd);
    return hr;
  } catch (...) {
    return E_FAIL;
  }
}

HRESULT CBrivaneShellExt::Dispatch(CommandId command, const CMINVOKECOMMANDINFO& info) {
  switch (command) {
    case cmd::InvertSelection:
      runAfterwards_ = false;
      explorer_.InvertSelection();
      return S_OK;
    case cmd::CopyPath:
      runAfterwards_ = false;
      CopyPathsToClipboard();
      return S_OK;
    case cmd::Encrypt:
      RunFeatureDialog<CZintEncryptDialog>(info.hwnd);
      return S_OK;
    case cmd::Decrypt:
      RunFeatureDialog<CZintDecryptDialog>(info.hwnd);
      return S_OK;
    case cmd::Split:
      RunFeatureDialog<CZintSplitDialog>(info.hwnd);
      return S_OK;
    case cmd::Join:
      RunDirect(info.hwnd);
      return S_OK;
    case cmd::RenameFindReplace:
      RunFeatureDialog<CZintRenameFindReplaceDialog>(info.hwnd);
      return S_OK;
    case cmd::RenameAutoNum:
      RunFeatureDialog<CZintRenameAutoNumDialog>(info.hwnd);
      return S_OK;
    case cmd::RenameAlphabetize:
      RunFeatureDialog<CZintRenameAutoAlphaDialog>(info.hwnd);
      return S_OK;
    case cmd::RenameAppend:
      RunFeatureDialog<CZintRenameAppendDialog>(info.hwnd);
      return S_OK;
    case cmd::RenameAutoNumAppend:
      RunFeatureDialog<CZintRenameAutoNumAppendDialog>(info.hwnd);
      return S_OK;
    case cmd::RenameAlphabetizeAppend:
      RunFeatureDialog<CZintRenameAutoAlphaAppendDialog>(info.hwnd);
      return S_OK;
    case cmd::RenameSameName:
      RunFeatureDialog<CZintRenameSameNameDialog>(info.hwnd);
      return S_OK;
    case cmd::RenameTruncate:
      RunFeatureDialog<CZintRenameTruncateDialog>(info.hwnd);
      return S_OK;
    case cmd::About:
      ShowDialog<CZintAboutDialog>(info.hwnd);
      return S_OK;
    case cmd::Settings:
      ShowDialog<CZintSettingsDialog>(info.hwnd);
      return S_OK;
    case cmd::HelpContents:
      runAfterwards_ = false;
      ShowHelpContents(info.hwnd);
      return S_OK;
    case cmd::ManageFavorites:
      ShowDialog<CZintFavoriteDialog>(info.hwnd);
      return S_OK;
    default:
      if (command == cmd::Separator || command >= kCommandCount) return E_INVALIDARG;
      // A command whose feature this build does not contain: nothing runs.
      runAfterwards_ = false;
      return S_OK;
  }
}

void CBrivaneShellExt::RunDirect(HWND parent) {
  if (!PromptHook()) CZintMessageBox::InstallAsPromptHook();
  progress_.SetIcon(commands_.CommandIcon(currentCommand_));
  progress_.SetMarquee(true);
  progress_.DoModal(parent);
}

// The direct-operation worker, on the progress window's thread.
void CBrivaneShellExt::Run() {
  switch (currentCommand_) {
    case cmd::Join:
      engine_.JoinFiles(result_, selection_);
      break;
    default:
      break;
  }
}

void CBrivaneShellExt::CopyPathsToClipboard() {
  if (!PutClipboardText(JoinPathLines(selection_)))
    trace::Write(L"CBrivaneShellExt::CopyPathsToClipboard: the clipboard could not be set");
}

void CBrivaneShellExt::AfterOperation(HWND parent) {
  if (result_.status == status::Success && !result_.outputs.empty()) {
    explorer_.SelectPaths(result_.outputs);
  } else if (runAfterwards_) {
    explorer_.RefreshView();
    ReportResult(parent, result_);
  }
}
