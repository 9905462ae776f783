#include "tools/textfiles/text_files.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <stdexcept>

#include "records/error_text.hpp"
#include "records/fields.hpp"

namespace tab::textfiles {

std::string Encode(std::string_view utf8, CodePage page) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const std::optional<char> byte = EncodeChar(DecodeUtf8(utf8, pos), page);
    if (!byte) {
      throw std::invalid_argument("character without a form in the code page: " +
                                  std::string(utf8));
    }
    out += *byte;
  }
  return out;
}

std::string IdLine(int fields) {
  std::string line;
  for (int k = 1; k <= fields; ++k) {
    if (k > 1) line += ';';
    line += ColumnId(k);
  }
  return line;
}

void WriteFile(const std::string& path, std::string_view bytes) {
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  if (!parent.empty()) {
    std::error_code error;
    std::filesystem::create_directories(parent, error);
    if (error) {
      throw std::runtime_error("Verzeichnis kann nicht angelegt werden: " + parent.string() + " (" +
                               ErrorText(error.value()) + ")");
    }
  }
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    throw std::runtime_error("Datei kann nicht angelegt werden: " + path + " (" +
                             ErrorText(errno) + ")");
  }
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const int error = errno;
      ::close(fd);
      throw std::runtime_error("Datei kann nicht geschrieben werden: " + path + " (" +
                               ErrorText(error) + ")");
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  ::close(fd);
}

void WriteLines(const std::string& path, const std::vector<std::string>& utf8Lines, CodePage page) {
  std::string bytes;
  for (const std::string& line : utf8Lines) bytes += Encode(line, page) + "\r\n";
  WriteFile(path, bytes);
}

}  // namespace tab::textfiles
