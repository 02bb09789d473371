#include "ui/ColorButton.h"

#include <commctrl.h>
#include <commdlg.h>
#include <uxtheme.h>
#include <vssym32.h>
#include <windowsx.h>

#include "atl/Handles.h"
#include "atl/Module.h"
#include "ui/Dpi.h"

COLORREF ArgbToColorref(uint32_t argb) { return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF); }

uint32_t ColorrefToArgb(COLORREF color) {
  return 0xFF000000u | uint32_t(GetRValue(color)) << 16 | uint32_t(GetGValue(color)) << 8 | GetBValue(color);
}

using namespace color_picker;

namespace {

constexpr wchar_t kPopupClass[] = L"ColorPicker";
constexpr wchar_t kDefaultText[] = L"Automatic";
constexpr wchar_t kCustomText[] = L"More Colors...";
constexpr UINT_PTR kButtonSubclassId = 0x434C52;  // any number unique among the button's subclasses
constexpr int kArrowWidth = 12;                   // the drop-down arrow's part of the face, at 96 DPI

// Custom colours of the system chooser, kept for the whole process as the chooser itself would.
COLORREF g_customColors[16] = {
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
};

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
  UniqueBrush brush(CreateSolidBrush(color));
  FillRect(dc, &rect, brush.get());
}

void Frame(HDC dc, const RECT& rect, int systemColor) { FrameRect(dc, &rect, GetSysColorBrush(systemColor)); }

