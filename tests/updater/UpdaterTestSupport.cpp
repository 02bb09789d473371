#include "UpdaterTestSupport.h"

#include "support/TestSupport.h"

NetworkLimits ShortLimits() {
  NetworkLimits limits;
  limits.connectMs = 2000;
  limits.receiveMs = 1500;
  return limits;
}

BrivaneUpdater TestUpdater() { return BrivaneUpdater(TestMakerKey(), ShortLimits()); }

std::string TestData(const wchar_t* name) { return ReadBytes(TestDataFolder() + name); }

std::string VersionFileFor(const std::string& version, const std::string& installerUrl) {
  return "BrivaneVersionUpdateFile\r\n" + version + " \r\n" + installerUrl + " \r\n";
}

std::string UnsignedRelease() {
  std::string release = TestData(L"signed.ver");
  size_t third = 0;
  for (int line = 0; line < 3; ++line) third = release.find('\n', third) + 1;
  return release.substr(0, third);
}

namespace {
std::wstring TempFolder() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  return temp;
}
}  // namespace

InstallerRecord::InstallerRecord() : log_(TempFolder() + L"BrivaneTestInstaller.log") {
  DeleteFileW(log_.c_str());
  DeleteFileW(DownloadedInstaller().c_str());
}

InstallerRecord::~InstallerRecord() {
  // The started installer may still be ending.
  for (int attempt = 0; attempt < 100; ++attempt) {
    DeleteFileW(DownloadedInstaller().c_str());
    if (GetFileAttributesW(DownloadedInstaller().c_str()) == INVALID_FILE_ATTRIBUTES) break;
    Sleep(50);
  }
  DeleteFileW(log_.c_str());
}

std::wstring InstallerRecord::DownloadedInstaller() { return TempFolder() + kInstallerName; }

bool InstallerRecord::WaitForRun(DWORD timeoutMs) const {
  for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(50))
    if (!text().empty()) return true;
  return false;
}

std::string InstallerRecord::text() const { return ReadBytes(log_); }
