// Line reading, the OEM conversion and the field cut. Byte 0 gives the field count (modulo 64,
// minus 2, so a few counts are negative); byte 1 with its high bit set makes every read of the file
// give at most (byte 1 & 0x7F) + 1 bytes, so that lines cross the ends of what the reader has read.
// The rest of the input is the file, a memory file. Every line read is compared with the line
// rules, converted byte by byte and cut into fields both ways, and read again through DataFile as
// the loaders read it.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.hpp"
#include "records/byte_source.hpp"
#include "records/fields.hpp"
#include "records/line_reader.hpp"
#include "records/placement.hpp"
#include "records/text.hpp"

namespace {

using namespace tab;
using namespace tab::fuzz;

// Field counts -2 .. 61: beyond the 60 fields of the widest record, and every field is cut for
// every line twice, so that larger counts would only slow the run.
constexpr int kFieldCounts = 64;

void CheckFieldRules(std::string_view field) {
  FUZZ_CHECK(!ContainsAny(field, ";\t\r"), "separator inside a field", field);
  const std::size_t quote = field.find('"', 1);
  FUZZ_CHECK(quote == std::string_view::npos || quote + 1 == field.size(),
             "a field goes on after its closing quote", field);
}

// The cut of SplitRecord against repeated field-by-field calls, and every field a piece of the
// line, in order. With `copies` also the form that copies the fields (the views copied, so that
// one line of each input is enough for it).
void CheckSplit(std::string_view line, int n, bool copies) {
  // The buffers keep their room from call to call: the checks run for every line.
  static std::vector<std::string_view> expected;
  static std::vector<std::string_view> views;
  ReferenceSplit(line, n, expected);
  views.assign(3, "stale");
  SplitRecord(line, n, views);
  FUZZ_CHECK(views.size() == expected.size(), "SplitRecord gives another number of fields", line);
  const char* previousEnd = line.data();
  for (std::size_t k = 0; k < views.size(); ++k) {
    FUZZ_CHECK(SameBytes(views[k], expected[k]), "SplitRecord differs from NextField",
               std::string(line) + " | field " + std::to_string(k + 1) + " n=" + std::to_string(n));
    FUZZ_CHECK(views[k].size() <= line.size(), "field longer than its line", line);
    CheckFieldRules(views[k]);
    if (views[k].empty()) continue;
    FUZZ_CHECK(views[k].data() >= previousEnd &&
                   views[k].data() + views[k].size() <= line.data() + line.size(),
               "field is not a piece of its line after the field before", line);
    previousEnd = views[k].data() + views[k].size();
  }
  if (copies) {
    const std::vector<std::string> copied = SplitRecord(line, n);
    FUZZ_CHECK(copied.size() == expected.size(), "SplitRecord copies: another number of fields",
               line);
    for (std::size_t k = 0; k < copied.size(); ++k) {
      FUZZ_CHECK(SameBytes(copied[k], expected[k]), "SplitRecord copies differ from the views",
                 line);
    }
  }
  // NextField alone, to the end of the line.
  std::string_view rest = line;
  std::string_view referenceRest = line;
  while (!referenceRest.empty()) {
    const std::string_view field = NextField(rest);
    FUZZ_CHECK(SameBytes(field, ReferenceNextField(referenceRest)),
               "NextField differs from the field rules", line);
    FUZZ_CHECK(SameBytes(rest, referenceRest), "NextField leaves another rest", line);
    FUZZ_CHECK(rest.empty() || rest.data() + rest.size() == line.data() + line.size(),
               "NextField's rest is not the end of the line", line);
  }
  FUZZ_CHECK(rest.empty(), "NextField leaves a rest after the end", line);
}

void CheckConversion(const std::string& line) {
  static std::string converted;
  converted.assign(line);
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
  const int n = static_cast<int>(data[0] % kFieldCounts) - 2;
  const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);

  static const std::string path = MemoryFolder("lines") + "LINES.CSV";
  Memory().Put(path, std::string(text));
  Memory().SetReadChunk((data[1] & 0x80) != 0 ? (data[1] & 0x7Fu) + 1 : ByteSource::kUnknownSize);

  const std::vector<std::string> expected = ReferenceLines(text);
  LineReader reader(path);
  FUZZ_CHECK(!reader.Failed(), "a written file cannot be opened");
  std::string line = "stale";
  std::size_t count = 0;
  while (reader.Next(line)) {
    FUZZ_CHECK(count < expected.size(), "more lines than the line rules give", line);
    FUZZ_CHECK(SameBytes(line, expected[count]), "line differs from the line rules", line);
    FUZZ_CHECK(!ContainsAny(line, "\r\n"), "line break inside a line", line);
    CheckConversion(line);
    OemToWin1252InPlace(line);
    CheckSplit(line, n, count == 0);
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
  std::string converted;
  std::vector<std::string_view> fields;
  count = 0;
  while (file.Next()) {
    FUZZ_CHECK(count < expected.size(), "DataFile reads more lines than the line rules give");
    converted.assign(expected[count]);
    OemToWin1252InPlace(converted);
    FUZZ_CHECK(SameBytes(file.Line(), converted), "DataFile's line differs", converted);
    ReferenceSplit(converted, n, fields);
    for (std::size_t k = 0; k < fields.size(); ++k) {
      FUZZ_CHECK(SameBytes(file.Field(static_cast<int>(k) + 1), fields[k]),
                 "DataFile's field differs", converted + " | field " + std::to_string(k + 1));
    }
    ++count;
  }
  FUZZ_CHECK(count == expected.size(), "DataFile reads fewer lines than the line rules give");
  UseBestScanWay();

  // The same lines before their CRs were dropped: the cut stops at a CR that begins the rest.
  // Pieces of plain ASCII without a CR are cut like the lines above; the pieces with a CR or
  // with bytes the conversion changes are what this pass adds.
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view raw = text.substr(start, end - start);
    const bool plain = std::all_of(raw.begin(), raw.end(), [](char c) {
      return c != '\r' && static_cast<unsigned char>(c) < 0x80;
    });
    if (!plain) CheckSplit(raw, n, false);
    start = end + 1;
  }
  return 0;
}
