#include "updater/BrivaneUpdater.h"

#include <windows.h>
#include <shellapi.h>

#include "atl/Handles.h"
#include "base/OperationResult.h"
#include "base/TemporaryFolder.h"
#include "base/Trace.h"

BrivaneUpdater::BrivaneUpdater(const MakerKey& makerKey, const NetworkLimits& limits)
    : makerKey_(makerKey), limits_(limits) {}

bool TemporaryFolder(std::wstring& folder, const wchar_t* caller) {
  folder = ::TemporaryFolder();
  if (folder.empty()) {
    trace::Write(caller, L" -> GetTempPath failed (", std::to_wstring(GetLastError()), L")");
    return false;
  }
  folder.push_back(L'\\');
  return true;
}

bool BrivaneUpdater::FetchVersionFile(const std::wstring& url, const std::wstring& folder,
                                      const std::wstring& fileName, VersionFile& release) const {
  if (!DownloadFile(url, folder, limits_.Small())) return false;
  std::wstring path = folder + fileName;
  bool parsed = ParseVersionFile(path, release);
  DeleteFileW(path.c_str());
  return parsed;
}

bool BrivaneUpdater::checkVersionFromWeb(const std::wstring& url, const std::wstring& fileName) {
  std::wstring folder;
  if (!TemporaryFolder(folder, L"BrivaneUpdater::checkVersionFromWeb")) return false;
  VersionFile release;
  if (!FetchVersionFile(url, folder, fileName, release)) return false;
  webVersion_ = release.version;
  return IsNewer(ParseVersion(webVersion_), ParseVersion(currentVersion_));
}

bool BrivaneUpdater::Fail(int32_t code) {
  status_ = code;
  return false;
}

bool BrivaneUpdater::DownloadAndRunInstaller(const std::wstring& url, const std::wstring& fileName) {
  status_ = status::Success;
  std::wstring folder;
  if (!TemporaryFolder(folder, L"BrivaneUpdater::DownloadAndRunInstaller")) return Fail(status::UpdateNoTemporaryFolder);
  VersionFile release;
  if (!FetchVersionFile(url, folder, fileName, release)) return Fail(status::UpdateVersionFileFailed);
  // The file may have changed since the user was asked; an older release is never installed over this one.
  if (!IsNewer(ParseVersion(release.version), ParseVersion(currentVersion_))) {
    trace::Write(L"BrivaneUpdater::DownloadAndRunInstaller: the version file now offers ", release.version);
    return Fail(status::UpdateNoLongerNewer);
  }

  trace::Line(L"Downloading installation file ...");
  if (!DownloadFile(release.installerUrl, folder, limits_)) return Fail(status::UpdateDownloadFailed);
  std::wstring installer = folder + DownloadFileName(release.installerUrl);

  // Held open against writers from the check until the installer has been started, so that what starts
  // is what was checked.
  UniqueFile held(CreateFileW(installer.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!held || !VerifyInstaller(held.get(), release, makerKey_)) {
    trace::Write(L"BrivaneUpdater::DownloadAndRunInstaller: ", installer,
                 L" is not signed by the maker of Brivane; deleted, not started");
    held.reset();
    DeleteFileW(installer.c_str());
    return Fail(status::UpdateNotVerified);
  }
  auto started = ShellExecuteW(nullptr, nullptr, installer.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  if (reinterpret_cast<INT_PTR>(started) <= 32) {
    trace::Write(L"BrivaneUpdater::DownloadAndRunInstaller: could not start ", installer);
    return Fail(status::UpdateNotStarted);
  }
  return true;
}
