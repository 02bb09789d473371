// FileSplitter: cuts one file into numbered pieces beside it.
#include <algorithm>

#include "base/Prompt.h"
#include "base/Trace.h"
#include "fileops/FileOperation.h"
#include "fileops/FileStream.h"
#include "fileops/FilesRefactor.h"
#include "split/SplitJoin.h"
#include "split/SplitJoinOperations.h"
#include "split/SplitLayout.h"

namespace {

const wchar_t kTooManyPieces[] = L"The split size is too small for this file: a file can be split into at most 99,999 pieces.";

void CantOpen(OperationResult& result) {
  trace::Write(L"FilesRefactor::SplitFile: Can't open file.");
  result.Stop(status::Unexpected, kUnexpectedError, 1);
}

}  // namespace

void FileSplitter::SplitFile(OperationResult& result, const std::wstring& path, uint64_t splitSize) {
  result.kind = kind::Split;
  DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return CantOpen(result);
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    trace::Write(L"FilesRefactor::SplitFile: a folder selected");
    return result.Stop(status::SplitFolder, L"You can't split a folder.", 1);
  }

  engine_.Report(1);
  UniqueFile source = OpenForReading(path);
  uint64_t length = 0;
  if (!source || !FileLength(source.get(), length)) return CantOpen(result);
  if (length <= splitSize) {
    trace::Write(L"FilesRefactor::SplitFile: wrong split size");
    return result.Stop(status::SplitSizeNotSmaller, L"Your file size is smaller or equal to the split size.", 1);
  }
  const uint64_t pieces = PieceCount(length, splitSize);
  if (pieces > kMaxSplitPieces) {
    trace::Write(L"FilesRefactor::SplitFile: too many pieces");
    return result.Stop(status::SplitTooManyPieces, kTooManyPieces, 1);
  }

  engine_.Report(1, true);
  std::wstring question = std::to_wstring(pieces) + L" files will be created.\nDo you want to split?";
  if (Prompt(engine_.owner, question.c_str(), L"Split File", MB_YESNO | MB_ICONQUESTION) != IDYES) {
    trace::Write(L"FilesRefactor::SplitFile: User stopped operation");
    return result.Stop(status::UserSaidNo, L"", 1);
  }
  // Pieces of an earlier split may be the only copy of what they hold: they are replaced only on Yes,
  // and then go to the recycle bin.
  PathList existing;
  for (uint64_t i = 0; i < pieces; ++i)
    if (std::wstring piece = PiecePath(path, i); GetFileAttributesW(piece.c_str()) != INVALID_FILE_ATTRIBUTES)
      existing.push_back(piece);
  if (!existing.empty()) {
    std::wstring question = std::to_wstring(existing.size()) +
                            L" of the pieces already exist.\nDo you want to replace them?\n(The existing files will be "
                            L"sent to the recycle bin)";
    if (engine_.Ask(question.c_str(), L"Split File Exist", MB_YESNO | MB_ICONQUESTION, 1) != IDYES) {
      trace::Write(L"FilesRefactor::SplitFile: User stopped operation");
      return result.Stop(status::UserSaidNo, L"", 1);
    }
    DeleteFileOperation recycle(engine_.owner, existing.back(), true, true);
    recycle.extraSources.assign(existing.begin(), existing.end() - 1);
    if (!recycle.execute()) {
      trace::Write(L"FilesRefactor::SplitFile: DeleteFileOperation failed");
      return result.Stop(status::Unexpected, kUnexpectedError, 1);
    }
  }
  engine_.Report(2);

  uint8_t buffer[kSplitBufferSize];
  double position = 2.0;
  for (uint64_t i = 0; i < pieces; ++i) {
    std::wstring piecePath = PiecePath(path, i);
    UniqueFile piece = CreateForWriting(piecePath);
    if (!piece) return CantOpen(result);
    uint64_t held = 0, copied = 0;
    if (i == 0) {
      SplitHeader header = MakeSplitHeader(pieces);
      if (!WriteAll(piece.get(), header.data(), kSplitHeaderSize)) return CantOpen(result);
      held = kSplitHeaderSize;
    }
    uint64_t room = splitSize > held ? splitSize - held : 0;
    if (!CopyBytes(source.get(), piece.get(), room, buffer, kSplitChunk, copied)) return CantOpen(result);
    result.outputs.push_back(piecePath);
    position += 98.0 / double(pieces);
    engine_.Report(std::min(int32_t(position), 100));
  }

  result.status = status::Success;
  result.message.clear();
  result.succeeded = 1;
  result.failed = 0;
}
