#pragma once
// The context-menu handlers registered for a kind of click: the entries under
// <class>\shellex\ContextMenuHandlers, read as Explorer reads them through HKEY_CLASSES_ROOT, which merges
// the per-user classes (HKCU\Software\Classes, which win) over the machine's. Wine's HKEY_CLASSES_ROOT
// holds the machine's alone, so both are read here.
#include <windows.h>

#include <string>
#include <vector>

struct HandlerEntry {
  std::wstring name;   // the key under ContextMenuHandlers
  std::wstring clsid;  // {…} as registered
  CLSID id;
};

// Handlers of the given classes in order (each class's entries sorted by name), each class id once.
// Entries whose value is not a class id are skipped with a note.
std::vector<HandlerEntry> FindContextMenuHandlers(const std::vector<std::wstring>& classes);

// Creates the handler as Explorer does. Wine's COM looks for class ids among the machine's classes only;
// a handler registered per user is loaded here from its InprocServer32 under HKCU\Software\Classes, as
// the merged HKEY_CLASSES_ROOT of Windows would find it.
HRESULT CreateHandler(const CLSID& id, REFIID riid, void** object);

// The classes whose handlers Explorer loads for items (AllFilesystemObjects, plus lnkfile when the
// focused item is a shortcut) and for a background click (Directory\Background).
std::vector<std::wstring> ItemClasses(const std::wstring& firstItemName);
std::vector<std::wstring> BackgroundClasses();
