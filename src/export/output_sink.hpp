#pragma once
// One buffered output for the table writers: bytes go out as they are written, a buffer at a
// time, so that no writer holds a whole table as text. The first failed write ends the output
// (what follows is dropped) and is kept, for a German message.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace tab {

class OutputSink {
 public:
  // Writes to an open descriptor (standard output); the sink does not close it.
  explicit OutputSink(int fd);
  // Writes to a file, created or emptied; check Failed() before writing.
  explicit OutputSink(const std::string& path);
  // Closes a file the sink opened. Whatever is still in the buffer is lost: call Finish().
  ~OutputSink();
  OutputSink(const OutputSink&) = delete;
  OutputSink& operator=(const OutputSink&) = delete;

  void Put(char c) {
    if (used_ == kBufferSize) Drain();
    buffer_[used_++] = c;
  }
  void Write(std::string_view bytes);
  void WriteNumber(long long value);

  // Room for `size` bytes (at most kMostRoom) to be written in place: Room(n), then Commit(k)
  // with the k <= n bytes written. After a failure the room is written into and dropped.
  static constexpr std::size_t kMostRoom = 64 * 1024;
  char* Room(std::size_t size) {
    if (kBufferSize - used_ < size) Drain();
    return buffer_.get() + used_;
  }
  void Commit(std::size_t size) { used_ += size; }

  // Writes what is buffered and, for a file the sink opened, closes it. True when every byte
  // reached the descriptor or file.
  bool Finish();
  bool Failed() const { return error_ != 0; }
  int Error() const { return error_; }  // errno of the open, write or close that failed
  // "Die Ausgabe ... konnte nicht geschrieben werden: <reason>", for the user.
  std::string ErrorMessage() const;

 private:
  static constexpr std::size_t kBufferSize = 256 * 1024;
  static_assert(kMostRoom <= kBufferSize);

  void Drain();  // writes the buffer out (or drops it after a failure) and empties it

  int fd_;
  bool ownsFd_ = false;
  std::string path_;  // of a file the sink opened
  int error_ = 0;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
};

}  // namespace tab
