#include "tools/explorer/MenuShot.h"

#include "tools/explorer/ScreenCapture.h"

namespace {

constexpr UINT_PTR kShotTimer = 0x5A07;
constexpr UINT kTickMs = 250;

// The menu loop runs inside TrackPopupMenuEx; its timer is the only way back in.
struct ShotState {
  HWND owner = nullptr;
  const std::vector<MenuPathStep>* path = nullptr;
  std::wstring file;
  std::wstring error;
  bool saved = false;
  int ticks = 0;
};
thread_local ShotState* g_shot = nullptr;

void PostKey(HWND owner, WPARAM key) {
  PostMessageW(owner, WM_KEYDOWN, key, 1);
  PostMessageW(owner, WM_KEYUP, key, 0xC0000001);
}

void OpenPath(const ShotState& shot) {
  // The popup opens with nothing highlighted; the first Down highlights its first entry. A submenu
  // opened with Right starts with its first entry highlighted.
  for (size_t level = 0; level < shot.path->size(); ++level) {
    const MenuPathStep& step = (*shot.path)[level];
    int downs = step.selectable + (level == 0 ? 1 : 0);
    for (int i = 0; i < downs; ++i) PostKey(shot.owner, VK_DOWN);
    if (step.node->kind == MenuNode::Kind::Submenu && !step.node->greyed) PostKey(shot.owner, VK_RIGHT);
  }
}

void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD) {
  ShotState* shot = g_shot;
  if (!shot) return;
  ++shot->ticks;
  if (shot->ticks == 1) {
    OpenPath(*shot);
  } else if (shot->ticks == 3) {
    shot->saved = SaveScreenPng(WindowAndMenusArea(shot->owner), shot->file, shot->error);
    EndMenu();
  } else if (shot->ticks > 12) {
    EndMenu();  // the menu did not close when asked; do not hang
  }
}

}  // namespace

bool ShootOpenMenu(HWND owner, HMENU popup, const std::vector<MenuPathStep>& path, POINT at,
                   const std::wstring& file, std::wstring& error) {
  ShotState shot;
  shot.owner = owner;
  shot.path = &path;
  shot.file = file;
  g_shot = &shot;
  SetForegroundWindow(owner);
  UINT_PTR timer = SetTimer(owner, kShotTimer, kTickMs, &OnTick);
  TrackPopupMenuEx(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, owner, nullptr);
  KillTimer(owner, timer);
  g_shot = nullptr;
  if (!shot.saved) error = shot.error.empty() ? L"the menu closed before the screenshot" : shot.error;
  return shot.saved;
}
