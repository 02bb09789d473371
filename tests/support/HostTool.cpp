#include "support/HostTool.h"

#include <windows.h>

#include <cstring>

#include "support/TestSupport.h"

std::string HostPathOf(const std::wstring& windowsPath) {
  using UnixName = char* (*)(const wchar_t*);
  auto unixName = reinterpret_cast<UnixName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  char* name = unixName ? unixName(windowsPath.c_str()) : nullptr;
  if (!name) return {};
  std::string host(name);
  HeapFree(GetProcessHeap(), 0, name);
  return host;
}

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

HostRun RunHost(const std::string& shellCommand, unsigned timeoutMs) {
  HostRun run;
  TempDir scratch;
  std::wstring script = scratch / L"run.sh", output = scratch / L"output.txt", done = scratch / L"done.txt";
  std::string body = "(" + shellCommand + ") > " + ShellQuoted(HostPathOf(output)) + " 2>&1\necho $? > " +
                     ShellQuoted(HostPathOf(done) + ".part") + "\nmv " + ShellQuoted(HostPathOf(done) + ".part") +
                     " " + ShellQuoted(HostPathOf(done)) + "\n";
  scratch.File(L"run.sh", body);
  std::string hostScript = HostPathOf(script);
  if (hostScript.empty()) return run;
  std::wstring commandLine = L"/bin/sh " + std::wstring(hostScript.begin(), hostScript.end());
  STARTUPINFOW startup{sizeof startup};
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(L"Z:\\bin\\sh", commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return run;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(20)) {
    if (GetFileAttributesW(done.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
    run.ran = true;
    run.exitCode = std::atoi(ReadBytes(done).c_str());
    run.output = ReadBytes(output);
    break;
  }
  return run;
}

bool HostHas(const std::string& program) { return RunHost("command -v " + ShellQuoted(program), 20000).ok(); }
