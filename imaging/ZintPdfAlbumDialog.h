#pragma once
// CZintPdfAlbumDialog: "Brivane - Image Album". A grid of rows and columns on a page size, margins, gap,
// orientation, borders, optimisation and the order of the pictures, with a live preview of the first
// page; OK writes "PhotoAlbum.pdf" into the folder the command was given.
#include <windows.h>

#include <memory>
#include <random>
#include <string>

#include "base/PathList.h"
#include "fileops/ZintProgressReportDialog.h"
#include "imaging/AlbumDialogModel.h"
#include "imaging/GdiplusObjects.h"
#include "imaging/ThumbnailLoader.h"
#include "resource.h"

extern const wchar_t kInvalidGridText[];  // "Please Enter a Valid Number of Rows and Columns"
extern const wchar_t kNoRoomText[];       // when gap and margin leave the cells no room
extern const wchar_t kAlbumCaption[];     // "Brivane - Image Album"

class CZintPdfAlbumDialog : public CZintProgressReportDialog<CZintPdfAlbumDialog> {
 public:
  enum { IDD = IDD_PDF_ALBUM };

  CZintPdfAlbumDialog(PathList selection, HICON commandIcon, std::wstring folder);
  ~CZintPdfAlbumDialog() override;

  const AlbumChoice& Choice() const { return choice_; }
  // The pictures in the album's order.
  const PathList& WorkingList() const { return working_; }
  // The preview's thumbnail loader, while the window is open (tests wait for it).
  ThumbnailLoader* Thumbnails() const { return thumbnails_.get(); }

  void Run() override;

 protected:
  BOOL OnInitDialog(LPARAM param) override;
  bool OnCommand(int id, int code, HWND control) override;
  bool ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void OnDestroy() override;

 private:
  void ChooseOrder(AlbumOrder order);
  void Redraw();
  void DrawPreview(const DRAWITEMSTRUCT& item);
  // Reads every control into the choice; false (after the message) when the grid is refused.
  bool TakeChoice();

  AlbumChoice choice_;
  PathList working_;
  std::mt19937 random_;
  gdip::Session gdiplus_;
  std::unique_ptr<ThumbnailLoader> thumbnails_;
};
