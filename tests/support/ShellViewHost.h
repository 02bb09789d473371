#pragma once
// The Explorer stand-in's folder window as the tests use it: the platform's real shell view of a folder,
// with the stand-in's browser as the site that Explorer would hand a context-menu handler.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Trace.h"
#include "tools/explorer/FolderWindow.h"

class ShellViewHost : public FolderWindow {
 public:
  explicit ShellViewHost(const std::wstring& folder) {
    std::wstring error;
    ready_ = Open(folder, error);
    EXPECT_TRUE(ready_) << trace::ToUtf8(error);
  }

  bool Ready() const { return ready_; }
  IUnknown* Site() { return site(); }
  HWND Window() const { return frame(); }

  // Lets the view's pending messages run.
  void Pump() const {
    for (int round = 0; round < 3; ++round) {
      PumpMessages();
      Sleep(5);
    }
  }
  // Selects exactly the named items, in that order.
  void Select(const std::vector<std::wstring>& names) {
    std::wstring error;
    EXPECT_TRUE(FolderWindow::Select(names, error)) << trace::ToUtf8(error);
  }

 private:
  bool ready_ = false;
};
