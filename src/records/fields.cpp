// The field syntax, and splitting data lines into fields, which every loader does for every line
// it reads.
//
// Splitting has two ways, chosen at run time so that one binary runs on every x86-64 processor:
// - the portable way looks at 16 bytes at once with SSE2, which every x86-64 processor has (one
//   byte after the other only for lines under 16 bytes, and on other processors);
// - the AVX-512 way (with VBMI2) looks at 64 bytes at once and turns their separators into field
//   ends sixteen at a time, where the processor has it.
// A wider way is kept only where it makes the loading benchmarks at least 25 % faster (the next
// simpler way takes at least 1.25 times as long) on the processors the program is measured on,
// AMD EPYC (Zen 4) with AVX-512 VBMI2. Shortest CPU times there (Release build, each way forced,
// the ways' runs interleaved, 75 to 375 runs per way):
//                                        one by one   SSE2     AVX2     AVX-512   lines only
//   read_bench ReadConvertAndSplit          15.1 ms   5.0 ms   4.1 ms   2.8 ms    1.9 ms
//   school_bench BM_LoadSchoolTable2        10.0 ms   4.6 ms   3.9 ms   3.2 ms    1.9 ms
// SSE2 is 3.0 and 2.2 times as fast as one byte after the other; AVX-512 is 1.8 and 1.45 times
// as fast as SSE2. Loading may take at most twice reading the lines alone: SSE2 alone would miss
// that (2.6 and 2.4 times), AVX-512 meets it (1.5 and 1.7 times). An AVX2 way (32 bytes at once)
// was taken out: it was only 1.23 and 1.19 times as fast as SSE2, and a processor with AVX-512
// never used it. ReadConvertAndSplitPortable and BM_LoadSchoolTable2Portable show what AVX-512
// buys on the processor at hand.
#include "records/fields.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>

#include "records/text.hpp"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Where GCC or Clang build for x86-64, splitting also has an AVX-512 way, taken when the
// processor has it.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define TAB_WIDE_SCAN 1
#include <immintrin.h>
#define TAB_ALWAYS_INLINE [[gnu::always_inline]]
#else
#define TAB_WIDE_SCAN 0
#define TAB_ALWAYS_INLINE
#endif

namespace tab {
namespace {

// What a byte means to a field: nothing, the end of the field, or a double quote, which ends the
// field after itself unless it is the field's first character.
enum ByteClass : unsigned char { kPlain, kSeparator, kQuote };

constexpr std::array<ByteClass, 256> MakeByteClasses() {
  std::array<ByteClass, 256> classes{};
  classes[static_cast<unsigned char>(';')] = kSeparator;
  classes[static_cast<unsigned char>('\t')] = kSeparator;
  classes[static_cast<unsigned char>('\r')] = kSeparator;
  classes[static_cast<unsigned char>('"')] = kQuote;
  return classes;
}
constexpr std::array<ByteClass, 256> kByteClasses = MakeByteClasses();

// The field is always a prefix of the rest, so a view of it is enough. Loaders split every line
// of a data file with this, hence the table lookup instead of four comparisons per byte.
inline std::string_view TakeField(std::string_view& rest) {
  const char* text = rest.data();
  const std::size_t size = rest.size();
  std::size_t i = 0;
  while (i < size) {
    const ByteClass cls = kByteClasses[static_cast<unsigned char>(text[i])];
    if (cls == kPlain) {
      ++i;
    } else if (cls == kSeparator) {
      break;
    } else if (++i > 1) {
      break;  // a closing quote stays in the field
    }
  }
  // The character that ended the field (separator, or whatever follows a closing quote) goes too.
  rest = i < size ? std::string_view(text + i + 1, size - i - 1) : std::string_view();
  return {text, i};
}

// The bytes of up to 64 bytes of a line that matter to splitting, one bit per byte: every byte
// that can end a field (separators and double quotes), those among them that need a closer look
// (quotes and CRs), the bytes with the high bit set (those the OEM conversion changes), and the
// line feeds (for reading whole lines out of a buffer).
struct StopBits {
  std::uint64_t stops = 0;
  std::uint64_t special = 0;
  std::uint64_t high = 0;
  std::uint64_t lf = 0;
};

// `bytes` points `offset` bytes into the line; `length` is at most 64.
StopBits BlockStopBits(const char* bytes, std::size_t offset, std::size_t length) {
  StopBits bits;
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i semicolon = _mm_set1_epi8(';');
  const __m128i tab = _mm_set1_epi8('\t');
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i quote = _mm_set1_epi8('"');
  const __m128i lf = _mm_set1_epi8('\n');
  const auto add = [&](const char* at, unsigned shift, unsigned drop) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    const __m128i special = _mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, quote));
    const __m128i stop =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, semicolon), _mm_cmpeq_epi8(v, tab)), special);
    const auto stopMask = static_cast<std::uint64_t>(_mm_movemask_epi8(stop)) >> drop;
    const auto specialMask = static_cast<std::uint64_t>(_mm_movemask_epi8(special)) >> drop;
    const auto highMask = static_cast<std::uint64_t>(_mm_movemask_epi8(v)) >> drop;
    const auto lfMask =
        static_cast<std::uint64_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, lf))) >> drop;
    bits.lf |= lfMask << shift;
    bits.stops |= stopMask << shift;
    bits.special |= specialMask << shift;
    bits.high |= highMask << shift;
  };
  for (; i + 16 <= length; i += 16) add(bytes + i, static_cast<unsigned>(i), 0);
  if (i < length && offset + length >= 16) {
    // The last few bytes: load the 16 that end with them (the bytes before are in the line too)
    // and drop the bits of those already seen.
    const auto drop = static_cast<unsigned>(16 - (length - i));
    add(bytes + length - 16, static_cast<unsigned>(i), drop);
    i = length;
  }
