#pragma once
// A synthetic statistics data base of realistic shape and configurable size: a program directory
// with every key file, the teacher list and the settings file, and a data base of many
// Dienststellen, one of them a big school with every data file of every report form. For the
// data-base check, many Dienststellen may deliver every form as schools of the usual size do,
// some of them with records that no key row takes. Data files
// are CP850 with the capture-column ids in their first line, key files Windows-1252, every line
// ends with CR LF. The generator of tabellario-largedb and of the large data-base benchmark.
#include <string>
#include <vector>

namespace tab::largedb {

struct Options {
  int schools = 5'000;    // Dienststellen (five-character folders); the first is the big school
  int classes = 2'000;    // classes of the big school, eleven class files each
  int teachers = 20'000;  // teachers of the lists and of teacher table 1
  int lines = 100'000;    // lines of each list file of the big school (id line included)
  int keyLines = 10'000;  // lines of each key file (SSVB0.SSD keeps its seven keys)
  int groups = 500;       // occupation groups in class table 9 of the big class
  // Dienststellen after the big school that deliver every report form as a school of the usual
  // size does: the school and teacher report, a teacher list of kUsualTeachers, list files of
  // kUsualLines lines and kUsualClasses classes. 0: the others deliver their quick report only.
  int usualSchools = 0;
  // One of these usual schools in this many (the first among them) has records that no key row
  // takes: a school type in quick-report table 1 and in teacher table 2, and a record without its
  // prior-schooling key in class table 2 of its first class. 0: none.
  int misfitEvery = 0;
};

inline constexpr int kUsualClasses = 30;
inline constexpr int kUsualTeachers = 60;
inline constexpr int kUsualLines = 200;

// What was written, for the callers that check it.
struct Layout {
  std::string programDirectory;   // absolute, ends with '/'
  std::string dataBaseDirectory;  // absolute, ends with '/'
  std::string bigSchool;          // Dienststelle number of the big school (named in the settings)
  std::string bigClass;           // the class of the big school whose list files are large
  std::vector<std::string> classes;   // class ids of the big school, in the order written
  std::vector<std::string> keyFiles;  // names of the key files in the program directory
  // Dienststellen with records that no key row takes, in the order written.
  std::vector<std::string> misfitSchools;
};

// An option outside its range, as a German message; empty when all are usable.
std::string CheckOptions(const Options& options);

// Writes `folder`/program/ and `folder`/db/ (created where missing; files of the same names are
// replaced). Throws std::runtime_error with a German message when an option is out of range or a
// file cannot be written.
Layout WriteLargeDataBase(const std::string& folder, const Options& options);

// The key files' code of line `index` (from 0) with at least `width` digits: 1 -> "0002".
std::string KeyCode(int index, int width);

}  // namespace tab::largedb
