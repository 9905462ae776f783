#include "records/byte_source.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <unistd.h>

#include "records/file_names.hpp"
#include "records/memory_files.hpp"

namespace tab {

FileSource::FileSource(const std::string& path) {
  std::uint64_t size = 0;
  fd_ = OpenForReading(path, openError_, &size);
  if (fd_ >= 0) size_ = static_cast<std::size_t>(size);
}

FileSource::~FileSource() {
  if (fd_ >= 0) ::close(fd_);
}

std::ptrdiff_t FileSource::Read(char* into, std::size_t size, int& error) {
  if (fd_ < 0) {
    error = openError_ != 0 ? openError_ : EBADF;
    return -1;
  }
  for (;;) {
    const ssize_t n = ::read(fd_, into, size);
    if (n >= 0) return n;
    if (errno == EINTR) continue;
    error = errno;
    return -1;
  }
}

std::ptrdiff_t MemorySource::Read(char* into, std::size_t size, int& error) {
  if (bytes_.empty() && errorAtEnd_ != 0) {
    error = errorAtEnd_;
    return -1;
  }
  const std::size_t n = std::min({size, chunk_, bytes_.size()});
  if (n > 0) std::memcpy(into, bytes_.data(), n);
  bytes_.remove_prefix(n);
  return static_cast<std::ptrdiff_t>(n);
}

namespace {

// A memory file that cannot be opened: as a missing file or a folder fail to open.
class FailedSource final : public ByteSource {
 public:
  explicit FailedSource(int error) : error_(error) {}
  int OpenError() const override { return error_; }
  std::size_t KnownSize() const override { return kUnknownSize; }
  std::ptrdiff_t Read(char* /*into*/, std::size_t /*size*/, int& error) override {
    error = error_;
    return -1;
  }

 private:
  int error_;
};

}  // namespace

std::unique_ptr<ByteSource> OpenByteSource(const std::string& path) {
  if (const MemoryFiles* memory = MemoryFiles::InUse()) {
    if (const std::string* bytes = memory->File(path))
      return std::make_unique<MemorySource>(*bytes);
    return std::make_unique<FailedSource>(memory->IsFolder(path) ? EISDIR : ENOENT);
  }
  return std::make_unique<FileSource>(path);
}

}  // namespace tab
