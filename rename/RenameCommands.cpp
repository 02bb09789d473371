#include "rename/RenameCommands.h"

#include "rename/ZintRenameAppendDialog.h"
#include "rename/ZintRenameAutoAlphaAppendDialog.h"
#include "rename/ZintRenameAutoAlphaDialog.h"
#include "rename/ZintRenameAutoNumAppendDialog.h"
#include "rename/ZintRenameAutoNumDialog.h"
#include "rename/ZintRenameFindReplaceDialog.h"
#include "rename/ZintRenameSameNameDialog.h"
#include "rename/ZintRenameTruncateDialog.h"

namespace {
const CommandAction kRows[] = {
    {cmd::RenameFindReplace, RunFeatureDialog<CZintRenameFindReplaceDialog>},
    {cmd::RenameAutoNum, RunFeatureDialog<CZintRenameAutoNumDialog>},
    {cmd::RenameAlphabetize, RunFeatureDialog<CZintRenameAutoAlphaDialog>},
    {cmd::RenameAppend, RunFeatureDialog<CZintRenameAppendDialog>},
    {cmd::RenameAutoNumAppend, RunFeatureDialog<CZintRenameAutoNumAppendDialog>},
    {cmd::RenameAlphabetizeAppend, RunFeatureDialog<CZintRenameAutoAlphaAppendDialog>},
    {cmd::RenameSameName, RunFeatureDialog<CZintRenameSameNameDialog>},
    {cmd::RenameTruncate, RunFeatureDialog<CZintRenameTruncateDialog>},
};
}  // namespace

CommandRows RenameCommands() { return RowsOf(kRows); }
