// The record types of the generic record tables, shared by every family that
// keeps values per field (record tables, user table, characteristic lists).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kelmod {

// The values of one field in record order. Each value keeps the record
// number it was stored under (numbers keep their gaps after a delete) and its
// text. Texts live side by side in one block per field, so a table of many
// records costs a few allocations per field rather than one per value, and
// reading value k is O(1).
//
// A list that has only ever been appended to, value k numbered k, is kept
// packed: the block holds the texts in order and each value costs only the
// end of its text (four bytes). The first replace, erase or gap in the
// numbers turns it into the general form, where each value records its
// number, offset and length.
class ValueList {
 public:
  std::size_t size() const { return packed_ ? ends_.size() : entries_.size(); }
  bool empty() const { return size() == 0; }
  std::string_view text(std::size_t i) const {
    if (packed_) {
      const std::size_t begin = i == 0 ? 0 : ends_[i - 1];
      return std::string_view(texts_.data() + begin, ends_[i] - begin);
    }
    const Entry& e = entries_[i];
    return std::string_view(texts_).substr(e.offset, e.length);
  }
  int32_t number(std::size_t i) const {
    return packed_ ? static_cast<int32_t>(i + 1) : entries_[i].number;
  }

  // Appends a value numbered one past the count (values are only ever
  // appended so); the common case of a fill into reserved room costs no call.
  void appendNext(std::string_view text) {
    if (packed_ && ends_.size() < ends_.capacity() &&
        text.size() <= texts_.capacity() - texts_.size() &&
        texts_.size() + text.size() <= kMaxPackedBytes) {
      texts_.append(text);
      ends_.push_back(static_cast<uint32_t>(texts_.size()));
      return;
    }
    append(text);
  }
  // Replaces the text and record number of value i.
  void replace(std::size_t i, int32_t number, std::string_view text);
  // Removes value i; the values behind it move up and keep their numbers.
  void erase(std::size_t i);
  // Removes every value but keeps the memory of the block and of the packed
  // ends for the next values.
  void clear();
  void reserve(std::size_t values, std::size_t textBytes);
  // Drops the values appended after the list held `values` values in
  // `textBytes` bytes of text (never allocates).
  void truncate(std::size_t values, std::size_t textBytes) noexcept;
  // Bytes of the text block in use (live texts and texts replaced since the
  // last compaction) and its capacity: the memory the list holds.
  std::size_t blockBytes() const { return texts_.size(); }
  std::size_t blockCapacity() const { return texts_.capacity(); }
  // The heap the list holds: its text block and the room for its values.
  std::size_t heapBytes() const {
    return texts_.capacity() + ends_.capacity() * sizeof(uint32_t) +
           entries_.capacity() * sizeof(Entry);
  }

 private:
  struct Entry {
    int32_t number;
    uint32_t length;
    std::size_t offset;
  };
  static constexpr std::size_t kMaxPackedBytes = UINT32_MAX;

  // appendNext without reserved room. On failure (bad_alloc) the list is
  // unchanged.
  void append(std::string_view text);
  // Turns a packed list into the general form; on failure (bad_alloc) the
  // list is unchanged.
  void unpack();
  // Rewrites the text block with the live texts only; without the memory
  // for that it leaves the block as it is.
  void compact();

  bool packed_ = true;
  std::vector<uint32_t> ends_;  // packed: end of text k in texts_
  std::vector<Entry> entries_;  // general form
  std::string texts_;
  std::size_t unused_ = 0;  // bytes of replaced texts still in texts_
};

// One field of a table layout with its values in record order. A table is
// stored by column: value k of every field forms record k.
struct FieldDefinition {
  std::string setName;
  std::string fieldName;
  // Set once fieldName has been rewritten without blanks and tabs by a name
  // lookup of the write and modify rules, so later lookups need not scan it
  // again. Whoever assigns fieldName afresh clears it.
  bool nameWithoutBlanks = false;
  int32_t length = 0;  // the width in data and send strings; never negative
  std::optional<std::string> description;  // absent for layouts without one
  ValueList values;
};

using FieldList = std::vector<FieldDefinition>;

// One characteristic with its values: a column of a help table, an entry of
// the matchcode table, a field of a mail, a line of a characteristic bar.
// Absent texts and empty texts are kept apart (only present texts print).
struct CharacteristicRecord {
  std::optional<std::string> name;       // field code 1
  std::optional<std::string> fieldName;  // 2
  std::optional<std::string> dinLetter;  // 3
  std::optional<std::string> input;      // 4
  std::optional<std::string> unit;       // 5
  std::optional<std::string> format;     // 6
  std::optional<std::string> templ;      // 7 (template)
  std::optional<std::string> selection;  // 11
  std::optional<std::string> parameter;  // 12
  int32_t length = 0;                    // 8
  int32_t decimals = 0;                  // 9
  int32_t width = 0;                     // display width, no field code
  ValueList values;                      // 10
};

using CharacteristicList = std::vector<CharacteristicRecord>;

// One characteristic of the characteristic bar of the newer release. Texts
// are kept by field code: codes 1 to 9, 12 to 32 come from the description
// string, 34 and 35 are the send texts the host writes; codes 10 and 11 are
// the two numbers and 33 the values.
struct SmlCharacteristic {
  static constexpr int32_t kCodes = 35;
  std::array<std::optional<std::string>, kCodes> texts;  // index: field code - 1
  int32_t digits = 0;                                     // code 10
  int32_t decimals = 0;                                   // code 11
  ValueList values;                                       // code 33

