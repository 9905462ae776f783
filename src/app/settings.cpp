#include "app/settings.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "records/error_text.hpp"
#include "records/file_names.hpp"
#include "records/text.hpp"

namespace tab {
namespace {

// Where the fields lie in the record. The gaps (277, 289, 302-303) are alignment padding of the
// record as the file has always stored it; we write zeros there.
struct TextField {
  std::size_t offset;
  std::size_t capacity;
};
constexpr TextField kSchoolNumberField{0, kSchoolNumberCapacity};
constexpr TextField kDataBaseDirectoryField{21, kDirectoryCapacity};
constexpr std::size_t kRowHeightAt = 278;
constexpr std::size_t kPrefillAt = 280;
constexpr std::size_t kReserved282At = 282;
constexpr std::size_t kReserved284At = 284;
constexpr std::size_t kReportAt = 286;
constexpr std::size_t kReserved288At = 288;
constexpr std::size_t kReserved290At = 290;
constexpr std::size_t kReserved292At = 292;
constexpr std::size_t kReserved304At = 304;
constexpr std::size_t kReserved312At = 312;
constexpr TextField kReserved320Field{320, kDirectoryCapacity};
constexpr TextField kReserved576Field{576, kDirectoryCapacity};
constexpr TextField kReserved832Field{832, kDirectoryCapacity};

constexpr std::uint64_t kDoubleOne = 0x3FF0000000000000;  // bits of 1.0
constexpr const char* kEmptyReservedText = " -- leer --";

void PutText(SettingsRecord& record, TextField field, const std::string& text) {
  const std::size_t length = std::min(text.size(), field.capacity);
  record[field.offset] = static_cast<unsigned char>(length);
  for (std::size_t i = 0; i < length; ++i) {
    record[field.offset + 1 + i] = static_cast<unsigned char>(text[i]);
  }
}

std::string GetText(const SettingsRecord& record, TextField field) {
  const std::size_t length = std::min<std::size_t>(record[field.offset], field.capacity);
  return std::string(reinterpret_cast<const char*>(record.data() + field.offset + 1), length);
}

void PutUnsigned(SettingsRecord& record, std::size_t offset, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    record[offset + static_cast<std::size_t>(i)] = static_cast<unsigned char>(value >> (8 * i));
  }
}

std::uint64_t GetUnsigned(const SettingsRecord& record, std::size_t offset, int bytes) {
  std::uint64_t value = 0;
  for (int i = 0; i < bytes; ++i) {
    value |= std::uint64_t{record[offset + static_cast<std::size_t>(i)]} << (8 * i);
  }
  return value;
}

std::uint16_t GetU16(const SettingsRecord& record, std::size_t offset) {
  return static_cast<std::uint16_t>(GetUnsigned(record, offset, 2));
}

std::string SettingsPath(const std::string& programDir) {
  return ResolvePath(WithTrailingSeparator(programDir), kSettingsFileName);
}

// Reads up to record.size() bytes; returns the count, or -1 with errno set (kNotRegularFile
// for what is no regular file).
long ReadUpToRecord(const std::string& path, SettingsRecord& record) {
  int openError = 0;
  const int fd = OpenForReading(path, openError);
  if (fd < 0) {
    errno = openError;
    return -1;
  }
  std::size_t got = 0;
  while (got < record.size()) {
    const ssize_t n = read(fd, record.data() + got, record.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int error = errno;
      close(fd);
      errno = error;
      return -1;
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  close(fd);
  return static_cast<long>(got);
}

// deleteError: 0 when the file was deleted, else why it could not be (it is still there).
std::string OutdatedFileMessage(const std::string& path, OutdatedSettings outdated,
                                int deleteError) {
  const std::string start =
      "Die Einstellungsdatei:\n" + path + "\n" + "ist zu alt oder fehlerhaft!" + "\n" + "\n";
  if (outdated == OutdatedSettings::Keep) return start + "Es gelten die Vorgaben.";
  const std::string deleted =
      deleteError == 0 ? "Datei wurde gelöscht!"
                       : "Datei konnte nicht gelöscht werden (" + ErrorText(deleteError) + ")!";
  return start + deleted + "\n" + "Prüfen Sie bitte sofort die Programm-Einstellungen!";
}

std::string Cut(std::string text, std::size_t capacity) {
  if (text.size() > capacity) text.resize(capacity);
  return text;
}

enum class FileState { Missing, Present, Failed };

// Looks at the settings file: a folder of that name, a named pipe or a device (which are neither
// read nor deleted), or a program directory that cannot be searched, is reported.
FileState Inspect(const std::string& path, struct stat& info, MessagePort& port) {
  if (stat(path.c_str(), &info) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return FileState::Missing;
    port.IoError(path, errno);
    return FileState::Failed;
  }
  if (!S_ISREG(info.st_mode)) {
    port.IoError(path, S_ISDIR(info.st_mode) ? EISDIR : kNotRegularFile);
    return FileState::Failed;
  }
  return FileState::Present;
}

}  // namespace

void SetDefaults(Settings& settings) {
  settings.schoolNumber = "00000";
  settings.dataBaseDirectory.clear();
  settings.rowHeightOption = 0;
  settings.prefillOption = 1;
  settings.reserved282 = 1;
  settings.reserved284 = 1;
  settings.reportOption = 1;
  settings.reserved288 = 1;
  settings.reserved290 = 1;
  settings.reserved292 = {0, 0, 0, 0, 0};
  settings.reserved304 = kDoubleOne;
  settings.reserved312 = kDoubleOne;
  settings.reserved320 = kEmptyReservedText;
  settings.reserved576 = kEmptyReservedText;
  settings.reserved832 = kEmptyReservedText;
}

Settings DefaultSettings() {
  Settings settings;
  SetDefaults(settings);
  return settings;
}

SettingsRecord EncodeSettings(const Settings& settings) {
  SettingsRecord record{};
  PutText(record, kSchoolNumberField, settings.schoolNumber);
  PutText(record, kDataBaseDirectoryField, settings.dataBaseDirectory);
  PutUnsigned(record, kRowHeightAt, settings.rowHeightOption, 2);
  PutUnsigned(record, kPrefillAt, settings.prefillOption, 2);
  PutUnsigned(record, kReserved282At, settings.reserved282, 2);
  PutUnsigned(record, kReserved284At, settings.reserved284, 2);
  PutUnsigned(record, kReportAt, settings.reportOption, 2);
  PutUnsigned(record, kReserved288At, settings.reserved288, 1);
  PutUnsigned(record, kReserved290At, settings.reserved290, 2);
  for (std::size_t i = 0; i < settings.reserved292.size(); ++i) {
    PutUnsigned(record, kReserved292At + 2 * i, settings.reserved292[i], 2);
  }
  PutUnsigned(record, kReserved304At, settings.reserved304, 8);
  PutUnsigned(record, kReserved312At, settings.reserved312, 8);
  PutText(record, kReserved320Field, settings.reserved320);
  PutText(record, kReserved576Field, settings.reserved576);
  PutText(record, kReserved832Field, settings.reserved832);
  return record;
}

Settings DecodeSettings(std::span<const unsigned char, kSettingsRecordSize> bytes) {
  SettingsRecord record;
  std::copy(bytes.begin(), bytes.end(), record.begin());
  Settings settings;
  settings.schoolNumber = GetText(record, kSchoolNumberField);
  settings.dataBaseDirectory = GetText(record, kDataBaseDirectoryField);
  settings.rowHeightOption = GetU16(record, kRowHeightAt);
  settings.prefillOption = GetU16(record, kPrefillAt);
  settings.reserved282 = GetU16(record, kReserved282At);
  settings.reserved284 = GetU16(record, kReserved284At);
  settings.reportOption = GetU16(record, kReportAt);
  settings.reserved288 = record[kReserved288At];
  settings.reserved290 = GetU16(record, kReserved290At);
  for (std::size_t i = 0; i < settings.reserved292.size(); ++i) {
    settings.reserved292[i] = GetU16(record, kReserved292At + 2 * i);
  }
  settings.reserved304 = GetUnsigned(record, kReserved304At, 8);
  settings.reserved312 = GetUnsigned(record, kReserved312At, 8);
  settings.reserved320 = GetText(record, kReserved320Field);
  settings.reserved576 = GetText(record, kReserved576Field);
  settings.reserved832 = GetText(record, kReserved832Field);
  return settings;
}

void LoadSettings(Settings& settings, const std::string& programDir, MessagePort& port,
                  OutdatedSettings outdated) {
  SetDefaults(settings);
  const std::string path = SettingsPath(programDir);
  struct stat info {};
  if (Inspect(path, info, port) != FileState::Present) return;
  if (info.st_size != static_cast<off_t>(kSettingsRecordSize)) {
    // Whether or not the deletion succeeds, the user has to look at the settings now; the file
    // is not looked at again in this run, the defaults stay. A file that could not be deleted
    // (a read-only program directory) is said to be still there, and why. A check keeps it.
    int deleteError = 0;
    if (outdated == OutdatedSettings::Delete && unlink(path.c_str()) != 0) deleteError = errno;
    port.Information(OutdatedFileMessage(path, outdated, deleteError));
    return;
  }
  SettingsRecord record{};
  const long got = ReadUpToRecord(path, record);
  if (got < 0) {
    port.IoError(path, errno);
    return;
  }
  if (static_cast<std::size_t>(got) != kSettingsRecordSize) {
    // The file shrank between the size test and the reading.
    port.IoError(path, EIO);
    return;
  }
  settings = DecodeSettings(record);
}

bool ReadSettingsFile(Settings& settings, const std::string& programDir, MessagePort& port) {
  SetDefaults(settings);
  const std::string path = SettingsPath(programDir);
  struct stat info {};
  if (Inspect(path, info, port) != FileState::Present) return false;
  // No size test here: what the file holds is read, the rest of the record stays zero.
  SettingsRecord record{};
  if (ReadUpToRecord(path, record) < 0) {
    port.IoError(path, errno);
    return false;
  }
  settings = DecodeSettings(record);
  return true;
}

bool WriteSettings(const Settings& settings, const std::string& programDir, MessagePort& port) {
  // An existing file spelled in another case is the one replaced; a link is written through.
  const std::string path = ResolvePath(WithTrailingSeparator(programDir), kSettingsFileName);
  const SettingsRecord record = EncodeSettings(settings);
  const int error = ReplaceFile(
      path, std::string_view(reinterpret_cast<const char*>(record.data()), record.size()));
  if (error != 0) {
    port.IoError(path, error);
    return false;
  }
  return true;
}

TableOptions OptionsOf(const Settings& settings) {
  TableOptions options;
  options.lowerRowsWithoutData = settings.rowHeightOption == 1;
  options.prefillOff = settings.prefillOption == 0;
  options.reportUnplaced = settings.reportOption == 1;
  options.schoolNumber = settings.schoolNumber;
  return options;
}

std::string FieldText(const std::string& utf8, std::size_t capacity) {
  return Cut(Utf8ToWin1252(utf8), capacity);
}

std::string DataBaseDirectoryField(const std::string& utf8Folder) {
  const std::string folder = FieldText(utf8Folder, kDirectoryCapacity);
  if (!folder.empty() && folder.back() == kPathSeparator) return folder;
  return Cut(folder + kPathSeparator, kDirectoryCapacity);
}

}  // namespace tab
