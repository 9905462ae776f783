#pragma once
// The benchmark report: the JSON output of every benchmark executable, read against one table of
// targets and floors (bench/targets.tsv), as one table with the missed targets marked.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tab::benchreport {

// A JSON value, as much of JSON as Google Benchmark writes.
struct JsonMember;

struct JsonValue {
  enum class Kind { Null, Bool, Number, String, Array, Object };
  Kind kind = Kind::Null;
  bool boolean = false;
  double number = 0;
  std::string text;
  std::vector<JsonValue> items;
  std::vector<JsonMember> members;  // in the order of the text

  const JsonValue* Find(std::string_view key) const;  // a member of an object, or nullptr
};

// A named value of an object (a pair would need JsonValue complete where it is declared).
struct JsonMember {
  std::string name;
  JsonValue value;
};

// False with a German message in `error` when the text is not one JSON value.
bool ParseJson(std::string_view text, JsonValue& value, std::string& error);

// One benchmark of one run.
struct Measurement {
  std::string executable;  // "read_bench"
  std::string name;        // "ReadConvertAndSplit"; suffixes like "/real_time" are dropped
  double figure = 0;       // milliseconds, or megabytes where a counter ends in "_MB"
  bool megabytes = false;
  std::string error;  // the benchmark's own error message when it failed
};

// The runs of one executable's JSON output (aggregates such as means are left out). Repetitions
// of a benchmark give one measurement: its shortest time, the least disturbed by whatever else
// the machine did meanwhile, or its largest memory figure; a failed repetition fails it.
bool ReadMeasurements(std::string_view json, const std::string& executable,
                      std::vector<Measurement>& out, std::string& error);

// One line of the target table: pattern, target and floor, separated by TABs.
//   pattern  executable/benchmark; '*' stands for any text ("large_db_bench/Show/*")
//   target   "<100ms", "<200MB", "<=2x" (a ratio to the floor) or "-" (none); a time or memory
//            target may add a ratio after a comma: "<100ms,<=10x" must meet both
//   floor    benchmark of the same executable whose figure divides this one's, or "-"; a '*'
//            takes the text that the pattern's first '*' stood for ("Floor/Show/*")
// The first line whose pattern matches a benchmark is the one that counts.
struct Target {
  enum class Kind { None, Milliseconds, Megabytes, Ratio };
  std::string pattern;
  Kind kind = Kind::None;
  double limit = 0;
  bool inclusive = false;  // "<=" rather than "<"
  std::string floor;       // empty: none
  std::string text;        // the target as written
  // The ratio added after a comma (0: none).
  double ratioLimit = 0;
  bool ratioInclusive = false;
};

// Blank lines and lines starting with '#' are skipped. False with a German message naming the
// line when a line is malformed.
bool ParseTargets(std::string_view text, std::vector<Target>& targets, std::string& error);

// Whether `text` matches `pattern`; `star` receives what the first '*' stood for.
bool MatchPattern(std::string_view pattern, std::string_view text, std::string& star);

struct ReportRow {
  std::string benchmark;  // executable/name
  std::string figure;     // "12.34 ms", "150.2 MB"
  std::string target;     // as written, "-" for none, "?" where the table has no line
  std::string floor;      // the floor's figure, "-" for none
  std::string ratio;      // figure / floor, "-" without a floor
  std::string verdict;    // "ok", "VERFEHLT", "-", "FEHLER: ...", "?"
  bool missed = false;
};

struct Report {
  std::vector<ReportRow> rows;
  std::vector<std::string> notes;  // lines below the table
  int missed = 0;
  int met = 0;
};

Report BuildReport(const std::vector<Measurement>& measurements,
                   const std::vector<Target>& targets);
// The table with aligned columns, then a summary line and the notes.
std::string FormatReport(const Report& report);

}  // namespace tab::benchreport
