// String and field routines shared by every family.
//
// The toolbox's layouts are lines of fixed-width columns or runs of values
// each terminated by a separator character. These routines cut, trim, pad and
// tokenize such text with exactly the edge behaviour the layouts rely on
// (null pointers tolerated, starts beyond the end give empty columns, widths
// never truncate when padding). Positions are 1-based.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace kelmod {

// -999 when either pointer is null, else -1, 0, 1 by unsigned byte order.
int SafeCompare(const char* a, const char* b);
// Bytes before the NUL; 0 for null.
std::size_t SafeLength(const char* s);
// dst becomes at most n bytes of src; empty for a null src or n < 1.
void CopyBounded(std::string& dst, const char* src, int32_t n);

// Column of `line` from 1-based `start`, at most `width` bytes, stopping at
// the end of the line; empty when start is outside the line or width < 1.
std::string SubField(std::string_view line, int32_t start, int32_t width);
// The same column as SubField, as a view into line.
std::string_view SubFieldView(std::string_view line, int32_t start, int32_t width);
// Deletes n bytes from 1-based pos; a span past the end cuts the text at pos.
void CutChars(std::string& s, int32_t pos, int32_t n);
// Removes leading and trailing blanks (0x20 only); blanks before a final
// line feed go and the line feed stays.
void TrimBlanks(std::string& s);
// out becomes text as TrimBlanks leaves it; out's memory is reused.
inline void AssignTrimmedBlanks(std::string& out, std::string_view text) {
  const std::size_t lead = text.find_first_not_of(' ');
  out.clear();
  if (lead == std::string_view::npos) return;
  text.remove_prefix(lead);
  std::size_t end = text.size();
  if (end > 0 && text[end - 1] == '\n') --end;
  std::size_t start = end;
  while (start > 0 && text[start - 1] == ' ') --start;
  out.append(text.data(), start);
  if (end < text.size()) out.push_back('\n');
}

// Removes every trailing carriage return and line feed.
void StripLineEnd(std::string& s);
// Removes every blank and tab.
void RemoveBlanks(std::string& s);
// Length without trailing blanks; 0 for null.
std::size_t TrimmedLength(const char* s);
// Removes trailing blanks only.
void TrimTrailingBlanks(std::string& s);

// Appends blanks up to width; never truncates.
void PadBlanks(std::string& s, int32_t width);
// Inserts zero digits in front up to width; never truncates.
void PadZeros(std::string& s, int32_t width);
// Inserts src so that it starts at 1-based pos, blank-filling dst up to pos-1
// when it is shorter. An empty src changes nothing.
void InsertAt(std::string_view src, std::string& dst, int32_t pos);
// dst becomes s1 followed by the later strings; null strings are skipped (a
// null s1 keeps what dst held and appends the rest).
void JoinStrings(std::string& dst, std::initializer_list<const char*> parts);
// Decimal text of value, the most negative 32-bit value included.
std::string IntToDecimal(int32_t value);
// Removes trailing blanks from s in place and returns a copy of the result;
// a null s gives the empty text. A text without trailing blanks is only read.
std::string DupTrimmed(char* s);

// Copies bytes from *cursor into out up to the separator or the end of the
// string and leaves *cursor on the byte that stopped it. Returns 1 when that
// byte is the separator (a terminated value), 0 at the end of the string. A
// separator of NUL never occurs, so every value is then unterminated. The
// caller steps over the separator itself. out keeps at most `limit` bytes of
// the value; the cursor still passes the whole value.
int NextToken(const char*& cursor, char sep, std::string& out,
              std::size_t limit = std::string::npos);

// NextToken without the copy: out views the value (at most `limit` bytes of
// it) in the string the cursor walks, and lives as long as that string.
inline int NextTokenView(const char*& cursor, char sep, std::string_view& out,
                         std::size_t limit = std::string_view::npos) {
  const char* c = cursor;
  if (sep == '\0') {
    while (*c != '\0') ++c;
  } else {
    while (*c != '\0' && *c != sep) ++c;
  }
  const std::size_t n = static_cast<std::size_t>(c - cursor);
  out = std::string_view(cursor, n < limit ? n : limit);
  cursor = c;
  return (sep != '\0' && *c == sep) ? 1 : 0;
}

// text without its trailing blanks.
inline std::string_view WithoutTrailingBlanks(std::string_view text) {
  std::size_t n = text.size();
  while (n > 0 && text[n - 1] == ' ') --n;
  return text.substr(0, n);
}

// Current local date as day (blank-padded to two), ".", month (two digits),
// ".", four-digit year: " 5.03.2026".
std::string DateStamp();

// Decimal value of the leading digits after leading blanks (0 if none).
// A sign is accepted when allowSign is set; overlong numbers saturate.
int32_t LeadingNumber(std::string_view text, bool allowSign);

// The number the C library's atoi reads: leading white space, an optional
// sign, digits; 0 if none. Overlong numbers saturate.
int32_t AtoiNumber(std::string_view text);

// Every write into a caller's text goes through these three, and each writes
// a byte only where it differs from what the caller's text holds: a text that
// needs no change is only read, so a host may pass a read-only one (a string
// literal, an immutable buffer of a binding) wherever nothing changes.
//
// dst[0, n) becomes src[0, n).
void PutBytes(char* dst, const char* src, std::size_t n);
// *at becomes c.
inline void PutByte(char* at, char c) {
  if (*at != c) *at = c;
}
// Copies text, NUL included, back into a caller's string that is at least as
// long as text (callers only ever shorten it).
void WriteBack(char* dst, const std::string& text);

}  // namespace kelmod
