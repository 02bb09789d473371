// The organize members of the operations object: each hands the work to its operation class.
#include "fileops/FilesRefactor.h"
#include "organize/Extractor.h"
#include "organize/FolderTransfer.h"
#include "organize/Tidier.h"

void FilesRefactor::CopyFiles(OperationResult& result, const PathList& selection, const std::wstring& destination) {
  FolderTransfer(owner).Copy(result, selection, destination);
}

void FilesRefactor::MoveFiles(OperationResult& result, const PathList& selection, const std::wstring& destination) {
  FolderTransfer(owner).Move(result, selection, destination);
}

void FilesRefactor::ExtractFilesToFolder(OperationResult& result, const PathList& selection, const std::wstring& folder,
                                         const std::wstring& name) {
  Extractor(*this).ToFolder(result, selection, folder, name);
}

void FilesRefactor::ExtractFilesFromFolder(OperationResult& result, const std::wstring& folder) {
  Extractor(*this).FromFolder(result, folder);
}

void FilesRefactor::ExtractFilesFromFolders(OperationResult& result, const PathList& selection) {
  Extractor(*this).FromFolders(result, selection);
}

void FilesRefactor::MoveFilesUp(OperationResult& result, const PathList& selection) {
  Tidier(*this).MoveUp(result, selection);
}

void FilesRefactor::DeleteZeroFiles(OperationResult& result, const PathList& selection) {
  Tidier(*this).DeleteEmpty(result, selection);
}

void FilesRefactor::TouchFiles(OperationResult& result, const PathList& selection) {
  Tidier(*this).Touch(result, selection);
}
