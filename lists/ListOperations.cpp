// The list-of-files member of the operations object.
#include "fileops/FilesRefactor.h"
#include "lists/FileLister.h"

void FilesRefactor::MakeListOfFiles(OperationResult& result, const PathList& selection, const std::wstring& target,
                                    bool detailed, bool fullPath, bool includeSubfolders, bool indent, bool html) {
  FileLister(*this).Make(result, selection, target, {detailed, fullPath, includeSubfolders, indent, html});
}
