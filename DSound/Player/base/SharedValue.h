// A value read and written by two threads without a lock (client and
// streaming thread), for the records that both see.
#pragma once

#include <atomic>

// A value read and written by two threads without a lock. It copies like the
// plain value it holds, so records containing it stay ordinary values.
template <typename T>
class SharedValue {
 public:
  constexpr SharedValue(T value = T()) noexcept : value_(value) {}
  SharedValue(const SharedValue& other) noexcept : value_(other.load()) {}
  SharedValue& operator=(const SharedValue& other) noexcept {
    store(other.load());
    return *this;
  }
  SharedValue& operator=(T value) noexcept {
    store(value);
    return *this;
  }
  operator T() const noexcept { return load(); }
  T load() const noexcept { return value_.load(std::memory_order_acquire); }
  void store(T value) noexcept { value_.store(value, std::memory_order_release); }
  T exchange(T value) noexcept { return value_.exchange(value, std::memory_order_acq_rel); }

 private:
  std::atomic<T> value_;
};
