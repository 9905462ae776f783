#include "app/settings.hpp"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <set>

#include "support/fixture.hpp"
#include "support/other_user.hpp"

namespace tab {
namespace {

using test::ReadBytes;
using test::SettingsBytes;
using test::TempDir;
using test::WriteBytes;

std::set<std::string> Entries(const std::string& dir) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

// What port.IoError(path, error) shows.
std::string IoErrorText(const std::string& path, int error) {
  RecordingPort expected;
  expected.IoError(path, error);
  return expected.Messages().at(0).text;
}

// Builds a record byte by byte from the field table of the file format.
class RecordBuilder {
 public:
  RecordBuilder& Text(std::size_t offset, std::string_view text) {
    bytes_[offset] = static_cast<unsigned char>(text.size());
    std::memcpy(bytes_.data() + offset + 1, text.data(), text.size());
    return *this;
  }
  RecordBuilder& U16(std::size_t offset, unsigned value) {
    bytes_[offset] = static_cast<unsigned char>(value & 0xFF);
    bytes_[offset + 1] = static_cast<unsigned char>(value >> 8);
    return *this;
  }
  RecordBuilder& Byte(std::size_t offset, unsigned value) {
    bytes_[offset] = static_cast<unsigned char>(value);
    return *this;
  }
  RecordBuilder& U64(std::size_t offset, std::uint64_t value) {
    for (std::size_t i = 0; i < 8; ++i)
      bytes_[offset + i] = static_cast<unsigned char>(value >> (8 * i));
    return *this;
  }
  const SettingsRecord& Bytes() const { return bytes_; }