#else
  (void)offset;
#endif
  for (; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte >= 0x80) bits.high |= std::uint64_t{1} << i;
    if (byte == '\n') bits.lf |= std::uint64_t{1} << i;
    const ByteClass cls = kByteClasses[byte];
    if (cls == kPlain) continue;
    bits.stops |= std::uint64_t{1} << i;
    if (cls == kQuote || byte == '\r') bits.special |= std::uint64_t{1} << i;
  }
  return bits;
}

constexpr std::size_t kMaxSplitEnd = std::numeric_limits<std::uint32_t>::max();

// Converts the bytes of a block that have the high bit set.
void ConvertHighBytes(char* block, std::uint64_t high) {
  for (; high != 0; high &= high - 1) {
    char& c = block[std::countr_zero(high)];
    c = kOemToWin1252Bytes[static_cast<unsigned char>(c)];
  }
}

// The position of the take-th set bit of `stops` (from 1) plus base: the last one when all are
// taken, which needs no walk through the bits.
inline std::size_t LastTaken(std::uint64_t stops, std::size_t take, std::size_t base) {
  if (take == static_cast<std::size_t>(std::popcount(stops))) {
    return base + 63 - static_cast<std::size_t>(std::countl_zero(stops));
  }
  for (std::size_t j = 1; j < take; ++j) stops &= stops - 1;
  return base + static_cast<std::size_t>(std::countr_zero(stops));
}

// Finds the bytes that matter in a block the portable way (SSE2 where there is SSE2).
struct PortableScan {
  static StopBits Block(const char* bytes, std::size_t offset, std::size_t length) {
    return BlockStopBits(bytes, offset, length);
  }
  // Writes base + the positions of the first `take` bits of `stops` (take >= 1, at most as many
  // as are set) to `ends`, which has room for `room` numbers; returns the last one.
  static std::size_t Positions(std::uint64_t stops, std::size_t take, std::size_t base,
                               std::uint32_t* ends, std::size_t /*room*/) {
    for (std::size_t j = 0; j < take; ++j, stops &= stops - 1) {
      ends[j] =
          static_cast<std::uint32_t>(base + static_cast<std::size_t>(std::countr_zero(stops)));
    }
    return ends[take - 1];
  }
};

