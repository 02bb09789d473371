#pragma once
// The base of the tests that drive the real Brivane.dll through the stand-in: registered with
// regsvr32 for the suite, unregistered afterwards.
#include <gtest/gtest.h>

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
