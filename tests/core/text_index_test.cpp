#include "records/text_index.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "records/large_block.hpp"

namespace tab {
namespace {

using namespace std::string_literals;

// Texts that differ only where the index looks last: in a trailing zero byte, in the bytes the
// two loads of a short text share, in the length, or after their first eight bytes.
TEST(TextIndexTest, TellsApartTextsThatShareHeads) {
  const std::vector<std::string> texts = {
      ""s,
      "\0"s,
      "\0\0"s,
      "a"s,
      "a\0"s,
      "ab"s,
      "ba"s,
      "abc"s,
      "acb"s,
      "abcd"s,
      "abdc"s,
      "abcde"s,
      "abxde"s,
      "abcdef"s,
      "abcdeg"s,
      "abcdefg"s,
      "abcdefg\0"s,
      "abcdefgh"s,
      "abcdefgh\0"s,
      "abcdefghi"s,
      "abcdefghj"s,
      "abcdefghijklmnop"s,
      "abcdefghijklmnoq"s,
      "abcdefghijklmnopq"s,
      std::string(300, 'x'),
      std::string(301, 'x'),
      std::string(556, 'x'),
  };
  TextIndex index;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(index.Find(texts[i]), TextIndex::kNone) << i;
    EXPECT_EQ(index.Add(texts[i]), i) << i;
  }
  ASSERT_EQ(index.Size(), texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(index.Find(texts[i]), i) << i;
    EXPECT_EQ(index.Add(texts[i]), i) << "a text added again keeps its number: " << i;
    EXPECT_EQ(index.Text(i), texts[i]) << i;
  }
  for (const std::string& missing : {"abcdefgi"s, "b"s, "abcdefghijklmnoz"s, std::string(299, 'x'),
                                     "\0\0\0"s, "abcdefghijklmno"s}) {
    EXPECT_EQ(index.Find(missing), TextIndex::kNone) << missing.size();
  }
}

// Many texts through several growths, reserved or not, against a plain map.
TEST(TextIndexTest, AgreesWithAMapThroughGrowth) {
  for (const bool reserve : {false, true}) {
    std::mt19937 random(11);
    std::uniform_int_distribution<int> length(0, 20);
    std::uniform_int_distribution<int> byte(0, 3);  // few letters: many texts share their heads
    TextIndex index;
    if (reserve) index.Reserve(5000);
    std::map<std::string, std::size_t> numbers;
    for (int i = 0; i < 20000; ++i) {
      std::string text(static_cast<std::size_t>(length(random)), '\0');
      for (char& c : text) c = static_cast<char>('a' + byte(random));
      const auto [it, fresh] = numbers.emplace(text, numbers.size());
      ASSERT_EQ(index.Add(text), it->second) << text;
      ASSERT_EQ(index.Size(), numbers.size());
    }
    for (const auto& [text, number] : numbers) {
      ASSERT_EQ(index.Find(text), number) << text;
      ASSERT_EQ(index.Text(number), text);
    }
    EXPECT_EQ(index.Find("e"), TextIndex::kNone);
  }
}

// Blocks of every size hold what is written into them, up to their last element.
TEST(LargeBlockTest, HoldsWhatIsWritten) {
  for (const std::size_t count :
       {std::size_t{1}, std::size_t{1000}, std::size_t{512} << 10, (std::size_t{1} << 20) + 3}) {
    const std::shared_ptr<std::uint32_t[]> block = NewLargeBlock<std::uint32_t>(count);
    ASSERT_NE(block, nullptr);
    for (std::size_t i = 0; i < count; ++i) block[i] = static_cast<std::uint32_t>(i * 7);
    EXPECT_EQ(block[0], 0U);
    EXPECT_EQ(block[count - 1], static_cast<std::uint32_t>((count - 1) * 7));
    const std::shared_ptr<std::uint32_t[]> shared = block;
    EXPECT_EQ(shared.use_count(), 2);
  }
}

}  // namespace
}  // namespace tab