#if TAB_WIDE_SCAN
#define TAB_WIDE_TARGET __attribute__((target("avx512f,avx512bw,avx512vbmi2,bmi,popcnt")))
// Finds them in the whole block at once with AVX-512 (a masked load reads only the block's bytes)
// and turns bits into positions sixteen at a time.
struct WideScan {
  // Writes sixteen positions (bytes) plus the offset to ends[j..]: all of them where there is
  // room (those past `take` are written over by the fields after them), else those taken.
  TAB_WIDE_TARGET static void Put(__m128i sixteen, __m512i offset, std::uint32_t* ends,
                                  std::size_t j, std::size_t take, std::size_t room) {
    const __m512i wide = _mm512_add_epi32(_mm512_maskz_cvtepu8_epi32(0xFFFF, sixteen), offset);
    if (j + 16 <= room) {
      _mm512_storeu_si512(ends + j, wide);
    } else {
      const auto keep = static_cast<__mmask16>(take - j >= 16 ? 0xFFFF : (1u << (take - j)) - 1);
      _mm512_mask_storeu_epi32(ends + j, keep, wide);
    }
  }

  TAB_WIDE_TARGET static std::size_t Positions(std::uint64_t stops, std::size_t take,
                                               std::size_t base, std::uint32_t* ends,
                                               std::size_t room) {
    alignas(64) static constexpr std::array<std::uint8_t, 64> kIota = [] {
      std::array<std::uint8_t, 64> iota{};
      for (std::size_t i = 0; i < iota.size(); ++i) iota[i] = static_cast<std::uint8_t>(i);
      return iota;
    }();
    const __m512i positions = _mm512_maskz_compress_epi8(stops, _mm512_load_si512(kIota.data()));
    const __m512i offset = _mm512_set1_epi32(static_cast<int>(static_cast<std::uint32_t>(base)));
    Put(_mm512_maskz_extracti32x4_epi32(0xF, positions, 0), offset, ends, 0, take, room);
    if (take > 16)
      Put(_mm512_maskz_extracti32x4_epi32(0xF, positions, 1), offset, ends, 16, take, room);
    if (take > 32)
      Put(_mm512_maskz_extracti32x4_epi32(0xF, positions, 2), offset, ends, 32, take, room);
    if (take > 48)
      Put(_mm512_maskz_extracti32x4_epi32(0xF, positions, 3), offset, ends, 48, take, room);
    return LastTaken(stops, take, base);
  }

  TAB_WIDE_TARGET static StopBits Block(const char* bytes, std::size_t, std::size_t length) {
    const __mmask64 in = length >= 64 ? ~__mmask64{0} : (__mmask64{1} << length) - 1;
    const __m512i v = _mm512_maskz_loadu_epi8(in, bytes);
    const __mmask64 special = _mm512_cmpeq_epi8_mask(v, _mm512_set1_epi8('\r')) |
                              _mm512_cmpeq_epi8_mask(v, _mm512_set1_epi8('"'));
    StopBits bits;
    bits.special = special;
    bits.stops = special | _mm512_cmpeq_epi8_mask(v, _mm512_set1_epi8(';')) |
                 _mm512_cmpeq_epi8_mask(v, _mm512_set1_epi8('\t'));
    bits.high = _mm512_movepi8_mask(v);
    bits.lf = _mm512_cmpeq_epi8_mask(v, _mm512_set1_epi8('\n'));
    return bits;
  }
};
#endif

