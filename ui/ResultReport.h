#pragma once
// What the command handler does with an operation's result once its dialog has ended.
#include <windows.h>

#include <functional>

#include "base/OperationResult.h"
#include "base/PathList.h"

// Selects the produced paths in the Explorer view.
using SelectOutputs = std::function<void(const PathList& outputs)>;

// Status 0 with outputs: selectOutputs(outputs). Status 6 (the user said No): nothing. Any other status:
// the error dialog titled by the kind, over parent. Afterwards the message and the outputs are cleared.
void ReportResult(HWND parent, OperationResult& result, const SelectOutputs& selectOutputs = nullptr);
