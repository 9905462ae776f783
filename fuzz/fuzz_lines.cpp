// Line reading, the OEM conversion and the field cut. Byte 0 is the field count (minus 2, so a
// few counts are negative); bits 0 and 1 of byte 1 both set put the rest of the input behind
// 64 KiB less (byte 1 >> 2) bytes of filler lines, so that its lines cross the end of the
// reader's first buffer. Every line read is compared with the line rules, converted byte by byte
// and cut into fields both ways, and read again through DataFile as the loaders read it.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.hpp"
#include "records/fields.hpp"
#include "records/line_reader.hpp"
#include "records/placement.hpp"
#include "records/text.hpp"

namespace {

using namespace tab;
using namespace tab::fuzz;

constexpr std::size_t kReaderBuffer = 64 * 1024;

struct Filler {
  std::string bytes;
  std::size_t lines = 0;
};

// 64 KiB less `shortBy` bytes of 63-byte lines, the last one ended by an LF as well; made once
// for each length.
const Filler& FillerShortBy(unsigned shortBy) {
  static std::array<Filler, 64> fillers;
  Filler& filler = fillers.at(shortBy);
  if (filler.bytes.empty()) {
    filler.bytes.assign(kReaderBuffer - shortBy, 'f');
    for (std::size_t i = 63; i < filler.bytes.size(); i += 64) filler.bytes[i] = '\n';
    filler.bytes.back() = '\n';
    filler.lines =
        static_cast<std::size_t>(std::count(filler.bytes.begin(), filler.bytes.end(), '\n'));
  }
  return filler;
}

void CheckFieldRules(std::string_view field) {
  FUZZ_CHECK(field.find_first_of(";\t\r") == std::string_view::npos, "separator inside a field",
             field);
  const std::size_t quote = field.find('"', 1);
  FUZZ_CHECK(quote == std::string_view::npos || quote + 1 == field.size(),
             "a field goes on after its closing quote", field);
}

// The cut of SplitRecord against repeated field-by-field calls, and every field a piece of the
// line, in order.
void CheckSplit(std::string_view line, int n) {
  const std::vector<std::string_view> expected = ReferenceSplit(line, n);
  std::vector<std::string_view> views(3, "stale");
  SplitRecord(line, n, views);
  FUZZ_CHECK(views.size() == expected.size(), "SplitRecord gives another number of fields", line);
  const char* previousEnd = line.data();
  for (std::size_t k = 0; k < views.size(); ++k) {
    FUZZ_CHECK(views[k] == expected[k], "SplitRecord differs from NextField",
               std::string(line) + " | field " + std::to_string(k + 1) + " n=" + std::to_string(n));
    FUZZ_CHECK(views[k].size() <= line.size(), "field longer than its line", line);
    CheckFieldRules(views[k]);
    if (views[k].empty()) continue;
    FUZZ_CHECK(views[k].data() >= previousEnd &&
                   views[k].data() + views[k].size() <= line.data() + line.size(),
               "field is not a piece of its line after the field before", line);
    previousEnd = views[k].data() + views[k].size();
  }
  const std::vector<std::string> copies = SplitRecord(line, n);
  FUZZ_CHECK(copies.size() == expected.size(), "SplitRecord copies: another number of fields",
             line);
  for (std::size_t k = 0; k < copies.size(); ++k) {
    FUZZ_CHECK(copies[k] == expected[k], "SplitRecord copies differ from the views", line);
  }
  // NextField alone, to the end of the line.
  std::string_view rest = line;
  std::string_view referenceRest = line;
  while (!referenceRest.empty()) {
    const std::string_view field = NextField(rest);
    FUZZ_CHECK(field == ReferenceNextField(referenceRest), "NextField differs from the field rules",
               line);
    FUZZ_CHECK(rest == referenceRest, "NextField leaves another rest", line);
    FUZZ_CHECK(rest.empty() || rest.data() + rest.size() == line.data() + line.size(),
               "NextField's rest is not the end of the line", line);
  }
  FUZZ_CHECK(rest.empty(), "NextField leaves a rest after the end", line);
}

void CheckConversion(const std::string& line) {
  std::string converted = line;
  OemToWin1252InPlace(converted);
  FUZZ_CHECK(converted.size() == line.size(), "conversion changes the length", line);
  for (std::size_t i = 0; i < line.size(); ++i) {
    const auto oem = static_cast<unsigned char>(line[i]);
    FUZZ_CHECK(converted[i] == OemToWin1252(oem), "word-wise conversion differs from the table",
               line);
    if (oem < 0x80) FUZZ_CHECK(converted[i] == line[i], "conversion changes an ASCII byte", line);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const int n = static_cast<int>(data[0]) - 2;
  const bool behindFiller = (data[1] & 3) == 3;
  const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);

  static const std::string path = ScratchDir() + "LINES.CSV";
  std::string bytes;
  std::size_t fillerLines = 0;
  if (behindFiller) {
    const Filler& filler = FillerShortBy(data[1] >> 2);
    bytes = filler.bytes;
    fillerLines = filler.lines;
  }
  bytes += text;
  WriteFile(path, bytes);

  const std::vector<std::string> expected = ReferenceLines(bytes);
  LineReader reader(path);
  FUZZ_CHECK(!reader.Failed(), "a written file cannot be opened");
  std::string line = "stale";
  std::size_t count = 0;
  while (reader.Next(line)) {
    FUZZ_CHECK(count < expected.size(), "more lines than the line rules give", line);
    FUZZ_CHECK(line == expected[count], "line differs from the line rules", line);
    if (count >= fillerLines) {
      FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos, "line break inside a line", line);
      CheckConversion(line);
      OemToWin1252InPlace(line);
      CheckSplit(line, n);
    }
    ++count;
  }
  FUZZ_CHECK(line.empty(), "the end of the file leaves text in the line", line);
  FUZZ_CHECK(!reader.Failed(), "reading a scratch file failed");
  FUZZ_CHECK(count == expected.size(), "fewer lines than the line rules give",
             std::to_string(count) + " of " + std::to_string(expected.size()));
  FUZZ_CHECK(!reader.Next(line), "a line after the end");

  // The same lines through DataFile, as the loaders read them: found, converted and cut in one
  // pass where they are plain, the general way otherwise; in each way the processor offers.
  UseScanWay(size % 2 == 0 ? ScanWay::kPortable : ScanWay::kAvx512);
  DataFile file(path, n);
  count = 0;
  while (file.Next()) {
    FUZZ_CHECK(count < expected.size(), "DataFile reads more lines than the line rules give");
    std::string converted = expected[count];
    OemToWin1252InPlace(converted);
    FUZZ_CHECK(file.Line() == converted, "DataFile's line differs", converted);
    const std::vector<std::string_view> fields = ReferenceSplit(converted, n);
    for (std::size_t k = 0; k < fields.size(); ++k) {
      FUZZ_CHECK(file.Field(static_cast<int>(k) + 1) == fields[k], "DataFile's field differs",
                 converted + " | field " + std::to_string(k + 1));
    }
    ++count;
  }
  FUZZ_CHECK(count == expected.size(), "DataFile reads fewer lines than the line rules give");
  UseBestScanWay();

  // The same lines before their CRs were dropped: the cut stops at a CR that begins the rest.
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    CheckSplit(text.substr(start, end - start), n);
    start = end + 1;
  }
  return 0;
}
