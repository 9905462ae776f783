#pragma once
// Texts numbered in the order they were first added and found again by their bytes: the texts
// lie one after the other in one buffer and a table of slots leads from a hash to them, so that
// a hundred thousand keys cost a few allocations instead of several per key.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#if defined(__GNUC__)
#define TAB_PREFETCH_INLINE [[gnu::always_inline]] inline
#else
#define TAB_PREFETCH_INLINE inline
#endif

namespace tab {

class TextIndex {
 public:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  // What a lookup computes from a text before it looks at the slots. A loop that looks up many
  // texts can take it for a later text, ask for that text's slot (Prefetch) and find the text
  // with it when it comes to it.
  struct Probe {
    std::uint64_t head;
    std::uint64_t hash;
    std::uint32_t tag;
  };
  static Probe ProbeOf(std::string_view text);

  // The number of the text, or kNone when it was never added.
  std::size_t Find(std::string_view text) const { return Find(text, ProbeOf(text)); }
  std::size_t Find(std::string_view text, const Probe& probe) const;
  // Asks for the slot where a Find with the probe begins. Always inline: g++ takes a function
  // that does nothing but prefetch for one without effect and drops its calls.
  TAB_PREFETCH_INLINE void Prefetch(const Probe& probe) const {
    const std::size_t mask = slots_.empty() ? 0 : slots_.size() - 1;
    __builtin_prefetch(slots_.data() + (probe.hash & mask));
  }
  // The number of the text; a new text gets the next number (Size() before the call).
  std::size_t Add(std::string_view text);
  std::size_t Size() const { return entries_.size(); }
  // Room for `count` texts, so that adding them rehashes nothing.
  void Reserve(std::size_t count);
  // The text of a number; valid until the next Add.
  std::string_view Text(std::size_t number) const {
    const Entry& entry = entries_[number];
    return {bytes_.data() + entry.begin, entry.size};
  }

 private:
  struct Entry {
    std::size_t begin;
    std::size_t size;
  };
  // A slot carries a text's head (its first eight bytes; of a shorter text, bytes that tell it
  // apart from every other text of its length) and, with part of its hash, its length: short keys
  // (codes, numbers) are found with one look at one slot, without the entry or the buffer.
  struct Slot {
    std::uint64_t head;
    std::uint32_t tag;     // high bits of the hash, and the length up to 255 in the low byte
    std::uint32_t number;  // number + 1; 0 is an empty slot
  };
  // The slot that holds the text, or the empty slot where it would go.
  std::size_t SlotOf(std::string_view text, const Probe& probe) const;
  void Grow();
  void Rehash(std::size_t slots);

  std::vector<Entry> entries_;
  std::vector<Slot> slots_;  // at most half of them taken
  std::string bytes_;
};

// Lookups run once per row of large tables: they are inline.
namespace text_index_detail {

inline std::uint64_t Mix(std::uint64_t h) {
  h ^= h >> 32;
  h *= 0xD6E8FEB86659FD93ULL;
  h ^= h >> 32;
  return h;
}

inline std::uint64_t Word(const char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, 8);
  return word;
}

}  // namespace text_index_detail

inline TextIndex::Probe TextIndex::ProbeOf(std::string_view text) {
  const char* p = text.data();
  const std::size_t size = text.size();
  std::uint64_t head = 0;
  if (size >= 8) {
    head = text_index_detail::Word(p);
  } else if (size >= 4) {
    // Two loads that may overlap: together with the length they tell every byte.
    std::uint32_t low;
    std::uint32_t high;
    std::memcpy(&low, p, 4);
    std::memcpy(&high, p + size - 4, 4);
    head = std::uint64_t{low} | std::uint64_t{high} << 32;
  } else if (size > 0) {
    // An empty text may have no bytes at all, which must not be read.
    const auto byte = [&](std::size_t i) {
      return std::uint64_t{static_cast<unsigned char>(p[i])};
    };
    head = byte(0) | byte(size / 2) << ((size / 2) * 8) | byte(size - 1) << ((size - 1) * 8);
  }
  std::uint64_t h = (0x9E3779B97F4A7C15ULL ^ size ^ head) * 0xBF58476D1CE4E5B9ULL;
  for (std::size_t at = 8; at < size; at += 8) {
    // The last word may overlap the one before; the length is in the hash already.
    h ^= h >> 29;
    h = (h ^ text_index_detail::Word(p + std::min(at, size - 8))) * 0xBF58476D1CE4E5B9ULL;
  }
  h = text_index_detail::Mix(h);
  const auto tag = static_cast<std::uint32_t>(h >> 32 & 0xFFFFFF00U) |
                   static_cast<std::uint32_t>(std::min<std::size_t>(size, 255));
  return {head, h, tag};
}

inline std::size_t TextIndex::SlotOf(std::string_view text, const Probe& probe) const {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t slot = probe.hash & mask;; slot = (slot + 1) & mask) {
    const Slot& held = slots_[slot];
    if (held.number == 0) return slot;
    if (held.tag != probe.tag || held.head != probe.head) continue;
    // Up to eight bytes, head and length say it all; a longer text's length may exceed the
    // tag's byte, and its bytes after the head are compared.
    if (text.size() <= 8) return slot;
    const Entry& entry = entries_[held.number - 1];
    if (entry.size == text.size() &&
        std::memcmp(bytes_.data() + entry.begin + 8, text.data() + 8, text.size() - 8) == 0) {
      return slot;
    }
  }
}

inline std::size_t TextIndex::Find(std::string_view text, const Probe& probe) const {
  if (entries_.empty()) return kNone;
  const Slot& held = slots_[SlotOf(text, probe)];
  return held.number == 0 ? kNone : held.number - 1;
}

}  // namespace tab
