#pragma once
// The action table: for every command, the row that says how it runs. The features contribute their
// rows (rename/RenameCommands.cpp and the like); the shell-extension object adds its own commands
// (selection, clipboard, help, settings, favourites), which act on the object itself.
#include "base/CommandId.h"
#include "fileops/CommandAction.h"

class CBrivaneShellExt;
using CoreAction = void (CBrivaneShellExt::*)(CommandContext& context);

struct CoreCommand {
  CommandId command;
  CoreAction action;  // runs at once; no post-operation step follows
};
struct CoreCommandRows {
  const CoreCommand* begin;
  const CoreCommand* end;
};

struct ActionRow {
  const CommandAction* feature = nullptr;
  CoreAction core = nullptr;
  explicit operator bool() const { return feature || core; }
};

// The row of a command; an empty row for 0, for numbers past the table and for commands without one.
const ActionRow& ActionFor(CommandId command);

// How many rows name a command that an earlier row already took: 0 when the tables agree.
size_t DuplicateActionRows();
