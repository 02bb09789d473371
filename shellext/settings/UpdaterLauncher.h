#pragma once
// Starting the updater program that lies beside this library, and the automatic update schedule
// that every shell-extension object runs when Explorer releases it.
#include <string>

inline constexpr wchar_t kUpdaterFileName[] = L"BrivaneUpdater.exe";

// This module's folder + "\BrivaneUpdater.exe"; empty when the module's file name cannot be had.
std::wstring UpdaterPath();

// Starts a program with the shell (no error window of its own); parameters may be null. True when
// it started. Tests install their own starter; null restores the shell.
using ProgramStarter = bool (*)(const std::wstring& program, const wchar_t* parameters);
void SetProgramStarter(ProgramStarter starter);
bool StartProgram(const std::wstring& program, const wchar_t* parameters);

// When the configured number of days has passed since the last check: starts the updater with
// "/Silent" and stores the time, whether or not it started. A clock that went back stores the time.
void RunAutomaticUpdateSchedule();