// The cut of SplitRecord as field ends (see SplitEnds). With kConvert the line is converted from
// the OEM code page on the way, in the same pass: conversion never makes or removes a byte that
// ends a field, so the bytes may be looked at before they are converted.
template <bool kConvert, typename Scan>
TAB_ALWAYS_INLINE inline void Split(std::conditional_t<kConvert, char*, const char*> text,
                                    std::size_t whole, int n, std::uint32_t* ends) {
  const std::size_t count = static_cast<std::size_t>(n > 0 ? n : 0);
  // Ends are 32-bit and may lie up to n bytes past the line: only so much of it is cut.
  const std::size_t size = std::min(whole, kMaxSplitEnd - count);
  std::size_t k = 0;
  std::size_t start = 0;  // where the next field begins
  std::size_t base = 0;   // the first byte not looked at yet
  bool ended = false;     // a field began with a CR: no more fields
  for (; base < size && k < count && !ended; base += 64) {
    const std::size_t length = std::min<std::size_t>(64, size - base);
    const StopBits block = Scan::Block(text + base, base, length);
    if constexpr (kConvert) {
      if (block.high != 0) ConvertHighBytes(text + base, block.high);
    }
    std::uint64_t stops = block.stops;
    if (block.special == 0 && start <= base) {
      // Only semicolons and TABs: every one of them ends a field, as many as are wanted.
      const std::size_t take =
          std::min<std::size_t>(static_cast<std::size_t>(std::popcount(stops)), count - k);
      if (take == 0) continue;
      start = Scan::Positions(stops, take, base, ends + k, count - k) + 1;
      k += take;
      continue;
    }
    for (; stops != 0 && k < count; stops &= stops - 1) {
      const std::size_t at = base + static_cast<std::size_t>(std::countr_zero(stops));
      if (at < start) continue;  // the byte after a closing quote, dropped with it
      const bool quote = text[at] == '"';
      if (at == start) {
        if (quote) continue;  // a leading quote is an ordinary character
        if (text[at] == '\r') {
          ended = true;
          break;
        }
      }
      const std::size_t end = at + (quote ? 1 : 0);  // a closing quote stays
      ends[k++] = static_cast<std::uint32_t>(end);
      start = end + 1;
    }
  }
  if constexpr (kConvert) {
    if (base < whole) OemToWin1252InPlace(text + base, whole - base);
  }
  if (!ended && k < count && start < size) {
    ends[k++] = static_cast<std::uint32_t>(size);  // the rest of the line
    start = size + 1;
  }
  // The fields the line does not have: empty, each one past the end of the one before.
  for (; k < count; ++k) ends[k] = static_cast<std::uint32_t>(start++);
}

// The plain data line at the start of a buffer (see DataLineScan), looked at 64 bytes at a time
// for its end and its fields together. The bytes are converted only once the line is known to be
// plain, so that a line handed back is as it was.
template <typename Scan>
TAB_ALWAYS_INLINE inline bool ScanLine(char* bytes, std::size_t size, int n, std::uint32_t* ends,
                                       ScannedLine& line) {
  const std::size_t count = static_cast<std::size_t>(n > 0 ? n : 0);
  constexpr std::size_t kNotedBlocks = 4;
  std::array<std::uint64_t, kNotedBlocks> high{};  // bytes to convert in the first blocks
  std::size_t k = 0;
  std::size_t start = 0;
  for (std::size_t base = 0; base < size; base += 64) {
    const std::size_t length = std::min<std::size_t>(64, size - base);
    const StopBits block = Scan::Block(bytes + base, base, length);
    // Only the bytes before the first LF belong to the line; a CR right before it ends the line.
    std::uint64_t in = block.lf == 0 ? ~std::uint64_t{0} : (block.lf & (0 - block.lf)) - 1;
    std::size_t end = 0;  // where the line ends, once its LF is in sight
    if (block.lf != 0) {
      end = base + static_cast<std::size_t>(std::countr_zero(block.lf));
      if (end > base && bytes[end - 1] == '\r') in &= ~(std::uint64_t{1} << (end - 1 - base));
    }
    // A CR anywhere else, or a double quote: not a plain line (also a CR at the end of a block
    // whose LF follows in the next one, which is rare enough).
    if ((block.special & in) != 0) return false;
    const std::uint64_t stops = block.stops & in;
    const std::size_t take =
        std::min<std::size_t>(static_cast<std::size_t>(std::popcount(stops)), count - k);
    if (take != 0) {
      start = Scan::Positions(stops, take, base, ends + k, count - k + kSplitSlack) + 1;
      k += take;
    }
    const std::size_t index = base / 64;
    if (index < kNotedBlocks) high[index] = block.high & in;
    if (block.lf == 0) continue;
    // The line is plain: convert it and finish its fields.
    const std::size_t lineLength = end > 0 && bytes[end - 1] == '\r' ? end - 1 : end;
    for (std::size_t b = 0; b <= index && b < kNotedBlocks; ++b) {
      if (high[b] != 0) ConvertHighBytes(bytes + b * 64, high[b]);
    }
    if (lineLength > kNotedBlocks * 64) {
      OemToWin1252InPlace(bytes + kNotedBlocks * 64, lineLength - kNotedBlocks * 64);
    }
    if (k < count && start < lineLength) {
      ends[k++] = static_cast<std::uint32_t>(lineLength);  // the rest of the line
      start = lineLength + 1;
    }
    for (; k < count; ++k) ends[k] = static_cast<std::uint32_t>(start++);
    line.length = lineLength;
    line.consumed = end + 1;
    return true;
  }
  return false;  // the line goes on past the buffer
}

