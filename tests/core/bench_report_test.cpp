// The benchmark report: Google Benchmark's JSON, the target table, and the verdicts.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tools/benchreport/bench_report.hpp"

namespace tab::benchreport {
namespace {

// A shortened output of one benchmark executable, as Google Benchmark writes it.
constexpr std::string_view kOutput = R"({
  "context": {"date": "2024-05-01T10:00:00+02:00", "host_name": "m\u00e4chtig",
              "caches": [{"type": "Data", "level": 1, "size": 32768}], "library_build_type": "release",
              "json_escapes": "a\"b\\c\/d\n"},
  "benchmarks": [
    {"name": "Floor/Show/Schule-2", "run_name": "Floor/Show/Schule-2", "run_type": "iteration",
     "iterations": 40, "real_time": 1.25e+01, "cpu_time": 12.0, "time_unit": "ms"},
    {"name": "Show/Schule-2", "run_type": "iteration", "iterations": 10,
     "real_time": 30000.0, "cpu_time": 29000.0, "time_unit": "us", "rows": 100001},
    {"name": "Show/Schule-2_mean", "run_type": "aggregate", "real_time": 1.0, "time_unit": "ms"},
    {"name": "Painted/real_time", "run_type": "iteration", "real_time": 250000000,
     "time_unit": "ns"},
    {"name": "PeakMemory/Schule-2/iterations:1", "run_type": "iteration", "real_time": 900,
     "time_unit": "ms", "peak_MB": 150.5, "rows": 100001},
    {"name": "Broken", "run_type": "iteration", "error_occurred": true,
     "error_message": "wrong load", "real_time": 0, "time_unit": "ms"}
  ]
})";

std::vector<Measurement> Measurements() {
  std::vector<Measurement> out;
  std::string error;
  EXPECT_TRUE(ReadMeasurements(kOutput, "large_db_bench", out, error)) << error;
  return out;
}

TEST(BenchReportJson, RunsBecomeMeasurementsInMillisecondsOrMegabytes) {
  const std::vector<Measurement> runs = Measurements();
  ASSERT_EQ(runs.size(), 5u);  // the aggregate is left out
  struct Case {
    const char* name;
    double figure;
    bool megabytes;
    const char* error;
  };
  const Case cases[] = {{"Floor/Show/Schule-2", 12.5, false, ""},
                        {"Show/Schule-2", 30.0, false, ""},
                        {"Painted", 250.0, false, ""},
                        {"PeakMemory/Schule-2", 150.5, true, ""},
                        {"Broken", 0.0, false, "wrong load"}};
  for (std::size_t i = 0; i < runs.size(); ++i) {
    EXPECT_EQ(runs[i].executable, "large_db_bench");
    EXPECT_EQ(runs[i].name, cases[i].name);
    EXPECT_DOUBLE_EQ(runs[i].figure, cases[i].figure) << cases[i].name;
    EXPECT_EQ(runs[i].megabytes, cases[i].megabytes) << cases[i].name;
    EXPECT_EQ(runs[i].error, cases[i].error) << cases[i].name;
  }
}

// Repetitions (--benchmark_repetitions) give one measurement each: the shortest time, the
// largest memory figure, and a failure when any repetition failed.
TEST(BenchReportJson, RepetitionsGiveTheBestTimeTheLargestMemoryAndAnyFailure) {
  constexpr std::string_view kRepeated = R"({"benchmarks": [
    {"name": "Load", "run_type": "iteration", "real_time": 4.5, "time_unit": "ms"},
    {"name": "Peak/iterations:1", "run_type": "iteration", "real_time": 1, "time_unit": "ms",
     "peak_MB": 20.0},
    {"name": "Load", "run_type": "iteration", "real_time": 3900.0, "time_unit": "us"},
    {"name": "Peak/iterations:1", "run_type": "iteration", "real_time": 1, "time_unit": "ms",
     "peak_MB": 22.5},
    {"name": "Flaky", "run_type": "iteration", "real_time": 1.0, "time_unit": "ms"},
    {"name": "Flaky", "run_type": "iteration", "error_occurred": true, "error_message": "wrong",
     "real_time": 0, "time_unit": "ms"},
    {"name": "Load", "run_type": "iteration", "real_time": 4.1, "time_unit": "ms"},
    {"name": "Load_median", "run_type": "aggregate", "real_time": 4.1, "time_unit": "ms"}
  ]})";
  std::vector<Measurement> runs;
  std::string error;
  ASSERT_TRUE(ReadMeasurements(kRepeated, "school_bench", runs, error)) << error;
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].name, "Load");
  EXPECT_DOUBLE_EQ(runs[0].figure, 3.9);
  EXPECT_EQ(runs[1].name, "Peak");
  EXPECT_DOUBLE_EQ(runs[1].figure, 22.5);
  EXPECT_EQ(runs[2].name, "Flaky");
  EXPECT_EQ(runs[2].error, "wrong");
}

