#include "rename/RenameOrderList.h"

#include <shellapi.h>

#include <string>

#include "fileops/FileMachine.h"
#include "ui/Dpi.h"
#include "ui/ListColumn.h"

namespace {
constexpr int kMaxRowText = 260;

struct Row {
  wchar_t text[kMaxRowText + 1] = {};
  int image = I_IMAGENONE;
  LPARAM data = 0;
};

Row ReadRow(HWND list, int index) {
  Row row;
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
  item.iItem = index;
  item.pszText = row.text;
  item.cchTextMax = kMaxRowText + 1;
  ListView_GetItem(list, &item);
  row.image = item.iImage;
  row.data = item.lParam;
  return row;
}

void WriteRow(HWND list, int index, Row& row, bool selected) {
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
  item.iItem = index;
  item.pszText = row.text;
  item.iImage = row.image;
  item.lParam = row.data;
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = selected ? LVIS_SELECTED | LVIS_FOCUSED : 0;
  ListView_SetItem(list, &item);
}

// The shell's small icon for the item, chosen by its kind and name alone (no disk access for the icon).
HICON SmallIconFor(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  bool folder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
  SHFILEINFOW info{};
  if (!SHGetFileInfoW(path.c_str(), folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                      SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES))
    return nullptr;
  return info.hIcon;
}
}  // namespace

void RenameOrderList::Fill(HWND list, const PathList& paths) {
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT;
  column.pszText = const_cast<wchar_t*>(L"File Name");
  ListView_InsertColumn(list, 0, &column);
  // The shell hands out small icons at the system's small-icon size for the DPI.
  int iconSize = SmallIconSize(WindowDpi(list));
  images_.reset(ImageList_Create(iconSize, iconSize, ILC_COLOR32 | ILC_MASK, int(paths.size()), 8));
  ListView_SetImageList(list, images_.get(), LVSIL_SMALL);

  rowPaths_ = paths;
  for (size_t i = 0; i < paths.size(); ++i) {
    UniqueIcon icon(SmallIconFor(paths[i]));
    int image = icon ? ImageList_AddIcon(images_.get(), icon.get()) : -1;
    if (icon) icons_.push_back(std::move(icon));
    std::wstring name = SplitPath(paths[i]).name.substr(0, kMaxRowText);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = int(i);
    item.pszText = name.data();
    item.iImage = image >= 0 ? image : I_IMAGENONE;
    item.lParam = LPARAM(i);
    ListView_InsertItem(list, &item);
  }
  FitOnlyColumn(list);
}

void RenameOrderList::MoveSelected(HWND list, int step) const {
  int selected = ListView_GetNextItem(list, -1, LVNI_SELECTED);
  int other = selected + step;
  if (selected < 0 || other < 0 || other >= ListView_GetItemCount(list)) return;
  Row moving = ReadRow(list, selected);
  Row staying = ReadRow(list, other);
  WriteRow(list, other, moving, true);
  WriteRow(list, selected, staying, false);
  ListView_EnsureVisible(list, other, FALSE);
}

PathList RenameOrderList::Paths(HWND list) const {
  PathList paths;
  int count = ListView_GetItemCount(list);
  for (int i = 0; i < count; ++i) {
    size_t index = size_t(ReadRow(list, i).data);
    if (index < rowPaths_.size()) paths.push_back(rowPaths_[index]);
  }
  return paths;
}
