#pragma once
// Blocks of memory that are filled once, front to back, and read many times (the lines of a
// grid). Blocks of 2 MiB and more ask the system for huge pages where it has them: a fresh block
// of 4 MiB costs one or two page faults instead of a thousand, which is most of what loading a
// large table into new memory takes. Smaller blocks come from the usual heap.
#include <cstddef>
#include <memory>
#include <type_traits>

namespace tab {

namespace detail {
// At least `bytes` of memory, uninitialised; `release` is what frees it again.
void* AllocateLargeBlock(std::size_t bytes, void (*&release)(void*));
}  // namespace detail

template <class T>
std::shared_ptr<T[]> NewLargeBlock(std::size_t count) {
  static_assert(std::is_trivially_default_constructible_v<T> &&
                std::is_trivially_destructible_v<T>);
  void (*release)(void*) = nullptr;
  void* memory = detail::AllocateLargeBlock(count * sizeof(T), release);
  return std::shared_ptr<T[]>(static_cast<T*>(memory), [release](T* p) { release(p); });
}

}  // namespace tab
