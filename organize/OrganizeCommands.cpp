#include "organize/OrganizeCommands.h"

#include "organize/ZintExtractFolderDialog.h"

namespace {
void ExtractFromFolders(CommandContext& context) {
  context.engine.ExtractFilesFromFolders(context.result, context.selection);
}
void MoveUp(CommandContext& context) { context.engine.MoveFilesUp(context.result, context.selection); }
void DeleteEmpty(CommandContext& context) { context.engine.DeleteZeroFiles(context.result, context.selection); }
void Touch(CommandContext& context) { context.engine.TouchFiles(context.result, context.selection); }

const CommandAction kRows[] = {
    {cmd::ExtractToFolder, RunFeatureDialogInFolder<CZintExtractFolderDialog>},
    {cmd::ExtractFromFolder, nullptr, ExtractFromFolders},
    {cmd::MoveFilesUp, nullptr, MoveUp},
    {cmd::DeleteEmpty, nullptr, DeleteEmpty},
    {cmd::Touch, nullptr, nullptr, Touch},
};
}  // namespace

CommandRows OrganizeCommands() { return RowsOf(kRows); }
