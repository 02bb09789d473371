#pragma once
// Statuses of split and join, and the check that a selection of pieces forms one complete set.
#include <cstdint>

#include "base/OperationResult.h"
#include "base/PathList.h"

namespace status {
enum : int32_t {
  JoinPieceCountMismatch = 9,  // the header counts a different number of pieces than were selected
  SplitSizeNotSmaller = 7,     // the file is no longer than the split size
  JoinPieceSizeWrong = 8,      // a piece was cut short or grew: it does not hold the split size
  JoinWrongKind = 10,          // pieces of different files
  JoinDuplicatePath = 11,
  JoinTooFewPieces = 12,
  JoinMissingPiece = 13,
  SplitFolder = 15,
  SplitTooManyPieces = 14,     // more pieces than the header can count
};
}
static_assert(StatusesWithin(status_range::SplitJoin,
                             {status::JoinPieceCountMismatch, status::SplitSizeNotSmaller, status::JoinPieceSizeWrong,
                              status::JoinWrongKind, status::JoinDuplicatePath, status::JoinTooFewPieces,
                              status::JoinMissingPiece, status::SplitFolder, status::SplitTooManyPieces}));

// Checks that the list holds pieces 0 .. n-1 of one file, sorting it by piece number in place.
// Status 0 (kind 8) when the set is complete.
void CheckSortListFilesForJoin(OperationResult& result, PathList& list);

// The path without its last extension: the joined file's name.
std::wstring PieceBase(const std::wstring& path);
