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

}  // namespace tab::bench
