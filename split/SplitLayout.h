#pragma once
// The layout of split pieces: report.pdf -> report.pdf.qxs0, .qxs1, ...; piece 0 starts with a 10-byte
// header holding the number of pieces as UTF-16LE decimal digits, zero-terminated when shorter than 5.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

constexpr uint32_t kSplitHeaderSize = 10;
// Five UTF-16 digits fill the header.
constexpr uint64_t kMaxSplitPieces = 99999;
// Every copy goes through one buffer of this size in chunks of at most kSplitChunk bytes.
constexpr uint32_t kSplitBufferSize = 8192;
constexpr uint32_t kSplitChunk = 4096;

// "path.qxsN".
std::wstring PiecePath(const std::wstring& path, uint64_t piece);

// Pieces needed for `length` bytes at `splitSize` bytes a piece, the header counting towards piece 0
// (which holds the header alone when the size is 10 or less). UINT64_MAX for a split size of 0.
uint64_t PieceCount(uint64_t length, uint64_t splitSize);

// Checks the sizes of a set of pieces in piece order: every piece but the last holds the split size
// (the first piece at least its header), the last one from 1 byte up to the split size. The split size
// is the one that most of the full pieces agree on, so that the piece named is the damaged one.
// Returns the first piece that does not fit, or sizes.size() when all do.
size_t FirstPieceOfWrongSize(const std::vector<uint64_t>& sizes);

using SplitHeader = std::array<uint8_t, kSplitHeaderSize>;
SplitHeader MakeSplitHeader(uint64_t pieces);
// The decimal number the header starts with (leading blanks and a sign allowed); 0 when none.
int64_t ReadSplitHeader(const SplitHeader& header);

// A decimal integer as typed into a size box: leading blanks, one optional sign, digits up to the
// first other character; no digits give 0. Saturates instead of overflowing.
int64_t ReadLeadingDecimal(std::wstring_view text);
