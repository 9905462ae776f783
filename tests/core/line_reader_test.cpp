#include "records/line_reader.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <span>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "support/fixture.hpp"
#include "support/other_user.hpp"

namespace tab {
namespace {

using Lines = std::vector<std::string>;

Lines ReadAll(LineReader& reader) {
  Lines lines;
  std::string line;
  while (reader.Next(line)) lines.push_back(line);
  return lines;
}

struct LinesCase {
  const char* name;
  std::string bytes;
  Lines lines;
};

class LineReaderTest : public testing::TestWithParam<LinesCase> {};

TEST_P(LineReaderTest, CutsBytesIntoLines) {
  test::TempDir dir;
  const std::string path = dir.Make("data.csv");
  test::WriteBytes(path, GetParam().bytes);
  LineReader reader(path);
  ASSERT_FALSE(reader.Failed());
  EXPECT_EQ(ReadAll(reader), GetParam().lines);
  EXPECT_FALSE(reader.Failed());
  std::string line = "left over";
  EXPECT_FALSE(reader.Next(line));  // stays at the end
  EXPECT_TRUE(line.empty());

  // The same lines where the reader holds them, alone and taking turns with copied lines.
  for (const bool alternate : {false, true}) {
    LineReader inPlace(path);
    Lines lines;
    std::span<char> view;
    for (bool copy = false;; copy = alternate && !copy) {
      if (copy) {
        if (!inPlace.Next(line)) break;
        lines.push_back(line);
      } else {
        if (!inPlace.NextInPlace(view)) break;
        lines.emplace_back(view.begin(), view.end());
      }
    }
    EXPECT_EQ(lines, GetParam().lines) << (alternate ? "alternating" : "in place");
    EXPECT_FALSE(inPlace.NextInPlace(view));
  }
}

using namespace std::string_literals;

// The reader fills 64 KiB at a time: these put a line end or the end mark on that boundary.
const std::string kBlock(65535, 'x');

INSTANTIATE_TEST_SUITE_P(
    Files, LineReaderTest,
    testing::Values(LinesCase{"Empty", "", {}}, LinesCase{"CrLf", "a;b\r\nc\r\n", {"a;b", "c"}},
                    LinesCase{"Lf", "a\nb\n", {"a", "b"}},
                    LinesCase{"MixedEnds", "a\r\nb\nc\r\n", {"a", "b", "c"}},
                    LinesCase{"LoneCrIsDropped", "a\rb\r\n", {"ab"}},
                    LinesCase{"CrCrLf", "a\r\r\nb\r\n", {"a", "b"}},
                    LinesCase{"CrAtEndOfFile", "a\r", {"a"}},
                    LinesCase{"NoFinalLineEnd", "a\r\nb", {"a", "b"}},
                    LinesCase{"OnlyLineEnd", "\n", {""}},
                    LinesCase{"TwoEmptyLines", "\r\n\r\n", {"", ""}},
                    LinesCase{"EmptyLineBetween", "a\r\n\r\nb\r\n", {"a", "", "b"}},
                    LinesCase{"EndMarkAtFileStart",
                              "\x1A"
                              "a\r\n",
                              {}},
                    LinesCase{"EndMarkAtLineStart",
                              "a\r\n\x1A"
                              "b\r\nc\r\n",
                              {"a"}},
                    LinesCase{"EndMarkInsideLine",
                              "a\x1A"
                              "b\r\n",
                              {"a\x1A"
                               "b"}},
                    LinesCase{"EndMarkAtLineEnd", "a\x1A\r\nb\r\n", {"a\x1A", "b"}},
                    LinesCase{"NulBytes", "a\0b\r\n\0\r\n"s, {"a\0b"s, "\0"s}},
                    LinesCase{"HighBytesUnchanged", "\x84\x94\x81\xFF\r\n", {"\x84\x94\x81\xFF"}},
                    LinesCase{"CrLfAcrossFill", kBlock + "\r\ny\r\n", {kBlock, "y"}},
                    LinesCase{"LineAcrossFill", kBlock + "abc\r\n", {kBlock + "abc"}},
                    LinesCase{"EndMarkStartsNextFill",
                              kBlock + "\n\x1A"
                                       "z\n",
                              {kBlock}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(LineReader, MissingFileFailsWithEnoent) {
  test::TempDir dir;
  LineReader reader(dir.Path() + "FEHLT.CSV");
  EXPECT_TRUE(reader.Failed());
  EXPECT_EQ(reader.Error(), ENOENT);
  std::string line;
  EXPECT_FALSE(reader.Next(line));
}

TEST(LineReader, FolderFailsWithEisdir) {
  test::TempDir dir;
  LineReader reader(dir.Make("SCHULE/"));
  EXPECT_TRUE(reader.Failed());
  EXPECT_EQ(reader.Error(), EISDIR);
  std::string line;
  EXPECT_FALSE(reader.Next(line));
  EXPECT_EQ(reader.Error(), EISDIR);
}

TEST(LineReader, UnreadableFileFailsWithEacces) {
  test::TempDir dir;
  const std::string path = dir.Make("geheim.csv");
  test::WriteBytes(path, "a\r\n");
  ASSERT_EQ(::chmod(path.c_str(), 0), 0);
  test::RunAsAnotherUser(dir, [&] {
    LineReader reader(path);
    EXPECT_TRUE(reader.Failed());
    EXPECT_EQ(reader.Error(), EACCES);
    std::string line;
    EXPECT_FALSE(reader.Next(line));
  });
}

// A file that opens but cannot be read, even by root: the process's own memory, read from
// address 0, which is never mapped.
TEST(LineReader, ReadErrorAfterOpeningFailsWithEio) {
  LineReader reader("/proc/self/mem");
  ASSERT_FALSE(reader.Failed()) << reader.Error();
  std::string line = "left over";
  EXPECT_FALSE(reader.Next(line));
  EXPECT_TRUE(line.empty());
  EXPECT_TRUE(reader.Failed());
  EXPECT_EQ(reader.Error(), EIO);
  std::span<char> view;
  LineReader inPlace("/proc/self/mem");
  EXPECT_FALSE(inPlace.NextInPlace(view));
  EXPECT_EQ(inPlace.Error(), EIO);
}

TEST(LineReader, FiftyMegabyteLine) {
  test::TempDir dir;
  const std::string path = dir.Make("lang.csv");
  std::string longLine(50u << 20, ' ');
  for (std::size_t i = 0; i < longLine.size(); ++i) longLine[i] = static_cast<char>('a' + i % 26);
  test::WriteBytes(path, longLine + "\r\nende\r\n");
  LineReader reader(path);
  std::string line;
  ASSERT_TRUE(reader.Next(line));
  EXPECT_EQ(line.size(), longLine.size());
  EXPECT_TRUE(line == longLine);  // no dump of 50 MB on failure
  ASSERT_TRUE(reader.Next(line));
  EXPECT_EQ(line, "ende");
  EXPECT_FALSE(reader.Next(line));
  EXPECT_FALSE(reader.Failed());
}

}  // namespace
}  // namespace tab