  const std::optional<std::string>& name() const { return texts[0]; }
  const std::optional<std::string>& description() const { return texts[1]; }
};

using SmlK4Table = std::vector<SmlCharacteristic>;

// The values of one characteristic of an object (or of the position value
// table), numbered in the order they arrived.
struct SmlValueEntry {
  std::string name;
  ValueList values;
};

// One object of a characteristic bar of the newer release: its fourteen
// object texts and its characteristic values.
struct SmlObject {
  static constexpr std::size_t kTexts = 14;
  std::array<std::string, kTexts> texts;
  std::vector<SmlValueEntry> entries;
};

// One record of a class table: name, field name, DIN letter, input, unit.
struct ClassEntry {
  std::array<std::string, 5> values;
};

// The records of a classification table in which every record holds the
// same number of values (the table's width: 22 or 3 for the class search
// table, 6 for the class hierarchy), kept flat: the texts of all values side
// by side in one block and the end of each text in one array, record k's
// values in slots k*width to k*width+width-1. A fill of any size makes a
// handful of allocations, and a table emptied for the next fill keeps its
// memory. The block stays below 4 GiB: a fill stores less than the length
// of its string (an int32_t) plus one value.
class FlatRecords {
 public:
  // Whole records held.
  std::size_t size() const { return width_ == 0 ? 0 : ends_.size() / width_; }
  bool empty() const { return ends_.empty(); }
  // Value i of record k (k below size()); past the width the empty text.
  std::string_view value(std::size_t k, std::size_t i) const {
    if (i >= width_) return {};
    const std::size_t slot = k * width_ + i;
    const std::size_t begin = slot == 0 ? 0 : ends_[slot - 1];
    return std::string_view(texts_.get() + begin, ends_[slot] - begin);
  }
  // Removes every record and takes records of `width` (above 0) values
  // from now on; the memory stays for the next records.
  void reset(std::size_t width) {
    used_ = 0;
    ends_.clear();
    width_ = width;
  }
  // The room of the text block, and room for `bytes` bytes of text in all
  // (never less than the block has).
  std::size_t textCapacity() const { return room_; }
  void reserveTexts(std::size_t bytes) {
    if (bytes > room_) regrow(bytes);
  }
  // Appends a value to the record being stored; the common case of room
  // left costs no call. On failure (bad_alloc) the table is unchanged.
  void push(std::string_view text) {
    if (ends_.size() < ends_.capacity() && text.size() < room_ - used_) {
      copyText(texts_.get() + used_, text);
      used_ += text.size();
      ends_.push_back(static_cast<uint32_t>(used_));
      return;
    }
    pushGrowing(text);
  }
  // Drops the values of a last record that was not stored whole.
  void dropIncomplete() noexcept;
  // The heap the table holds; 0 once it is swapped with an empty one.
  std::size_t heapBytes() const { return room_ + ends_.capacity() * sizeof(uint32_t); }
  void swap(FlatRecords& other) noexcept {
    texts_.swap(other.texts_);
    std::swap(used_, other.used_);
    std::swap(room_, other.room_);
    ends_.swap(other.ends_);
    std::swap(width_, other.width_);
  }

 private:
  // push without the room for the value.
  void pushGrowing(std::string_view text);
  // Copies text to dst. Out of line on purpose: inlined where the caller
  // bounds the length, the copy becomes a string move instruction, slow for
  // values of a few bytes; the C library's copy is not.
  static void copyText(char* dst, std::string_view text);
  // Moves the texts to a block of `room` bytes (at least used_).
  void regrow(std::size_t room);

  std::unique_ptr<char[]> texts_;  // room_ bytes, the first used_ in use
  std::size_t used_ = 0;
  std::size_t room_ = 0;
  std::vector<uint32_t> ends_;  // end of text k in texts_
  std::size_t width_ = 0;
};

// The module's copy of one characteristic handed to the host through
// CharacteristicData: one buffer per text member.
struct CharacteristicResult {
  std::string name, fieldName, dinLetter, input, unit, format, templ, selection, parameter;
  int32_t length = 0;
  int32_t width = 0;
  int32_t decimals = 0;
  std::string value;
};

// How far past the last value of a list PutValue stores a value (filling
// the gap with empty values); a host's value number far beyond any real
// table would otherwise cost gigabytes.
inline constexpr std::size_t kMaxValueGap = std::size_t{1} << 20;

// Stores text without its trailing blanks in a value list. Position 0
// appends a value numbered one past the count; a position within the list
// replaces that value and renumbers it; a position beyond the end first
// appends empty values up to position-1 (a position more than kMaxValueGap
// past the last value throws std::bad_alloc, the list unchanged). O(1)
// amortised.
void PutValue(ValueList& values, std::string_view text, int32_t position);

// The text of the n-th value (n from 1), cut to capacity-1 characters.
// Returns 0; -2 when the list is empty; -3 when n is outside it (out empty).
int32_t ValueAt(std::string& out, std::size_t capacity, const ValueList& values, int32_t n);

// Number of records of a table: the value count of the first field that has
// values; 0 when none has.
int32_t RecordCount(const FieldList& list);

// Replaces `list` by `fields`, handing the value memory of the old fields on
// to the new ones (cleared) so that refilling a table of the same size needs
// no fresh memory.
void ReplaceFields(FieldList& list, FieldList fields);

}  // namespace kelmod
