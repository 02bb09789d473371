#pragma once
// Running the host's own programs (qpdf, pdfinfo, identify, exiftool, ...) from a test under Wine, as a
// user's other tools would read what the system wrote. Wine starts host executables like its own, but
// their process handles never signal; so the command runs through /bin/sh, which writes its output and
// then its exit code to files that the test waits for.
#include <string>

struct HostRun {
  bool ran = false;   // the shell started and finished within the time
  int exitCode = -1;
  std::string output;  // standard output and standard error, as the program wrote them (UTF-8)

  bool ok() const { return ran && exitCode == 0; }
};

// Runs the shell command (host paths, UTF-8) and waits up to the timeout.
HostRun RunHost(const std::string& shellCommand, unsigned timeoutMs = 120000);

// The host path of a Windows path (UTF-8), quoted for the shell; empty when Wine cannot tell.
std::string HostPathOf(const std::wstring& windowsPath);
std::string ShellQuoted(const std::string& text);
// Whether the host program exists (/usr/bin/NAME and the like); tests that need it skip without it.
bool HostHas(const std::string& program);
