#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One sort key (a text of at most 255 bytes) with a number carried along.
struct TQuickSortRec {
  std::string Str;
  int32_t Num = 0;
};
using PQuickSortRec = std::unique_ptr<TQuickSortRec>;

enum TSortMethod : uint8_t { qAscending = 0, qDescending = 1 };

// Texts sorted in place by byte value (code page order, so "Zed" before "abc"
// and ".." before both); a key that is a prefix of another sorts first. Not
// stable. Only the pointers move, the records stay where they were made.
class TQuickSort {
 public:
  static constexpr uint16_t kCapacity = 10000;

  TQuickSort();

  // Appends a record; false (and nothing added) when the collection is full
  // or no memory could be had.
  bool Add(std::string_view text, int32_t num);
  // Sorts Items[left..right]; callers pass 1 and Count. A range reaching
  // outside 1..Count is cut to it.
  void Sort(uint16_t left, uint16_t right, TSortMethod method);

  uint16_t Count = 0;
  // Items[1..Count]; element 0 is never used.
  std::vector<PQuickSortRec> Items;
};
