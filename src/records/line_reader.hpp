#pragma once
// Line reading shared by every text file of the program: a line ends at CR LF or a lone LF, a CR
// not followed by LF is dropped, a 0x1A byte where a line would begin ends the file, and a line
// has no length limit.
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "records/fields.hpp"

namespace tab {

class LineReader {
 public:
  // Opens the file for reading (OpenForReading: a regular file only, without waiting); check
  // Failed() and Error() afterwards.
  explicit LineReader(const std::string& path);
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // Reads the next line (without its end) into `line`. Returns false at the end of the file or
  // after a read error (Failed() tells which).
  bool Next(std::string& line);
  // The same as Next, but without copying: `line` shows the line where the reader holds it (in
  // its buffer, or where it put a line together). The bytes may be changed; they stay valid
  // until the next call.
  bool NextInPlace(std::span<char>& line);
  // The same, for a line of a data file: the line is converted from the OEM code page and cut
  // into n fields (their ends as SplitEnds gives them, in `ends`, which has room for n +
  // kSplitSlack).
  bool NextRecord(std::span<char>& line, int n, std::uint32_t* ends) {
    if (!atEnd_ && error_ == 0 && pos_ < size_ && block_[pos_] != kEndOfFileMark) {
      // Most lines are plain and lie in the buffer: found, converted and cut in one pass.
      char* begin = block_.get() + pos_;
      ScannedLine scanned;
      if (scanLine_(begin, size_ - pos_, n, ends, scanned)) {
        line = {begin, scanned.length};
        pos_ += scanned.consumed;
        lineInBlock_ = true;
        return true;
      }
    }
    return NextRecordTheLongWay(line, n, ends);
  }

  // The buffer block the last line of NextInPlace or NextRecord lies in, or null when the line
  // was put together elsewhere. Whoever keeps a copy of the block keeps the line as it is: the
  // reader reads on into a new block then.
  const std::shared_ptr<char[]>& LineBlock() const { return lineInBlock_ ? block_ : kNoBlock; }

  bool Failed() const { return error_ != 0; }
  // errno of the failed open or read, or kNotRegularFile
  int Error() const { return error_; }

 private:
  bool Fill();
  bool NextRecordTheLongWay(std::span<char>& line, int n, std::uint32_t* ends);

  static constexpr char kEndOfFileMark = '\x1A';
  static constexpr std::size_t kBufferSize = 64 * 1024;
  const DataLineScan scanLine_;  // the scan this processor does best

  static inline const std::shared_ptr<char[]> kNoBlock;

  int fd_ = -1;
  int error_ = 0;
  bool eof_ = false;
  bool atEnd_ = false;                   // the end mark or the end of the data was reached
  std::shared_ptr<char[]> block_;        // the buffer
  std::size_t size_ = 0;                 // bytes in it
  std::size_t blockSize_ = kBufferSize;  // room of a buffer: less for a small file
  std::size_t pos_ = 0;
  bool lineInBlock_ = false;  // the last line of NextInPlace or NextRecord lies in block_
  std::string assembled_;     // a line NextInPlace had to put together
};

}  // namespace tab
