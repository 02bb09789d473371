#pragma once
// The updater's network primitives on WinINet: whether a connection is configured, whether the
// connectivity probe answers, and the download of one file. Every request has its time limits, so a
// check started when Explorer releases the extension never waits for ever on a server that is silent.
#include <windows.h>

#include <cstdint>
#include <string>

inline constexpr wchar_t kUserAgent[] = L"Brivane Automatic Update";
// The home page of a well-known public site, fetched over plain HTTP to tell whether the Internet can
// be reached at all.
inline constexpr wchar_t kProbeUrl[] = L"http://www.example.com/";

struct NetworkLimits {
  DWORD connectMs = 15000;             // to open a connection
  DWORD receiveMs = 30000;             // each wait for the server, sending or receiving
  uint64_t totalMs = 30 * 60 * 1000;   // one whole download
  uint64_t maxBytes = 1ull << 30;      // one whole download

  // The same waits, for a file that is small by nature (the version file).
  NetworkLimits Small() const {
    NetworkLimits small = *this;
    small.totalMs = totalMs < 60000 ? totalMs : 60000;
    small.maxBytes = 64 * 1024;
    return small;
  }
};

// Asks the system whether any network connection is configured; writes one trace line per state flag.
bool IsConnectionConfigured();

// Whether the probe answers with any HTTP response.
bool CanReachInternet(const NetworkLimits& limits = {});

// Stores the body behind url in folder (which ends in a backslash) under DownloadFileName(url). Only
// HTTP and HTTPS are fetched, and only a 200 answer is stored: an error page, a body larger than the
// limit, a transfer that breaks off or runs out of time leave nothing behind.
bool DownloadFile(const std::wstring& url, const std::wstring& folder, const NetworkLimits& limits = {});

// The file name a download is stored under: the text after the URL's last "/". Empty when there is
// none, or when it cannot stand as a plain name inside the folder: a name with a path separator, a
// drive colon, "..", or another character that a file name cannot hold.
std::wstring DownloadFileName(const std::wstring& url);
