#include "support/session_fixture.hpp"

#include <filesystem>

namespace tab::test {

SessionFixture::SessionFixture()
    : program(temp.Path() + "program/"),
      db(temp.Path() + "db/"),
      school(db + "12345/"),
      session(port, view) {
  std::filesystem::create_directories(program);
  std::filesystem::create_directories(school);
  settings.schoolNumber = "12345";
  settings.dataBaseDirectory = db;
  WriteSettingsFile(program, settings);
}

void SessionFixture::Start() {
  WriteSettingsFile(program, settings);
  session.Create(program);
  session.StartUp();
  port.Clear();
  view.touched.clear();
}

}  // namespace tab::test
