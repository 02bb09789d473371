#include "ui/ListColumn.h"

#include <commctrl.h>

#include <algorithm>

int FillingColumnWidth(int clientWidth, int widestRow) { return std::max(clientWidth, widestRow); }

void FitOnlyColumn(HWND list) {
  if (!list) return;
  // The list view measures its own rows: text, icon and margins in the list's font.
  ListView_SetColumnWidth(list, 0, LVSCW_AUTOSIZE);
  int widestRow = ListView_GetColumnWidth(list, 0);
  // Each width can bring or take away the horizontal scroll bar, and with it, through the rows that
  // fit, the vertical one; a few rounds settle it.
  for (int round = 0; round < 3; ++round) {
    RECT client{};
    GetClientRect(list, &client);
    int width = FillingColumnWidth(int(client.right - client.left), widestRow);
    if (round > 0 && width == ListView_GetColumnWidth(list, 0)) break;
    ListView_SetColumnWidth(list, 0, width);
  }
}
