#include "shellext/settings/UpdaterLauncher.h"

#include <windows.h>
#include <shellapi.h>

#include "atl/Module.h"
#include "base/ParentFolder.h"
#include "base/Trace.h"
#include "shellext/settings/BrivaneSettings.h"
#include "shellext/settings/SettingsSnapshot.h"

namespace {

bool ShellStart(const std::wstring& program, const wchar_t* parameters) {
  auto instance = ShellExecuteW(nullptr, nullptr, program.c_str(), parameters, nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(instance) > 32;
}

ProgramStarter g_starter = nullptr;

}  // namespace

std::wstring UpdaterPath() {
  std::wstring module = ModuleFilePath();
  if (module.empty()) return {};
  return ParentFolder(module) + L"\\" + kUpdaterFileName;
}

void SetProgramStarter(ProgramStarter starter) { g_starter = starter; }

bool StartProgram(const std::wstring& program, const wchar_t* parameters) {
  return g_starter ? g_starter(program, parameters) : ShellStart(program, parameters);
}

void RunAutomaticUpdateSchedule() {
  // From the snapshot: every release of a menu's object runs this, and it is seldom due.
  std::shared_ptr<const SettingsSnapshot> stored = CurrentSettings();
  uint32_t interval = stored->updatesInterval;
  int32_t days = DaysSince(stored->lastCheckedForUpdates);
  if (days < 0) SetLastCheckedForUpdates();
  if (interval >= 1 && int64_t(days) >= int64_t(interval)) {
    // Due by the snapshot. The stored values decide: the release just before may have started the
    // updater, and its note of the time may not have reached the snapshot yet.
    interval = BrivaneSettings().GetAutomaticUpdatesInterval();
    days = DaysSinceLastUpdateCheck();
    if (interval < 1 || int64_t(days) < int64_t(interval)) return;
    std::wstring updater = UpdaterPath();
    if (!updater.empty() && !StartProgram(updater, L"/Silent"))
      trace::Write(L"RunAutomaticUpdateSchedule: Could not start ", updater);
    SetLastCheckedForUpdates();
  }
}
