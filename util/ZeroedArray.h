#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

// A growing array of plain values whose blank value is all zero bytes (a
// cleared screen cell, black on black). Growing keeps what is stored and
// adds blanks. New room comes from calloc and the old values move with one
// memcpy: large blocks come as fresh zero pages from the system, so a
// picture whose cursor jumps far down costs the rows it touches, not every
// row it skips, and no build pays a loop per element.
template <typename T>
class TZeroedArray {
  static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>);

 public:
  TZeroedArray() = default;
  TZeroedArray(const TZeroedArray& other) { *this = other; }
  TZeroedArray(TZeroedArray&& other) noexcept { Swap(other); }
  TZeroedArray& operator=(const TZeroedArray& other) {
    if (this == &other) return *this;
    Store.reset();
    Count = Capacity = 0;
    Grow(other.Count);
    if (Count > 0) std::memcpy(static_cast<void*>(data()), other.data(), Count * sizeof(T));
    return *this;
  }
  TZeroedArray& operator=(TZeroedArray&& other) noexcept {
    TZeroedArray(std::move(other)).Swap(*this);
    return *this;
  }

  T* data() { return Store.get(); }
  const T* data() const { return Store.get(); }
  size_t size() const { return Count; }
  bool empty() const { return Count == 0; }
  T& operator[](size_t i) { return data()[i]; }
  const T& operator[](size_t i) const { return data()[i]; }

  // At least count values, the new ones blank. Never shrinks. Throws
  // std::bad_alloc as a vector would.
  void Grow(size_t count) {
    if (count <= Count) return;
    if (count > Capacity) {
      // Doubling: a picture that grows a row at a time copies each value a
      // bounded number of times.
      const size_t capacity = std::max(count, Capacity * 2);
      TStore fresh(static_cast<T*>(std::calloc(capacity, sizeof(T))));
      if (!fresh) throw std::bad_alloc();
      if (Count > 0) std::memcpy(static_cast<void*>(fresh.get()), data(), Count * sizeof(T));
      Store = std::move(fresh);
      Capacity = capacity;
    }
    // Room past Count is blank: calloc made it so, and Wipe keeps it so.
    Count = count;
  }
  // Blanks every value and makes the array empty; the room stays for the
  // next use, and only the values that were in use are written.
  void Wipe() {
    if (Count > 0) std::memset(static_cast<void*>(data()), 0, Count * sizeof(T));
    Count = 0;
  }
  // The values, byte for byte.
  friend bool operator==(const TZeroedArray& a, const TZeroedArray& b) {
    return a.Count == b.Count &&
           (a.Count == 0 || std::memcmp(a.data(), b.data(), a.Count * sizeof(T)) == 0);
  }

 private:
  struct TFree {
    void operator()(T* p) const { std::free(p); }
  };
  using TStore = std::unique_ptr<T, TFree>;

  void Swap(TZeroedArray& other) noexcept {
    std::swap(Store, other.Store);
    std::swap(Count, other.Count);
    std::swap(Capacity, other.Capacity);
  }

  TStore Store;
  size_t Count = 0;
  size_t Capacity = 0;
};
