#pragma once
// Texts numbered in the order they were first added and found again by their bytes: the texts
// lie one after the other in one buffer and a table of slots leads from a hash to them, so that
// a hundred thousand keys cost a few allocations instead of several per key.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tab {

class TextIndex {
 public:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  // The number of the text, or kNone when it was never added.
  std::size_t Find(std::string_view text) const;
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
  struct Probe {
    std::uint64_t head;
    std::uint64_t hash;
    std::uint32_t tag;
  };
  static Probe ProbeOf(std::string_view text);
  // The slot that holds the text, or the empty slot where it would go.
  std::size_t SlotOf(std::string_view text, const Probe& probe) const;
  void Grow();
  void Rehash(std::size_t slots);

  std::vector<Entry> entries_;
  std::vector<Slot> slots_;  // at most half of them taken
  std::string bytes_;
};

}  // namespace tab
