#pragma once
// What the updater's network and window tests share: the test releases, serving them, and the record
// that the recording installer leaves when it has been started.
#include <windows.h>

#include <string>

#include "UpdateServer.h"
#include "updater/BrivaneUpdater.h"

const MakerKey& TestMakerKey();

inline constexpr char kVersionFileAddress[] = "http://brivane.example/assets/files/QX64.ver";
inline constexpr char kInstallerAddress[] = "http://brivane.example/downloads/BrivaneSetup-2.3.0.exe";
inline constexpr wchar_t kInstallerUrl[] = L"http://brivane.example/downloads/BrivaneSetup-2.3.0.exe";
inline constexpr wchar_t kInstallerName[] = L"BrivaneSetup-2.3.0.exe";

// Waits that a test can afford for a server that never answers.
NetworkLimits ShortLimits();
// A version checker that trusts the test maker's key and waits ShortLimits.
BrivaneUpdater TestUpdater();

// The bytes of a file of the test data: "signed.ver", "other-key.ver", "BrivaneTestInstaller.exe".
std::string TestData(const wchar_t* name);
// A three-line version file as the maker writes one, without a signature.
std::string VersionFileFor(const std::string& version, const std::string& installerUrl = kInstallerAddress);
// The signed release with its first three lines only.
std::string UnsignedRelease();

// The recording installer's log in the temporary folder, removed before and after; and the downloaded
// installer, removed afterwards.
class InstallerRecord {
 public:
  InstallerRecord();
  ~InstallerRecord();
  // Whether the installer ran within the time.
  bool WaitForRun(DWORD timeoutMs = 15000) const;
  std::string text() const;
  static std::wstring DownloadedInstaller();

 private:
  std::wstring log_;
};
