#include "updater/Network.h"

#include <wininet.h>
#include <shlwapi.h>

#include <algorithm>
#include <cwctype>
#include <vector>

#include "atl/Handles.h"
#include "base/Trace.h"

namespace {

struct InternetTraits {
  static HINTERNET Invalid() { return nullptr; }
  static bool Valid(HINTERNET handle) { return handle != nullptr; }
  static void Close(HINTERNET handle) { InternetCloseHandle(handle); }
};
using UniqueInternet = UniqueHandle<HINTERNET, InternetTraits>;

UniqueInternet OpenSession() {
  return UniqueInternet(InternetOpenW(kUserAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
}

// Windows passes the limits of a session on to its connections; Wine reads them from the connection
// and the request only. Setting them on every level holds on both.
void SetLimits(HINTERNET handle, const NetworkLimits& limits) {
  DWORD connect = limits.connectMs, receive = limits.receiveMs, retries = 1;
  InternetSetOptionW(handle, INTERNET_OPTION_CONNECT_TIMEOUT, &connect, sizeof connect);
  InternetSetOptionW(handle, INTERNET_OPTION_CONNECT_RETRIES, &retries, sizeof retries);
  InternetSetOptionW(handle, INTERNET_OPTION_SEND_TIMEOUT, &receive, sizeof receive);
  InternetSetOptionW(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, &receive, sizeof receive);
  InternetSetOptionW(handle, INTERNET_OPTION_DATA_SEND_TIMEOUT, &receive, sizeof receive);
  InternetSetOptionW(handle, INTERNET_OPTION_DATA_RECEIVE_TIMEOUT, &receive, sizeof receive);
}

// One GET request, sent: its connection and request handles. A request made through the session's
// connection, rather than InternetOpenUrlW, so that the limits are in place before anything is sent.
struct Request {
  UniqueInternet connection;
  UniqueInternet request;

  // The HTTP status of the answer; 0 when there was none.
  DWORD Status() const {
    DWORD status = 0, size = sizeof status;
    if (!HttpQueryInfoW(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
      return 0;
    return status;
  }
  // The announced length of the body, or -1 when none was announced.
  int64_t ContentLength() const {
    wchar_t text[32] = L"";
    DWORD size = sizeof text;
    if (!HttpQueryInfoW(request.get(), HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr)) return -1;
    return _wcstoi64(text, nullptr, 10);
  }
};

// Sends a GET for an http:// or https:// URL; false (with the request left empty) when the URL is of
// another kind or the server could not be reached or did not answer in time.
bool SendGet(HINTERNET session, const std::wstring& url, const NetworkLimits& limits, Request& out) {
  URL_COMPONENTSW parts = {sizeof parts};
  std::vector<wchar_t> host(INTERNET_MAX_HOST_NAME_LENGTH + 1), path(url.size() + 1), extra(url.size() + 1);
  parts.lpszHostName = host.data();
  parts.dwHostNameLength = DWORD(host.size());
  parts.lpszUrlPath = path.data();
  parts.dwUrlPathLength = DWORD(path.size());
  parts.lpszExtraInfo = extra.data();
  parts.dwExtraInfoLength = DWORD(extra.size());
  if (!InternetCrackUrlW(url.c_str(), DWORD(url.size()), 0, &parts)) return false;
  if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) return false;

  SetLimits(session, limits);
  out.connection.reset(
      InternetConnectW(session, host.data(), parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
  if (!out.connection) return false;
  SetLimits(out.connection.get(), limits);

  // Always from the server: a cached version file would hide a newer version.
  DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE |
                INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_AUTH;
  if (parts.nScheme == INTERNET_SCHEME_HTTPS) flags |= INTERNET_FLAG_SECURE;
  std::wstring object = std::wstring(path.data()) + extra.data();
  if (object.empty()) object = L"/";
  out.request.reset(HttpOpenRequestW(out.connection.get(), L"GET", object.c_str(), nullptr, nullptr, nullptr, flags, 0));
  if (!out.request) return false;
  SetLimits(out.request.get(), limits);
  if (!HttpSendRequestW(out.request.get(), nullptr, 0, nullptr, 0)) {
    out.request.reset();
    return false;
  }
  return true;
}

bool IsReservedDeviceName(const std::wstring& name) {
  std::wstring stem = name.substr(0, name.find(L'.'));
  while (!stem.empty() && stem.back() == L' ') stem.pop_back();
  std::transform(stem.begin(), stem.end(), stem.begin(), [](wchar_t c) { return wchar_t(std::towupper(c)); });
  static const wchar_t* const kDevices[] = {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};
  for (const wchar_t* device : kDevices)
    if (stem == device) return true;
  return stem.size() == 4 && (stem.compare(0, 3, L"COM") == 0 || stem.compare(0, 3, L"LPT") == 0) &&
         stem[3] >= L'1' && stem[3] <= L'9';
}

}  // namespace

bool IsConnectionConfigured() {
  DWORD flags = 0;
  if (!InternetGetConnectedState(&flags, 0)) {
    trace::Line(L"NO CONNECTION");
    return false;
  }
  static const struct {
    DWORD flag;
    const wchar_t* line;
  } kStates[] = {
      {INTERNET_CONNECTION_CONFIGURED, L"Connection configured"},
      {INTERNET_CONNECTION_LAN, L"Connection LAN"},
      {INTERNET_CONNECTION_MODEM, L"Connection Modem"},
      {INTERNET_CONNECTION_MODEM_BUSY, L"Connection Modem Busy"},
      {INTERNET_CONNECTION_OFFLINE, L"Connection Offline"},
      {INTERNET_CONNECTION_PROXY, L"Connection Proxy"},
      {INTERNET_RAS_INSTALLED, L"Connection RAS Installed"},
  };
  for (const auto& state : kStates)
    if (flags & state.flag) trace::Line(state.line);
  return true;
}

bool CanReachInternet(const NetworkLimits& limits) {
  UniqueInternet session = OpenSession();
  Request probe;
  bool reached = session && SendGet(session.get(), kProbeUrl, limits, probe) && probe.Status() != 0;
  trace::Write(L"CanReachInternet: ", kProbeUrl, reached ? L" is reachable" : L" is not reachable");
  return reached;
}

std::wstring DownloadFileName(const std::wstring& url) {
  size_t slash = url.rfind(L'/');
  if (slash == std::wstring::npos) return {};
  std::wstring name = url.substr(slash + 1);
  if (name.empty() || name == L"." || name.find(L"..") != std::wstring::npos) return {};
  for (wchar_t c : name)
    if (c < 0x20 || wcschr(L"\"<>|:*?\\/", c)) return {};
  // Windows drops trailing dots and spaces from a name: what is stored would not be what was checked.
  if (name.back() == L'.' || name.back() == L' ' || IsReservedDeviceName(name)) return {};
  return name;
}

bool DownloadFile(const std::wstring& url, const std::wstring& folder, const NetworkLimits& limits) {
  if (!PathFileExistsW(folder.c_str())) {
    trace::Line(L"Folder not found !");
    return false;
  }
  UniqueInternet session = OpenSession();
  if (!session) {
    trace::Line(L"Error at InternetOpen");
    return false;
  }
  std::wstring name = DownloadFileName(url);
  if (name.empty()) {
    trace::Write(L"DownloadFile: refused to store ", url, L": its last segment is no plain file name");
    return false;
  }
  ULONGLONG started = GetTickCount64();
  Request get;
  if (!SendGet(session.get(), url, limits, get)) {
    trace::Write(L"DownloadFile: no answer for ", url);
    return false;
  }
  DWORD status = get.Status();
  if (status != HTTP_STATUS_OK) {
    trace::Write(L"DownloadFile: ", url, L" answered with HTTP status ", std::to_wstring(status));
    return false;
  }
  if (get.ContentLength() > int64_t(limits.maxBytes)) {
    trace::Write(L"DownloadFile: ", url, L" is larger than ", std::to_wstring(limits.maxBytes), L" bytes");
    return false;
  }

  // The body goes to a file of its own first; only a complete one takes the name.
  std::wstring target = folder + name;
  std::wstring partial = target + L".download";
  bool complete = false;
  {
    UniqueFile file(CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
      trace::Write(L"DownloadFile: cannot create ", partial);
      return false;
    }
    std::vector<char> buffer(64 * 1024);
    uint64_t total = 0;
    for (;;) {
      DWORD read = 0;
      if (!InternetReadFile(get.request.get(), buffer.data(), DWORD(buffer.size()), &read)) {
        trace::Write(L"DownloadFile: the transfer of ", url, L" broke off");
        break;
      }
      if (read == 0) {
        complete = true;
        break;
      }
      total += read;
      DWORD written = 0;
      if (total > limits.maxBytes) {
        trace::Write(L"DownloadFile: ", url, L" is larger than ", std::to_wstring(limits.maxBytes), L" bytes");
        break;
      }
      if (!WriteFile(file.get(), buffer.data(), read, &written, nullptr) || written != read) {
        trace::Write(L"DownloadFile: cannot write ", partial);
        break;
      }
      if (GetTickCount64() - started > limits.totalMs) {
        trace::Write(L"DownloadFile: ", url, L" took longer than its time limit");
        break;
      }
    }
  }
  if (complete && !MoveFileExW(partial.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    trace::Write(L"DownloadFile: cannot store ", target);
    complete = false;
  }
  if (!complete) DeleteFileW(partial.c_str());
  return complete;
}
