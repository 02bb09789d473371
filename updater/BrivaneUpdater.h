#pragma once
// BrivaneUpdater: the version checker. It fetches the version file from the product's web host, tells
// whether it offers a version newer than this one, and, once the user has agreed, downloads the installer
// that the file names into the temporary folder and starts it: only when the maker's signature on the
// release verifies (updater/InstallerSignature.h). The window (updater/UpdateWindow.h) holds one and runs
// it on its worker thread; the silent check at the program's start uses one of its own.
#include <cstdint>
#include <string>

#include "BrivaneVersion.h"
#include "base/StatusRanges.h"
#include "updater/InstallerSignature.h"
#include "updater/Network.h"

// The version this program was built as (the project's version in the top-level CMakeLists.txt).
inline constexpr wchar_t kCurrentVersion[] = BRIVANE_VERSION_TEXT;
inline constexpr wchar_t kVersionFileUrl[] = L"http://brivane.example/assets/files/QX64.ver";
inline constexpr wchar_t kVersionFileName[] = L"QX64.ver";

// How the last DownloadAndRunInstaller ended, when it did not start the installer (0 when it did).
namespace status {
enum : int32_t {
  UpdateNoTemporaryFolder = 50,
  UpdateVersionFileFailed = 51,  // the version file could not be fetched or read again
  UpdateNoLongerNewer = 52,      // fetched again, it no longer offers a version newer than this one
  UpdateDownloadFailed = 53,
  UpdateNotVerified = 54,        // the maker's signature did not verify: the download is deleted
  UpdateNotStarted = 55,         // the shell could not start the installer
};
}
static_assert(StatusesWithin(status_range::Updater,
                             {status::UpdateNoTemporaryFolder, status::UpdateVersionFileFailed,
                              status::UpdateNoLongerNewer, status::UpdateDownloadFailed, status::UpdateNotVerified,
                              status::UpdateNotStarted}));

class BrivaneUpdater {
 public:
  explicit BrivaneUpdater(const MakerKey& makerKey = BuiltInMakerKey(), const NetworkLimits& limits = {});

  const std::wstring& CurrentVersion() const { return currentVersion_; }
  // "N\A" until a version file has been read.
  const std::wstring& WebVersion() const { return webVersion_; }
  const NetworkLimits& Limits() const { return limits_; }
  int32_t Status() const { return status_; }

  // Fetches the version file at url into the temporary folder as fileName, reads it, deletes it and
  // records its version; true only when that version is newer than this one.
  bool checkVersionFromWeb(const std::wstring& url, const std::wstring& fileName);
  bool CheckForNewVersion() { return checkVersionFromWeb(kVersionFileUrl, kVersionFileName); }
  // Fetches the version file again, downloads the installer it names into the temporary folder and, when
  // its signature verifies, starts it (and leaves it there). True when the installer was started.
  bool DownloadAndRunInstaller(const std::wstring& url, const std::wstring& fileName);

 private:
  // Downloads and reads the version file; the file itself is deleted whatever the outcome.
  bool FetchVersionFile(const std::wstring& url, const std::wstring& folder, const std::wstring& fileName,
                        VersionFile& release) const;
  bool Fail(int32_t code);

  std::wstring currentVersion_ = kCurrentVersion;
  std::wstring webVersion_ = L"N\\A";
  MakerKey makerKey_;
  NetworkLimits limits_;
  int32_t status_ = 0;
};

// The temporary folder, ending in a backslash; false (with a trace line naming the caller) when the
// system has none that fits 512 characters.
bool TemporaryFolder(std::wstring& folder, const wchar_t* caller);
