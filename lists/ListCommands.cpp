#include "lists/ListCommands.h"

#include "fileops/DirectoryWalk.h"
#include "lists/ZintFileListDialog.h"

namespace {
bool ChooseListFile(CommandContext& context) {
  CZintFileListDialog dialog(context.icon);
  if (dialog.DoModal(context.parent) != IDOK) return false;
  context.parameters.outputPath = ChildPath(context.workingFolder, dialog.FileName());
  context.parameters.options[kListIncludeSubfolders] = dialog.IncludeSubfolders();
  context.parameters.options[kListIndent] = dialog.Indent();
  context.parameters.options[kListHtml] = dialog.Html();
  return true;
}

void MakeList(CommandContext& context) {
  bool detailed = context.command == cmd::ListDetailed || context.command == cmd::ListDetailedFullPath;
  bool fullPath = context.command == cmd::ListDetailedFullPath || context.command == cmd::ListSimpleFullPath;
  const auto& options = context.parameters.options;
  context.engine.MakeListOfFiles(context.result, context.selection, context.parameters.outputPath, detailed, fullPath,
                                 options[kListIncludeSubfolders] != 0, options[kListIndent] != 0,
                                 options[kListHtml] != 0);
}

const CommandAction kRows[] = {
    {cmd::ListDetailed, ChooseListFile, MakeList},
    {cmd::ListDetailedFullPath, ChooseListFile, MakeList},
    {cmd::ListSimple, ChooseListFile, MakeList},
    {cmd::ListSimpleFullPath, ChooseListFile, MakeList},
};
}  // namespace

CommandRows ListCommands() { return RowsOf(kRows); }
