// CheckSortListFilesForJoin and PieceJoiner: a complete set of pieces back into one file.
#include <algorithm>
#include <unordered_map>

#include "base/Trace.h"
#include "fileops/FileMachine.h"
#include "fileops/FileOperation.h"
#include "fileops/FileStream.h"
#include "fileops/FilesRefactor.h"
#include "split/SplitJoin.h"
#include "split/SplitJoinOperations.h"
#include "split/SplitLayout.h"

namespace {

const wchar_t kSuffixCharacters[] = L".qxs";
const wchar_t kMissingFirst[] = L"Missing file with .qxs0 in selection for Join.";
const wchar_t kMissingSome[] = L"Missing files with in selection for Join.";

// The number after the last of the characters ".qxs"; -1 when the path has none of them.
int64_t PieceNumber(const std::wstring& path) {
  size_t at = path.find_last_of(kSuffixCharacters);
  if (at == std::wstring::npos) return -1;
  return ReadLeadingDecimal(std::wstring_view(path).substr(at + 1));
}

void WrongSelection(OperationResult& result, int32_t code, const wchar_t* message, const wchar_t* reason,
                    size_t selected) {
  trace::Write(L"CheckSortListFilesForJoin: wrong files selection for Join. ", reason);
  result.Stop(code, message, selected);
}

}  // namespace

std::wstring PieceBase(const std::wstring& path) { return SplitPath(path).pathWithoutExtension; }

