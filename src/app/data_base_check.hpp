#pragma once
// The data-base check: every table of every Dienststelle set up and loaded exactly as the window
// does it (the sheets' steps, looked up as the dispatcher looks them up), every message those
// steps give kept as a finding, and for each Dienststelle the report files it has delivered.
// Nothing is written: no definition file, no school or class folder, no settings. Dienststellen
// are checked by worker threads, each with paths, grids and a recording port of its own; the
// report keeps the order of the Dienststellen, whatever the number of workers.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/session.hpp"
#include "records/message_port.hpp"
#include "records/placement.hpp"
#include "sheets/identities.hpp"

namespace tab {

// One message of a set-up or loader, or a problem with the files that the check found itself.
struct Finding {
  std::string school;                // Dienststelle; empty for the program directory or data base
  SheetId sheet = SheetId::Unknown;  // Unknown: no sheet in particular
  int table = kUnknownTable;         // kUnknownTable: no table in particular
  std::string classId;               // the class of a class table, else empty
  MessageKind kind = MessageKind::Information;
  std::string text;        // UTF-8, lines separated by "\n", as the message box shows it
  std::string file;        // the file concerned where known, else empty
  std::uint64_t line = 0;  // the line (from 1) of the record concerned where known, else 0

  bool operator==(const Finding&) const = default;
};

// The data files a report form has, and how many of them a Dienststelle delivered.
inline constexpr int kQuickReportFiles = 3;
inline constexpr int kSchoolReportFiles = 5;
inline constexpr int kTeacherReportFiles = 4;

struct Delivery {
  int quickReportFiles = 0;    // SCHNELL/<nr>00.CSV to 02.CSV
  int schoolReportFiles = 0;   // SCHULE/<nr>00.CSV to 04.CSV
  int teacherReportFiles = 0;  // LEHRER/<nr>00.CSV to 03.CSV
  bool teacherList = false;    // the school's LEHRER.CSV (identification list)
  int classes = 0;             // classes of the class list

  bool operator==(const Delivery&) const = default;
};

struct SchoolCheck {
  std::string school;
  std::string directory;  // the school directory, ending with '/'
  Delivery delivery;
  std::vector<Finding> findings;  // in the order of the sheets, tables and classes
};

struct CheckReport {
  std::string programDirectory;   // ends with '/'
  std::string dataBaseDirectory;  // ends with '/'
  int dataBaseError = 0;          // errno when the data base could not be read: nothing was checked
  bool cancelled = false;
  // The start-up's findings, the data base's, and those of the program directory (a missing key
  // file, a definition file that cannot be read): each once, where it was first found.
  std::vector<Finding> general;
  std::vector<SchoolCheck> schools;  // the Dienststellen checked, in the order asked for

  std::size_t FindingCount() const;
  std::size_t SchoolsWithFindings() const;
};

// Where the check starts: program directory, data base and the loaders' options, as the window's
// session has them after its start-up.
struct CheckStart {
  std::string programDirectory;   // ends with '/'
  std::string dataBaseDirectory;  // ends with '/'
  TableOptions options;
  std::vector<Finding> findings;  // what the start-up reported (the settings file)
};

// What the window shows: its session as it stands.
CheckStart CheckStartOf(const Session& session);
// tabellario-check: a session created on the program directory as the window creates it, except
// that a settings file of the wrong size is reported and kept; the data base of the settings, or
// `dataBase` where it is not empty. The school directory is not made.
CheckStart PrepareCheck(const std::string& programDirectory, const std::string& dataBase);

class CheckProgress {
 public:
  virtual ~CheckProgress() = default;
  // `done` of `total` Dienststellen are checked. Called after each, one call at a time, from the
  // worker that checked it.
  virtual void Checked(std::size_t done, std::size_t total) = 0;
  // Asked by the workers before each Dienststelle, possibly by several at once: true ends the
  // check early (what was checked stays in the report, which says it was cancelled).
  virtual bool Cancelled() const { return false; }
};

struct CheckRequest {
  std::vector<std::string> schools;  // empty: every Dienststelle of the data base
  unsigned jobs = 0;                 // worker threads; 0: as many as the processor runs at once
  CheckProgress* progress = nullptr;
};

CheckReport CheckDataBase(const CheckStart& start, const CheckRequest& request);

// The message of a data base that cannot be read.
std::string UnreadableDataBaseMessage(const std::string& folder, int error);

}  // namespace tab
