#pragma once
// What several benchmarks share: the tests' fixture helpers (a temporary folder removed again at
// exit, the writers of the files the program reads) and the plain work their floors measure.
#include <string>
#include <vector>

#include "support/fixture.hpp"

namespace tab::bench {

// The entries of a folder but those whose names begin with '.', counted and nothing else done
// with them; 0 when it cannot be opened.
std::size_t CountEntries(const std::string& folder);

// Every line of the files read with LineReader and dropped; the bytes of all lines.
std::size_t ReadLineBytes(const std::vector<std::string>& paths);

// Peak memory is measured in a fresh process: this executable started again with `arguments`
// (its argv[1] on). Returns what it printed on standard output; false when it could not be
// started or did not end with exit code 0.
bool RunThisProgramAgain(const std::vector<std::string>& arguments, std::string& output);
// The peak resident set of this process so far (VmHWM), in kB; -1 when it cannot be read.
long PeakResidentKb();

}  // namespace tab::bench
