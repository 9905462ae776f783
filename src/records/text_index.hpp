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
  // The text of a number; valid until the next Add.
  std::string_view Text(std::size_t number) const {
    const Entry& entry = entries_[number];
    return {bytes_.data() + entry.begin, entry.size};
  }

 private:
  struct Entry {
    std::uint64_t hash;
    std::size_t begin;
    std::size_t size;
  };
  static std::uint64_t Hash(std::string_view text);
  // The slot that holds the text, or the empty slot where it would go.
  std::size_t SlotOf(std::string_view text, std::uint64_t hash) const;
  void Grow();

  std::vector<Entry> entries_;
  std::vector<std::uint32_t> slots_;  // number + 1; 0 is an empty slot
  std::string bytes_;
};

}  // namespace tab
