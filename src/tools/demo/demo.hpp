#pragma once
// The demo program directory and data base of the repository (demo/), written by tabellario-demo
// and compared with the committed files by the tests: the key files and the teacher list of the
// program directory, and a statistics data base of three Dienststellen: 13001 (complete), 13002
// (quick report and school report only) and 00000 (empty, the program's default school number).
//
// The demo data are invented. A few records are odd on purpose, so that the program's messages
// and completion buttons can be seen at work (the comments at the tables concerned say which).
#include <array>
#include <string>

namespace tab::demo {

// The files of demo/program/ that are kept as committed and not written here: the settings and
// the help.
inline constexpr std::array<const char*, 2> kKeptProgramFiles = {"ZREINST.DAT", "VORINEXMVBS.HLP"};

// Writes `folder`/program/ (key files *.SSD in Windows-1252, LEHRER.CSV in CP850) and `folder`/db/
// (data files in CP850), every line ended by CR LF; folders are created where missing and files of
// the same names replaced. Throws std::runtime_error when a file cannot be written and
// std::logic_error when a record of the demo has the wrong shape.
void WriteDemo(const std::string& folder);

}  // namespace tab::demo
