// The imaging members of the operations object: each hands the work to its imaging class.
#include "fileops/FilesRefactor.h"
#include "imaging/AlbumPdf.h"
#include "imaging/ImageResizer.h"
#include "imaging/LogoStamp.h"

void FilesRefactor::ResizeImagesByScale(OperationResult& result, const PathList& paths, double scale, int32_t quality,
                                        bool saveAsJpeg, const std::wstring& folderName) const {
  ImageResizer(*this).ByScale(result, paths, scale, quality, saveAsJpeg, folderName);
}

void FilesRefactor::ResizeImagesToSize(OperationResult& result, const PathList& paths, int32_t width, int32_t height,
                                       int32_t quality, bool saveAsJpeg, const std::wstring& folderName) const {
  ImageResizer(*this).ToSize(result, paths, width, height, quality, saveAsJpeg, folderName);
}

void FilesRefactor::PutLogoOnImages(OperationResult& result, const PathList& paths, const std::wstring& logoImagePath,
                                    const std::wstring& logoText, const LOGFONTW& font, uint32_t textColour,
                                    bool addBorder, uint32_t borderColour, bool useImage, int32_t position,
                                    const std::wstring& folderName) const {
  LogoJob job;
  job.imagePath = logoImagePath;
  job.text = logoText;
  job.font = font;
  job.textColor = textColour;
  job.addBorder = addBorder;
  job.borderColor = borderColour;
  job.useImage = useImage;
  job.position = position;
  job.folderName = folderName;
  LogoStamper(*this).Run(result, paths, job);
}

void FilesRefactor::CreatePhotoAlbum(OperationResult& result, const PhotoAlbum& album) const {
  AlbumMaker(*this).MakeAlbum(result, album);
}
