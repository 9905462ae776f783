// The drive check: its four outcomes through a simulated volume layer, and the real layer on
// folders of this machine.
#include "app/drive_check.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "support/fixture.hpp"

namespace tab {
namespace {

class SimulatedVolumes : public VolumeLayer {
 public:
  explicit SimulatedVolumes(VolumeProbe probe) : probe_(probe) {}
  VolumeProbe Probe(const std::string& root) override {
    asked_.push_back(root);
    return probe_;
  }
  std::vector<std::string> asked_;

 private:
  VolumeProbe probe_;
};

struct DriveCase {
  const char* name;
  VolumeProbe probe;
  bool usable;
  const char* message;  // empty: none
};

class CheckDriveTest : public ::testing::TestWithParam<DriveCase> {};

TEST_P(CheckDriveTest, DecidesAndReports) {
  SimulatedVolumes volumes(GetParam().probe);
  RecordingPort port;
  EXPECT_EQ(CheckDrive("/media/stick", "STICK", true, volumes, port), GetParam().usable);
  ASSERT_EQ(volumes.asked_, std::vector<std::string>{"/media/stick"});
  const std::string expected = GetParam().message;
  if (expected.empty()) {
    EXPECT_TRUE(port.Messages().empty());
  } else {
    ASSERT_EQ(port.Messages().size(), 1u);
    EXPECT_EQ(port.Messages()[0].kind, MessageKind::Plain);
    EXPECT_EQ(port.Messages()[0].text, expected);
  }
}

TEST_P(CheckDriveTest, IsSilentWhenNoMessagesAreAskedFor) {
  SimulatedVolumes volumes(GetParam().probe);
  RecordingPort port;
  EXPECT_EQ(CheckDrive("/media/stick", "STICK", false, volumes, port), GetParam().usable);
  EXPECT_TRUE(port.Messages().empty());
}

using Outcome = VolumeProbe::Outcome;

INSTANTIATE_TEST_SUITE_P(
    Outcomes, CheckDriveTest,
    ::testing::Values(
        DriveCase{"EntryFound", {Outcome::EntryFound, 0}, true, ""},
        DriveCase{"Empty", {Outcome::Empty, 0}, true, "Datenträger im Laufwerk STICK: ist leer!"},
        DriveCase{
            "NoMedium", {Outcome::NoMedium, ENOENT}, false, "KEIN Datenträger im Laufwerk STICK:"},
        DriveCase{"Unreadable",
                  {Outcome::Unreadable, EIO},
                  false,
                  "Datenträger im Laufwerk STICK: nicht formatiert!\nE/A-Fehler: 5 aufgetreten!"}),
    [](const ::testing::TestParamInfo<DriveCase>& param) { return param.param.name; });

TEST(FileSystemVolumeLayer, SeesEntriesEmptyFoldersAndMissingOnes) {
  test::TempDir temp;
  FileSystemVolumeLayer layer;
  std::filesystem::create_directories(temp.Path() + "empty");
  EXPECT_EQ(layer.Probe(temp.Path() + "empty").outcome, Outcome::Empty);
  test::WriteBytes(temp.Path() + "full/a.txt", "x");
  EXPECT_EQ(layer.Probe(temp.Path() + "full").outcome, Outcome::EntryFound);
  const VolumeProbe missing = layer.Probe(temp.Path() + "gone");
  EXPECT_EQ(missing.outcome, Outcome::NoMedium);
  EXPECT_EQ(missing.error, ENOENT);
}

}  // namespace
}  // namespace tab
