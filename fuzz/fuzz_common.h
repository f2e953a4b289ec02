// Shared helpers of the libFuzzer targets.
//
// Every target reads its input through a Reader: small control bytes pick
// modes, types and numbers, '\n' ends each text argument. Text arguments are
// handed to the toolbox as exact-size heap copies (cut at the first NUL), so
// AddressSanitizer reports any read or write past a string's terminating NUL.
// Each input starts with a fresh toolbox and ends with ZanInitToolbox(2), so
// LeakSanitizer sees every table the input built.
#pragma once

#include <array>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include <unistd.h>

#include "kelmod.h"

namespace kelmod_fuzz {

// Stops the process with a message: a broken promise of the toolbox that the
// sanitizers cannot see by themselves.
[[noreturn]] inline void Fail(const char* what) {
  std::fprintf(stderr, "kelmod fuzz check failed: %s\n", what);
  std::abort();
}

inline void Check(bool ok, const char* what) {
  if (!ok) Fail(what);
}

// Reads a text the toolbox handed out (AddressSanitizer checks every byte
// strlen reads), so that a dangling or unterminated pointer shows up.
inline std::size_t Touch(const char* text) { return text == nullptr ? 0 : std::strlen(text); }

// Touches every text member of a characteristic read.
inline void TouchAll(const CharacteristicData& d) {
  for (const char* t : {d.name, d.fieldName, d.dinLetter, d.input, d.unit, d.format,
                        d.template_, d.selection, d.parameter, d.value})
    Touch(t);
}

inline void TouchAll(const SmlCharacteristicData& d) {
  for (const char* t :
       {d.name, d.description, d.mandatory, d.inherited, d.valuated, d.dataType, d.singleValue,
        d.interval, d.additionalValues, d.sign, d.exponentDisplay, d.exponentFormat,
        d.template_, d.lowerCase, d.unit, d.dinLetter, d.documentType, d.documentNumber,
        d.documentPart, d.documentVersion, d.view0, d.view1, d.view2, d.view3, d.view4,
        d.view5, d.view6, d.view7, d.view8, d.view9, d.sendText1, d.sendText2, d.value})
    Touch(t);
}

// A writable, NUL-terminated copy of a text in a heap block of exactly the
// text's size plus the NUL (or `capacity` bytes when that is larger).
class Text {
 public:
  explicit Text(std::string_view text, std::size_t capacity = 0) {
    const std::size_t nul = text.find('\0');
    if (nul != std::string_view::npos) text = text.substr(0, nul);
    size_ = text.size();
    const std::size_t bytes = size_ + 1 > capacity ? size_ + 1 : capacity;
    buf_.reset(new char[bytes]);
    std::memcpy(buf_.get(), text.data(), size_);
    std::memset(buf_.get() + size_, 0, bytes - size_);
  }
  char* get() { return buf_.get(); }
  int32_t size() const { return static_cast<int32_t>(size_); }

 private:
  std::unique_ptr<char[]> buf_;
  std::size_t size_ = 0;
};

// A FuzzedDataProvider-like reader that takes everything from the front, so
// that seed files can be written by hand. Control bytes count from '0':
// '0' is choice 0, '1' choice 1 and so on. An exhausted reader gives zeros.
class Reader {
 public:
  Reader(const uint8_t* data, std::size_t size)
      : p_(reinterpret_cast<const char*>(data)), end_(p_ + size) {}
  explicit Reader(std::string_view text) : p_(text.data()), end_(text.data() + text.size()) {}

  bool empty() const { return p_ == end_; }

  uint8_t byte() { return p_ == end_ ? 0 : static_cast<uint8_t>(*p_++); }

  // Control value 0..255 of the next byte, counted from '0'.
  uint32_t control() { return (static_cast<uint32_t>(byte()) + 256u - '0') & 0xFFu; }

  // A choice from lo to hi inclusive.
  int32_t pick(int32_t lo, int32_t hi) {
    return lo + static_cast<int32_t>(control() % static_cast<uint32_t>(hi - lo + 1));
  }

  // Four raw bytes, big-endian.
  int32_t int32() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = (v << 8) | byte();
    return static_cast<int32_t>(v);
  }

  // A record, position or count: mostly small ('0'.. gives 0..), '-' a
  // small negative number, '/' INT32_MAX, '.' INT32_MIN, ',' any 32 bits.
  int32_t number() {
    const uint32_t v = control();
    switch (v) {
      case 255: return INT32_MAX;                                   // '/'
      case 254: return INT32_MIN;                                   // '.'
      case 253: return -static_cast<int32_t>(control());            // '-'
      case 252: return int32();                                     // ','
      default: return static_cast<int32_t>(v);
    }
  }

  // A length argument for a text of `actual` bytes that may lie:
  // '0' the truth, '1' shorter, '2' longer, '3' zero, '4' negative,
  // '5' INT32_MAX, '6' INT32_MIN, '7' any 32 bits.
  int32_t length(int32_t actual) {
    switch (control() % 8) {
      case 0: return actual;
      case 1: return actual - 1 - static_cast<int32_t>(control() % 16);
      case 2: return actual + 1 + static_cast<int32_t>(control());
      case 3: return 0;
      case 4: return -1 - static_cast<int32_t>(control());
      case 5: return INT32_MAX;
      case 6: return INT32_MIN;
      default: return int32();
    }
  }

