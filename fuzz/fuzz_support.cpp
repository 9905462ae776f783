#include "fuzz_support.hpp"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include <unistd.h>

// The sanitizers' settings for every target, chosen for speed: freed memory is held back for
// 16 MB (reused soon, so that few new pages are touched; the resident memory stays well under
// 500 MB), allocations remember two frames of their stack and new memory is not filled. A report
// still shows the bad access in full; to see where the memory was taken and freed, replay the
// input with ASAN_OPTIONS=malloc_context_size=30 (the environment overrides these).
extern "C" const char* __asan_default_options() {
  return "quarantine_size_mb=16:malloc_context_size=2:max_malloc_fill_size=0";
}

namespace tab::fuzz {

namespace {

namespace fs = std::filesystem;

std::string Escaped(std::string_view bytes) {
  std::string out;
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x20 && b < 0x7F && b != '\\') {
      out += c;
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", b);
      out += hex;
    }
  }
  return out;
}

void RemoveScratch() {
  std::error_code ignored;
  fs::remove_all(ScratchDir(), ignored);
}

bool IsContinuation(unsigned char b) {
  return b >= 0x80 && b <= 0xBF;
}

}  // namespace

const std::string& ScratchDir() {
  static const std::string dir = [] {
    // Memory-backed where there is such a folder: the settings are written with fsync.
    const char* base = std::getenv("TMPDIR");
    std::string folder = base != nullptr && *base != '\0' ? base : "";
    if (folder.empty()) folder = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string pattern = folder + "/tabellario-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) Fail("cannot make the scratch folder", pattern);
    return pattern + "/";
  }();
  static const bool registered = std::atexit(RemoveScratch) == 0;
  (void)registered;
  return dir;
}

std::string ScratchFolder(std::string_view relative) {
  const std::string dir = ScratchDir() + std::string(relative) + "/";
  std::error_code error;
  fs::create_directories(dir, error);
  FUZZ_CHECK(!error, "cannot make a scratch folder", dir);
  return dir;
}

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  FUZZ_CHECK(static_cast<bool>(out), "cannot write a scratch file", path);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  FUZZ_CHECK(static_cast<bool>(in), "cannot read a scratch file", path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void RemoveFile(const std::string& path) {
  std::error_code ignored;
  fs::remove(path, ignored);
}

MemoryFiles& Memory() {
  static MemoryFiles memory;
  return memory;
}

std::string MemoryFolder(std::string_view relative) {
  const std::string dir = "/fuzz/" + std::string(relative) + "/";
  Memory().AddFolder(dir);
  return dir;
}

std::string MemoryFile(const std::string& path) {
  const std::string* bytes = Memory().File(path);
  FUZZ_CHECK(bytes != nullptr, "no such memory file", path);
  return *bytes;
}

void CopyDemoProgramFiles(const std::string& dir) {
  for (const fs::directory_entry& entry : fs::directory_iterator(TABELLARIO_DEMO_PROGRAM_DIR)) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() != ".SSD" && name != "LEHRER.CSV") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    FUZZ_CHECK(static_cast<bool>(in), "cannot read a demo file", name);
    Memory().Put(dir + name,
                 {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
  }
}

void Fail(std::string_view what, std::string_view detail) {
  std::fprintf(stderr, "\n*** fuzz check failed: %.*s\n", static_cast<int>(what.size()),
               what.data());
  if (!detail.empty()) std::fprintf(stderr, "*** %s\n", Escaped(detail).c_str());
  std::abort();
}

std::vector<std::string> ReferenceLines(std::string_view bytes) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < bytes.size() && bytes[pos] != '\x1A') {
    std::size_t end = bytes.find('\n', pos);
    const bool last = end == std::string_view::npos;
    if (last) end = bytes.size();
    std::string line;
    std::string_view rest = bytes.substr(pos, end - pos);
    while (!rest.empty()) {
      const std::size_t cr = std::min(rest.find('\r'), rest.size());
      line.append(rest.substr(0, cr));
      rest.remove_prefix(std::min(rest.size(), cr + 1));
    }
    lines.push_back(std::move(line));
    pos = last ? end : end + 1;
  }
  return lines;
}

std::size_t LongestRun(std::string_view bytes) {
  std::size_t longest = 0;
  std::size_t run = 0;
  for (const char c : bytes) {
    run = c == '\n' ? 0 : run + 1;
    if (run > longest) longest = run;
  }
  return longest;
}

