#pragma once
// How a menu command runs, as a row of its feature's action table. Each feature folder lists its own
// rows (rename/RenameCommands.cpp); the shell-extension object looks a chosen command up and runs it:
// first the row's dialog, if any; then its direct operation behind the object's progress window, or its
// immediate action on the calling thread; then, when the row says so, the post-operation step (select
// what the operation produced in the view, or report its error).
#include <windows.h>

#include <array>
#include <cstdint>
#include <string>

#include "base/CommandId.h"
#include "base/OperationResult.h"
#include "base/PathList.h"
#include "fileops/FilesRefactor.h"

// What a dialog hands on to the direct operation that follows it: the list-of-files dialog's output path
// and its three options.
struct CommandParameters {
  std::wstring outputPath;
  std::array<uint8_t, 3> options{};
};

// One invocation of a command, as its action sees it.
struct CommandContext {
  HWND parent;                        // the window the menu belongs to
  CommandId command;
  HICON icon;                         // the command's icon, for its dialog and progress window
  const PathList& selection;
  const std::wstring& workingFolder;  // the folder the menu was opened in
  CommandParameters& parameters;
  OperationResult& result;
  FilesRefactor& engine;              // the object's own engine, for direct and immediate operations
};

struct CommandAction {
  CommandId command = 0;
  // A feature dialog shown modally over the parent. True when it ended with IDOK, which means its
  // operation ran and its result is in context.result (or, with a direct operation after it, that the
  // operation's parameters are in context.parameters). False ends the command with nothing to report.
  bool (*dialog)(CommandContext& context) = nullptr;
  // The operation the object's worker runs behind its progress window (moving bar).
  void (*direct)(CommandContext& context) = nullptr;
  // An action run at once on the calling thread.
  void (*immediate)(CommandContext& context) = nullptr;
  // Whether the post-operation step follows.
  bool reportsResult = true;
};

// A feature's rows.
struct CommandRows {
  const CommandAction* begin;
  const CommandAction* end;
};
template <size_t N>
constexpr CommandRows RowsOf(const CommandAction (&rows)[N]) {
  return {rows, rows + N};
}

// The usual dialog action: the dialog over a copy of the selection with the command's icon; on IDOK its
// result becomes the invocation's.
template <class Dialog>
bool RunFeatureDialog(CommandContext& context) {
  Dialog dialog(context.selection, context.icon);
  if (dialog.DoModal(context.parent) != IDOK) return false;
  context.result = dialog.Result();
  return true;
}

// The same for dialogs that also act in the working folder.
template <class Dialog>
bool RunFeatureDialogInFolder(CommandContext& context) {
  Dialog dialog(context.selection, context.icon, context.workingFolder);
  if (dialog.DoModal(context.parent) != IDOK) return false;
  context.result = dialog.Result();
  return true;
}
