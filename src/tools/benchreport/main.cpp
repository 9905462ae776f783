// tabellario-benchreport: one table of every benchmark's figure against its target and floor.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/benchreport/bench_report.hpp"

namespace {

bool ReadFile(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fputs(
        "Aufruf: tabellario-benchreport ZIELTABELLE.tsv AUSGABE.json...\n"
        "Jede JSON-Datei ist die Ausgabe eines Benchmark-Programms (--benchmark_format=json);\n"
        "ihr Name ohne Endung ist der Name des Programms.\n",
        stderr);
    return 2;
  }
  std::string text;
  std::string error;
  std::vector<tab::benchreport::Target> targets;
  if (!ReadFile(argv[1], text) || !tab::benchreport::ParseTargets(text, targets, error)) {
    std::fprintf(stderr, "Zieltabelle %s: %s\n", argv[1],
                 error.empty() ? "nicht lesbar" : error.c_str());
    return 1;
  }
  // A file that cannot be read (a benchmark that crashed leaves half a file) is named, and the
  // others are still reported.
  std::vector<tab::benchreport::Measurement> measurements;
  int unreadable = 0;
  for (int i = 2; i < argc; ++i) {
    const std::string executable = std::filesystem::path(argv[i]).stem().string();
    error.clear();
    if (!ReadFile(argv[i], text) ||
        !tab::benchreport::ReadMeasurements(text, executable, measurements, error)) {
      std::fprintf(stderr, "%s: %s\n", argv[i], error.empty() ? "nicht lesbar" : error.c_str());
      ++unreadable;
    }
  }
  std::fputs(
      tab::benchreport::FormatReport(tab::benchreport::BuildReport(measurements, targets)).c_str(),
      stdout);
  return unreadable == 0 ? 0 : 1;
}
