#pragma once
#include <cstdint>

// The progress sink: receives positions 0-100 from an operation and knows how to run it.
class IReportProgess {
 public:
  virtual void ReportProgress(int32_t position, bool hide) = 0;
  virtual void Run() {}

 protected:
  ~IReportProgess() = default;
};
