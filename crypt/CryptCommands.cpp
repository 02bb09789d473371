#include "crypt/CryptCommands.h"

#include "crypt/ZintDecryptDialog.h"
#include "crypt/ZintEncryptDialog.h"

namespace {
const CommandAction kRows[] = {
    {cmd::Encrypt, RunFeatureDialog<CZintEncryptDialog>},
    {cmd::Decrypt, RunFeatureDialog<CZintDecryptDialog>},
};
}  // namespace

CommandRows CryptCommands() { return RowsOf(kRows); }
