#include "records/text_index.hpp"

#include <algorithm>
#include <cstring>

namespace tab {
namespace {

constexpr std::size_t kFirstSlots = 64;

}  // namespace

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
