#pragma once
// Writing the files the program reads, for the project's own generators (the demo and the large
// data base) and for the tests: UTF-8 text encoded in the file's code page (data files CP850, key
// files Windows-1252), every line ended by CR LF.
#include <string>
#include <string_view>
#include <vector>

#include "records/text.hpp"

namespace tab::textfiles {

// The text in the code page. Throws std::invalid_argument when it is not UTF-8 or holds a
// character the code page does not have: a generated file never holds a '?' by accident.
std::string Encode(std::string_view utf8, CodePage page);

// The capture-column ids ES001;ES002;...;ESnnn of `fields` fields: the first line of every data
// file.
std::string IdLine(int fields);

// Writes the bytes as they are, replacing a file of that name and creating missing parent
// folders. Throws std::runtime_error with a German message when that fails.
void WriteFile(const std::string& path, std::string_view bytes);

// Writes the lines in the code page, each ended by CR LF.
void WriteLines(const std::string& path, const std::vector<std::string>& utf8Lines, CodePage page);

}  // namespace tab::textfiles
