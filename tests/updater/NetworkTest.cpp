// The updater's network primitives and its check and download against the tests' web host, reached as
// the prefix's proxy with the program's own URLs.
#include <gtest/gtest.h>

#include <string>

#include "UpdaterTestSupport.h"
#include "base/Trace.h"
#include "support/TestSupport.h"
#include "updater/BrivaneUpdater.h"
#include "updater/Network.h"

namespace {

std::string EveryByte(size_t repeats) {
  std::string bytes;
  for (size_t i = 0; i < repeats * 256; ++i) bytes.push_back(char(i & 0xFF));
  return bytes;
}

class Download : public NetworkTest {
 protected:
  std::wstring folder() const { return dir_.path() + L"\\"; }
  TempDir dir_;
};

TEST_F(Download, StoresTheExactBodyOfAnOkAnswerUnderTheLastSegment) {
  const std::string body = EveryByte(300);  // several reads' worth
  ASSERT_TRUE(server().Serve(L"http://brivane.example/files/data.bin", body));
  EXPECT_TRUE(DownloadFile(L"http://brivane.example/files/data.bin", folder(), ShortLimits()));
  EXPECT_EQ(ReadBytes(dir_ / L"data.bin"), body);
  EXPECT_FALSE(Exists(dir_ / L"data.bin.download"));
  // Every request says who asks, and went to the product's own address.
  EXPECT_EQ(server().Log(),
            std::vector<std::string>{"GET http://brivane.example/files/data.bin|Brivane Automatic Update"});
}

TEST_F(Download, AnythingButACompleteOkAnswerLeavesTheFolderAsItWas) {
  const struct {
    const char* what;
    int status;
    const char* mode;
    std::string body;
    uint64_t maxBytes;
  } cases[] = {
      {"not found", 404, "normal", "<html>Not Found</html>", 1 << 20},
      {"a server error", 500, "normal", "<html>Internal Server Error</html>", 1 << 20},
      {"a redirection nowhere", 302, "normal", "", 1 << 20},
      {"a connection closed without an answer", 200, "drop", "", 1 << 20},
      {"a server that never answers", 200, "hang", "", 1 << 20},
      {"a body over the limit", 200, "normal", std::string(5000, 'x'), 4096},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::wstring stored = dir_.File(L"Setup.exe", "the file from before");
    ASSERT_TRUE(server().Serve(L"http://brivane.example/Setup.exe", c.body, c.status, c.mode));
    NetworkLimits limits = ShortLimits();
    limits.maxBytes = c.maxBytes;
    ULONGLONG start = GetTickCount64();
    EXPECT_FALSE(DownloadFile(L"http://brivane.example/Setup.exe", folder(), limits));
    // The time limits hold: the silent server keeps the connection for two minutes.
    EXPECT_LT(GetTickCount64() - start, 60000u);
    EXPECT_EQ(ReadBytes(stored), "the file from before");
    EXPECT_FALSE(Exists(dir_ / L"Setup.exe.download"));
  }
}

TEST_F(Download, NamesThatWouldLeaveTheFolderAreRefusedBeforeAnythingIsAsked) {
  for (const wchar_t* url : {L"http://brivane.example/..\\Startup\\run.exe", L"http://brivane.example/C:run.exe",
                             L"http://brivane.example/downloads/..", L"http://brivane.example/"})
    EXPECT_FALSE(DownloadFile(url, folder(), ShortLimits())) << trace::ToUtf8(url);
  EXPECT_FALSE(DownloadFile(L"http://brivane.example/x.exe", dir_ / L"missing\\", ShortLimits()));
  EXPECT_TRUE(server().Log().empty());
}

TEST_F(Download, TheProbeCountsAsReachedOnAnyAnswer) {
  const struct {
    int status;
    const char* mode;
    bool reached;
  } cases[] = {{200, "normal", true}, {404, "normal", true}, {200, "drop", false}, {200, "hang", false}};
  for (const auto& c : cases) {
    ASSERT_TRUE(server().Serve(kProbeUrl, "<html></html>", c.status, c.mode));
    EXPECT_EQ(CanReachInternet(ShortLimits()), c.reached) << c.status << " " << c.mode;
  }
  EXPECT_TRUE(IsConnectionConfigured());
}

class Check : public NetworkTest {
 protected:
  static std::wstring FetchedVersionFile() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + kVersionFileName;
  }
};

