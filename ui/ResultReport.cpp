#include "ui/ResultReport.h"

#include "ui/ZintErrorDialog.h"

void ReportResult(HWND parent, OperationResult& result, const SelectOutputs& selectOutputs) {
  if (result.status == status::Success) {
    if (!result.outputs.empty() && selectOutputs) selectOutputs(result.outputs);
  } else if (result.status != status::UserSaidNo) {
    // A failure without words still tells the user something went wrong.
    const std::wstring& message = result.message.empty() ? std::wstring(kUnexpectedError) : result.message;
    CZintErrorDialog::Show(parent, ErrorTitle(result.kind), message);
  }
  result.message.clear();
  result.outputs.clear();
}
