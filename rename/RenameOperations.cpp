// The rename operations of the operations object: each builds its style's renamer, runs the batch once
// and lets the renamer go.
#include <utility>

#include "fileops/FilesRefactor.h"
#include "rename/FilesRenamerStyles.h"

namespace {

template <class Renamer, class... Parameters>
void RunBatch(const FilesRefactor& refactor, OperationResult& result, const PathList& paths,
              Parameters&&... parameters) {
  Renamer renamer(refactor.owner, paths, std::forward<Parameters>(parameters)...);
  renamer.AskThrough(&refactor);
  renamer.Rename(result);
}

}  // namespace

void FilesRefactor::RenameFindReplace(OperationResult& result, const PathList& paths, const std::wstring& search,
                                      const std::wstring& replacement) const {
  RunBatch<FilesRenamerFindReplace>(*this, result, paths, search, replacement);
}

void FilesRefactor::RenameAutonumber(OperationResult& result, const PathList& paths, int32_t startNumber) const {
  RunBatch<FilesRenamerAutonumbering>(*this, result, paths, startNumber);
}

void FilesRefactor::RenameAlphabetize(OperationResult& result, const PathList& paths) const {
  RunBatch<FilesRenamerAlphabetize>(*this, result, paths);
}

void FilesRefactor::RenameAppend(OperationResult& result, const PathList& paths, const std::wstring& prefix,
                                 const std::wstring& postfix) const {
  RunBatch<FilesRenamerAppend>(*this, result, paths, prefix, postfix);
}

void FilesRefactor::RenameAlphabetizeAppend(OperationResult& result, const PathList& paths,
                                            const std::wstring& prefix, const std::wstring& postfix) const {
  RunBatch<FilesRenamerAlphabetizeAppend>(*this, result, paths, prefix, postfix);
}

void FilesRefactor::RenameAutonumberAppend(OperationResult& result, const PathList& paths, int32_t startNumber,
                                           const std::wstring& prefix, const std::wstring& postfix) const {
  RunBatch<FilesRenamerAutonumberAppend>(*this, result, paths, startNumber, prefix, postfix);
}

void FilesRefactor::RenameMakeSameName(OperationResult& result, const PathList& paths,
                                       const std::wstring& nameGivingPath) const {
  RunBatch<FilesRenamerMakeSameName>(*this, result, paths, nameGivingPath);
  result.outputs.push_back(nameGivingPath);
}

void FilesRefactor::RenameTruncate(OperationResult& result, const PathList& paths, int32_t count, bool fromBeginning,
                                   bool includeExtension) const {
  RunBatch<FilesRenamerTruncate>(*this, result, paths, count, fromBeginning, includeExtension);
}
