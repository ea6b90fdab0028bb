#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "widgets/QuickSort.h"

namespace {

using TKeys = std::vector<std::string>;

TEST(QuickSortTest, SortsByByteValueBothWays) {
  struct TCase {
    TKeys Keys;
    TKeys Ascending;
  };
  const std::vector<TCase> cases = {
      {{}, {}},
      {{"x"}, {"x"}},
      {{"b", "B", "a", "..", "A1"}, {"..", "A1", "B", "a", "b"}},
      {{"x", "a", "x"}, {"a", "x", "x"}},
      {{"abc", "Zed", "ab", "9"}, {"9", "Zed", "ab", "abc"}},
      // Bytes from 128 on come after ASCII, in code page order.
      {{"\xE9t\xE9", "\x82", "z",
        "\x82"
        "a",
        "Z", "\xFF", "\x80"},
       {"Z", "z", "\x80", "\x82",
        "\x82"
        "a",
        "\xE9t\xE9", "\xFF"}},
  };
  for (const TCase& c : cases) {
    for (const TSortMethod method : {qAscending, qDescending}) {
      TQuickSort sort;
      for (size_t i = 0; i < c.Keys.size(); ++i)
        ASSERT_TRUE(sort.Add(c.Keys[i], static_cast<int32_t>(i)));
      sort.Sort(1, sort.Count, method);

      TKeys expected = c.Ascending;
      if (method == qDescending) expected.assign(c.Ascending.rbegin(), c.Ascending.rend());
      TKeys got;
      for (uint16_t i = 1; i <= sort.Count; ++i) {
        got.push_back(sort.Items[i]->Str);
        // Each number travels with its own key.
        EXPECT_EQ(c.Keys.at(static_cast<size_t>(sort.Items[i]->Num)), sort.Items[i]->Str);
      }
      EXPECT_EQ(got, expected) << (method == qAscending ? "ascending" : "descending");
    }
  }
}

TEST(QuickSortTest, HoldsTenThousandItems) {
  TQuickSort sort;
  for (int i = 0; i < TQuickSort::kCapacity; ++i)
    ASSERT_TRUE(sort.Add(std::to_string((i * 7919) % TQuickSort::kCapacity), i));
  EXPECT_FALSE(sort.Add("one too many", 0));
  EXPECT_EQ(sort.Count, TQuickSort::kCapacity);

  sort.Sort(1, sort.Count, qDescending);
  for (uint16_t i = 2; i <= sort.Count; ++i) ASSERT_GE(sort.Items[i - 1]->Str, sort.Items[i]->Str);
}

}  // namespace
