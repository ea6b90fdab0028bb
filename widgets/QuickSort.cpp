#include "widgets/QuickSort.h"

#include <algorithm>
#include <new>
#include <utility>

#include "util/Text.h"

namespace {

// Byte by byte over the shorter key, then the shorter key first.
// std::string_view compares like memcmp, that is by unsigned byte value.
int Compare(const TQuickSortRec& a, const TQuickSortRec& b) {
  return std::string_view(a.Str).compare(b.Str);
}

bool Before(const TQuickSortRec& a, const TQuickSortRec& b, TSortMethod method) {
  return method == qAscending ? Compare(a, b) < 0 : Compare(a, b) > 0;
}

void SortRange(std::vector<PQuickSortRec>& items, int left, int right, TSortMethod method) {
  int i = left;
  int j = right;
  const TQuickSortRec pivot = *items[static_cast<size_t>((left + right) / 2)];
  do {
    while (Before(*items[static_cast<size_t>(i)], pivot, method)) ++i;
    while (Before(pivot, *items[static_cast<size_t>(j)], method)) --j;
    if (i <= j) {
      std::swap(items[static_cast<size_t>(i)], items[static_cast<size_t>(j)]);
      ++i;
      --j;
    }
  } while (i <= j);
  if (left < j) SortRange(items, left, j, method);
  if (i < right) SortRange(items, i, right, method);
}

}  // namespace

TQuickSort::TQuickSort() {
  Items.resize(1);
}

bool TQuickSort::Add(std::string_view text, int32_t num) {
  if (Count >= kCapacity) return false;
  // Running out of memory is an answer here, not an exception for the caller.
  try {
    Items.push_back(
        std::make_unique<TQuickSortRec>(TQuickSortRec{std::string(ClipText(text)), num}));
  } catch (const std::bad_alloc&) {
    return false;
  }
  ++Count;
  return true;
}

void TQuickSort::Sort(uint16_t left, uint16_t right, TSortMethod method) {
  if (Count == 0) return;
  const int from = std::max<int>(left, 1);
  const int to = std::min<int>(right, Count);
  if (from < to) SortRange(Items, from, to, method);
}
