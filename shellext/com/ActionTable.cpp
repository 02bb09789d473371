#include "shellext/com/ActionTable.h"

#include <array>

#include "crypt/CryptCommands.h"
#include "lists/ListCommands.h"
#include "organize/OrganizeCommands.h"
#include "imaging/ImagingCommands.h"
#include "rename/RenameCommands.h"
#include "shellext/com/BrivaneShellExt.h"
#include "split/SplitCommands.h"

namespace {

// The features' tables, in menu order.
const CommandRows kFeatureTables[] = {
    OrganizeCommands(),
    ListCommands(),
    SplitCommands(),
    CryptCommands(),
    RenameCommands(),
    ImagingCommands(),
};

struct Table {
  std::array<ActionRow, kCommandCount> rows{};
  size_t duplicates = 0;

  void Put(CommandId command, const CommandAction* feature, CoreAction core) {
    if (command == cmd::Separator || command >= kCommandCount) return;
    ActionRow& row = rows[command];
    if (row) ++duplicates;
    row.feature = feature;
    row.core = core;
  }
};

const Table& TheTable() {
  static const Table table = [] {
    Table built;
    for (const CommandRows& feature : kFeatureTables)
      for (const CommandAction* row = feature.begin; row != feature.end; ++row) built.Put(row->command, row, nullptr);
    CoreCommandRows own = CBrivaneShellExt::OwnCommands();
    for (const CoreCommand* row = own.begin; row != own.end; ++row) built.Put(row->command, nullptr, row->action);
    return built;
  }();
  return table;
}

}  // namespace

const ActionRow& ActionFor(CommandId command) {
  static const ActionRow none;
  return command == cmd::Separator || command >= kCommandCount ? none : TheTable().rows[command];
}

size_t DuplicateActionRows() { return TheTable().duplicates; }
