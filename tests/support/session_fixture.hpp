#pragma once
// A session as the window has one: a program directory and the data base of Dienststelle 12345
// in a temporary folder, the settings naming both, and a view that records what the window
// would show.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/session.hpp"
#include "app/settings.hpp"
#include "records/message_port.hpp"
#include "support/fixture.hpp"

namespace tab::test {

// Records what the window would show.
class RecordingView : public SessionView {
 public:
  void GridAboutToChange(GridId grid) override { touched.push_back(static_cast<int>(grid)); }
  void ShowClassCaption(bool visible, const std::string& classId) override {
    captionVisible = visible;
    captionClass = classId;
  }
  void FocusClassList() override { ++focusCount; }
  void StatusSchoolNumber(const std::string& number) override { status = number; }
  void SchoolListChanged() override { ++schoolListChanges; }
  void ClassListChanged() override { ++classListChanges; }

  std::vector<int> touched;
  bool captionVisible = true;
  std::string captionClass;
  int focusCount = 0;
  int schoolListChanges = 0;
  int classListChanges = 0;
  std::string status;
};

class SessionFixture : public ::testing::Test {
 protected:
  // temp/program/ and temp/db/12345/ (both created), the settings file naming Dienststelle 12345
  // and temp/db/.
  SessionFixture();

  // Writes `settings` again, then creates the session and starts it up as the window does,
  // without its first dispatch; what the start-up reported and touched is forgotten.
  void Start();

  TempDir temp;
  std::string program;
  std::string db;
  std::string school;
  Settings settings = DefaultSettings();
  RecordingPort port;
  RecordingView view;
  Session session;
};

}  // namespace tab::test
