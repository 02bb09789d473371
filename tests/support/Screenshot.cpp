#include "support/Screenshot.h"

#include <gdiplus.h>

#include "tools/explorer/ScreenCapture.h"

bool SaveWindowPng(HWND window, const std::wstring& path) {
  if (!IsWindow(window)) return false;
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  // A window of another thread paints when its thread gets to it, and Wine hands the picture to the
  // display from that thread's message loop: wait until the loop has come round, on a busy machine too.
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
  Sleep(300);
  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
  RECT area;
  GetWindowRect(window, &area);

  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return false;
  std::wstring error;
  bool saved = SaveScreenPng(area, path, error);
  Gdiplus::GdiplusShutdown(token);
  return saved;
}

std::wstring ScreenshotFolder() {
  wchar_t folder[MAX_PATH];
  DWORD length = GetEnvironmentVariableW(L"BRIVANE_SHOTS", folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  CreateDirectoryW(folder, nullptr);
  return folder;
}