// The palette while it is open: a popup owned by the button's dialog that runs its own message loop.
class PalettePopup {
 public:
  PalettePopup(HWND button, COLORREF color, COLORREF defaultColor)
      : button_(button),
        font_(reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0))),
        layout_(TextHeight(button, font_), WindowDpi(button)),
        color_(color),
        defaultColor_(defaultColor),
        current_(EntryForColor(color)) {}

  // Shows the palette and returns the chosen entry once it has closed, or kNoEntry when it was dismissed.
  int Run() {
    if (!Register()) return kNoEntry;
    RECT button;
    GetWindowRect(button_, &button);
    MONITORINFO monitor{sizeof monitor};
    if (!GetMonitorInfoW(MonitorFromWindow(button_, MONITOR_DEFAULTTONEAREST), &monitor))
      SystemParametersInfoW(SPI_GETWORKAREA, 0, &monitor.rcWork, 0);
    SIZE size = layout_.Size();
    POINT at = PlacePopup(button, size, monitor.rcWork);
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kPopupClass, L"", WS_POPUP, at.x, at.y, size.cx,
                              size.cy, GetAncestor(button_, GA_ROOT), nullptr, ModuleInstance(), this);
    if (!window_) return kNoEntry;
    AddTooltips();
    ShowWindow(window_, SW_SHOWNA);
    UpdateWindow(window_);
    SetCapture(window_);

    MSG message;
    while (!done_) {
      BOOL got = GetMessageW(&message, nullptr, 0, 0);
      if (got <= 0) {
        if (got == 0) PostQuitMessage(int(message.wParam));  // for the loop below ours
        break;
      }
      // The dialog keeps the keyboard focus; the palette takes the keys while it is open.
      if (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST) message.hwnd = window_;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    done_ = true;
    if (GetCapture() == window_) ReleaseCapture();
    if (tooltip_) DestroyWindow(tooltip_);
    if (IsWindow(window_)) DestroyWindow(window_);
    return chosen_;
  }

 private:
  static int TextHeight(HWND button, HFONT font) {
    HDC dc = GetDC(button);
    HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(button, dc);
    return metrics.tmHeight > 0 ? int(metrics.tmHeight) : 13;
  }

  static bool Register() {
    WNDCLASSEXW known{sizeof known};
    if (GetClassInfoExW(ModuleInstance(), kPopupClass, &known)) return true;
    WNDCLASSEXW type{sizeof type};
    type.style = CS_DROPSHADOW | CS_SAVEBITS;
    type.lpfnWndProc = &PalettePopup::Proc;
    type.hInstance = ModuleInstance();
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.lpszClassName = kPopupClass;
    return RegisterClassExW(&type) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }

  void AddTooltips() {
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                               ModuleInstance(), nullptr);
    if (!tooltip_) return;
    for (int swatch = 0; swatch < kSwatchCount; ++swatch) {
      TTTOOLINFOW tool{};
      tool.cbSize = TTTOOLINFOW_V2_SIZE;
      tool.uFlags = TTF_SUBCLASS;
      tool.hwnd = window_;
      tool.uId = UINT_PTR(swatch);
      tool.rect = layout_.EntryRect(swatch);
      tool.lpszText = const_cast<wchar_t*>(kPalette[swatch].name);
      SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
  }

  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<PalettePopup*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    return self->Handle(window, message, wParam, lParam);
  }

  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
      case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        Paint(dc);
        EndPaint(window, &paint);
        return 0;
      }
      case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
      case WM_MOUSEMOVE:
        SetHot(layout_.HitTest(point));
        return 0;
      case WM_LBUTTONDOWN: {
        RECT client;
        GetClientRect(window, &client);
        if (!PtInRect(&client, point)) Finish(kNoEntry);  // a click elsewhere dismisses the palette
        return 0;
      }
      case WM_LBUTTONUP: {
        int entry = layout_.HitTest(point);
        if (entry != kNoEntry) Finish(entry);
        return 0;
      }
      case WM_RBUTTONDOWN:
        Finish(kNoEntry);
        return 0;
      case WM_KEYDOWN:
        switch (wParam) {
          case VK_LEFT:
          case VK_RIGHT:
          case VK_UP:
          case VK_DOWN:
            SetHot(NextEntry(hot_, UINT(wParam), current_));
            break;
          case VK_RETURN:
          case VK_SPACE:
            if (hot_ != kNoEntry) Finish(hot_);
            break;
          case VK_ESCAPE:
          case VK_TAB:
            Finish(kNoEntry);
            break;
        }
        return 0;
      case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != window) Finish(kNoEntry);  // another window took the mouse
        return 0;
      case WM_CANCELMODE:
        Finish(kNoEntry);
        return 0;
      case WM_ACTIVATEAPP:
        if (!wParam) Finish(kNoEntry);
        return 0;
      case WM_DESTROY:
        done_ = true;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  void Finish(int entry) {
    if (done_) return;
    chosen_ = entry;
    done_ = true;
    // Unblocks GetMessageW when the choice came from a message that was sent, not posted.
    PostMessageW(window_, WM_NULL, 0, 0);
  }

  void SetHot(int entry) {
    if (entry == hot_) return;
    hot_ = entry;
    InvalidateRect(window_, nullptr, FALSE);
  }

  void Paint(HDC dc) {
    RECT client;
    GetClientRect(window_, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_MENU));
    DrawEdge(dc, &client, EDGE_RAISED, BF_RECT);
    HGDIOBJ oldFont = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_MENUTEXT));
    for (int entry = 0; entry <= kCustomEntry; ++entry) PaintEntry(dc, entry);
    SelectObject(dc, oldFont);
  }

  void PaintEntry(HDC dc, int entry) {
    RECT area = layout_.EntryRect(entry);
    if (entry == current_) {
      FillSolid(dc, area, GetSysColor(COLOR_3DHILIGHT));
      DrawEdge(dc, &area, BDR_SUNKENOUTER, BF_RECT);
    }
    if (entry == hot_) Frame(dc, area, COLOR_HIGHLIGHT);

    if (entry < kSwatchCount) {
      RECT swatch = layout_.SwatchRect(entry);
      FillSolid(dc, swatch, kPalette[entry].color);
      Frame(dc, swatch, COLOR_3DSHADOW);
      return;
    }
    // A text row: a small swatch of what it gives on the left (the default colour, or the current
    // colour when it is none of the named ones), the text centred.
    bool showSwatch = entry == kDefaultEntry || current_ == kCustomEntry;
    if (showSwatch) {
      int inset = 2 * layout_.SwatchMargin();
      int side = area.bottom - area.top - 2 * inset;
      RECT swatch{area.left + inset, area.top + inset, area.left + inset + side, area.top + inset + side};
      FillSolid(dc, swatch, entry == kDefaultEntry ? defaultColor_ : color_);
      Frame(dc, swatch, COLOR_3DSHADOW);
    }
    const wchar_t* text = entry == kDefaultEntry ? kDefaultText : kCustomText;
    DrawTextW(dc, text, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }

  HWND button_;
  HFONT font_;
  Layout layout_;
  COLORREF color_;
  COLORREF defaultColor_;
  int current_;
  int hot_ = kNoEntry;
  int chosen_ = kNoEntry;
  bool done_ = false;
  HWND window_ = nullptr;
  HWND tooltip_ = nullptr;
};

}  // namespace

