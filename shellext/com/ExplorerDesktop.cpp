// The Explorer controller on the desktop: collects the desktop view's icons for the desktop sorter, and
// stores and repeats the last sort.
#include <shlobj.h>
#include <shlwapi.h>

#include "base/Trace.h"
#include "desktop/DesktopSorter.h"
#include "shellext/com/ExplorerController.h"
#include "shellext/com/ShellIdListArray.h"
#include "shellext/settings/SettingsRegistry.h"

namespace {

std::wstring Lowered(std::wstring text) {
  if (!text.empty()) CharLowerBuffW(text.data(), DWORD(text.size()));
  return text;
}

std::wstring SpecialFolder(int csidl) {
  wchar_t path[MAX_PATH] = L"";
  return SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE) ? Lowered(path) : std::wstring();
}

// The folder itself or anything inside it; an unknown folder holds nothing.
bool InsideFolder(const std::wstring& loweredPath, const std::wstring& folder) {
  if (folder.empty() || loweredPath.compare(0, folder.size(), folder) != 0) return false;
  return loweredPath.size() == folder.size() || loweredPath[folder.size()] == L'\\' || folder.back() == L'\\';
}

std::wstring DisplayName(IShellFolder* folder, PCUITEMID_CHILD item) {
  STRRET name{};
  wchar_t text[MAX_PATH] = L"";
  if (!folder || FAILED(folder->GetDisplayNameOf(item, SHGDN_NORMAL, &name)) ||
      FAILED(StrRetToBufW(&name, item, text, MAX_PATH)))
    return {};
  return text;
}

}  // namespace

bool SaveLastDesktopSort(const DesktopSortSettings& settings) {
  return settings_registry::WriteRecord(settings_registry::kLastDesktopSortData, &settings, sizeof settings);
}

bool ExplorerController::LoadLastDesktopSort(DesktopSortSettings& settings) {
  DesktopSortSettings read = settings;
  if (!settings_registry::ReadRecord(settings_registry::kLastDesktopSortData, &read, sizeof read)) return false;
  MendStoredRecord(read);
  settings = read;
  return true;
}

bool ExplorerController::RedoLastDesktopSort(bool doNotAsk) {
  DesktopSortSettings settings = DefaultDesktopSortSettings();
  LoadLastDesktopSort(settings);
  return SortDesktop(settings, false, doNotAsk);
}

bool ExplorerController::SortDesktop(DesktopSortSettings& settings, bool newSort, bool doNotAsk) {
  try {
    if (newSort) ClearPreviousWallpaper(settings);
    if (!view_ || !folderView_) return false;
    ComPtr<IDataObject> all = ItemObject(SVGIO_ALLVIEW);
    if (!all) return false;
    DeselectAllByIndex();
    // The array stays locked while the sorter holds its item lists.
    ShellIdListArray items(all.get());
    if (!items.Locked()) return false;
    ComPtr<IShellFolder> folder = ViewFolder();
    if (!folder) SHGetDesktopFolder(folder.put());
    items.UseParentFolder(folder.get());
    const std::wstring userDesktop = SpecialFolder(CSIDL_DESKTOPDIRECTORY);
    const std::wstring commonDesktop = SpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY);

    DesktopSorter sorter(folderView_.get(), *desktopPlatform_);
    std::wstring path;
    for (UINT i = 0; i < items.Count(); ++i) {
      PCUITEMID_CHILD item = items.Item(i);
      if (!items.Path(i, path)) {
        sorter.AddItem(item, desktop_kind::Virtual, DisplayName(folder.get(), item));
        continue;
      }
      DWORD attributes = items.FileAttributes(i);
      if (!attributes) attributes = GetFileAttributesW(path.c_str());
      if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        sorter.AddItem(item, desktop_kind::File, path);
        continue;
      }
      std::wstring lowered = Lowered(path);
      bool onDesktop = InsideFolder(lowered, userDesktop) || InsideFolder(lowered, commonDesktop);
      sorter.AddItem(item, onDesktop ? desktop_kind::DesktopFolder : desktop_kind::OtherFolder, path);
    }
    sorter.SetDoNotAsk(doNotAsk);
    if (sorter.Sort(settings) == DesktopSorter::Outcome::Kept && !SaveLastDesktopSort(sorter.Settings()))
      trace::Write(L"ExplorerController::SortDesktop: the sort could not be stored");
    view_->UIActivate(SVUIA_ACTIVATE_FOCUS);
    return true;
  } catch (...) {
    trace::Write(L"ExplorerController::SortDesktop: out of memory");
    return false;
  }
}
