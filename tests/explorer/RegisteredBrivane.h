#pragma once
// The base of the tests that drive the real Brivane.dll through the stand-in: registered with
// regsvr32 for the suite, unregistered afterwards.
#include <gtest/gtest.h>

#include <string>

#include "StandInProcess.h"
#include "support/TestSupport.h"

class RegisteredBrivane : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { registered_ = Regsvr32(BrivanePath()) == 0; }
  static void TearDownTestSuite() { Regsvr32(BrivanePath(), true); }

  void SetUp() override { ASSERT_TRUE(registered_) << "regsvr32 " << Narrow(BrivanePath()) << " failed"; }

 private:
  static inline bool registered_ = false;
};

// A scratch folder that the stand-in shows, and the invocation of a menu entry on items in it.
class BrivaneInFolder : public RegisteredBrivane {
 protected:
  // Invokes the menu entry on the named items, answering its windows with the script.
  StandInRun Invoke(const std::wstring& names, const std::wstring& entry, const std::string& script = "") {
    return InvokeIn(dir_.path(), names, entry, script);
  }
  // The same in another folder (one inside dir_, say).
  StandInRun InvokeIn(const std::wstring& folder, const std::wstring& names, const std::wstring& entry,
                      const std::string& script = "") {
    std::wstring arguments = L"--folder " + Quoted(folder) + L" --select " + Quoted(names) + L" --invoke " +
                             Quoted(entry);
    if (!script.empty()) arguments += ScriptArgument(scripts_ / (L"script" + std::to_wstring(++count_) + L".txt"), script);
    return RunStandIn(arguments);
  }

  TempDir dir_;
  TempDir scripts_;  // apart, so that the view shows the test's files alone
  int count_ = 0;
};

// The command ran to its end without the operation's error dialog and left the view with that selection.
inline ::testing::AssertionResult Succeeded(const StandInRun& run, const std::string& operation, const std::string& selection) {
  if (run.exitCode != 0 || !run.Has("invoke: S_OK"))
    return ::testing::AssertionFailure() << "exit code " << run.exitCode << ": " << run.errors;
  if (run.Has("window: Brivane - " + operation + " Operation Error"))
    return ::testing::AssertionFailure() << "the " << operation << " error dialog showed";
  if (run.LineStarting("selected: ") != "selected: " + selection)
    return ::testing::AssertionFailure() << run.LineStarting("selected: ");
  return ::testing::AssertionSuccess();
}
