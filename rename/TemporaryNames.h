#pragma once
// The rename batches take their temporary names from the engine's scratch names.
#include "fileops/ScratchNames.h"

using TemporaryNames = ScratchNames;