 private:
  SettingsRecord bytes_{};
};

// A record with a different value in every field, and the same values as fields.
SettingsRecord SampleRecord() {
  return RecordBuilder()
      .Text(0, "12345")
      .Text(21, "/daten/statistik/")
      .U16(278, 1)
      .U16(280, 0)
      .U16(282, 0x0102)
      .U16(284, 0xBEEF)
      .U16(286, 0)
      .Byte(288, 0x7F)
      .U16(290, 0xA55A)
      .U16(292, 1)
      .U16(294, 2)
      .U16(296, 0x0300)
      .U16(298, 4)
      .U16(300, 0xFFFF)
      .U64(304, 0x400921FB54442D18)  // pi
      .U64(312, 0xC000000000000001)
      .Text(320, "eins")
      .Text(576, "zwei \xE4")  // Windows-1252 a-umlaut
      .Text(832, std::string(255, 'x'))
      .Bytes();
}

Settings SampleSettings() {
  Settings s;
  s.schoolNumber = "12345";
  s.dataBaseDirectory = "/daten/statistik/";
  s.rowHeightOption = 1;
  s.prefillOption = 0;
  s.reserved282 = 0x0102;
  s.reserved284 = 0xBEEF;
  s.reportOption = 0;
  s.reserved288 = 0x7F;
  s.reserved290 = 0xA55A;
  s.reserved292 = {1, 2, 0x0300, 4, 0xFFFF};
  s.reserved304 = 0x400921FB54442D18;
  s.reserved312 = 0xC000000000000001;
  s.reserved320 = "eins";
  s.reserved576 = "zwei \xE4";
  s.reserved832 = std::string(255, 'x');
  return s;
}

TEST(SettingsRecordTest, DecodesEveryFieldAtItsOffset) {
  EXPECT_EQ(DecodeSettings(SampleRecord()), SampleSettings());
}

TEST(SettingsRecordTest, EncodingTheDecodedRecordGivesTheSameBytes) {
  const SettingsRecord bytes = SampleRecord();
  EXPECT_EQ(SettingsBytes(EncodeSettings(DecodeSettings(bytes))), SettingsBytes(bytes));
}

TEST(SettingsRecordTest, BytesAfterTheTextsAndPaddingAreIgnoredAndWrittenAsZeros) {
  SettingsRecord dirty = SampleRecord();
  for (std::size_t at : {277u, 289u, 302u, 303u}) dirty[at] = 0xFF;
  dirty[0 + 1 + 5] = 'Z';    // after "12345"
  dirty[320 + 1 + 4] = 'Z';  // after "eins"
  dirty[576 + 255] = 'Z';    // last byte of the field
  EXPECT_EQ(DecodeSettings(dirty), SampleSettings());
  EXPECT_EQ(SettingsBytes(EncodeSettings(DecodeSettings(dirty))), SettingsBytes(SampleRecord()));
}

TEST(SettingsRecordTest, LengthAboveTheCapacityIsReadAsTheCapacity) {
  SettingsRecord bytes = RecordBuilder().Text(0, "ABCDEFGHIJKLMNOPQRST").Bytes();
  bytes[0] = 200;  // spills into the data-base directory field
  bytes[21] = 3;
  bytes[22] = 'u';
  EXPECT_EQ(DecodeSettings(bytes).schoolNumber, "ABCDEFGHIJKLMNOPQRST");
}

TEST(SettingsRecordTest, TextsAreCutToTheirCapacity) {
  Settings settings = DefaultSettings();
  settings.schoolNumber = "1234567890123456789012345";  // 25 characters
  settings.dataBaseDirectory = "/" + std::string(300, 'd');
  const SettingsRecord bytes = EncodeSettings(settings);
  EXPECT_EQ(bytes[0], 20);
  EXPECT_EQ(SettingsBytes(bytes).substr(1, 20), "12345678901234567890");
  EXPECT_EQ(bytes[21], 255);
  const Settings back = DecodeSettings(bytes);
  EXPECT_EQ(back.schoolNumber, "12345678901234567890");
  EXPECT_EQ(back.dataBaseDirectory, settings.dataBaseDirectory.substr(0, 255));
  EXPECT_EQ(back.reserved320, " -- leer --");
}

TEST(SettingsRecordTest, DefaultsEncodeToTheirBytesAndZerosElsewhere) {
  struct Expected {
    std::size_t offset;
    std::string bytes;
  };
  const std::string leer = std::string("\x0B") + " -- leer --";
  const std::vector<Expected> expected = {
      {0, std::string("\x05") + "00000"},
      {21, std::string(1, '\0')},                     // empty data-base directory
      {278, std::string("\x00\x00", 2)},              // row height
      {280, std::string("\x01\x00", 2)},              // prefill
      {282, std::string("\x01\x00\x01\x00", 4)},      // reserved
      {286, std::string("\x01\x00", 2)},              // report
      {288, std::string("\x01", 1)},                  // reserved byte
      {290, std::string("\x01\x00", 2)},              // reserved
      {292, std::string(10, '\0')},                   // five zeros
      {304, std::string("\0\0\0\0\0\0\xF0\x3F", 8)},  // 1.0
      {312, std::string("\0\0\0\0\0\0\xF0\x3F", 8)},  // 1.0
      {320, leer},
      {576, leer},
      {832, leer},
  };
  const std::string bytes = SettingsBytes(EncodeSettings(DefaultSettings()));
  ASSERT_EQ(bytes.size(), 1088u);
  std::vector<bool> covered(bytes.size(), false);
  for (const auto& field : expected) {
    SCOPED_TRACE(field.offset);
    EXPECT_EQ(bytes.substr(field.offset, field.bytes.size()), field.bytes);
    for (std::size_t i = 0; i < field.bytes.size(); ++i) covered[field.offset + i] = true;
  }
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (!covered[i]) {
      EXPECT_EQ(bytes[i], '\0') << "offset " << i;
    }
  }
}

TEST(SettingsRecordTest, SetDefaultsOverwritesEveryField) {
  Settings settings = SampleSettings();
  SetDefaults(settings);
  EXPECT_EQ(settings, DefaultSettings());
  EXPECT_EQ(settings.schoolNumber, "00000");
  EXPECT_EQ(settings.reserved304, 0x3FF0000000000000u);
}

// ---- the file ----------------------------------------------------------------------------

const char* const kOutdatedMessageTail =
    "\nist zu alt oder fehlerhaft!\n\nDatei wurde gelöscht!\n"
    "Prüfen Sie bitte sofort die Programm-Einstellungen!";

class WrongSizeTest : public testing::TestWithParam<std::size_t> {};

TEST_P(WrongSizeTest, FileIsDeletedAndReportedAndDefaultsStay) {
  TempDir dir;
  const std::string path = dir.Path() + "ZREINST.DAT";
  std::string content = SettingsBytes(SampleRecord());
  content.resize(GetParam(), 'q');
  WriteBytes(path, content);

  Settings settings = SampleSettings();
  RecordingPort port;
  LoadSettings(settings, dir.Path(), port);

  EXPECT_EQ(settings, DefaultSettings());
  EXPECT_FALSE(std::filesystem::exists(path));
  ASSERT_EQ(port.Messages().size(), 1u);
  EXPECT_EQ(port.Messages()[0].kind, MessageKind::Information);
  EXPECT_EQ(port.Messages()[0].text, "Die Einstellungsdatei:\n" + path + kOutdatedMessageTail);
  EXPECT_TRUE(Entries(dir.Path()).empty()) << "no new file is written";
}

INSTANTIATE_TEST_SUITE_P(Sizes, WrongSizeTest, testing::Values(0, 1, 1087, 1089, 2176));

// In a read-only program directory the file stays: the message says so and why, and the
// defaults are used all the same.
TEST(LoadSettingsTest, AWrongSizeFileThatCannotBeDeletedIsSaidToBeStillThere) {
  TempDir temp;
  const std::string programDir = temp.Path() + "prog/";
  const std::string path = programDir + "ZREINST.DAT";
  WriteBytes(path, "zu kurz");
  chmod(path.c_str(), 0644);
  chmod(programDir.c_str(), 0555);
  test::RunAsAnotherUser(temp, [&] {
    Settings settings = SampleSettings();
    RecordingPort port;
    LoadSettings(settings, programDir, port);
    EXPECT_EQ(settings, DefaultSettings());
    ASSERT_EQ(port.Messages().size(), 1u);
    EXPECT_EQ(port.Messages()[0].kind, MessageKind::Information);
    EXPECT_EQ(port.Messages()[0].text,
              "Die Einstellungsdatei:\n" + path +
                  "\nist zu alt oder fehlerhaft!\n\nDatei konnte nicht gelöscht werden "
                  "(Zugriff verweigert)!\nPrüfen Sie bitte sofort die Programm-Einstellungen!");
  });
  chmod(programDir.c_str(), 0755);
  EXPECT_EQ(ReadBytes(path), "zu kurz");
}

TEST(LoadSettingsTest, MissingFileGivesDefaultsWithoutMessageOrFile) {
  TempDir dir;
  Settings settings = SampleSettings();
  RecordingPort port;
  LoadSettings(settings, dir.Path(), port);
  EXPECT_EQ(settings, DefaultSettings());
  EXPECT_TRUE(port.Messages().empty());
  EXPECT_TRUE(Entries(dir.Path()).empty());
}

TEST(LoadSettingsTest, ReadsARecordOfTheRightSize) {
  struct Case {
    std::string fileName;
    std::string programDir;  // relative to the temporary folder
  };
  for (const Case& c : std::vector<Case>{{"ZREINST.DAT", ""},
                                         {"zreinst.dat", ""},         // copied from a Windows share
                                         {"ZREINST.DAT", "prog"}}) {  // no trailing separator
    SCOPED_TRACE(c.fileName + " in '" + c.programDir + "'");
    TempDir dir;
    const std::string programDir = dir.Path() + c.programDir;
    WriteBytes(dir.Path() + (c.programDir.empty() ? "" : c.programDir + "/") + c.fileName,
               SettingsBytes(SampleRecord()));
    Settings settings;
    RecordingPort port;
    LoadSettings(settings, programDir, port);
    EXPECT_EQ(settings, SampleSettings());
    EXPECT_TRUE(port.Messages().empty());
  }
}

TEST(LoadSettingsTest, FolderOfThatNameIsReportedAndKept) {
  TempDir dir;
  const std::string path = dir.Path() + "ZREINST.DAT";
  std::filesystem::create_directory(path);
  Settings settings = SampleSettings();
  RecordingPort port;
  LoadSettings(settings, dir.Path(), port);
  EXPECT_EQ(settings, DefaultSettings());
  ASSERT_EQ(port.Messages().size(), 1u);
  EXPECT_EQ(port.Messages()[0].kind, MessageKind::Error);
  EXPECT_EQ(port.Messages()[0].text, IoErrorText(path, EISDIR));
  EXPECT_TRUE(std::filesystem::is_directory(path));
}

TEST(ReadSettingsFileTest, ReadsWhateverTheFileHoldsWithoutSizeTest) {
  struct Case {
    const char* name;
    std::size_t size;  // bytes of the sample record kept (longer: padded with 'q')
    bool existing;
    Settings expected;
  };
  Settings shortRead = DecodeSettings(SettingsRecord{});
  shortRead.schoolNumber = "12345";
  shortRead.dataBaseDirectory = "/daten/statistik/";
  shortRead.rowHeightOption = 1;
  const std::vector<Case> cases = {
      {"exact", 1088, true, SampleSettings()},
      {"longer", 1500, true, SampleSettings()},
      {"shorter", 280, true, shortRead},  // the rest of the record is zero
      {"missing", 0, false, DefaultSettings()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const std::string path = dir.Path() + "ZREINST.DAT";
    if (c.existing) {
      std::string content = SettingsBytes(SampleRecord());
      content.resize(c.size, 'q');
      WriteBytes(path, content);
    }
    Settings settings = SampleSettings();
    RecordingPort port;
    EXPECT_EQ(ReadSettingsFile(settings, dir.Path(), port), c.existing);
    EXPECT_EQ(settings, c.expected);
    EXPECT_TRUE(port.Messages().empty());
    EXPECT_EQ(std::filesystem::exists(path), c.existing) << "never deleted";
  }
}

TEST(WriteSettingsTest, RoundTripThroughTheFile) {
  TempDir dir;
  Settings written = SampleSettings();
  written.schoolNumber = "1234567890123456789012345";
  RecordingPort port;
  ASSERT_TRUE(WriteSettings(written, dir.Path(), port));
  EXPECT_TRUE(port.Messages().empty());
  EXPECT_EQ(Entries(dir.Path()), std::set<std::string>{"ZREINST.DAT"});
  EXPECT_EQ(ReadBytes(dir.Path() + "ZREINST.DAT"), SettingsBytes(EncodeSettings(written)));

  Settings loaded;
  LoadSettings(loaded, dir.Path(), port);
  EXPECT_TRUE(port.Messages().empty());
  Settings expected = written;
  expected.schoolNumber = "12345678901234567890";
  EXPECT_EQ(loaded, expected);
}

TEST(WriteSettingsTest, ReplacesAFileSpelledInAnotherCase) {
  TempDir dir;
  WriteBytes(dir.Path() + "ZReinst.dat", "old");
  RecordingPort port;
  ASSERT_TRUE(WriteSettings(SampleSettings(), dir.Path(), port));
  EXPECT_EQ(Entries(dir.Path()), std::set<std::string>{"ZReinst.dat"});
  EXPECT_EQ(ReadBytes(dir.Path() + "ZReinst.dat"), SettingsBytes(SampleRecord()));
}

// The attempt runs in a child process, so that the user and limits changed for it do not leak
// into the other tests.
TEST(WriteSettingsTest, FailureReportsOnceAndLeavesTheOldFileIntact) {
  struct Case {
    const char* name;
    bool anotherUser;  // file modes bind the writer
    std::function<void(const std::string& programDir)> arrange;
    std::function<void()> inChild;
    int error;
  };
  const std::vector<Case> cases = {
      {"read-only folder", true,
       [](const std::string& programDir) { chmod(programDir.c_str(), 0555); }, [] {}, EACCES},
      {"file size limit", false, [](const std::string&) {},
       [] {
         std::signal(SIGXFSZ, SIG_IGN);
         const rlimit limit{500, RLIM_INFINITY};
         ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
       },
       EFBIG},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir temp;
    const std::string programDir = temp.Path() + "prog/";
    const std::string path = programDir + "ZREINST.DAT";
    Settings old = DefaultSettings();
    old.schoolNumber = "11111";
    WriteBytes(path, SettingsBytes(EncodeSettings(old)));
    c.arrange(programDir);

    const auto attempt = [&] {
      c.inChild();
      RecordingPort port;
      EXPECT_FALSE(WriteSettings(SampleSettings(), programDir, port));
      ASSERT_EQ(port.Messages().size(), 1u);
      EXPECT_EQ(port.Messages()[0].kind, MessageKind::Error);
      EXPECT_EQ(port.Messages()[0].text, IoErrorText(path, c.error));
    };
    if (c.anotherUser) {
      test::RunAsAnotherUser(temp, attempt);
    } else {
      test::RunInChild(attempt);
    }
    chmod(programDir.c_str(), 0755);

    EXPECT_EQ(ReadBytes(path), SettingsBytes(EncodeSettings(old)));
    EXPECT_EQ(Entries(programDir), std::set<std::string>{"ZREINST.DAT"}) << "temporary removed";
  }
}

// Saving keeps what the user made of the file: its mode (read-only stays read-only) and a
// symbolic link, which is written through to its target.
TEST(WriteSettingsTest, KeepsTheModeAndWritesThroughALink) {
  struct Case {
    const char* name;
    mode_t mode;
    bool link;
  };
  for (const Case& c : std::vector<Case>{
           {"read-only", 0444, false}, {"group only", 0640, false}, {"link", 0600, true}}) {
    SCOPED_TRACE(c.name);
    TempDir temp;
    const std::string programDir = temp.Path() + "prog/";
    const std::string target =
        c.link ? temp.Path() + "anderswo/einst.dat" : programDir + "ZREINST.DAT";
    std::filesystem::create_directories(programDir);
    WriteBytes(target, SettingsBytes(EncodeSettings(DefaultSettings())));
    chmod(target.c_str(), c.mode);
    if (c.link)
      std::filesystem::create_symlink("../anderswo/einst.dat", programDir + "ZREINST.DAT");

    RecordingPort port;
    ASSERT_TRUE(WriteSettings(SampleSettings(), programDir, port));
    EXPECT_TRUE(port.Messages().empty());
    EXPECT_EQ(ReadBytes(programDir + "ZREINST.DAT"), SettingsBytes(SampleRecord()));
    EXPECT_EQ(std::filesystem::is_symlink(programDir + "ZREINST.DAT"), c.link);
    struct stat info {};
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, c.mode);
    EXPECT_EQ(Entries(programDir), std::set<std::string>{"ZREINST.DAT"}) << "no temporary left";
  }
}

TEST(WriteSettingsTest, FolderInThePlaceOfTheFileIsReportedAndKept) {
  TempDir dir;
  const std::string path = dir.Path() + "ZREINST.DAT";
  WriteBytes(path + "/inhalt.txt", "bleibt");
  RecordingPort port;
  EXPECT_FALSE(WriteSettings(SampleSettings(), dir.Path(), port));
  ASSERT_EQ(port.Messages().size(), 1u);
  EXPECT_EQ(port.Messages()[0].kind, MessageKind::Error);
  EXPECT_EQ(port.Messages()[0].text, IoErrorText(path, EISDIR));
  EXPECT_EQ(ReadBytes(path + "/inhalt.txt"), "bleibt");
  EXPECT_EQ(Entries(dir.Path()), std::set<std::string>{"ZREINST.DAT"});
}

TEST(OptionsOfTest, EachOptionIsOnExactlyAtItsValue) {
  struct Case {
    std::uint16_t rowHeight, prefill, report;
    bool lower, prefillOff, reportUnplaced;
  };
  const std::vector<Case> cases = {
      {0, 1, 1, false, false, true},  // defaults
      {1, 0, 0, true, true, false},
      {2, 2, 2, false, false, false},  // only 1 switches on; only 0 switches prefill off
      {0x0101, 0x0100, 0x0101, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.rowHeight << "/" << c.prefill << "/" << c.report);
    Settings settings = DefaultSettings();
    settings.rowHeightOption = c.rowHeight;
    settings.prefillOption = c.prefill;
    settings.reportOption = c.report;
    settings.schoolNumber =
        "S\xFC"
        "d01";
    const TableOptions options = OptionsOf(settings);
    EXPECT_EQ(options.lowerRowsWithoutData, c.lower);
    EXPECT_EQ(options.prefillOff, c.prefillOff);
    EXPECT_EQ(options.reportUnplaced, c.reportUnplaced);
    EXPECT_EQ(options.schoolNumber,
              "S\xFC"
              "d01");
  }
}

TEST(SettingsFields, TextsAreCutToTheirFieldsAndTheDirectoryEndsWithItsSeparator) {
  struct Case {
    std::string folder;    // UTF-8, as the dialog shows it
    std::string expected;  // Windows-1252, as the record takes it
  };
  const std::string full(kDirectoryCapacity, 'd');
  const std::vector<Case> cases = {
      {"", "/"},
      {"/", "/"},
      {"/daten/stat", "/daten/stat/"},
      {"/daten/stat/", "/daten/stat/"},
      {"/d\xC3\xBCr", "/d\xFCr/"},
      {full.substr(1), full.substr(1) + "/"},
      {full, full},  // no room for the separator
      {full + "/", full},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DataBaseDirectoryField(c.folder), c.expected) << c.folder;
  }
  EXPECT_EQ(FieldText("\xC3\x84" + std::string(30, 'x'), kSchoolNumberCapacity),
            "\xC4" + std::string(19, 'x'));
  EXPECT_EQ(FieldText("12345", kSchoolNumberCapacity), "12345");
}

}  // namespace
}  // namespace tab
