#include "tools/explorer/MenuReader.h"

#include "tools/explorer/Options.h"

namespace {

std::wstring ItemText(HMENU menu, UINT position) {
  MENUITEMINFOW info = {sizeof info};
  info.fMask = MIIM_STRING;
  if (!GetMenuItemInfoW(menu, position, TRUE, &info) || info.cch == 0) return L"";
  std::wstring text(size_t(info.cch) + 1, L'\0');
  info.dwTypeData = text.data();
  info.cch = UINT(text.size());
  if (!GetMenuItemInfoW(menu, position, TRUE, &info)) return L"";
  text.resize(wcslen(text.c_str()));
  return text;
}

bool SameText(const std::wstring& a, const std::wstring& b, bool ignoreCase) {
  return CompareStringOrdinal(a.c_str(), int(a.size()), b.c_str(), int(b.size()), ignoreCase) == CSTR_EQUAL;
}

}  // namespace

std::wstring WithoutMnemonics(const std::wstring& text) {
  std::wstring shown;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'&' && i + 1 < text.size()) ++i;
    else if (text[i] == L'&') continue;
    shown.push_back(text[i]);
  }
  return shown;
}

std::vector<MenuNode> ReadMenu(HMENU menu, const SubmenuOpening& opening) {
  std::vector<MenuNode> entries;
  int count = GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    MENUITEMINFOW info = {sizeof info};
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
    if (!GetMenuItemInfoW(menu, UINT(position), TRUE, &info)) continue;
    MenuNode node;
    if (info.fType & MFT_SEPARATOR) {
      entries.push_back(node);
      continue;
    }
    node.kind = info.hSubMenu ? MenuNode::Kind::Submenu : MenuNode::Kind::Command;
    node.command = info.wID;
    node.greyed = (info.fState & (MF_GRAYED | MF_DISABLED)) != 0;
    node.text = WithoutMnemonics(ItemText(menu, UINT(position)));
    if (node.text.empty()) node.text = (info.fType & MFT_OWNERDRAW) ? L"(owner-drawn)" : L"(no text)";
    if (info.hSubMenu) {
      if (opening) opening(info.hSubMenu, UINT(position));
      node.children = ReadMenu(info.hSubMenu, opening);
    }
    entries.push_back(std::move(node));
  }
  return entries;
}

void TidySeparators(std::vector<MenuNode>& entries) {
  std::vector<MenuNode> kept;
  for (MenuNode& node : entries) {
    bool separator = node.kind == MenuNode::Kind::Separator;
    if (separator && (kept.empty() || kept.back().kind == MenuNode::Kind::Separator)) continue;
    kept.push_back(std::move(node));
  }
  if (!kept.empty() && kept.back().kind == MenuNode::Kind::Separator) kept.pop_back();
  entries = std::move(kept);
}

std::wstring MenuLines(const std::vector<MenuNode>& entries) {
  std::wstring text;
  for (const MenuNode& node : entries) text += MenuTreeText(node);
  return text;
}

bool FindMenuPath(const std::vector<MenuNode>& entries, const std::vector<std::wstring>& path,
                  std::vector<MenuPathStep>& steps, std::wstring& error) {
  steps.clear();
  const std::vector<MenuNode>* level = &entries;
  std::vector<std::wstring> walked;
  for (const std::wstring& caption : path) {
    MenuPathStep step;
    for (bool ignoreCase : {false, true}) {
      int selectable = 0;
      for (const MenuNode& node : *level) {
        if (node.kind == MenuNode::Kind::Separator) continue;
        if (SameText(node.text, caption, ignoreCase)) {
          step = {&node, selectable};
          break;
        }
        ++selectable;
      }
      if (step.node) break;
    }
    if (!step.node) {
      std::wstring holds;
      for (const MenuNode& node : *level)
        if (node.kind != MenuNode::Kind::Separator) holds += (holds.empty() ? L"" : L", ") + node.text;
      error = L"no entry \"" + caption + L"\" in " + (walked.empty() ? L"the menu" : JoinMenuPath(walked)) +
              L" (it holds: " + (holds.empty() ? L"nothing" : holds) + L")";
      return false;
    }
    steps.push_back(step);
    walked.push_back(step.node->text);
    level = &step.node->children;
  }
  return !steps.empty();
}
