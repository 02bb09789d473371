#pragma once
#include "fileops/CommandAction.h"

// Encrypt and Decrypt, each through its password dialog.
CommandRows CryptCommands();
