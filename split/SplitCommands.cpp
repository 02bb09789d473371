#include "split/SplitCommands.h"

#include "split/ZintSplitDialog.h"

namespace {
void Join(CommandContext& context) { context.engine.JoinFiles(context.result, context.selection); }

const CommandAction kRows[] = {
    {cmd::Split, RunFeatureDialog<CZintSplitDialog>},
    {cmd::Join, nullptr, Join},
};
}  // namespace

CommandRows SplitCommands() { return RowsOf(kRows); }
