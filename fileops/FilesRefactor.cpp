#include "fileops/FilesRefactor.h"

#include "base/Prompt.h"

namespace {
void ForwardToSink(IReportProgess* sink, int32_t position, bool hide) {
  if (sink) sink->ReportProgress(position, hide);
}
}  // namespace

FilesRefactor::FilesRefactor(IReportProgess* sink) : sink(sink), report(ForwardToSink) {}

void FilesRefactor::Report(int32_t position, bool hide) const {
  if (report) report(sink, position, hide);
}

int FilesRefactor::Ask(const wchar_t* text, const wchar_t* caption, UINT type, int32_t resumePosition) const {
  Report(0, true);
  int answer = Prompt(owner, text, caption, type);
  Report(resumePosition, false);
  return answer;
}
