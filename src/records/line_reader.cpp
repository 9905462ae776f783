#include "records/line_reader.hpp"

#include <cstring>

#include "records/fields.hpp"

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

LineReader::LineReader(const std::string& path) : LineReader(OpenByteSource(path)) {}

LineReader::LineReader(std::unique_ptr<ByteSource> source)
    : scanLine_(DataLineScanner()), source_(std::move(source)) {
  error_ = source_->OpenError();
  const std::size_t size = source_->KnownSize();
  // A small file gets a buffer of its size (and one byte to see its end): a grid may keep the
  // buffer for the lines in it.
  if (size < kBufferSize) blockSize_ = size + 1;
}

LineReader::~LineReader() = default;

bool LineReader::Fill() {
  if (error_ != 0 || eof_) return false;
  // A block someone else holds on to keeps its lines: the reader goes on in a new one.
  if (!block_ || block_.use_count() > 1) block_.reset(new char[blockSize_]);
  const std::ptrdiff_t n = source_->Read(block_.get(), blockSize_, error_);
  pos_ = 0;
  if (n > 0) {
    size_ = static_cast<std::size_t>(n);
    return true;
  }
  eof_ = true;
  size_ = 0;
  return false;
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
