#pragma once
// The only way the system copies, moves, deletes and renames: one SHFileOperationW request each.
#include <windows.h>

#include <string>

#include "base/PathList.h"

// Empty marker base of the operation objects.
struct BrivaneElement {};

class FileOperation : public BrivaneElement {
 public:
  FileOperation(HWND owner, const std::wstring& source, const std::wstring& target, bool confirm, bool silent,
                bool allowUndo);
  virtual ~FileOperation() = default;

  // Runs the request once; true when the shell returned 0. Paths of 260 characters or more are refused.
  virtual bool execute() = 0;

  // The FOF_ flag word built from the three switches.
  UINT FlagWord() const;
  // The double-zero-terminated source list: extra sources first, then the single source.
  std::wstring SourceBlock() const;

  HWND owner;
  wchar_t source[MAX_PATH];
  wchar_t target[MAX_PATH];
  PathList extraSources;
  bool confirm;
  bool silent;
  bool allowUndo;
  std::wstring name;

 protected:
  bool Run(UINT function);

 private:
  // A move that also merges folders into existing ones and moves several sources one by one.
  int Move();


  std::wstring tooLong_;  // the first path that did not fit, if any
};

class CopyFileOperation : public FileOperation {
 public:
  CopyFileOperation(HWND owner, const std::wstring& source, const std::wstring& target, bool confirm, bool silent,
                    bool allowUndo);
  bool execute() override { return Run(FO_COPY); }
};

class MoveFileOperation : public FileOperation {
 public:
  MoveFileOperation(HWND owner, const std::wstring& source, const std::wstring& target, bool confirm, bool silent,
                    bool allowUndo);
  bool execute() override { return Run(FO_MOVE); }
};

class DeleteFileOperation : public FileOperation {
 public:
  DeleteFileOperation(HWND owner, const std::wstring& path, bool silent, bool allowUndo);
  bool execute() override { return Run(FO_DELETE); }
};

class RenameFileOperation : public FileOperation {
 public:
  RenameFileOperation(HWND owner, const std::wstring& oldPath, const std::wstring& newPath, bool confirm, bool silent);
  bool execute() override { return Run(FO_RENAME); }
};

// A unique empty file made in the folder, named by the first three characters of the prefix, up to four
// hexadecimal digits and ".tmp" ("mrvXXXX.tmp"); empty when the folder refuses it.
std::wstring MakeTempFileName(const std::wstring& folder, const wchar_t* prefix = L"mrvtmp");
// A unique empty file named after a path beside it: the path, ".~" and three hexadecimal digits
// ("data.bin.~3F2"). Five characters longer than that path, so it fits wherever a sibling such as
// "data.bin.qxs0" does, however deep the folder. Empty when none can be made.
std::wstring MakeScratchFileBeside(const std::wstring& path);
