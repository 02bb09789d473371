#include "imaging/ZintPdfAlbumDialog.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "atl/Handles.h"
#include "base/Prompt.h"
#include "imaging/ImagingDialogSupport.h"
#include "imaging/PhotoAlbum.h"
#include "ui/Dpi.h"

const wchar_t kInvalidGridText[] = L"Please Enter a Valid Number of Rows and Columns";
const wchar_t kNoRoomText[] = L"The page has no room for that many rows and columns with this gap and margin.";
const wchar_t kAlbumCaption[] = L"Brivane - Image Album";

namespace {
constexpr UINT kThumbnailReady = WM_APP + 41;
constexpr int kThumbnailSide = 160;  // the longer side of a preview thumbnail, at 96 DPI
constexpr COLORREF kPreviewGrey = RGB(0x80, 0x80, 0x80);

const int kOrderRadios[] = {IDC_ALBUM_RANDOM, IDC_ALBUM_ALPHABET, IDC_ALBUM_CREATION_DATE};

void SetSpin(const CDialogWindow& dialog, int spin, int lowest, int highest) {
  dialog.SendItem(spin, UDM_SETRANGE32, WPARAM(lowest), LPARAM(highest));
}
}  // namespace

CZintPdfAlbumDialog::CZintPdfAlbumDialog(PathList selection, HICON commandIcon, std::wstring folder)
    : CZintProgressReportDialog(std::move(selection), std::move(folder), commandIcon),
      random_(std::random_device{}()) {
  UseImagingControls();
}

CZintPdfAlbumDialog::~CZintPdfAlbumDialog() = default;

BOOL CZintPdfAlbumDialog::OnInitDialog(LPARAM) {
  // Thumbnails as sharp at the window's scale as at 96 DPI.
  thumbnails_ = std::make_unique<ThumbnailLoader>(Handle(), kThumbnailReady, ScaleForDpi(kThumbnailSide, Dpi()));
  SetSpin(*this, IDC_ALBUM_ROWS_SPIN, 1, 32);
  SetSpin(*this, IDC_ALBUM_COLS_SPIN, 1, 32);
  SetSpin(*this, IDC_ALBUM_GAP_SPIN, 0, 999);
  SetSpin(*this, IDC_ALBUM_MARGIN_SPIN, 0, 999);
  for (const PageSize& size : kPageSizes)
    SendItem(IDC_ALBUM_PAGE_SIZE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(size.name));
  SendItem(IDC_ALBUM_PAGE_SIZE, CB_SETCURSEL, WPARAM(choice_.sizeIndex));
  SetChecked(*this, IDC_ALBUM_LANDSCAPE, choice_.landscape);
  SetChecked(*this, IDC_ALBUM_BORDERS, choice_.borders);
  SetChecked(*this, IDC_ALBUM_OPTIMIZE, choice_.optimize);
  // The texts last: each one's change notice redraws with the choice as it then stands.
  SetDlgItemInt(Handle(), IDC_ALBUM_ROWS, UINT(choice_.rows), FALSE);
  SetDlgItemInt(Handle(), IDC_ALBUM_COLS, UINT(choice_.cols), FALSE);
  SetDlgItemInt(Handle(), IDC_ALBUM_GAP, UINT(choice_.gap), FALSE);
  SetDlgItemInt(Handle(), IDC_ALBUM_MARGIN, UINT(choice_.margin), FALSE);
  ChooseOrder(choice_.order);
  return TRUE;
}

void CZintPdfAlbumDialog::OnDestroy() {
  thumbnails_.reset();
  CZintProgressReportDialog::OnDestroy();
}

void CZintPdfAlbumDialog::ChooseOrder(AlbumOrder order) {
  choice_.order = order;
  CheckRadioButton(Handle(), IDC_ALBUM_RANDOM, IDC_ALBUM_CREATION_DATE, kOrderRadios[int(order)]);
  working_ = OrderAlbumPictures(input_, order, random_);
  if (thumbnails_)
    thumbnails_->Load(PathList(working_.begin(), working_.begin() + std::ptrdiff_t(std::min(working_.size(), kPreviewPictures))));
  Redraw();
}

void CZintPdfAlbumDialog::Redraw() {
  if (HWND preview = Item(IDC_ALBUM_PREVIEW)) InvalidateRect(preview, nullptr, FALSE);
}

bool CZintPdfAlbumDialog::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == kThumbnailReady) {
    Redraw();
    result = 0;
    return true;
  }
  if (message == WM_DRAWITEM && wParam == IDC_ALBUM_PREVIEW) {
    DrawPreview(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    result = TRUE;
    return true;
  }
  return CZintProgressReportDialog::ProcessMessage(message, wParam, lParam, result);
}