  // The text up to the next '\n' (not included) or the end.
  std::string line() {
    const char* start = p_;
    while (p_ != end_ && *p_ != '\n') ++p_;
    std::string text(start, p_);
    if (p_ != end_) ++p_;
    return text;
  }

  std::string rest() {
    std::string text(p_, end_);
    p_ = end_;
    return text;
  }

 private:
  const char* p_;
  const char* end_;
};

// Release texts of the five release families.
inline const char* ReleaseOfFamily(int32_t family) {
  static const char* const kReleases[] = {"50A ", "60B ", "21  ", "22  ", "46C "};
  return kReleases[(family - 1) % 5];
}

// Stores an interface record of that release with `separator` in column 7.
// A separator of NUL ends the record before column 7: no separator is set.
inline void UseInterface(const char* release, char separator) {
  std::string record(release);
  record.resize(4, ' ');
  record += "XY";
  if (separator != '\0') {
    record += separator;
    record += "ZKELMFUZZ";
  }
  Text t(record);
  Check(ZanFillInterface(t.get(), t.size()) == 0, "ZanFillInterface");
}

// Picks a release family (control byte) and a separator (raw byte) from r.
inline void UseInterface(Reader& r) {
  const int32_t family = r.pick(1, 5);
  const char separator = static_cast<char>(r.byte());
  UseInterface(ReleaseOfFamily(family), separator);
}

// Every input begins with an empty toolbox.
inline void Begin() {
  ZanInitToolbox(2);
  ZanInitToolbox(1);
}

// After ZanInitToolbox(2) every table of every family reads as empty. (A
// table the release forgot would stay reachable from the module state, where
// LeakSanitizer cannot see it.)
inline void CheckReleased() {
  char* text = nullptr;
  const int32_t tableCodes[][2] = {{1, 17}, {2, 16}, {3, 15}, {4, 15}, {5, 999},
                                   {6, 999}, {7, 999}, {8, 999}, {10, 999}};
  for (const auto& [type, empty] : tableCodes)
    Check(ZanDescribeTable(type, &text) == empty, "a record table survived the release");
  Check(ZanGetHlpDescription(1, &text) == 37, "the help table survived the release");
  Check(ZanGetMcdDescription(1, &text) == 29, "the matchcode table survived the release");
  Check(ZanGetMcdDescription(2, &text) == 29, "the current table survived the release");
  for (int32_t type = 1; type <= 6; ++type)
    Check(ZanDescribeMailTable(type, &text) == 69, "a mail table survived the release");
  CharacteristicData d{};
  Check(ZanGetSmlData(1, 1, 1, &d) == 34, "the characteristic bar survived the release");
  SmlCharacteristicData k{};
  Check(ZanGetSmlDataK4(2, 1, 1, &k) == 34, "the newer bar survived the release");
  char* values[22] = {};
  Check(ZanGetObjectDataK4(1, 1, values) == 34, "the object table survived the release");
  char name[] = "X";
  int32_t count = 0;
  Check(ZanGetSmlValueDescriptionK4(3, 0, name, &count) == 34,
        "the position value table survived the release");
  Check(ZanGetClasDataK4(1, 1, values) == 76, "class table 1 survived the release");
  Check(ZanGetClasDataK4(2, 1, values) == 76, "class table 2 survived the release");
  Check(ZanGetClasHierarchDataK4(1, 1, values) == 76, "the hierarchy survived the release");
  Check(ZanGetClasSearchDataK4(1, 1, values) == 76, "the search table survived the release");
}

// Every input ends by releasing all tables, so leaks are seen per input.
inline void End() {
  ZanInitToolbox(2);
  CheckReleased();
}

// A private folder for the files of this process, removed at exit.
class ScratchDir {
 public:
  ScratchDir() {
    char pattern[] = "/tmp/kelmod-fuzz-XXXXXX";
    if (mkdtemp(pattern) == nullptr) Fail("mkdtemp");
    path_ = pattern;
  }
  ~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::string file(const std::string& name) const { return path_ + "/" + name; }
  // Writes contents to name in the folder and returns its path.
  std::string write(const std::string& name, std::string_view contents) const {
    const std::string path = file(name);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) Fail("cannot write a scratch file");
    if (!contents.empty()) std::fwrite(contents.data(), 1, contents.size(), f);
    std::fclose(f);
    return path;
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

inline ScratchDir& Scratch() {
  static ScratchDir dir;
  return dir;
}

// A line with each text placed at its 1-based column, blanks between.
inline std::string Columns(std::initializer_list<std::pair<int, std::string_view>> parts) {
  std::string line;
  for (const auto& [column, text] : parts) {
    line.resize(static_cast<std::size_t>(column) - 1, ' ');
    line += text;
  }
  return line;
}

// Counts of work per input, so that every input runs quickly.
inline constexpr int kMaxSteps = 48;

}  // namespace kelmod_fuzz
