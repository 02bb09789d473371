#pragma once
// What BrivaneDecrypt.exe does, apart from the decryption itself: Explorer starts it for an encrypted
// file as
//   "C:\Program Files\Brivane\BrivaneDecrypt.exe" "C:\Users\me\report.doc.qxenc"
// and one opener at a time shows its dialog: a named mutex, the program's own file name, serialises
// them across processes.
#include <windows.h>

#include <functional>
#include <string>

// The file's path: from just after the third double quote of the command line (the first two enclose
// the program) up to the next one or the end. Empty with fewer than three quotes. Any length.
std::wstring EncryptedPathFromCommandLine(const std::wstring& commandLine);

// The mutex's name: the program's file name with its extension, without any folder.
std::wstring OpenerMutexName(const std::wstring& modulePath);

// How long an opener waits for the one before it to finish.
constexpr DWORD kOpenerWaitMs = 1000;

namespace opener_exit {
enum : DWORD {
  Done = 0,
  Busy = 1,     // another opener kept the mutex for longer than the wait: nothing was shown
  NoMutex = 2,  // the mutex could not be made or waited for: nothing was shown
};
}

// Takes the mutex named after the program (an abandoned one counts: its owner ended without letting
// go), runs decrypt with the command line's path while holding it, and lets go. Returns the exit code.
DWORD RunOpener(const std::wstring& commandLine, const std::wstring& modulePath,
                const std::function<void(const std::wstring& path)>& decrypt);
