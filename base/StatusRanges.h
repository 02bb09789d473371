#pragma once
// Status codes have one owner each. The shared codes (OperationResult.h) lie in 0-6; every feature
// reserves a range of its own here and checks at compile time that its codes stay inside it:
//   static_assert(StatusesWithin(status_range::Lists, {status::ListSomething, ...}));
// A new feature adds its range below; the check at the end keeps the ranges apart.
#include <cstdint>
#include <initializer_list>

struct StatusRange {
  int32_t first;
  int32_t last;
};

namespace status_range {
constexpr StatusRange Shared{0, 6};
constexpr StatusRange SplitJoin{7, 15};
constexpr StatusRange Organize{16, 19};  // copy and move to a folder, extract, move up, delete empty, touch
constexpr StatusRange Lists{20, 29};
constexpr StatusRange Imaging{30, 39};
constexpr StatusRange Desktop{40, 49};
constexpr StatusRange Updater{50, 59};
constexpr StatusRange Crypt{60, 69};
constexpr StatusRange Rename{70, 79};

constexpr StatusRange kAll[] = {Shared, SplitJoin, Organize, Lists, Imaging, Desktop, Updater, Crypt, Rename};
}  // namespace status_range

constexpr bool StatusesWithin(StatusRange range, std::initializer_list<int32_t> codes) {
  for (int32_t code : codes)
    if (code < range.first || code > range.last) return false;
  return true;
}

template <size_t N>
constexpr bool RangesApart(const StatusRange (&ranges)[N]) {
  for (size_t i = 0; i < N; ++i) {
    if (ranges[i].first > ranges[i].last) return false;
    for (size_t j = i + 1; j < N; ++j)
      if (ranges[i].first <= ranges[j].last && ranges[j].first <= ranges[i].last) return false;
  }
  return true;
}
static_assert(RangesApart(status_range::kAll), "two features reserve overlapping status codes");