CColorButton::CColorButton() : defaultColor_(GetSysColor(COLOR_APPWORKSPACE)) {}

CColorButton::~CColorButton() { Detach(); }

bool CColorButton::Attach(HWND button) {
  Detach();
  HWND parent = button ? GetParent(button) : nullptr;
  if (!parent) return false;
  if (!SetWindowSubclass(button, ButtonProc, kButtonSubclassId, reinterpret_cast<DWORD_PTR>(this))) return false;
  // One parent may hold several colour buttons: each subclasses it under its own id.
  if (!SetWindowSubclass(parent, ParentProc, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this))) {
    RemoveWindowSubclass(button, ButtonProc, kButtonSubclassId);
    return false;
  }
  button_ = button;
  parent_ = parent;
  LONG_PTR style = GetWindowLongPtrW(button, GWL_STYLE);
  SetWindowLongPtrW(button, GWL_STYLE, (style & ~LONG_PTR(BS_TYPEMASK)) | BS_OWNERDRAW);
  InvalidateRect(button, nullptr, TRUE);
  return true;
}

void CColorButton::Detach() {
  if (button_) RemoveWindowSubclass(button_, ButtonProc, kButtonSubclassId);
  if (parent_) RemoveWindowSubclass(parent_, ParentProc, reinterpret_cast<UINT_PTR>(this));
  button_ = nullptr;
  parent_ = nullptr;
}

void CColorButton::SetColor(COLORREF color) {
  color_ = color;
  if (button_) InvalidateRect(button_, nullptr, FALSE);
}

COLORREF CColorButton::ShownColor() const { return color_ == kAutomaticColor ? defaultColor_ : color_; }

void CColorButton::SetDefaultColor(COLORREF color) {
  defaultColor_ = color;
  if (button_ && color_ == kAutomaticColor) InvalidateRect(button_, nullptr, FALSE);
}

bool CColorButton::Pick() {
  if (!button_ || open_) return false;
  open_ = true;
  InvalidateRect(button_, nullptr, FALSE);
  int entry = PalettePopup(button_, color_, defaultColor_).Run();
  open_ = false;
  if (IsWindow(button_)) InvalidateRect(button_, nullptr, FALSE);

  COLORREF chosen = color_;
  if (entry == kDefaultEntry)
    chosen = kAutomaticColor;
  else if (entry >= 0 && entry < kSwatchCount)
    chosen = kPalette[entry].color;
  else if (entry != kCustomEntry || !ChooseMoreColors(chosen))
    return false;
  if (chosen == color_) return false;
  SetColor(chosen);
  if (button_)
    SendMessageW(parent_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button_), kColorChanged),
                 reinterpret_cast<LPARAM>(button_));
  return true;
}

