#include "shellext/com/SelectionAttributes.h"

#include "shellext/com/ShellIdListArray.h"

namespace {
bool EndsWithName(std::wstring_view path, const std::wstring& name) {
  return !name.empty() && path.size() > name.size() && path[path.size() - name.size() - 1] == L'\\' &&
         path.compare(path.size() - name.size(), name.size(), name) == 0;
}
}  // namespace

KnownAttributes ReadShellAttributes(IDataObject* data, const PathViews& paths, IShellFolder* viewFolder,
                                    bool mayBind) {
  if (!data || (!mayBind && !viewFolder)) return {};
  ShellIdListArray items(data);
  if (!items.Locked() || items.Count() != paths.size()) return {};
  if (!(mayBind ? items.UseParentFolder(viewFolder) : items.UseFolderIfParent(viewFolder))) return {};
  KnownAttributes known(paths.size(), 0);
  std::wstring name;
  for (UINT i = 0; i < items.Count(); ++i) {
    DWORD attributes = items.FileAttributes(i, &name);
    if (EndsWithName(paths[i], name)) known[i] = attributes;
  }
  return known;
}
