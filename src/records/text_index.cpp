#include "records/text_index.hpp"

#include <algorithm>
#include <cstring>

namespace tab {
namespace {

constexpr std::size_t kFirstSlots = 64;

std::uint64_t Mix(std::uint64_t h) {
  h ^= h >> 32;
  h *= 0xD6E8FEB86659FD93ULL;
  h ^= h >> 32;
  return h;
}

// A slot: the high half of the hash, and the number + 1 in the low half (never 0).
std::uint64_t SlotValue(std::uint64_t hash, std::size_t number) {
  return (hash & 0xFFFFFFFF00000000ULL) | static_cast<std::uint32_t>(number + 1);
}

}  // namespace

std::uint64_t TextIndex::Hash(std::string_view text) {
  std::uint64_t h = 0x9E3779B97F4A7C15ULL ^ text.size();
  const char* p = text.data();
  std::size_t left = text.size();
  while (left >= 8) {
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    h = (h ^ word) * 0xBF58476D1CE4E5B9ULL;
    h ^= h >> 29;
    p += 8;
    left -= 8;
  }
  // The last bytes without a copy byte by byte: two loads that may overlap, or three bytes.
  if (left >= 4) {
    std::uint32_t low;
    std::uint32_t high;
    std::memcpy(&low, p, 4);
    std::memcpy(&high, p + left - 4, 4);
    h = (h ^ (std::uint64_t{high} << 32 | low)) * 0xBF58476D1CE4E5B9ULL;
  } else if (left > 0) {
    const auto byte = [&](std::size_t i) {
      return std::uint64_t{static_cast<unsigned char>(p[i])};
    };
    h = (h ^ (byte(0) << 16 | byte(left / 2) << 8 | byte(left - 1))) * 0xBF58476D1CE4E5B9ULL;
  }
  return Mix(h);
}

std::uint64_t TextIndex::Head(std::string_view text) {
  std::uint64_t head = 0;
  // An empty text may have no bytes at all, which memcpy must not be given.
  if (!text.empty()) std::memcpy(&head, text.data(), std::min<std::size_t>(text.size(), 8));
  return head;
}

std::size_t TextIndex::SlotOf(std::string_view text, std::uint64_t hash) const {
  const std::size_t mask = slots_.size() - 1;
  const std::uint64_t tag = hash & 0xFFFFFFFF00000000ULL;
  for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
    const std::uint64_t held = slots_[slot];
    if (held == 0) return slot;
    if ((held & 0xFFFFFFFF00000000ULL) != tag) continue;
    const Entry& entry = entries_[(held & 0xFFFFFFFFULL) - 1];
    if (entry.size == text.size() && entry.head == Head(text) &&
        (text.size() <= 8 ||
         std::memcmp(bytes_.data() + entry.begin + 8, text.data() + 8, text.size() - 8) == 0)) {
      return slot;
    }
  }
}

std::size_t TextIndex::Find(std::string_view text) const {
  if (entries_.empty()) return kNone;
  const std::uint64_t held = slots_[SlotOf(text, Hash(text))];
  return held == 0 ? kNone : (held & 0xFFFFFFFFULL) - 1;
}

std::size_t TextIndex::Add(std::string_view text) {
  // At most half of the slots are taken, so that a search ends soon at an empty one.
  if (2 * (entries_.size() + 1) > slots_.size()) Grow();
  const std::uint64_t hash = Hash(text);
  const std::size_t slot = SlotOf(text, hash);
  if (slots_[slot] != 0) return (slots_[slot] & 0xFFFFFFFFULL) - 1;
  entries_.push_back({Head(text), bytes_.size(), text.size()});
  bytes_.append(text);
  slots_[slot] = SlotValue(hash, entries_.size() - 1);
  return entries_.size() - 1;
}

void TextIndex::Grow() {
  const std::size_t size = slots_.empty() ? kFirstSlots : 2 * slots_.size();
  slots_.assign(size, 0);
  const std::size_t mask = size - 1;
  for (std::size_t number = 0; number < entries_.size(); ++number) {
    const std::uint64_t hash = Hash(Text(number));
    std::size_t slot = hash & mask;
    while (slots_[slot] != 0) slot = (slot + 1) & mask;
    slots_[slot] = SlotValue(hash, number);
  }
}

}  // namespace tab