bool CColorButton::ChooseMoreColors(COLORREF& chosen) const {
  CHOOSECOLORW chooser{sizeof chooser};
  chooser.hwndOwner = parent_;
  chooser.rgbResult = ShownColor();
  chooser.lpCustColors = g_customColors;
  chooser.Flags = CC_FULLOPEN | CC_ANYCOLOR | CC_RGBINIT;
  if (!ChooseColorW(&chooser)) return false;
  chosen = chooser.rgbResult & 0xFFFFFF;
  return true;
}

void CColorButton::Draw(const DRAWITEMSTRUCT& item) const {
  HDC dc = item.hDC;
  RECT face = item.rcItem;
  bool pressed = (item.itemState & ODS_SELECTED) || open_;
  bool disabled = item.itemState & ODS_DISABLED;

  RECT content = face;
  HTHEME theme = OpenThemeData(button_, L"BUTTON");
  if (theme) {
    int state = disabled ? PBS_DISABLED : pressed ? PBS_PRESSED : PBS_NORMAL;
    DrawThemeBackground(theme, dc, BP_PUSHBUTTON, state, &face, nullptr);
    GetThemeBackgroundContentRect(theme, dc, BP_PUSHBUTTON, state, &face, &content);
    CloseThemeData(theme);
  } else {
    DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    InflateRect(&content, -3, -3);
    if (pressed) OffsetRect(&content, 1, 1);
  }

  // The drop-down arrow on the right, apart from the colour by an etched line; its sizes and the
  // swatch's spacing follow the window's DPI (the frame's edges are the system's own).
  const int dpi = WindowDpi(button_);
  auto px = [dpi](int pixels) { return ScaleForDpi(pixels, dpi); };
  RECT arrow{content.right - px(kArrowWidth), content.top, content.right, content.bottom};
  int middleX = (arrow.left + arrow.right) / 2;
  int middleY = (arrow.top + arrow.bottom) / 2;
  POINT triangle[] = {
      {middleX - px(3), middleY - px(1)}, {middleX + px(4), middleY - px(1)}, {middleX, middleY + px(3)}};
  int arrowColor = disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT;
  HGDIOBJ oldBrush = SelectObject(dc, GetSysColorBrush(arrowColor));
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
  Polygon(dc, triangle, 3);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  RECT line{arrow.left - 2, content.top + 1, arrow.left, content.bottom - 1};
  DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);

  RECT swatch{content.left + px(2), content.top + px(2), arrow.left - px(4), content.bottom - px(2)};
  if (swatch.right > swatch.left && swatch.bottom > swatch.top) {
    if (!disabled) FillSolid(dc, swatch, ShownColor());
    Frame(dc, swatch, disabled ? COLOR_3DSHADOW : COLOR_3DDKSHADOW);
  }
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
    RECT focus = content;
    InflateRect(&focus, 1, 1);
    DrawFocusRect(dc, &focus);
  }
}

LRESULT CALLBACK CColorButton::ButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR self) {
  auto* button = reinterpret_cast<CColorButton*>(self);
  switch (message) {
    case WM_KEYDOWN:
      // F4 and Alt+Down open the palette, as they open a drop-down list.
      if (wParam == VK_F4) {
        button->Pick();
        return 0;
      }
      break;
    case WM_SYSKEYDOWN:
      if (wParam == VK_DOWN) {
        button->Pick();
        return 0;
      }
      break;
    case WM_GETDLGCODE:
      return DefSubclassProc(window, message, wParam, lParam) | DLGC_BUTTON;
    case WM_NCDESTROY:
      button->Detach();
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK CColorButton::ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR self) {
  auto* button = reinterpret_cast<CColorButton*>(self);
  switch (message) {
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item && item->hwndItem == button->button_) {
        button->Draw(*item);
        return TRUE;
      }
      break;
    }
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(lParam) == button->button_ && HIWORD(wParam) == BN_CLICKED) {
        button->Pick();
        return 0;
      }
      break;
    case WM_NCDESTROY:
      button->Detach();
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}