// What each way of splitting does: split a line, convert and split it, scan a data line.
struct Way {
  void (*split)(const char*, std::size_t, int, std::uint32_t*);
  void (*convertAndSplit)(char*, std::size_t, int, std::uint32_t*);
  DataLineScan scanLine;
};

template <typename Scan>
constexpr Way WayOf() {
  return {[](const char* text, std::size_t size, int n, std::uint32_t* ends) {
            Split<false, Scan>(text, size, n, ends);
          },
          [](char* text, std::size_t size, int n, std::uint32_t* ends) {
            Split<true, Scan>(text, size, n, ends);
          },
          [](char* bytes, std::size_t size, int n, std::uint32_t* ends, ScannedLine& line) {
            return ScanLine<Scan>(bytes, size, n, ends, line);
          }};
}

#if TAB_WIDE_SCAN
// The AVX-512 way: compiled for its instruction set, used only where the processor has it.
TAB_WIDE_TARGET void SplitWide(const char* text, std::size_t size, int n, std::uint32_t* ends) {
  Split<false, WideScan>(text, size, n, ends);
}
TAB_WIDE_TARGET void ConvertAndSplitWide(char* text, std::size_t size, int n, std::uint32_t* ends) {
  Split<true, WideScan>(text, size, n, ends);
}
TAB_WIDE_TARGET bool ScanLineWide(char* bytes, std::size_t size, int n, std::uint32_t* ends,
                                  ScannedLine& line) {
  return ScanLine<WideScan>(bytes, size, n, ends, line);
}
#endif

// Whether the processor has what the AVX-512 way needs; asked once.
bool HasWideScan() {
#if TAB_WIDE_SCAN
  static const bool has =
      __builtin_cpu_supports("avx512bw") != 0 && __builtin_cpu_supports("avx512vbmi2") != 0;
  return has;
#else
  return false;
#endif
}

bool portableChosen = false;  // by tests and benchmarks; else the best way the processor has

const Way& CurrentWay() {
  static constexpr Way kPortable = WayOf<PortableScan>();
#if TAB_WIDE_SCAN
  static constexpr Way kAvx512{SplitWide, ConvertAndSplitWide, ScanLineWide};
  if (!portableChosen && HasWideScan()) return kAvx512;
#endif
  return kPortable;
}

}  // namespace

std::string_view NextField(std::string_view& rest) {
  return TakeField(rest);
}

void SplitEnds(std::string_view line, int n, std::uint32_t* ends) {
  CurrentWay().split(line.data(), line.size(), n, ends);
}

void ConvertAndSplitEnds(std::span<char> line, int n, std::uint32_t* ends) {
  CurrentWay().convertAndSplit(line.data(), line.size(), n, ends);
}

void SplitRecord(std::string_view line, int n, std::vector<std::string_view>& fields) {
  const std::size_t count = static_cast<std::size_t>(n > 0 ? n : 0);
  // Records have a few dozen fields at most; a line cut into more gets room of its own.
  std::array<std::uint32_t, 64> room;
  std::vector<std::uint32_t> more;
  std::span<std::uint32_t> ends(room.data(), count);
  if (count > room.size()) {
    more.resize(count);
    ends = more;
  }
  SplitEnds(line, n, ends.data());
  fields.resize(count);
  for (std::size_t k = 0; k < count; ++k) fields[k] = FieldOfEnds(line, ends, k);
}

DataLineScan DataLineScanner() {
  return CurrentWay().scanLine;
}

bool UseScanWay(ScanWay way) {
  if (way == ScanWay::kAvx512 && !HasWideScan()) return false;
  portableChosen = way == ScanWay::kPortable;
  return true;
}

void UseBestScanWay() {
  portableChosen = false;
}

std::vector<std::string> SplitRecord(std::string_view line, int n) {
  std::vector<std::string_view> views;
  SplitRecord(line, n, views);
  return {views.begin(), views.end()};
}

std::string ColumnId(int k) {
  // The digits of k replace the end of "ES000". A number of four or more digits would run into
  // the letters; it is written in full after "ES" instead (1000 -> "ES1000").
  std::string digits = std::to_string(k);
  if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
  return "ES" + digits;
}

}  // namespace tab
