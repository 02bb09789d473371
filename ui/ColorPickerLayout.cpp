#include "ui/ColorPickerLayout.h"

#include "ui/Dpi.h"

namespace color_picker {

const NamedColor kPalette[kSwatchCount] = {
    {L"Black", RGB(0, 0, 0)},
    {L"Brown", RGB(165, 42, 0)},
    {L"Dark Olive Green", RGB(0, 64, 64)},
    {L"Dark Green", RGB(0, 85, 0)},
    {L"Dark Teal", RGB(0, 0, 94)},
    {L"Dark blue", RGB(0, 0, 139)},
    {L"Indigo", RGB(75, 0, 130)},
    {L"Dark grey", RGB(40, 40, 40)},
    {L"Dark red", RGB(139, 0, 0)},
    {L"Orange", RGB(255, 104, 32)},
    {L"Dark yellow", RGB(139, 139, 0)},
    {L"Green", RGB(0, 147, 0)},
    {L"Teal", RGB(56, 142, 142)},
    {L"Blue", RGB(0, 0, 255)},
    {L"Blue-grey", RGB(123, 123, 192)},
    {L"Grey - 40", RGB(102, 102, 102)},
    {L"Red", RGB(255, 0, 0)},
    {L"Light orange", RGB(255, 173, 91)},
    {L"Lime", RGB(50, 205, 50)},
    {L"Sea green", RGB(60, 179, 113)},
    {L"Aqua", RGB(127, 255, 212)},
    {L"Light blue", RGB(125, 158, 192)},
    {L"Violet", RGB(128, 0, 128)},
    {L"Grey - 50", RGB(127, 127, 127)},
    {L"Pink", RGB(255, 192, 203)},
    {L"Gold", RGB(255, 215, 0)},
    {L"Yellow", RGB(255, 255, 0)},
    {L"Bright green", RGB(0, 255, 0)},
    {L"Turquoise", RGB(64, 224, 208)},
    {L"Skyblue", RGB(192, 255, 255)},
    {L"Plum", RGB(72, 0, 72)},
    {L"Light grey", RGB(192, 192, 192)},
    {L"Rose", RGB(255, 228, 225)},
    {L"Tan", RGB(210, 180, 140)},
    {L"Light yellow", RGB(255, 255, 224)},
    {L"Pale green ", RGB(152, 251, 152)},
    {L"Pale turquoise", RGB(175, 238, 238)},
    {L"Pale blue", RGB(104, 131, 139)},
    {L"Lavender", RGB(230, 230, 250)},
    {L"White", RGB(255, 255, 255)},
};

Layout::Layout(int textHeight, int dpi)
    : margin_(ScaleForDpi(kSwatchMargin, dpi)),
      cell_(ScaleForDpi(kSwatchSize, dpi) + 2 * margin_),
      padding_(ScaleForDpi(kPadding, dpi)),
      rowHeight_(textHeight + ScaleForDpi(kRowExtra, dpi)) {
  size_ = {padding_ + kColumns * cell_ + padding_,
           padding_ + rowHeight_ + padding_ + kRows * cell_ + padding_ + rowHeight_ + padding_};
}

RECT Layout::EntryRect(int entry) const {
  const int gridTop = padding_ + rowHeight_ + padding_;
  const int gridWidth = kColumns * cell_;
  if (entry >= 0 && entry < kSwatchCount) {
    int left = padding_ + (entry % kColumns) * cell_;
    int top = gridTop + (entry / kColumns) * cell_;
    return {left, top, left + cell_, top + cell_};
  }
  if (entry == kDefaultEntry) return {padding_, padding_, padding_ + gridWidth, padding_ + rowHeight_};
  if (entry == kCustomEntry) {
    int top = gridTop + kRows * cell_ + padding_;
    return {padding_, top, padding_ + gridWidth, top + rowHeight_};
  }
  return {0, 0, 0, 0};
}

RECT Layout::SwatchRect(int swatch) const {
  RECT cell = EntryRect(swatch);
  return {cell.left + margin_, cell.top + margin_, cell.right - margin_, cell.bottom - margin_};
}

int Layout::HitTest(POINT point) const {
  for (int entry = 0; entry <= kCustomEntry; ++entry) {
    RECT area = EntryRect(entry);
    if (PtInRect(&area, point)) return entry;
  }
  return kNoEntry;
}

int NextEntry(int entry, UINT key, int currentEntry) {
  if (entry == kNoEntry) return currentEntry == kNoEntry ? kDefaultEntry : currentEntry;
  constexpr int kEntries = kCustomEntry + 1;
  // Reading order: "Automatic" first, "More Colors..." last.
  auto order = [](int e) { return e == kDefaultEntry ? 0 : e == kCustomEntry ? kEntries - 1 : e + 1; };
  auto fromOrder = [](int o) { return o == 0 ? kDefaultEntry : o == kEntries - 1 ? kCustomEntry : o - 1; };
  switch (key) {
    case VK_LEFT: return fromOrder((order(entry) + kEntries - 1) % kEntries);
    case VK_RIGHT: return fromOrder((order(entry) + 1) % kEntries);
    case VK_UP:
      if (entry == kDefaultEntry) return kCustomEntry;
      if (entry == kCustomEntry) return kSwatchCount - kColumns;
      return entry < kColumns ? kDefaultEntry : entry - kColumns;
    case VK_DOWN:
      if (entry == kDefaultEntry) return 0;
      if (entry == kCustomEntry) return kDefaultEntry;
      return entry >= kSwatchCount - kColumns ? kCustomEntry : entry + kColumns;
  }
  return entry;
}

int EntryForColor(COLORREF color) {
  if (color == kAutomaticColor) return kDefaultEntry;
  for (int i = 0; i < kSwatchCount; ++i)
    if (kPalette[i].color == color) return i;
  return kCustomEntry;
}

POINT PlacePopup(const RECT& button, SIZE popup, const RECT& monitor) {
  POINT at{button.left, button.bottom};
  if (at.x + popup.cx > monitor.right) at.x = monitor.right - popup.cx;
  if (at.x < monitor.left) at.x = monitor.left;
  if (at.y + popup.cy > monitor.bottom) at.y = button.top - popup.cy;
  if (at.y < monitor.top) at.y = monitor.top;
  return at;
}

}  // namespace color_picker
