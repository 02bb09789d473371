#include "shellext/menu/MenuIcons.h"

bool MeasureMenuIcon(MEASUREITEMSTRUCT& measure, int iconSize) {
  if (measure.CtlType != ODT_MENU) return false;
  measure.itemWidth = UINT(iconSize > 11 ? iconSize - 11 : 0);
  measure.itemHeight = UINT(iconSize + 4);
  return true;
}

bool DrawMenuIcon(const DRAWITEMSTRUCT& draw, int iconSize) {
  if (draw.CtlType != ODT_MENU || !draw.itemData) return false;
  DrawIconEx(draw.hDC, draw.rcItem.left + 2, draw.rcItem.top + 2, reinterpret_cast<HICON>(draw.itemData), iconSize, iconSize, 0,
             nullptr, DI_NORMAL);
  return true;
}
