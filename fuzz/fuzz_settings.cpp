// The settings record ZREINST.DAT. Byte 0 picks the variant, the rest of the input is the file:
//   0: LoadSettings on the file as it is: a record of 1088 bytes is taken, any other size is
//      deleted and reported;
//   1: the file cut or padded to 1088 bytes and made canonical (zero padding, zeros behind each
//      text, no length beyond a text's capacity): loaded, written back and read again, it must
//      come back byte for byte;
//   2: ReadSettingsFile on the file as it is: whatever it holds, the rest of the record zero.
// Each record is also decoded here from the field offsets, independently of the decoder.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/settings.hpp"
#include "fuzz_support.hpp"
#include "records/file_names.hpp"

namespace {

using namespace tab;
using namespace tab::fuzz;

struct Text {
  std::size_t offset;
  std::size_t capacity;
};
constexpr std::array<Text, 5> kTexts = {{{0, 20}, {21, 255}, {320, 255}, {576, 255}, {832, 255}}};
// Bytes between the fields, kept for alignment and written as zeros.
constexpr std::array<std::size_t, 4> kPadding = {277, 289, 302, 303};

std::uint64_t Le(const SettingsRecord& record, std::size_t offset, int bytes) {
  std::uint64_t value = 0;
  for (int i = bytes - 1; i >= 0; --i)
    value = value * 256 + record[offset + static_cast<std::size_t>(i)];
  return value;
}

std::string TextAt(const SettingsRecord& record, Text text) {
  const std::size_t length = std::min<std::size_t>(record[text.offset], text.capacity);
  std::string out;
  for (std::size_t i = 0; i < length; ++i) out += static_cast<char>(record[text.offset + 1 + i]);
  return out;
}

Settings Decode(const SettingsRecord& record) {
  Settings s;
  s.schoolNumber = TextAt(record, kTexts[0]);
  s.dataBaseDirectory = TextAt(record, kTexts[1]);
  s.rowHeightOption = static_cast<std::uint16_t>(Le(record, 278, 2));
  s.prefillOption = static_cast<std::uint16_t>(Le(record, 280, 2));
  s.reserved282 = static_cast<std::uint16_t>(Le(record, 282, 2));
  s.reserved284 = static_cast<std::uint16_t>(Le(record, 284, 2));
  s.reportOption = static_cast<std::uint16_t>(Le(record, 286, 2));
  s.reserved288 = record[288];
  s.reserved290 = static_cast<std::uint16_t>(Le(record, 290, 2));
  for (std::size_t i = 0; i < 5; ++i) {
    s.reserved292[i] = static_cast<std::uint16_t>(Le(record, 292 + 2 * i, 2));
  }
  s.reserved304 = Le(record, 304, 8);
  s.reserved312 = Le(record, 312, 8);
  s.reserved320 = TextAt(record, kTexts[2]);
  s.reserved576 = TextAt(record, kTexts[3]);
  s.reserved832 = TextAt(record, kTexts[4]);
  return s;
}

SettingsRecord Canonical(std::string_view bytes) {
  SettingsRecord record{};
  std::copy_n(bytes.begin(), std::min(bytes.size(), record.size()), record.begin());
  for (const Text text : kTexts) {
    const std::size_t length = std::min<std::size_t>(record[text.offset], text.capacity);
    record[text.offset] = static_cast<unsigned char>(length);
    std::fill(record.begin() + static_cast<std::ptrdiff_t>(text.offset + 1 + length),
              record.begin() + static_cast<std::ptrdiff_t>(text.offset + 1 + text.capacity), 0);
  }
  for (const std::size_t at : kPadding) record[at] = 0;
  return record;
}

std::string_view Bytes(const SettingsRecord& record) {
  return {reinterpret_cast<const char*>(record.data()), record.size()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::string_view file(reinterpret_cast<const char*>(data + 1), size - 1);
  static const std::string dir = ScratchFolder("program");
  static const std::string copyDir = ScratchFolder("copy");
  const std::string path = dir + kSettingsFileName;
  RecordingPort port;
  Settings settings;
  settings.schoolNumber = "stale";

  switch (data[0] % 3) {
    case 0: {
      WriteFile(path, file);
      LoadSettings(settings, dir, port);
      CheckMessages(port);
      if (file.size() == kSettingsRecordSize) {
        SettingsRecord record{};
        std::copy(file.begin(), file.end(), record.begin());
        FUZZ_CHECK(settings == Decode(record), "a record of the right size is read otherwise");
        FUZZ_CHECK(port.Messages().empty(), "a record of the right size gives a message");
        FUZZ_CHECK(ReadFile(path) == file, "loading changes the settings file");
      } else {
        FUZZ_CHECK(settings == DefaultSettings(), "a record of a wrong size leaves no defaults");
        FUZZ_CHECK(port.Messages().size() == 1 &&
                       port.Messages()[0].kind == MessageKind::Information &&
                       port.Messages()[0].text.starts_with("Die Einstellungsdatei:\n" + path +
                                                           "\n" + "ist zu alt oder fehlerhaft!"),
                   "a record of a wrong size is not reported as such");
        FUZZ_CHECK(!PathExists(path), "a record of a wrong size is not deleted");
      }
      break;
    }
    case 1: {
      const SettingsRecord record = Canonical(file);
      WriteFile(path, Bytes(record));
      LoadSettings(settings, dir, port);
      FUZZ_CHECK(port.Messages().empty(), "a canonical record gives a message");
      FUZZ_CHECK(settings == Decode(record), "a canonical record is read otherwise");
      FUZZ_CHECK(EncodeSettings(settings) == record, "a canonical record is not encoded back");
      FUZZ_CHECK(WriteSettings(settings, copyDir, port), "writing the settings failed");
      FUZZ_CHECK(ReadFile(copyDir + kSettingsFileName) == Bytes(record),
                 "a record read and written back is not the same");
      Settings again;
      LoadSettings(again, copyDir, port);
      FUZZ_CHECK(port.Messages().empty() && again == settings, "a written record reads otherwise");
      break;
    }
    default: {
      WriteFile(path, file);
      FUZZ_CHECK(ReadSettingsFile(settings, dir, port), "reading a settings file failed");
      CheckMessages(port);
      FUZZ_CHECK(port.Messages().empty(), "reading a settings file gives a message");
      SettingsRecord record{};
      std::copy_n(file.begin(), std::min(file.size(), record.size()), record.begin());
      FUZZ_CHECK(settings == Decode(record), "a settings file is read otherwise");
      break;
    }
  }
  // Whatever was read encodes to a canonical record that decodes to the same settings.
  const SettingsRecord encoded = EncodeSettings(settings);
  FUZZ_CHECK(Canonical(Bytes(encoded)) == encoded, "an encoded record is not canonical");
  FUZZ_CHECK(DecodeSettings(encoded) == settings, "an encoded record decodes otherwise");
  return 0;
}
