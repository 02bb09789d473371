#include "UpdateServer.h"

#include <wininet.h>

#include <algorithm>
#include <sstream>

#include "support/TestSupport.h"


namespace {

constexpr wchar_t kInternetSettings[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

std::wstring ExeFolder() {
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring self(path, length);
  return self.substr(0, self.rfind(L'\\'));
}

std::wstring Encoded(const std::wstring& text) {
  std::wstring out;
  for (wchar_t c : text) {
    if (iswalnum(c) || wcschr(L"-._~", c)) {
      out.push_back(c);
    } else {
      wchar_t hex[8];
      swprintf(hex, 8, L"%%%02X", unsigned(c & 0xFF));
      out += hex;
    }
  }
  return out;
}

struct Internet {
  HINTERNET handle;
  explicit Internet(HINTERNET h) : handle(h) {}
  ~Internet() {
    if (handle) InternetCloseHandle(handle);
  }
};

}  // namespace

std::wstring BuildFolder() { return ExeFolder().substr(0, ExeFolder().rfind(L'\\')); }
std::wstring TestDataFolder() { return ExeFolder() + L"\\updater-data\\"; }

UpdateServer& UpdateServer::Get() {
  static UpdateServer server;
  return server;
}

UpdateServer::UpdateServer() {
  port_ = atoi(ReadBytes(ExeFolder() + L"\\update-server\\port").c_str());
}

bool UpdateServer::Control(const wchar_t* verb, const std::wstring& object, const std::string& body, std::string* answer) {
  // Straight to the server, never through the proxy setting the tests change.
  Internet session(InternetOpenW(L"Brivane tests", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
  Internet connection(session.handle ? InternetConnectW(session.handle, L"127.0.0.1", INTERNET_PORT(port_), nullptr,
                                                        nullptr, INTERNET_SERVICE_HTTP, 0, 0)
                                     : nullptr);
  Internet request(connection.handle ? HttpOpenRequestW(connection.handle, verb, object.c_str(), nullptr, nullptr,
                                                        nullptr, INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0)
                                     : nullptr);
  if (!request.handle ||
      !HttpSendRequestW(request.handle, nullptr, 0, const_cast<char*>(body.data()), DWORD(body.size())))
    return false;
  DWORD status = 0, size = sizeof status;
  HttpQueryInfoW(request.handle, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr);
  if (answer) {
    char buffer[4096];
    DWORD read = 0;
    while (InternetReadFile(request.handle, buffer, sizeof buffer, &read) && read) answer->append(buffer, read);
  }
  return status / 100 == 2;
}

bool UpdateServer::Serve(const std::wstring& url, const std::string& body, int status, const char* mode) {
  std::wstring object = L"/__control/route?url=" + Encoded(url) + L"&status=" + std::to_wstring(status) + L"&mode=" +
                        std::wstring(mode, mode + strlen(mode));
  return Control(L"PUT", object, body, nullptr);
}

bool UpdateServer::Reset() { return port_ && Control(L"POST", L"/__control/reset", "", nullptr); }

std::vector<std::string> UpdateServer::Log() {
  std::string text;
  Control(L"GET", L"/__control/log", "", &text);
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

int UpdateServer::Requests(const std::string& url) {
  auto lines = Log();
  return int(std::count_if(lines.begin(), lines.end(),
                           [&](const std::string& line) { return line.rfind("GET " + url + "|", 0) == 0; }));
}

ProxyToServer::ProxyToServer(int port) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kInternetSettings, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr))
    return;
  for (const wchar_t* name : {L"ProxyEnable", L"ProxyServer", L"ProxyOverride", L"AutoConfigURL"}) {
    Saved value{name};
    DWORD size = 0;
    if (RegQueryValueExW(key, name, nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
      value.data.resize(size);
      value.present = RegQueryValueExW(key, name, nullptr, &value.type, value.data.data(), &size) == ERROR_SUCCESS;
    }
    saved_.push_back(value);
  }
  DWORD enable = 1;
  std::wstring server = L"127.0.0.1:" + std::to_wstring(port);
  RegSetValueExW(key, L"ProxyEnable", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&enable), sizeof enable);
  RegSetValueExW(key, L"ProxyServer", 0, REG_SZ, reinterpret_cast<const BYTE*>(server.c_str()),
                 DWORD((server.size() + 1) * sizeof(wchar_t)));
  // Nothing bypasses the proxy and no script picks another.
  RegDeleteValueW(key, L"ProxyOverride");
  RegDeleteValueW(key, L"AutoConfigURL");
  RegCloseKey(key);
}

ProxyToServer::~ProxyToServer() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kInternetSettings, 0, KEY_ALL_ACCESS, &key)) return;
  for (const Saved& value : saved_) {
    if (value.present)
      RegSetValueExW(key, value.name, 0, value.type, value.data.data(), DWORD(value.data.size()));
    else
      RegDeleteValueW(key, value.name);
  }
  RegCloseKey(key);
}

namespace {
ProxyToServer* g_proxy = nullptr;
}

void NetworkTest::SetUpTestSuite() {
  if (UpdateServer::Get().port()) g_proxy = new ProxyToServer(UpdateServer::Get().port());
}

void NetworkTest::TearDownTestSuite() {
  delete g_proxy;
  g_proxy = nullptr;
}

void NetworkTest::SetUp() {
  // Without the server the updater would go to the real hosts: nothing runs then.
  ASSERT_TRUE(g_proxy && server().Reset())
      << "the tests' web host is not running: ctest starts it (the update_server fixture); by hand, "
         "python3 tests/updater/update_server.py start build/tests/update-server";
  ASSERT_TRUE(server().Serve(L"http://www.example.com/", "<html><body>Example Domain</body></html>"));
}
