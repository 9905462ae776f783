#include "support/fixture.hpp"

#include <stdlib.h>

#include <cerrno>

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

#include "records/text.hpp"

namespace tab::test {
namespace {

// The characters of CP850 bytes 0x80-0xFF, in byte order.
constexpr std::u32string_view kCp850Upper =
    U"ÇüéâäàåçêëèïîìÄÅÉæÆôöòûùÿÖÜø£Ø×ƒáíóúñÑªº¿®¬½¼¡«»░▒▓│┤ÁÂÀ©╣║╗╝¢¥┐"
    U"└┴┬├─┼ãÃ╚╔╩╦╠═╬¤ðÐÊËÈıÍÎÏ┘┌█▄¦Ì▀ÓßÔÒõÕµþÞÚÛÙýÝ¯´\u00AD±‗¾¶§÷¸°¨·¹³²■\u00A0";
static_assert(kCp850Upper.size() == 128);

char Cp850FromCodePoint(char32_t cp) {
  if (cp < 0x80) return static_cast<char>(cp);
  const std::size_t at = kCp850Upper.find(cp);
  return at == std::u32string_view::npos ? '?' : static_cast<char>(0x80 + at);
}

std::string Utf8ToCp850(std::string_view utf8) {
  std::string out;
  std::size_t pos = 0;
  while (pos < utf8.size()) out += Cp850FromCodePoint(DecodeUtf8(utf8, pos));
  return out;
}

template <typename Convert>
void WriteCrLfLines(const std::string& path, const std::vector<std::string>& lines,
                    Convert convert) {
  std::string bytes;
  for (const std::string& line : lines) bytes += convert(line) + "\r\n";
  WriteBytes(path, bytes);
}

}  // namespace

TempDir::TempDir() {
  std::string pattern = "/tmp/tabellario-test-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) {
    throw std::system_error(errno, std::generic_category(), "mkdtemp");
  }
  path_ = pattern + "/";
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::Make(std::string_view relative) const {
  std::string full = path_ + std::string(relative);
  std::filesystem::create_directories(std::filesystem::path(full).parent_path());
  return full;
}

void WriteBytes(const std::string& path, std::string_view bytes) {
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  if (!parent.empty()) std::filesystem::create_directories(parent);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

void WriteOemLines(const std::string& path, const std::vector<std::string>& utf8Lines) {
  WriteCrLfLines(path, utf8Lines, Utf8ToCp850);
}

void WriteAnsiLines(const std::string& path, const std::vector<std::string>& utf8Lines) {
  WriteCrLfLines(path, utf8Lines, [](std::string_view line) { return Utf8ToWin1252(line); });
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace tab::test
