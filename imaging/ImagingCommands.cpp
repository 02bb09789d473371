#include "imaging/ImagingCommands.h"

#include "imaging/PhotoAlbum.h"
#include "imaging/ZintImageLogoDialog.h"
#include "imaging/ZintImageResizeDialog.h"
#include "imaging/ZintImageResizeFastDialog.h"
#include "imaging/ZintPdfAlbumDialog.h"

ResizePreset ResizePresetFor(CommandId command) {
  switch (command) {
    case cmd::ImageResize25: return {0.25, false};
    case cmd::ImageResize50: return {0.5, false};
    case cmd::ImageResize75: return {0.75, false};
    case cmd::ImageResize25Jpeg: return {0.25, true};
    case cmd::ImageResize50Jpeg: return {0.5, true};
    case cmd::ImageResize75Jpeg: return {0.75, true};
    case cmd::ImageConvertJpeg: return {1.0, true};
    default: return {0, false};
  }
}

namespace {

bool RunResizePreset(CommandContext& context) {
  ResizePreset preset = ResizePresetFor(context.command);
  CZintImageResizeFastDialog dialog(context.selection, context.icon, preset.scale, preset.saveAsJpeg);
  if (dialog.DoModal(context.parent) != IDOK) return false;
  context.result = dialog.Result();
  return true;
}

// The album presets: straight behind the progress window, into the folder the menu was opened in.
void MakePresetAlbum(CommandContext& context) {
  PhotoAlbum album;
  album.outputPath = context.workingFolder + L"\\PhotoAlbum.pdf";
  switch (context.command) {
    case cmd::AlbumWallet: BuildPresetAlbum(album, context.selection, AlbumPreset::FillPage, page_size::Wallet); break;
    case cmd::Album3x5: BuildPresetAlbum(album, context.selection, AlbumPreset::FillPage, page_size::US3_5x5); break;
    case cmd::Album4x6: BuildPresetAlbum(album, context.selection, AlbumPreset::FillPage, page_size::US4x6); break;
    case cmd::Album5x7: BuildPresetAlbum(album, context.selection, AlbumPreset::FillPage, page_size::US5x7); break;
    case cmd::Album8x10: BuildPresetAlbum(album, context.selection, AlbumPreset::FillPage, page_size::US8x10); break;
    case cmd::Album9x12: BuildPresetAlbum(album, context.selection, AlbumPreset::FillPage, page_size::US9x12); break;
    case cmd::AlbumTwoPhoto: BuildPresetAlbum(album, context.selection, AlbumPreset::TwoPhotos, page_size::Large); break;
    case cmd::AlbumFourPhoto: BuildPresetAlbum(album, context.selection, AlbumPreset::FourPhotos, page_size::Large); break;
  }
  context.engine.CreatePhotoAlbum(context.result, album);
}

const CommandAction kRows[] = {
    {cmd::ImageCustomResize, RunFeatureDialog<CZintImageResizeDialog>},
    {cmd::ImageResize25, RunResizePreset},
    {cmd::ImageResize50, RunResizePreset},
    {cmd::ImageResize75, RunResizePreset},
    {cmd::ImageResize25Jpeg, RunResizePreset},
    {cmd::ImageResize50Jpeg, RunResizePreset},
    {cmd::ImageResize75Jpeg, RunResizePreset},
    {cmd::ImageConvertJpeg, RunResizePreset},
    {cmd::ImageLogo, RunFeatureDialog<CZintImageLogoDialog>},
    {cmd::AlbumCustom, RunFeatureDialogInFolder<CZintPdfAlbumDialog>},
    {cmd::AlbumWallet, nullptr, MakePresetAlbum},
    {cmd::Album3x5, nullptr, MakePresetAlbum},
    {cmd::Album4x6, nullptr, MakePresetAlbum},
    {cmd::Album5x7, nullptr, MakePresetAlbum},
    {cmd::Album8x10, nullptr, MakePresetAlbum},
    {cmd::Album9x12, nullptr, MakePresetAlbum},
    {cmd::AlbumTwoPhoto, nullptr, MakePresetAlbum},
    {cmd::AlbumFourPhoto, nullptr, MakePresetAlbum},
};

}  // namespace

CommandRows ImagingCommands() { return RowsOf(kRows); }
