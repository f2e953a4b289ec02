#include "core/text.h"

#include <climits>
#include <cstring>
#include <ctime>

namespace kelmod {

int SafeCompare(const char* a, const char* b) {
  if (a == nullptr || b == nullptr) return -999;
  const int r = std::strcmp(a, b);  // strcmp compares as unsigned char
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

std::size_t SafeLength(const char* s) { return s == nullptr ? 0 : std::strlen(s); }

void CopyBounded(std::string& dst, const char* src, int32_t n) {
  if (src == nullptr || n < 1) {
    dst.clear();
    return;
  }
  dst.assign(src, strnlen(src, static_cast<std::size_t>(n)));
}

std::string SubField(std::string_view line, int32_t start, int32_t width) {
  if (start < 1 || static_cast<std::size_t>(start) > line.size() || width < 1) return {};
  return std::string(line.substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(width)));
}

std::string_view SubFieldView(std::string_view line, int32_t start, int32_t width) {
  if (start < 1 || static_cast<std::size_t>(start) > line.size() || width < 1) return {};
  return line.substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(width));
}

void CutChars(std::string& s, int32_t pos, int32_t n) {
  if (pos < 1 || n < 1 || static_cast<std::size_t>(pos) > s.size()) return;
  s.erase(static_cast<std::size_t>(pos) - 1, static_cast<std::size_t>(n));
}

void TrimBlanks(std::string& s) {
  const std::size_t lead = s.find_first_not_of(' ');
  if (lead == std::string::npos) {
    // Only blanks: the trailing cut removes them all.
    s.clear();
    return;
  }
  s.erase(0, lead);
  std::size_t end = s.size();
  if (end > 0 && s[end - 1] == '\n') --end;
  std::size_t start = end;
  while (start > 0 && s[start - 1] == ' ') --start;
  s.erase(start, end - start);
}

void StripLineEnd(std::string& s) {
  while (!s.empty() && (s.back() == '\r' || s.back() == '\n')) s.pop_back();
}

void RemoveBlanks(std::string& s) {
  std::erase_if(s, [](char c) { return c == ' ' || c == '\t'; });
}

std::size_t TrimmedLength(const char* s) {
  if (s == nullptr) return 0;
  std::size_t n = std::strlen(s);
  while (n > 0 && s[n - 1] == ' ') --n;
  return n;
}

void TrimTrailingBlanks(std::string& s) {
  std::size_t n = s.size();
  while (n > 0 && s[n - 1] == ' ') --n;
  s.resize(n);
}

void PadBlanks(std::string& s, int32_t width) {
  if (width > 0 && static_cast<std::size_t>(width) > s.size()) s.resize(static_cast<std::size_t>(width), ' ');
}

void PadZeros(std::string& s, int32_t width) {
  if (width > 0 && static_cast<std::size_t>(width) > s.size())
    s.insert(0, static_cast<std::size_t>(width) - s.size(), '0');
}

void InsertAt(std::string_view src, std::string& dst, int32_t pos) {
  if (src.empty()) return;
  const std::size_t at = pos < 1 ? 0 : static_cast<std::size_t>(pos) - 1;
  if (dst.size() < at) {
    dst.resize(at, ' ');
    dst.append(src);
  } else {
    dst.insert(at, src);
  }
}

void JoinStrings(std::string& dst, std::initializer_list<const char*> parts) {
  bool first = true;
  for (const char* part : parts) {
    if (part != nullptr) {
      if (first) {
        dst.assign(part);
      } else {
        dst.append(part);
      }
    }
    first = false;
  }
}

std::string IntToDecimal(int32_t value) {
  // Work in 64 bits so that the most negative value has a positive twin.
  int64_t v = value;
  const bool negative = v < 0;
  if (negative) v = -v;
  char digits[16];
  std::size_t n = 0;
  do {
    digits[n++] = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v != 0);
  std::string out;
  out.reserve(n + 1);
  if (negative) out.push_back('-');
  while (n > 0) out.push_back(digits[--n]);
  return out;
}

std::string DupTrimmed(char* s) {
  if (s == nullptr) return {};
  const std::size_t n = TrimmedLength(s);
  PutByte(s + n, '\0');
  return std::string(s, n);
}

int NextToken(const char*& cursor, char sep, std::string& out, std::size_t limit) {
  std::string_view value;
  const int terminated = NextTokenView(cursor, sep, value, limit);
  out.assign(value.data(), value.size());
  return terminated;
}

std::string DateStamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#if defined(_WIN32)
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  std::string day = IntToDecimal(local.tm_mday);
  if (day.size() == 1) InsertAt(" ", day, 1);
  std::string month = IntToDecimal(local.tm_mon + 1);
  PadZeros(month, 2);
  std::string year = IntToDecimal(local.tm_year + 1900);
  PadZeros(year, 2);
  std::string out;
  JoinStrings(out, {day.c_str(), ".", month.c_str(), ".", year.c_str()});
  return out;
}

int32_t LeadingNumber(std::string_view text, bool allowSign) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (allowSign && i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  int64_t v = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    v = v * 10 + (text[i] - '0');
    if (v > INT32_MAX) v = static_cast<int64_t>(INT32_MAX) + 1;
  }
  if (negative) v = -v;
  if (v > INT32_MAX) v = INT32_MAX;
  return static_cast<int32_t>(v);
}

int32_t AtoiNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  return LeadingNumber(text.substr(i), true);
}

// The stores stay conditional: the build never lets the compiler invent
// stores (as -fallow-store-data-races, part of -Ofast, would).
void PutBytes(char* dst, const char* src, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i)
    if (dst[i] != src[i]) dst[i] = src[i];
}

void WriteBack(char* dst, const std::string& text) { PutBytes(dst, text.c_str(), text.size() + 1); }

}  // namespace kelmod
