// The record types of the generic record tables, shared by every family that
// keeps values per field (record tables, user table, characteristic lists).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
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

// N texts of one record kept side by side in one block: the first count()
// are present, the others absent (read as empty). Records of the large
// classification tables use it so that a table of many records stays small.
template <std::size_t N>
class PackedTexts {
 public:
  static constexpr std::size_t kSize = N;
  std::size_t count() const { return count_; }
  std::string_view operator[](std::size_t i) const {
    if (i >= count_) return {};
    const std::size_t begin = i == 0 ? 0 : ends_[i - 1];
    return std::string_view(texts_).substr(begin, ends_[i] - begin);
  }
  // Removes every text but keeps the block's memory.
  void clear() {
    texts_.clear();
    ends_ = {};
    count_ = 0;
  }
  // Adds the next text; a record that is full takes no more.
  void push(std::string_view text) {
    if (count_ == N) return;
    texts_.append(text);
    ends_[count_++] = static_cast<uint32_t>(texts_.size());
  }

 private:
  std::string texts_;
  std::array<uint32_t, N> ends_{};
  uint8_t count_ = 0;
};

// One record of the class search table: 22 values, of which a record of the
// short form fills only the first three.
struct ClassSearchEntry {
  PackedTexts<22> values;
};

// One record of the class hierarchy table.
struct ClassHierarchyEntry {
  PackedTexts<6> values;
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
