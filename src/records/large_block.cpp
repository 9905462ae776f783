#include "records/large_block.hpp"

#include <cstdlib>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace tab::detail {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

void ReleaseHeap(void* p) {
  ::operator delete[](p);
}

#if defined(__linux__)
void ReleaseAligned(void* p) {
  std::free(p);
}
#endif

}  // namespace

void* AllocateLargeBlock(std::size_t bytes, void (*&release)(void*)) {
#if defined(__linux__)
  if (bytes >= kHugePage) {
    const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    if (void* p = std::aligned_alloc(kHugePage, rounded)) {
      // Only a hint: where the system has no huge pages, the block works as any other.
      ::madvise(p, rounded, MADV_HUGEPAGE);
      release = ReleaseAligned;
      return p;
    }
    throw std::bad_alloc();
  }
#endif
  release = ReleaseHeap;
  return ::operator new[](bytes);
}

}  // namespace tab::detail
