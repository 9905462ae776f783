#pragma once
// The settings file ZREINST.DAT in the program directory: one 1088-byte record, little-endian,
// texts as a length byte followed by Windows-1252 characters.
#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "records/message_port.hpp"
#include "records/placement.hpp"

namespace tab {

inline constexpr std::size_t kSettingsRecordSize = 1088;
inline constexpr const char* kSettingsFileName = "ZREINST.DAT";

// The most characters the record's texts hold; a longer text is cut.
inline constexpr std::size_t kSchoolNumberCapacity = 20;
inline constexpr std::size_t kDirectoryCapacity = 255;  // the directory and the reserved texts

struct Settings {
  std::string schoolNumber;           // offset 0, capacity 20, Windows-1252
  std::string dataBaseDirectory;      // offset 21, capacity 255, Windows-1252; empty = program dir
  std::uint16_t rowHeightOption = 0;  // 278: 1 = lower rows without data
  std::uint16_t prefillOption = 1;    // 280
  std::uint16_t reserved282 = 1;
  std::uint16_t reserved284 = 1;
  std::uint16_t reportOption = 1;  // 286: 1 = report unplaced records
  std::uint8_t reserved288 = 1;
  std::uint16_t reserved290 = 1;
  std::array<std::uint16_t, 5> reserved292{};
  std::uint64_t reserved304 = 0;  // raw bits of a double (1.0 by default), passed through
  std::uint64_t reserved312 = 0;
  std::string reserved320;  // capacity 255 each
  std::string reserved576;
  std::string reserved832;

  bool operator==(const Settings&) const = default;
};

// Puts the default values into the record.
void SetDefaults(Settings& settings);
Settings DefaultSettings();

using SettingsRecord = std::array<unsigned char, kSettingsRecordSize>;
// Texts longer than their capacity are cut; unused bytes are written as zeros.
SettingsRecord EncodeSettings(const Settings& settings);
// A length byte above the capacity is read as the capacity.
Settings DecodeSettings(std::span<const unsigned char, kSettingsRecordSize> record);

// What becomes of a settings file of the wrong size: deleted (the window, so that the user sets
// the settings anew) or left as it is (the data-base check, which writes nothing).
enum class OutdatedSettings { Delete, Keep };

// Defaults, then the file of the program directory when it has exactly 1088 bytes. A file of any
// other size is deleted (or kept) and reported. A read error is reported with the platform's
// text.
void LoadSettings(Settings& settings, const std::string& programDir, MessagePort& port,
                  OutdatedSettings outdated = OutdatedSettings::Delete);
// The dialog's reading: defaults, then whatever the file holds, without the size test (a
// shorter file leaves the rest of the record zero). True when the record came from the file;
// false when there is none or it could not be read (reported).
bool ReadSettingsFile(Settings& settings, const std::string& programDir, MessagePort& port);
// Writes the record to a temporary file in the program directory and renames it over
// ZREINST.DAT, so a failed write leaves the old file intact. Returns false after reporting the
// platform's error text.
bool WriteSettings(const Settings& settings, const std::string& programDir, MessagePort& port);

// The options the loaders read.
TableOptions OptionsOf(const Settings& settings);

// A text as shown in the settings dialog (UTF-8) as the record holds it: Windows-1252, cut to
// the capacity.
std::string FieldText(const std::string& utf8, std::size_t capacity);
// The data-base directory as the settings dialog takes it over: a field text that ends with the
// separator where the field has room for one (no folder at all is "/").
std::string DataBaseDirectoryField(const std::string& utf8Folder);

}  // namespace tab
