// Class tables, class search table and class hierarchy table of the newer
// release: received strings of separator-terminated values cut into records.
//
// A class entry is the next five values of the string (name, field name, DIN
// letter, input, unit), read through the five header values that the
// characteristic bar of the newer release reads its head through as well. A
// search record is the next 22 values (3 in the short form), a hierarchy
// record the next six. Values are stored without their trailing blanks.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/records.h"
#include "core/state.h"

namespace kelmod::classification {

// Codes of the fills.
inline constexpr int32_t kFillRefused = 80;

// Longest value kept of a class entry and of a search or hierarchy value;
// longer values are cut, the cursor still passes them whole.
inline constexpr std::size_t kClassValueLimit = 256;
inline constexpr std::size_t kSearchValueLimit = 83;

// Values per record of the class search table in mode 3 and mode 4.
inline constexpr int32_t kSearchValuesLong = 22;
inline constexpr int32_t kSearchValuesShort = 3;

// Reads the next five values at `cursor` into the header values, first to
// fifth. Each value read steps the cursor over its separator and takes its
// length (as kept, before trimming) plus one from `remaining`. When the string
// ends before a separator, reading stops and that value and the ones after it
// keep what they held. A copy that cannot be made leaves its header value
// absent and stops reading. 0 whether or not all five were read; -2 cursor
// null; 8 no work memory.
int32_t ReadHeaderValues(State& s, const char*& cursor, int64_t& remaining);

// The same, and tells how many of the five values were read (5 for a whole
// head) and whether reading stopped for want of memory.
int32_t ReadHeaderValues(State& s, const char*& cursor, int64_t& remaining, int32_t& valuesRead,
                         bool& outOfMemory);

// Appends a class entry of five values at the tail of `table`.
// 0; -2 a value absent; -1 no memory.
int32_t AppendClassEntry(std::vector<ClassEntry>& table,
                         const std::array<std::optional<std::string>, 5>& values);

// Cuts `data` into class entries (modes 1 and 2) while fewer than `length`
// characters are counted as consumed (stored lengths plus separators). The
// header values hold the last entry read. An entry that the string's end cuts
// short is dropped; `count` includes it. 0; non-zero on failure.
int32_t LoadClassEntries(State& s, const char* data, int32_t length,
                         std::vector<ClassEntry>& table, int32_t& count);

// Cuts `data` into search records of `values` values (22 or 3) in `table`,
// which the caller has emptied for records of that width (its memory
// stays). A record whose values run past `length`,
// or that the string's end cuts short, is dropped; `count` includes it. 0;
// non-zero on failure. Without memory it throws std::bad_alloc and leaves
// the records stored so far in the table.
int32_t LoadClassSearchEntries(int32_t values, const char* data, int32_t length, char separator,
                               FlatRecords& table, int32_t& count);

// The same for hierarchy records of six values (`table` emptied for six). A record is dropped as soon
// as its first five values reach `length`; the sixth value completes a
// record even when it runs past `length`.
int32_t LoadClassHierarchy(const char* data, int32_t length, char separator, FlatRecords& table,
                           int32_t& count);

// Releases a class table; a table that held records also clears the header
// values.
void ReleaseClassTable(State& s, std::vector<ClassEntry>& table);

// ZanCreateFillClasTableK4: mode 1 and 2 the class tables, 3 and 4 the class
// search table (22 or 3 values a record). A search table created again is
// filled in the memory of the one before; a fill without memory (80) leaves
// its table empty and holding no memory.
int32_t CreateFillClasTableK4(State& s, int32_t mode, const char* data, int32_t length,
                              int32_t* count);
// ZanCreateFillClasHierarchTableK4 (mode 1), in the same way.
int32_t CreateFillClasHierarchTableK4(State& s, int32_t mode, const char* data, int32_t length,
                                      int32_t* count);

}  // namespace kelmod::classification
