#include "ui/FontChooser.h"

#include <commdlg.h>

bool ChooseFontAndColor(HWND owner, LOGFONTW& font, COLORREF& color) {
  LOGFONTW chosen = font;
  CHOOSEFONTW chooser{};
  chooser.lStructSize = sizeof chooser;
  chooser.hwndOwner = owner;
  chooser.lpLogFont = &chosen;
  chooser.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
  chooser.rgbColors = color;
  if (!ChooseFontW(&chooser)) return false;
  font = chosen;
  color = chooser.rgbColors;
  return true;
}