TEST_F(Check, TheVersionFileDecidesAndIsDeletedAfterReading) {
  const struct {
    const char* what;
    std::string file;
    int status;
    bool newer;
    const wchar_t* webVersion;
  } cases[] = {
      {"a newer build", VersionFileFor("2.2.1"), 200, true, L"2.2.1"},
      {"numbers compare as numbers", VersionFileFor("2.10.0"), 200, true, L"2.10.0"},
      {"the same version", VersionFileFor("2.2.0"), 200, false, L"2.2.0"},
      {"an older version", VersionFileFor("2.1.9"), 200, false, L"2.1.9"},
      {"the signed release", TestData(L"signed.ver"), 200, true, L"2.3.0"},
      {"an error page", "<html><body>Not Found</body></html>", 404, false, L"N\\A"},
      {"an error page with status 200", "<html><body>Not Found</body></html>", 200, false, L"N\\A"},
      {"a marker with a trailing space", "BrivaneVersionUpdateFile \r\n2.3.0 \r\nhttp://h/S.exe \r\n", 200, false,
       L"N\\A"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(server().Serve(kVersionFileUrl, c.file, c.status));
    BrivaneUpdater updater = TestUpdater();
    EXPECT_EQ(updater.CurrentVersion(), L"2.2.0");
    EXPECT_EQ(updater.CheckForNewVersion(), c.newer);
    EXPECT_EQ(updater.WebVersion(), c.webVersion);
    EXPECT_FALSE(Exists(FetchedVersionFile()));
  }
}

class Install : public NetworkTest {
 protected:
  void ServeRelease(const std::string& versionFile, const std::string& installer) {
    ASSERT_TRUE(server().Serve(kVersionFileUrl, versionFile));
    ASSERT_TRUE(server().Serve(kInstallerUrl, installer));
  }
  // Runs the download as the window's worker does; true when the installer was started.
  bool Run(BrivaneUpdater& updater) { return updater.DownloadAndRunInstaller(kVersionFileUrl, kVersionFileName); }
  InstallerRecord record_;
};

TEST_F(Install, TheSignedInstallerIsDownloadedStartedAndLeftInPlace) {
  ServeRelease(TestData(L"signed.ver"), TestData(L"BrivaneTestInstaller.exe"));
  BrivaneUpdater updater = TestUpdater();
  EXPECT_TRUE(Run(updater));
  EXPECT_EQ(updater.Status(), 0);
  ASSERT_TRUE(record_.WaitForRun());
  EXPECT_NE(record_.text().find("BrivaneSetup-2.3.0.exe"), std::string::npos) << record_.text();
  EXPECT_EQ(ReadBytes(InstallerRecord::DownloadedInstaller()), TestData(L"BrivaneTestInstaller.exe"));
  EXPECT_EQ(server().Requests(kVersionFileAddress), 1);
  EXPECT_EQ(server().Requests(kInstallerAddress), 1);
}

TEST_F(Install, AnInstallerWithoutTheMakersSignatureIsDeletedAndNeverStarted) {
  std::string tampered = TestData(L"BrivaneTestInstaller.exe");
  tampered[tampered.size() / 3] ^= 0x20;
  const struct {
    const char* what;
    std::string versionFile, installer;
  } cases[] = {
      {"a tampered installer", TestData(L"signed.ver"), tampered},
      {"an unsigned release", UnsignedRelease(), TestData(L"BrivaneTestInstaller.exe")},
      {"a release signed with another key", TestData(L"other-key.ver"), TestData(L"BrivaneTestInstaller.exe")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ServeRelease(c.versionFile, c.installer);
    BrivaneUpdater updater = TestUpdater();
    EXPECT_FALSE(Run(updater));
    EXPECT_EQ(updater.Status(), status::UpdateNotVerified);
    EXPECT_FALSE(Exists(InstallerRecord::DownloadedInstaller()));
  }
  EXPECT_FALSE(record_.WaitForRun(1500));
}

TEST_F(Install, NothingStartsWhenTheReleaseCannotBeHadOrIsNoLongerNewer) {
  const struct {
    const char* what;
    std::string versionFile;
    int installerStatus;
    int32_t status;
    int installerRequests;
  } cases[] = {
      {"the installer is not found", TestData(L"signed.ver"), 404, status::UpdateDownloadFailed, 1},
      {"the version file turned into an error page", "<html>Not Found</html>", 200, status::UpdateVersionFileFailed, 0},
      {"the version file now offers this version", VersionFileFor("2.2.0"), 200, status::UpdateNoLongerNewer, 0},
      {"the installer's name would leave the folder",
       VersionFileFor("2.3.0", "http://brivane.example/downloads/..\\..\\Startup\\BrivaneSetup.exe"), 200,
       status::UpdateDownloadFailed, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(server().Reset());
    ASSERT_TRUE(server().Serve(kVersionFileUrl, c.versionFile));
    ASSERT_TRUE(server().Serve(kInstallerUrl, TestData(L"BrivaneTestInstaller.exe"), c.installerStatus));
    BrivaneUpdater updater = TestUpdater();
    EXPECT_FALSE(Run(updater));
    EXPECT_EQ(updater.Status(), c.status);
    EXPECT_EQ(server().Requests(kInstallerAddress), c.installerRequests);
    EXPECT_FALSE(Exists(InstallerRecord::DownloadedInstaller()));
  }
  EXPECT_FALSE(record_.WaitForRun(1000));
}

}  // namespace