bool CZintPdfAlbumDialog::OnCommand(int id, int code, HWND) {
  int value = 0;
  switch (id) {
    case IDC_ALBUM_ROWS:
    case IDC_ALBUM_COLS:
      // Only a positive whole number changes the preview.
      if (code == EN_CHANGE && ReadNumber(*this, id, value) && value > 0) {
        (id == IDC_ALBUM_ROWS ? choice_.rows : choice_.cols) = value;
        Redraw();
      }
      return true;
    case IDC_ALBUM_GAP:
    case IDC_ALBUM_MARGIN:
      if (code == EN_CHANGE && ReadNumber(*this, id, value) && value >= 0) {
        (id == IDC_ALBUM_GAP ? choice_.gap : choice_.margin) = value;
        Redraw();
      }
      return true;
    case IDC_ALBUM_LANDSCAPE:
    case IDC_ALBUM_BORDERS:
      if (code == BN_CLICKED) {
        choice_.landscape = IsChecked(*this, IDC_ALBUM_LANDSCAPE);
        choice_.borders = IsChecked(*this, IDC_ALBUM_BORDERS);
        Redraw();
      }
      return true;
    case IDC_ALBUM_RANDOM:
    case IDC_ALBUM_ALPHABET:
    case IDC_ALBUM_CREATION_DATE:
      if (code == BN_CLICKED) ChooseOrder(AlbumOrder(id - IDC_ALBUM_RANDOM));
      return true;
    case IDOK:
      if (TakeChoice()) RunOperation(/*marquee=*/true);
      return true;
  }
  return false;
}

bool CZintPdfAlbumDialog::TakeChoice() {
  AlbumChoice taken = choice_;
  int value = 0;
  taken.rows = ReadNumber(*this, IDC_ALBUM_ROWS, value) ? value : 0;
  taken.cols = ReadNumber(*this, IDC_ALBUM_COLS, value) ? value : 0;
  taken.gap = ReadNumber(*this, IDC_ALBUM_GAP, value) ? value : 0;
  taken.margin = ReadNumber(*this, IDC_ALBUM_MARGIN, value) ? value : 0;
  int size = int(SendItem(IDC_ALBUM_PAGE_SIZE, CB_GETCURSEL));
  taken.sizeIndex = size >= 0 && size < kPageSizeCount ? size : 3;
  taken.landscape = IsChecked(*this, IDC_ALBUM_LANDSCAPE);
  taken.borders = IsChecked(*this, IDC_ALBUM_BORDERS);
  taken.optimize = IsChecked(*this, IDC_ALBUM_OPTIMIZE);
  if (taken.rows < 1 || taken.cols < 1) {
    Prompt(Handle(), kInvalidGridText, kAlbumCaption, MB_OK);
    FocusControl(*this, taken.rows < 1 ? IDC_ALBUM_ROWS : IDC_ALBUM_COLS);
    return false;
  }
  if (!GridHasRoom(taken)) {
    Prompt(Handle(), kNoRoomText, kAlbumCaption, MB_OK);
    return false;
  }
  choice_ = taken;
  // The album takes the order the preview shows; the alphabet and the dates are read again.
  if (choice_.order != AlbumOrder::Random) working_ = OrderAlbumPictures(input_, choice_.order, random_);
  return true;
}

void CZintPdfAlbumDialog::Run() {
  PhotoAlbum album;
  album.outputPath = parameter_ + L"\\PhotoAlbum.pdf";
  BuildGridAlbum(album, working_, choice_.rows, choice_.cols, choice_.landscape, choice_.sizeIndex, choice_.borders,
                 choice_.optimize, float(choice_.margin), float(choice_.gap));
  refactor_.CreatePhotoAlbum(result_, album);
}

void CZintPdfAlbumDialog::DrawPreview(const DRAWITEMSTRUCT& item) {
  const RECT& area = item.rcItem;
  SIZE size{area.right - area.left, area.bottom - area.top};
  // Drawn aside first, so that the preview does not flicker while it is redrawn.
  UniqueWindowDc memory(CreateCompatibleDC(item.hDC));
  UniqueBitmap canvas(CreateCompatibleBitmap(item.hDC, size.cx, size.cy));
  if (!memory || !canvas) return;
  HGDIOBJ oldBitmap = SelectObject(memory.get(), canvas.get());
  RECT all{0, 0, size.cx, size.cy};
  UniqueBrush grey(CreateSolidBrush(kPreviewGrey));
  FillRect(memory.get(), &all, grey.get());
  PreviewLayout layout = LayOutPreview(size, choice_, WindowDpi(item.hwndItem));
  FillRect(memory.get(), &layout.page, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

  std::vector<RECT> pictures;
  gdip::GpGraphics* graphics = nullptr;
  if (thumbnails_ && gdip::GdipCreateFromHDC(memory.get(), &graphics) == Gdiplus::Ok) {
    gdip::Graphics owner(graphics);
    gdip::GdipSetInterpolationMode(graphics, Gdiplus::InterpolationModeHighQualityBicubic);
    size_t shown = std::min({layout.cells.size(), working_.size(), kPreviewPictures});
    for (size_t i = 0; i < shown; ++i) {
      thumbnails_->With(working_[i], [&](gdip::GpImage* image, SIZE pixels) {
        RECT box = FitInCell(layout.cells[i], pixels);
        gdip::GdipDrawImageRectI(graphics, image, box.left, box.top, box.right - box.left, box.bottom - box.top);
        pictures.push_back(box);
      });
    }
  }
  if (choice_.borders)
    for (const RECT& box : pictures) FrameRect(memory.get(), &box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  BitBlt(item.hDC, area.left, area.top, size.cx, size.cy, memory.get(), 0, 0, SRCCOPY);
  SelectObject(memory.get(), oldBitmap);
}
