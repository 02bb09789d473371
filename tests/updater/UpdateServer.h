#pragma once
// The tests' web host: update_server.py on 127.0.0.1, started and stopped by CTest around this program
// (the update_server fixture), and reached by the code under test as its proxy, through the prefix's
// per-user Internet settings, so that the updater's URLs stay as shipped.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

class UpdateServer {
 public:
  // The server started for this run; port 0 when none runs.
  static UpdateServer& Get();
  int port() const { return port_; }

  // What url answers from now on: a status and body, or a mode: "hang" (no answer) or "drop" (the
  // connection closes without one).
  bool Serve(const std::wstring& url, const std::string& body, int status = 200, const char* mode = "normal");
  // Forgets every route and the request log.
  bool Reset();
  // The proxied requests so far, one a line: "GET http://host/path|user agent".
  std::vector<std::string> Log();
  // How many requests for the URL (written as http://host/path) the log holds.
  int Requests(const std::string& url);

 private:
  UpdateServer();
  bool Control(const wchar_t* verb, const std::wstring& object, const std::string& body, std::string* answer);
  int port_ = 0;
};

// Points the prefix's per-user proxy setting (what INTERNET_OPEN_TYPE_PRECONFIG reads) at the server
// while it lives, and puts the old values back afterwards.
class ProxyToServer {
 public:
  explicit ProxyToServer(int port);
  ~ProxyToServer();
  ProxyToServer(const ProxyToServer&) = delete;
  ProxyToServer& operator=(const ProxyToServer&) = delete;

 private:
  struct Saved {
    const wchar_t* name;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    bool present = false;
  };
  std::vector<Saved> saved_;
};

// The base of every test that reaches the network: the proxy for the whole suite, and for each test a
// server that has forgotten the last one and answers the connectivity probe.
class NetworkTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  void SetUp() override;
  UpdateServer& server() { return UpdateServer::Get(); }
};

// Where the builds puts the updater's test data: the recording installer and the releases signed for it.
std::wstring TestDataFolder();
// The build folder: Brivane.dll, BrivaneUpdater.exe.
std::wstring BuildFolder();