std::string_view ReferenceNextField(std::string_view& rest) {
  std::size_t length = 0;
  while (length < rest.size()) {
    const char c = rest[length];
    if (c == ';' || c == '\t' || c == '\r') break;
    ++length;
    if (c == '"' && length > 1) break;
  }
  const std::string_view field = rest.substr(0, length);
  rest.remove_prefix(std::min(rest.size(), length + 1));
  return field;
}

void ReferenceSplit(std::string_view line, int n, std::vector<std::string_view>& fields) {
  fields.assign(static_cast<std::size_t>(n > 0 ? n : 0), std::string_view());
  std::string_view rest = line;
  for (std::string_view& field : fields) {
    if (rest.empty() || rest.front() == '\r') break;
    field = ReferenceNextField(rest);
  }
}

std::vector<std::string_view> ReferenceSplit(std::string_view line, int n) {
  std::vector<std::string_view> fields;
  ReferenceSplit(line, n, fields);
  return fields;
}

bool IsUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t more = 0;
    std::uint32_t cp = 0;
    std::uint32_t min = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if ((lead & 0xE0) == 0xC0) {
      more = 1;
      cp = lead & 0x1Fu;
      min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      more = 2;
      cp = lead & 0x0Fu;
      min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      more = 3;
      cp = lead & 0x07u;
      min = 0x10000;
    } else {
      return false;
    }
    if (i + more >= text.size()) return false;
    for (std::size_t k = 1; k <= more; ++k) {
      const auto b = static_cast<unsigned char>(text[i + k]);
      if (!IsContinuation(b)) return false;
      cp = (cp << 6) | (b & 0x3Fu);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += more + 1;
  }
  return true;
}

void CheckMessages(const RecordingPort& port) {
  for (const RecordingPort::Message& message : port.Messages()) {
    const auto kind = static_cast<int>(message.kind);
    FUZZ_CHECK(kind >= static_cast<int>(MessageKind::Warning) &&
                   kind <= static_cast<int>(MessageKind::InfoDialog),
               "message of an unknown kind", message.text);
    FUZZ_CHECK(!message.text.empty(), "empty message text");
    FUZZ_CHECK(IsUtf8(message.text), "message text is not UTF-8", message.text);
    FUZZ_CHECK(message.text.find('\r') == std::string::npos, "CR in a message text", message.text);
  }
}

bool ContainsAny(std::string_view text, std::string_view bytes) {
  // A long text is searched with memchr, whose checks then cost little per byte.
  if (text.size() > 32) {
    for (const char b : bytes) {
      if (std::memchr(text.data(), b, text.size()) != nullptr) return true;
    }
    return false;
  }
  for (const char c : text) {
    for (const char b : bytes) {
      if (c == b) return true;
    }
  }
  return false;
}

bool SameBytes(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i]) return false;
  }
  return true;
}

std::size_t CheckGrid(const TableGrid& grid, std::size_t maxCell,
                      std::initializer_list<int> heights, int maxRows) {
  const int cols = grid.ColCount();
  const int rows = grid.RowCount();
  FUZZ_CHECK(cols >= 1 && cols <= 65535, "column count out of range", std::to_string(cols));
  FUZZ_CHECK(rows >= 1 && rows <= maxRows, "row count out of range", std::to_string(rows));
  // Row by row, the cells the row keeps (a grid declared 65535 x 65535 holds few texts); the
  // cell after them must be empty.
  std::size_t filled = 0;
  std::vector<std::string_view> cells;
  for (int row = 0; row < rows; ++row) {
    const int height = grid.RowHeight(row);
    bool known = false;
    for (const int h : heights) known = known || h == height;
    FUZZ_CHECK(known, "unexpected row height",
               "row " + std::to_string(row) + " height " + std::to_string(height));
    const int stored = grid.StoredCells(row);
    FUZZ_CHECK(stored >= 0 && stored <= cols, "a row keeps cells beyond the grid",
               std::to_string(stored));
    FUZZ_CHECK(grid.Cell(stored, row).empty(), "a text after the cells a row keeps");
    cells.resize(static_cast<std::size_t>(stored));
    grid.RowCells(row, cells);
    for (std::size_t col = 0; col < cells.size(); ++col) {
      const std::string_view text = cells[col];
      if (text.empty()) continue;
      ++filled;
      FUZZ_CHECK(text.size() <= maxCell, "cell longer than any line it can come from",
                 std::to_string(col) + "," + std::to_string(row) + ": " + std::string(text));
      FUZZ_CHECK(!ContainsAny(text, "\r\n"), "line break in a cell", std::string(text));
    }
  }
  return filled;
}

}  // namespace tab::fuzz
