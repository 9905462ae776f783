#include "records/line_reader.hpp"

#include <cerrno>
#include <cstring>

#include <unistd.h>

#include "records/fields.hpp"
#include "records/file_names.hpp"

namespace tab {
namespace {

// Appends the bytes without their CRs: a CR before the LF belongs to the line end, and a CR
// anywhere else is dropped.
void AppendWithoutCr(std::string& line, const char* begin, const char* end) {
  while (begin < end) {
    const auto* cr =
        static_cast<const char*>(std::memchr(begin, '\r', static_cast<std::size_t>(end - begin)));
    if (cr == nullptr) {
      line.append(begin, end);
      return;
    }
    line.append(begin, cr);
    begin = cr + 1;
  }
}

}  // namespace

LineReader::LineReader(const std::string& path) : scanLine_(DataLineScanner()) {
  std::uint64_t size = 0;
  fd_ = OpenForReading(path, error_, &size);
  // A small file gets a buffer of its size (and one byte to see its end): a grid may keep the
  // buffer for the lines in it.
  if (fd_ >= 0 && size < kBufferSize) blockSize_ = static_cast<std::size_t>(size) + 1;
}

LineReader::~LineReader() {
  if (fd_ >= 0) ::close(fd_);
}

bool LineReader::Fill() {
  if (fd_ < 0 || eof_) return false;
  // A block someone else holds on to keeps its lines: the reader goes on in a new one.
  if (!block_ || block_.use_count() > 1) block_.reset(new char[blockSize_]);
  size_ = 0;
  for (;;) {
    const ssize_t n = ::read(fd_, block_.get(), blockSize_);
    if (n > 0) {
      size_ = static_cast<std::size_t>(n);
      pos_ = 0;
      return true;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) error_ = errno;
    eof_ = true;
    size_ = 0;
    pos_ = 0;
    return false;
  }
}

bool LineReader::Next(std::string& line) {
  line.clear();
  if (atEnd_ || error_ != 0) return false;
  if (pos_ >= size_ && !Fill()) {
    atEnd_ = true;  // nothing after the last line end
    return false;
  }
  if (block_[pos_] == kEndOfFileMark) {
    atEnd_ = true;
    return false;
  }
  for (;;) {
    const char* begin = block_.get() + pos_;
    const char* end = block_.get() + size_;
    const auto* lf =
        static_cast<const char*>(std::memchr(begin, '\n', static_cast<std::size_t>(end - begin)));
    if (lf != nullptr) {
      AppendWithoutCr(line, begin, lf);
      pos_ = static_cast<std::size_t>(lf - block_.get()) + 1;
      return true;
    }
    AppendWithoutCr(line, begin, end);
    pos_ = size_;
    if (!Fill()) {
      // The bytes after the last LF form the last line, unless reading failed.
      atEnd_ = true;
      return error_ == 0;
    }
  }
}

bool LineReader::NextInPlace(std::span<char>& line) {
  if (!atEnd_ && error_ == 0 && pos_ < size_ && block_[pos_] != kEndOfFileMark) {
    // The common case: the whole line is in the buffer and has no CR but the one of its end.
    char* begin = block_.get() + pos_;
    const auto rest = size_ - pos_;
    auto* lf = static_cast<char*>(std::memchr(begin, '\n', rest));
    if (lf != nullptr) {
      const auto length = static_cast<std::size_t>(lf - begin);
      const void* cr = std::memchr(begin, '\r', length);
      if (cr == nullptr || cr == lf - 1) {
        line = {begin, cr == nullptr ? length : length - 1};
        pos_ += length + 1;
        lineInBlock_ = true;
        return true;
      }
    }
  }
  const bool read = Next(assembled_);
  line = {assembled_.data(), assembled_.size()};
  lineInBlock_ = false;
  return read;
}

bool LineReader::NextRecordTheLongWay(std::span<char>& line, int n, std::uint32_t* ends) {
  if (!NextInPlace(line)) return false;
  ConvertAndSplitEnds(line, n, ends);
  return true;
}

}  // namespace tab