TEST(BenchReportJson, StringsNumbersAndNestingAreRead) {
  JsonValue value;
  std::string error;
  ASSERT_TRUE(ParseJson(kOutput, value, error)) << error;
  const JsonValue& context = *value.Find("context");
  EXPECT_EQ(context.Find("host_name")->text,
            "m\xC3\xA4"
            "chtig");
  EXPECT_EQ(context.Find("json_escapes")->text, "a\"b\\c/d\n");
  EXPECT_EQ(context.Find("caches")->items[0].Find("size")->number, 32768);
  EXPECT_EQ(value.Find("missing"), nullptr);
}

TEST(BenchReportJson, MalformedTextIsRefused) {
  for (const char* text :
       {"", "{", "{\"a\" 1}", "[1, 2", "{\"a\": tru}", "\"open", "[1] 2", "{\"a\": -}"}) {
    JsonValue value;
    std::string error;
    EXPECT_FALSE(ParseJson(text, value, error)) << text;
    EXPECT_TRUE(error.starts_with("ungültiges JSON")) << text;
  }
  std::vector<Measurement> out;
  std::string error;
  EXPECT_FALSE(ReadMeasurements("{\"context\": {}}", "x", out, error));
}

TEST(BenchReportTargets, LinesGiveTargetsAndBadLinesAreNamed) {
  std::vector<Target> targets;
  std::string error;
  ASSERT_TRUE(
      ParseTargets("# comment\n\n"
                   "a/Show/*\t<100ms\tFloor/Show/*\n"
                   "a/PeakMemory/*\t<200MB\t-\r\n"
                   "read_bench/ReadConvertAndSplit\t\t<=2x\tReadLinesOnly\n"
                   "a/Other\t-\t-\n"
                   "a/Command/*\t<100ms,<=10x\tFloor/Command/*\n",
                   targets, error))
      << error;
  ASSERT_EQ(targets.size(), 5u);
  EXPECT_EQ(targets[0].kind, Target::Kind::Milliseconds);
  EXPECT_EQ(targets[0].limit, 100);
  EXPECT_FALSE(targets[0].inclusive);
  EXPECT_EQ(targets[0].floor, "Floor/Show/*");
  EXPECT_EQ(targets[1].kind, Target::Kind::Megabytes);
  EXPECT_EQ(targets[1].floor, "");
  EXPECT_EQ(targets[2].kind, Target::Kind::Ratio);
  EXPECT_TRUE(targets[2].inclusive);
  EXPECT_EQ(targets[3].kind, Target::Kind::None);
  EXPECT_EQ(targets[2].ratioLimit, 0);
  EXPECT_EQ(targets[4].kind, Target::Kind::Milliseconds);
  EXPECT_EQ(targets[4].limit, 100);
  EXPECT_EQ(targets[4].ratioLimit, 10);
  EXPECT_TRUE(targets[4].ratioInclusive);

  struct Case {
    const char* text;
    const char* error;
  };
  const Case bad[] = {{"x\t<100ms", "Zeile 1: drei durch TAB getrennte Spalten erwartet"},
                      {"#\nx\t100ms\t-", "Zeile 2: unbekanntes Ziel \"100ms\""},
                      {"x\t<0ms\t-", "Zeile 1: unbekanntes Ziel \"<0ms\""},
                      {"x\t<2s\t-", "Zeile 1: unbekanntes Ziel \"<2s\""},
                      {"x\t<=2x\t-", "Zeile 1: ein Verhältnis braucht eine Referenz"},
                      {"x\t<100ms,<=10x\t-", "Zeile 1: ein Verhältnis braucht eine Referenz"},
                      {"x\t<100ms,<200MB\tF", "Zeile 1: unbekanntes Ziel \"<100ms,<200MB\""},
                      {"x\t<=2x,<=3x\tF", "Zeile 1: unbekanntes Ziel \"<=2x,<=3x\""},
                      {"x\t<100ms,\tF", "Zeile 1: unbekanntes Ziel \"<100ms,\""}};
  for (const Case& c : bad) {
    targets.clear();
    EXPECT_FALSE(ParseTargets(c.text, targets, error)) << c.text;
    EXPECT_EQ(error, c.error);
  }
}

TEST(BenchReportTargets, PatternsMatchAndGiveWhatTheStarStoodFor) {
  struct Case {
    const char* pattern;
    const char* text;
    bool matches;
    const char* star;
  };
  const Case cases[] = {{"a/Show/*", "a/Show/Klasse-10", true, "Klasse-10"},
                        {"a/Show/*", "a/Floor/Show/Klasse-10", false, ""},
                        {"*/BM_Sort*", "sort_bench/BM_SortRows", true, "sort_bench"},
                        {"a/b", "a/b", true, ""},
                        {"a/b", "a/bc", false, ""},
                        {"a/*-2", "a/Schule-2", true, "Schule"},
                        {"a/*", "a/", true, ""}};
  for (const Case& c : cases) {
    std::string star;
    EXPECT_EQ(MatchPattern(c.pattern, c.text, star), c.matches) << c.pattern << " " << c.text;
    EXPECT_EQ(star, c.star) << c.pattern << " " << c.text;
  }
}

