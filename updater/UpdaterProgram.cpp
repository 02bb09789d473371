#include "updater/UpdaterProgram.h"

#include "updater/UpdateWindow.h"

std::vector<std::wstring> SplitCommandLine(std::wstring_view line) {
  constexpr size_t kKept = 3;
  std::vector<std::wstring> tokens(1);
  bool quoted = false;
  for (wchar_t c : line) {
    if (c == L' ' && !quoted) {
      if (tokens.size() == kKept) break;
      tokens.emplace_back();
      continue;
    }
    if (c == L'"') quoted = !quoted;
    tokens.back().push_back(c);
  }
  return tokens;
}

bool IsSilentCommandLine(const std::vector<std::wstring>& tokens) { return tokens.size() > 1 && tokens[1] == L"/Silent"; }

int RunUpdater(std::wstring_view commandLine, const BrivaneUpdater& updater) {
  bool silent = IsSilentCommandLine(SplitCommandLine(commandLine));
  if (silent) {
    BrivaneUpdater check(updater);
    if (!IsConnectionConfigured() || !CanReachInternet(check.Limits()) || !check.CheckForNewVersion()) return 0;
  }
  CUpdateWindow window(silent, updater);
  return int(window.Run());
}
