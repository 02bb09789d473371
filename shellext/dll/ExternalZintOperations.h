#pragma once
// What Brivane.dll exports besides its COM entry points: the operations other programs run in the
// library without COM, and a message hook. The encrypted-file opener links the library by import and
// includes this header alone.
//
//   ExternalZintOperations operations;
//   operations.ExternalDecryptFileDialog(L"C:\\Users\\me\\report.doc.qxenc");
//
// The only object that crosses the library's edge is the path, which the caller owns.
#include <windows.h>

#include <string>

#ifdef BRIVANE_BUILDING_DLL
#define BRIVANE_EXPORT __declspec(dllexport)
#else
#define BRIVANE_EXPORT __declspec(dllimport)
#endif

class BRIVANE_EXPORT ExternalZintOperations {
 public:
  ExternalZintOperations() = default;
  ExternalZintOperations(const ExternalZintOperations&) = default;
  ExternalZintOperations& operator=(const ExternalZintOperations& other);

  // Asks for the password of the encrypted file or folder (".qxenc") in the decryption dialog over the
  // active window, decrypts it, reports a failure, and opens what the decryption produced with its
  // associated program. Nothing is opened unless this decryption produced it.
  void ExternalDecryptFileDialog(const std::wstring& path);

  // Joins the split set the piece belongs to: the piece and the other pieces beside it of the same file
  // (the same path up to ".qxs" and digits), behind a progress window; a failure is reported. An empty
  // path does nothing.
  void ExternalJoinFileDialog(const std::wstring& path);

  // Repeats the stored last desktop sort on the desktop without asking. False when the desktop cannot
  // be reached, there is no stored sort or no view to sort.
  bool RedoLastDesktopSort();
};

extern "C" {
// A message hook (WH_GETMESSAGE) for every thread of the desktop, whose procedure is MsgHookProc in this
// library. Returns the hook, which is also kept for RemoveHook; null when it could not be set. While a
// hook is kept, calling again returns it and sets no second one.
BRIVANE_EXPORT HHOOK InstallHook();
// Passes every message on unchanged to the next hook.
BRIVANE_EXPORT LRESULT CALLBACK MsgHookProc(int code, WPARAM wparam, LPARAM lparam);
// Removes the kept hook; FALSE when none is kept or the system refuses.
BRIVANE_EXPORT BOOL RemoveHook();
}