TEST(BenchReport, VerdictsFollowTargetsAndFloors) {
  std::vector<Target> targets;
  std::string error;
  ASSERT_TRUE(
      ParseTargets("large_db_bench/Show/*\t<=2x\tFloor/Show/*\n"
                   "large_db_bench/Floor/*\t-\t-\n"
                   "large_db_bench/Painted\t<100ms\t-\n"
                   "large_db_bench/PeakMemory/*\t<200MB\t-\n"
                   "large_db_bench/Broken\t<100ms\t-\n"
                   "ui_bench/*\t<100ms\t-\n",
                   targets, error));
  const Report report = BuildReport(Measurements(), targets);
  struct Case {
    const char* figure;
    const char* floor;
    const char* ratio;
    const char* verdict;
  };
  const Case cases[] = {{"12.50 ms", "-", "-", "-"},
                        {"30.00 ms", "12.50 ms", "2.40", "VERFEHLT"},
                        {"250 ms", "-", "-", "VERFEHLT"},
                        {"150.5 MB", "-", "-", "ok"},
                        {"-", "-", "-", "FEHLER: wrong load"}};
  ASSERT_EQ(report.rows.size(), std::size(cases));
  for (std::size_t i = 0; i < report.rows.size(); ++i) {
    const ReportRow& row = report.rows[i];
    EXPECT_EQ(row.figure, cases[i].figure) << row.benchmark;
    EXPECT_EQ(row.floor, cases[i].floor) << row.benchmark;
    EXPECT_EQ(row.ratio, cases[i].ratio) << row.benchmark;
    EXPECT_EQ(row.verdict, cases[i].verdict) << row.benchmark;
  }
  EXPECT_EQ(report.missed, 3);
  EXPECT_EQ(report.met, 1);
  EXPECT_EQ(report.notes, std::vector<std::string>{"kein Messwert zu: ui_bench/*"});

  const std::string table = FormatReport(report);
  EXPECT_NE(table.find("large_db_bench/Show/Schule-2        30.00 ms  <=2x"), std::string::npos)
      << table;
  EXPECT_NE(table.find("5 Benchmarks, 1 Ziele erreicht, 3 verfehlt"), std::string::npos);
  EXPECT_NE(table.find("Hinweis: kein Messwert zu: ui_bench/*"), std::string::npos);
}

// A time target with a ratio after it is met only when both are: Show/Schule-2 takes 30 ms, 2.4
// times its floor.
TEST(BenchReport, ATimeTargetWithARatioMustMeetBoth) {
  struct Case {
    const char* target;
    const char* verdict;
  };
  const Case cases[] = {{"<100ms,<=10x", "ok"},
                        {"<100ms,<=2.4x", "ok"},
                        {"<100ms,<2.4x", "VERFEHLT"},
                        {"<20ms,<=10x", "VERFEHLT"},
                        {"<100ms,<=2x", "VERFEHLT"}};
  for (const Case& c : cases) {
    std::vector<Target> targets;
    std::string error;
    ASSERT_TRUE(ParseTargets(std::string("large_db_bench/Show/*\t") + c.target +
                                 "\tFloor/Show/*\nlarge_db_bench/*\t-\t-\n",
                             targets, error))
        << error;
    const Report report = BuildReport(Measurements(), targets);
    const auto row = std::find_if(report.rows.begin(), report.rows.end(), [](const ReportRow& r) {
      return r.benchmark == "large_db_bench/Show/Schule-2";
    });
    ASSERT_NE(row, report.rows.end());
    EXPECT_EQ(row->ratio, "2.40") << c.target;
    EXPECT_EQ(row->verdict, c.verdict) << c.target;
  }
  // Without a figure of the floor the ratio cannot be judged.
  std::vector<Target> targets;
  std::string error;
  ASSERT_TRUE(ParseTargets("large_db_bench/Show/*\t<100ms,<=10x\tMissing/*\n", targets, error));
  EXPECT_EQ(BuildReport(Measurements(), targets).rows[1].verdict, "? (Referenz fehlt)");
}

TEST(BenchReport, BenchmarksWithoutALineAndFloorsWithoutAFigureAreNoted) {
  std::vector<Target> targets;
  std::string error;
  ASSERT_TRUE(ParseTargets("large_db_bench/Show/*\t<100ms\tMissing/*\n", targets, error));
  const Report report = BuildReport(Measurements(), targets);
  EXPECT_EQ(report.rows[0].verdict, "?");
  EXPECT_EQ(report.rows[1].verdict, "ok");
  EXPECT_EQ(report.rows[1].ratio, "-");
  EXPECT_NE(std::find(report.notes.begin(), report.notes.end(),
                      "Referenz ohne Messwert: large_db_bench/Missing/Schule-2"),
            report.notes.end());
  EXPECT_NE(std::find(report.notes.begin(), report.notes.end(),
                      "ohne Zeile in der Zieltabelle: large_db_bench/Painted"),
            report.notes.end());
}

}  // namespace
}  // namespace tab::benchreport
