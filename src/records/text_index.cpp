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

std::uint64_t Word(const char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, 8);
  return word;
}

}  // namespace

TextIndex::Probe TextIndex::ProbeOf(std::string_view text) {
  const char* p = text.data();
  const std::size_t size = text.size();
  std::uint64_t head = 0;
  if (size >= 8) {
    head = Word(p);
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
    h = (h ^ Word(p + std::min(at, size - 8))) * 0xBF58476D1CE4E5B9ULL;
  }
  h = Mix(h);
  const auto tag = static_cast<std::uint32_t>(h >> 32 & 0xFFFFFF00U) |
                   static_cast<std::uint32_t>(std::min<std::size_t>(size, 255));
  return {head, h, tag};
}

std::size_t TextIndex::SlotOf(std::string_view text, const Probe& probe) const {
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

std::size_t TextIndex::Find(std::string_view text) const {
  if (entries_.empty()) return kNone;
  const Slot& held = slots_[SlotOf(text, ProbeOf(text))];
  return held.number == 0 ? kNone : held.number - 1;
}

std::size_t TextIndex::Add(std::string_view text) {
  // At most half of the slots are taken, so that a search ends soon at an empty one.
  if (2 * (entries_.size() + 1) > slots_.size()) Grow();
  const Probe probe = ProbeOf(text);
  const std::size_t slot = SlotOf(text, probe);
  if (slots_[slot].number != 0) return slots_[slot].number - 1;
  entries_.push_back({bytes_.size(), text.size()});
  bytes_.append(text);
  slots_[slot] = {probe.head, probe.tag, static_cast<std::uint32_t>(entries_.size())};
  return entries_.size() - 1;
}

void TextIndex::Reserve(std::size_t count) {
  entries_.reserve(count);
  std::size_t size = std::max(kFirstSlots, slots_.size());
  while (2 * count > size) size *= 2;
  if (size != slots_.size()) Rehash(size);
}

void TextIndex::Grow() {
  Rehash(slots_.empty() ? kFirstSlots : 2 * slots_.size());
}

void TextIndex::Rehash(std::size_t size) {
  std::vector<Slot> old(size, Slot{0, 0, 0});
  old.swap(slots_);
  const std::size_t mask = size - 1;
  // Every text is in a slot of the old table with its head and tag; only the hash is new.
  for (const Slot& held : old) {
    if (held.number == 0) continue;
    std::size_t slot = ProbeOf(Text(held.number - 1)).hash & mask;
    while (slots_[slot].number != 0) slot = (slot + 1) & mask;
    slots_[slot] = held;
  }
}

}  // namespace tab
