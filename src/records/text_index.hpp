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
  // A text's first eight bytes stand in its entry: short keys (codes, numbers) are compared
  // without a look into the buffer.
  struct Entry {
    std::uint64_t head;
    std::size_t begin;
    std::size_t size;
  };
  static std::uint64_t Head(std::string_view text);
  static std::uint64_t Hash(std::string_view text);
  // The slot that holds the text, or the empty slot where it would go.
  std::size_t SlotOf(std::string_view text, std::uint64_t hash) const;
  void Grow();

  std::vector<Entry> entries_;
  // The high half of a text's hash above its number + 1, so that most other texts are passed
  // over without a look at their entry; 0 is an empty slot.
  std::vector<std::uint64_t> slots_;
  std::string bytes_;
};

}  // namespace tab
