// The desktop sort's two computations, timed apart: the layout of the icons (groups, order, grid) for
// 1,000 desktop items, with 10,000 and 100,000 beside it to show how it grows; and the drawing of the
// wallpaper (background gradient, panels, labels) for a 3840 x 2160 screen, with 1920 x 1080 beside it,
// whose area is a quarter. Neither touches the shell or the disk.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "desktop/DesktopLayout.h"
#include "desktop/DesktopSortSettings.h"
#include "desktop/WallpaperPainter.h"

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) { return std::chrono::duration<double, std::milli>(Clock::now() - start).count(); }

// A desktop of n items: a few system items and folders, shortcuts, and files with varied names.
std::vector<DesktopItem> Desktop(size_t n) {
  std::vector<DesktopItem> items(n);
  unsigned seed = 12345;
  for (size_t i = 0; i < n; ++i) {
    seed = seed * 1103515245u + 12345u;
    DesktopItem& item = items[i];
    std::wstring name = L"C:\\Users\\me\\Desktop\\Item " + std::to_wstring(seed % 100000) + L"-" + std::to_wstring(i);
    switch (i % 20) {
      case 0: item.kind = desktop_kind::Virtual; item.name = L"System " + std::to_wstring(seed % 977); break;
      case 1: item.kind = desktop_kind::DesktopFolder; item.name = name; break;
      case 2: case 3: item.kind = desktop_kind::File; item.name = name + L".lnk"; break;
      default: item.kind = desktop_kind::File; item.name = name + L".txt"; break;
    }
  }
  return items;
}

double LayoutMs(size_t n, int rounds) {
  std::vector<DesktopItem> items = Desktop(n);
  size_t placed = 0;
  Clock::time_point start = Clock::now();
  for (int round = 0; round < rounds; ++round)
    for (const GroupPlacement& group : LayOutDesktop(items, 3840, {64, 64})) placed += group.members.size();
  double ms = MsSince(start) / rounds;
  if (placed != n * size_t(rounds)) std::printf("layout lost items\n");
  return ms;
}

struct DrawingCost {
  double backgroundMs = 0;
  double groupsMs = 0;
};

DrawingCost DrawingMs(int width, int height, int rounds) {
  DesktopSortSettings settings = DefaultDesktopSortSettings();
  ApplyDesktopTheme(cmd::SortDesktopBlueSky, settings);
  settings.groupOpacity = 180;
  std::vector<GroupPlacement> groups = LayOutDesktop(Desktop(1000), width, {64, 64});
  HDC screen = GetDC(nullptr);
  WallpaperPainter painter(settings, screen);
  ReleaseDC(nullptr, screen);
  DrawingCost cost;
  for (int round = 0; round < rounds; ++round) {
    auto canvas = WallpaperPainter::MakeCanvas(width, height);
    Gdiplus::Graphics graphics(canvas.get());
    Clock::time_point start = Clock::now();
    painter.DrawBackground(graphics, width, height, false, L"", 0xFF000000);
    graphics.Flush(Gdiplus::FlushIntentionSync);
    cost.backgroundMs += MsSince(start) / rounds;
    start = Clock::now();
    for (const GroupPlacement& group : groups) painter.DrawGroup(graphics, group);
    graphics.Flush(Gdiplus::FlushIntentionSync);
    cost.groupsMs += MsSince(start) / rounds;
  }
  if (painter.FirstFailure() != Gdiplus::Ok) std::printf("GDI+ status %d\n", int(painter.FirstFailure()));
  return cost;
}

}  // namespace

int wmain() {
  GdiplusSession gdiplus;
  if (!gdiplus.Running()) {
    std::printf("GDI+ did not start\n");
    return 1;
  }
  std::printf("layout (groups, order, grid) on a 3840-pixel-wide screen:\n");
  for (size_t n : {1000u, 10000u, 100000u}) {
    int rounds = n <= 1000 ? 200 : n <= 10000 ? 20 : 3;
    double ms = LayoutMs(n, rounds);
    std::printf("  %7zu items: %9.3f ms  (%.3f us per item)\n", n, ms, ms * 1000.0 / double(n));
  }
  std::printf("drawing (background, panels, labels) for 1,000 items:\n");
  for (auto [width, height] : {std::pair<int, int>{1920, 1080}, std::pair<int, int>{3840, 2160}}) {
    DrawingCost cost = DrawingMs(width, height, 5);
    double total = cost.backgroundMs + cost.groupsMs;
    std::printf("  %d x %d: %8.1f ms  (background %.1f ms, panels and labels %.1f ms; %.1f ns per pixel)\n", width,
                height, total, cost.backgroundMs, cost.groupsMs, total * 1e6 / (double(width) * height));
  }
  return 0;
}
