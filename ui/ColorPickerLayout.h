#pragma once
// The arithmetic of the colour button's drop-down palette, kept apart from the windows: the 40 named
// colours, where each entry of the popup lies, which entry a point or a key reaches, and where the popup
// goes so that it stays on the button's monitor.
#include <windows.h>

#include "ui/Dpi.h"

namespace color_picker {

// The colour value that stands for the button's default colour ("Automatic").
constexpr COLORREF kAutomaticColor = 0xFF000000;

struct NamedColor {
  const wchar_t* name;  // the swatch's tooltip
  COLORREF color;
};

constexpr int kColumns = 8;
constexpr int kRows = 5;
constexpr int kSwatchCount = kColumns * kRows;
extern const NamedColor kPalette[kSwatchCount];

// Sizes in 96-DPI pixels; a layout takes them at its DPI.
constexpr int kSwatchSize = 14;                         // the coloured square
constexpr int kSwatchMargin = 2;                        // around it, inside its cell
constexpr int kPadding = 4;                             // between the popup's edge and its entries
constexpr int kRowExtra = 8;                            // a text row's height beyond the text's

// The popup's entries: the swatches 0-39, then "Automatic" and "More Colors...".
constexpr int kNoEntry = -1;
constexpr int kDefaultEntry = kSwatchCount;
constexpr int kCustomEntry = kSwatchCount + 1;

// Where the entries of a popup lie, in its client coordinates. The two text rows are textHeight + 8
// pixels tall and span the swatches' width: "Automatic" above them, "More Colors..." below. Every size
// but the text's (already in the popup's font) is scaled to dpi.
class Layout {
 public:
  explicit Layout(int textHeight, int dpi = kDefaultDpi);

  SIZE Size() const { return size_; }
  // The entry's whole area: a swatch's cell, or a text row. Empty for kNoEntry.
  RECT EntryRect(int entry) const;
  // The coloured square inside a swatch's cell.
  RECT SwatchRect(int swatch) const;
  // The entry under the point, or kNoEntry (a margin, or outside the popup).
  int HitTest(POINT point) const;
  // The space between a swatch's cell and its square, at the layout's DPI.
  int SwatchMargin() const { return margin_; }

 private:
  int margin_;
  int cell_;
  int padding_;
  int rowHeight_;
  SIZE size_;
};

// The entry the arrow key (VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN) moves to from `entry`; from kNoEntry any
// key reaches the current colour's entry first. Left and right run through the entries in reading order
// ("Automatic", the swatches, "More Colors..."), round at the ends; up and down move a whole row.
int NextEntry(int entry, UINT key, int currentEntry);

// The popup's entry for a colour: its swatch, kDefaultEntry for kAutomaticColor, else kCustomEntry.
int EntryForColor(COLORREF color);

// The popup's top-left corner: below the button, left edges aligned; moved left, then right, to fit
// the monitor's width, and above the button when there is no room below.
POINT PlacePopup(const RECT& button, SIZE popup, const RECT& monitor);

}  // namespace color_picker
