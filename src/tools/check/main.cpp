// tabellario-check: every table of every Dienststelle of a data base set up and loaded as the
// window does it, every message as a finding in one report.
#include "tools/check/check_tool.hpp"

int main(int argc, char** argv) {
  return tab::RunCheckTool({argv + 1, argv + argc});
}
