#pragma once
// Where a line reader's bytes come from: a file opened by its path, or bytes in memory. The
// reader cuts lines the same way whatever the source; a source only hands out bytes.
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <string_view>

namespace tab {

class ByteSource {
 public:
  static constexpr std::size_t kUnknownSize = std::numeric_limits<std::size_t>::max();

  ByteSource() = default;
  ByteSource(const ByteSource&) = delete;
  ByteSource& operator=(const ByteSource&) = delete;
  virtual ~ByteSource() = default;

  // The errno of a failed open; 0 when the source can be read.
  virtual int OpenError() const = 0;
  // How many bytes the source holds, where that is known before reading (a regular file, bytes
  // in memory), else kUnknownSize.
  virtual std::size_t KnownSize() const = 0;
  // Up to `size` bytes into `into`: their number, 0 at the end, or -1 with `error` set to the
  // errno of the failed read. A read may give fewer bytes than asked for before the end.
  virtual std::ptrdiff_t Read(char* into, std::size_t size, int& error) = 0;
};

// A file, opened for reading when made (OpenForReading: a regular file only, without waiting;
// a folder fails with EISDIR, a pipe or a device with kNotRegularFile).
class FileSource final : public ByteSource {
 public:
  explicit FileSource(const std::string& path);
  ~FileSource() override;

  int OpenError() const override { return openError_; }
  std::size_t KnownSize() const override { return size_; }
  std::ptrdiff_t Read(char* into, std::size_t size, int& error) override;

 private:
  int fd_ = -1;
  int openError_ = 0;
  std::size_t size_ = kUnknownSize;
};

// Bytes in memory, which must stay where they are while the source reads them. `chunk` limits
// what one read gives (as a pipe or a network share may), so that lines cross the ends of the
// reader's buffer; `errorAtEnd`, when not 0, is the errno of a read failing after the last byte
// instead of the end.
class MemorySource final : public ByteSource {
 public:
  explicit MemorySource(std::string_view bytes, std::size_t chunk = kUnknownSize,
                        int errorAtEnd = 0)
      : bytes_(bytes), chunk_(chunk == 0 ? 1 : chunk), errorAtEnd_(errorAtEnd) {}

  int OpenError() const override { return 0; }
  std::size_t KnownSize() const override { return bytes_.size(); }
  std::ptrdiff_t Read(char* into, std::size_t size, int& error) override;

 private:
  std::string_view bytes_;
  std::size_t chunk_;
  int errorAtEnd_;
};

// The source for a path: the file on disk, or its bytes where memory files are in use (see
// records/memory_files.hpp).
std::unique_ptr<ByteSource> OpenByteSource(const std::string& path);

}  // namespace tab