void CheckSortListFilesForJoin(OperationResult& result, PathList& list) {
  result.kind = kind::Join;
  const size_t count = list.size();
  if (!list.empty()) {
    const std::wstring base = PieceBase(list.front());
    std::unordered_map<std::wstring, size_t> later;
    for (const std::wstring& path : list) ++later[path];
    for (const std::wstring& path : list) {
      if (PieceBase(path) != base)
        return WrongSelection(result, status::JoinWrongKind, L"Wrong files selection for Join.",
                              L"FAIL_SOME_FILES_WRONG_KIND", count);
      if (--later[path] > 0)
        return WrongSelection(result, status::JoinDuplicatePath, L"Wrong files selection for Join.",
                              L"FAIL_PATH_DUPLICATION", count);
    }
  }

  std::vector<std::pair<int64_t, std::wstring>> numbered;
  for (std::wstring& path : list) numbered.emplace_back(PieceNumber(path), std::move(path));
  std::stable_sort(numbered.begin(), numbered.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (size_t i = 0; i < count; ++i) list[i] = std::move(numbered[i].second);

  const wchar_t* sizeReason = L"FAIL_WRONG_SIZE_OF_LIST";
  if (count < 2)
    return WrongSelection(result, status::JoinTooFewPieces, L"Wrong number of files in selection for Join.",
                          sizeReason, count);
  if (numbered.front().first != 0 || numbered.back().first < 0)
    return WrongSelection(result, status::JoinMissingPiece, kMissingFirst, sizeReason, count);
  // Every number 0 .. count-1 exactly once: a gap hidden by a repeated number ("x.qxs1", "x.qxs01")
  // would otherwise join the wrong bytes.
  for (size_t i = 0; i < count; ++i)
    if (numbered[i].first != int64_t(i))
      return WrongSelection(result, status::JoinMissingPiece, kMissingSome, sizeReason, count);

  result.status = status::Success;
  result.message.clear();
}

namespace {

void CantOpen(OperationResult& result, size_t selected) {
  trace::Write(L"FilesRefactor::JoinFiles: Can't open file.");
  result.Stop(status::Unexpected, kUnexpectedError, selected);
}

// Where the joined bytes go until every piece has been copied: a new file beside the output, named
// after it ("data.bin.~3F2") so that it fits wherever the first piece does. It is deleted unless it
// has taken the output's place.
class Scratch {
 public:
  explicit Scratch(const std::wstring& output) : path_(MakeScratchFileBeside(output)) {
    if (!path_.empty()) file = CreateForWriting(path_);
  }
  ~Scratch() {
    file.reset();
    if (!path_.empty()) DeleteFileW(path_.c_str());
  }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;

  // Makes the bytes durable and gives the scratch file the output's name, which must be free.
  bool BecomeOutput(const std::wstring& output) {
    bool flushed = FlushFileBuffers(file.get()) != FALSE;
    file.reset();
    if (!flushed || !MoveFileExW(path_.c_str(), output.c_str(), MOVEFILE_WRITE_THROUGH)) return false;
    path_.clear();
    return true;
  }

  UniqueFile file;

 private:
  std::wstring path_;
};

// The sizes of the pieces, in piece order; false when one is not a file that can be looked at.
bool PieceSizes(const PathList& pieces, std::vector<uint64_t>& sizes) {
  for (const std::wstring& piece : pieces) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(piece.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      return false;
    sizes.push_back(uint64_t(data.nFileSizeHigh) << 32 | data.nFileSizeLow);
  }
  return true;
}

std::wstring ReplaceQuestion(const std::wstring& output, bool folder) {
  const wchar_t* noun = folder ? L"folder" : L"file";
  return std::wstring(L"The ") + noun + L" " + output + L" already exists.\nDo you want to replace it?\n(The existing " +
         noun + L" will be sent to the recycle bin)";
}

}  // namespace

void PieceJoiner::JoinFiles(OperationResult& result, const PathList& selection) {
  result.kind = kind::Join;
  const size_t selected = selection.size();
  engine_.Report(1);
  PathList pieces = selection;
  CheckSortListFilesForJoin(result, pieces);
  if (result.status != status::Success) return;

  // The joined file's name as the file system stores it. Pieces named ".qxs0", "..qxs0" give none: that
  // path would be their own folder, which must never be replaced.
  const std::wstring output = StoredPath(PieceBase(pieces.front()));
  if (output.empty() || output.back() == L'\\') {
    trace::Write(L"FilesRefactor::JoinFiles: The pieces give no name for the joined file.");
    return result.Stop(status::JoinWrongKind, L"Wrong files selection for Join.", selected);
  }
  {
    UniqueFile first = OpenForReading(pieces.front());
    SplitHeader header{};
    DWORD got = 0;
    if (!first || !ReadUpTo(first.get(), header.data(), kSplitHeaderSize, got)) return CantOpen(result, selected);
    if (got < kSplitHeaderSize || ReadSplitHeader(header) != int64_t(pieces.size())) {
      trace::Write(L"FilesRefactor::JoinFiles: Missing some files to complete join. FAIL_WRONG_NUM_OF_FILES");
      return result.Stop(status::JoinPieceCountMismatch, kMissingSome, selected);
    }
  }
  // A piece cut short or grown would shift every byte after it: refuse before writing anything.
  std::vector<uint64_t> sizes;
  if (!PieceSizes(pieces, sizes)) return CantOpen(result, selected);
  size_t wrong = FirstPieceOfWrongSize(sizes);
  if (wrong < pieces.size()) {
    trace::Write(L"FilesRefactor::JoinFiles: Wrong size of piece ", pieces[wrong], L". FAIL_WRONG_PIECE_SIZE");
    return result.Stop(status::JoinPieceSizeWrong, L"Wrong size of file in selection for Join: " + pieces[wrong] + L".",
                       selected);
  }

  DWORD existing = GetFileAttributesW(output.c_str());
  if (existing != INVALID_FILE_ATTRIBUTES) {
    std::wstring question = ReplaceQuestion(output, existing & FILE_ATTRIBUTE_DIRECTORY);
    if (engine_.Ask(question.c_str(), L"Join File Exist", MB_YESNO | MB_ICONQUESTION, 1) != IDYES) {
      trace::Write(L"FilesRefactor::JoinFiles: User stopped operation");
      return result.Stop(status::UserSaidNo, L"", selected);
    }
  }

  engine_.Report(3);
  Scratch joined(output);
  if (!joined.file) return CantOpen(result, selected);

  const double share = 97.0 / double(pieces.size());
  double position = 3.0;
  auto advance = [&](double by) {
    position += by;
    engine_.Report(std::min(int32_t(position), 100));
  };
  uint8_t buffer[kSplitBufferSize];
  for (size_t i = 0; i < pieces.size(); ++i) {
    const bool last = i + 1 == pieces.size();
    UniqueFile piece = OpenForReading(pieces[i]);
    if (!piece) return CantOpen(result, selected);
    const uint64_t skipped = i == 0 ? kSplitHeaderSize : 0;
    if (skipped && !Skip(piece.get(), skipped)) return CantOpen(result, selected);
    uint64_t copied = 0;
    // Exactly the bytes that were checked: a piece that changed meanwhile stops the join.
    if (!CopyBytes(piece.get(), joined.file.get(), sizes[i] - skipped, buffer, kSplitChunk, copied) ||
        copied != sizes[i] - skipped) {
      trace::Write(L"FilesRefactor::JoinFiles: Can't copy file.");
      return result.Stop(status::Unexpected, kUnexpectedError, selected);
    }
    if (!last) advance(2.0);
    advance(share);
  }

  // Only now does an existing item of the output's name go, to the recycle bin.
  if (existing != INVALID_FILE_ATTRIBUTES && !DeleteFileOperation(engine_.owner, output, true, true).execute()) {
    trace::Write(L"FilesRefactor::JoinFiles: DeleteFileOperation failed");
    return result.Stop(status::Unexpected, kUnexpectedError, selected);
  }
  if (!joined.BecomeOutput(output)) {
    trace::Write(L"FilesRefactor::JoinFiles: Can't put the joined file in place.");
    return result.Stop(status::Unexpected, kUnexpectedError, selected);
  }

  result.outputs = {output};
  result.status = status::Success;
  result.message.clear();
  result.succeeded = uint32_t(pieces.size());
  result.failed = 0;
}
