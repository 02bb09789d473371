#include "shellext/settings/DesktopFolders.h"

#include <windows.h>
#include <shlobj.h>

DesktopFolders QueryDesktopFolders() {
  wchar_t user[MAX_PATH] = L"", common[MAX_PATH] = L"";
  SHGetSpecialFolderPathW(nullptr, user, CSIDL_DESKTOPDIRECTORY, FALSE);
  SHGetSpecialFolderPathW(nullptr, common, CSIDL_COMMON_DESKTOPDIRECTORY, FALSE);
  return {user, common};
}
