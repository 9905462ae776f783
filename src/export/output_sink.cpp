#include "export/output_sink.hpp"

#include <algorithm>
#include <cerrno>
#include <charconv>

#include <fcntl.h>
#include <unistd.h>

#include "records/error_text.hpp"

namespace tab {

OutputSink::OutputSink(int fd) : fd_(fd), buffer_(new char[kBufferSize]) {}

OutputSink::OutputSink(const std::string& path)
    : fd_(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666)),
      ownsFd_(fd_ >= 0),
      path_(path),
      error_(fd_ < 0 ? errno : 0),
      buffer_(new char[kBufferSize]) {}

OutputSink::~OutputSink() {
  if (ownsFd_) ::close(fd_);
}

void OutputSink::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    if (used_ == kBufferSize) Drain();
    const std::size_t n = std::min(bytes.size(), kBufferSize - used_);
    bytes.copy(buffer_.get() + used_, n);
    used_ += n;
    bytes.remove_prefix(n);
  }
}

void OutputSink::WriteNumber(long long value) {
  char* room = Room(24);
  Commit(static_cast<std::size_t>(std::to_chars(room, room + 24, value).ptr - room));
}

void OutputSink::Drain() {
  const char* next = buffer_.get();
  std::size_t left = used_;
  used_ = 0;
  while (left > 0 && error_ == 0) {
    const ssize_t n = ::write(fd_, next, left);
    if (n <= 0) {
      if (n == 0) error_ = EIO;  // nothing taken and no reason given
      if (n < 0 && errno != EINTR) error_ = errno;
      continue;
    }
    next += n;
    left -= static_cast<std::size_t>(n);
  }
}

bool OutputSink::Finish() {
  Drain();
  if (ownsFd_) {
    ownsFd_ = false;
    if (::close(fd_) != 0 && error_ == 0) error_ = errno;
  }
  return error_ == 0;
}

std::string OutputSink::ErrorMessage() const {
  const std::string what = path_.empty() ? "Die Ausgabe" : "Die Datei " + path_;
  return what + " konnte nicht geschrieben werden: " + ErrorText(error_);
}

}  // namespace tab
