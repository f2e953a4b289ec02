// kelmod check [--sets PATH] [--fields PATH] [--index PATH] [--messages PATH]:
// reads a site's set index file, field definition file, table index file and
// message file line by line, column by column, the way the toolbox reads them,
// and reports every line the toolbox would take otherwise than its writer
// meant. Each finding is one line on standard output,
//   PATH:LINE: error: TEXT   or   PATH:LINE: warning: TEXT
// saying what is wrong and what the toolbox does with it. An error is a line
// that is not in its file's form or that the toolbox never uses as written
// (it takes it for something else, or another line always wins); a warning is
// a line the toolbox reads as written that still looks unintended, or whose
// tail it drops. Exit status 1 when there is an error, else 0.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "cli.h"

namespace kelmod_cli {

namespace {

// ---- Lines and columns, taken as the toolbox's line reader takes them ------

struct Line {
  std::size_t number = 0;     // 1-based
  std::string text;           // up to the first NUL byte, trailing CR/LF removed
  std::size_t bytes = 0;      // length without the line end, NUL bytes included
  std::size_t nulColumn = 0;  // column of the first NUL byte, 0 if none
};

void StripLineEnd(std::string& s) {
  while (!s.empty() && (s.back() == '\r' || s.back() == '\n')) s.pop_back();
}

// A line ends at a line feed; a last line without one still counts. A NUL
// byte ends a line's text (the rest up to the line feed is lost), and the
// carriage returns and line feeds at its end are removed.
std::vector<Line> SplitLines(const std::string& content) {
  std::vector<Line> lines;
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    if (end == std::string::npos) end = content.size();
    std::string raw = content.substr(start, end - start);
    Line line;
    line.number = lines.size() + 1;
    const std::size_t nul = raw.find('\0');
    if (nul != std::string::npos) line.nulColumn = nul + 1;
    line.text = raw.substr(0, nul);
    StripLineEnd(line.text);
    StripLineEnd(raw);
    line.bytes = raw.size();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

// Columns start..start+width-1 (1-based), shorter or empty where the line ends.
std::string Col(const std::string& line, std::size_t start, std::size_t width) {
  if (start < 1 || start > line.size()) return {};
  return line.substr(start - 1, width);
}

bool Blank(std::string_view s) { return s.find_first_not_of(' ') == std::string_view::npos; }

std::string Trim(std::string_view s) {
  const std::size_t first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(s.substr(first, s.find_last_not_of(' ') - first + 1));
}

// A text of the file in quotes, control characters written as escapes so that
// a finding stays one line.
std::string Quote(std::string_view s, std::size_t max = 40) {
  std::string out = "'";
  for (std::size_t i = 0; i < s.size() && i < max; ++i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c == '\t') {
      out += "\\t";
    } else if (c < 0x20 || c == 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    } else {
      out.push_back(static_cast<char>(c));
    }
  }
  out += "'";
  if (s.size() > max) out += "...";
  return out;
}

std::string Character(char c) { return Quote(std::string_view(&c, 1)); }

// A decimal column as the toolbox reads it: leading blanks skipped, then
// digits up to the first other character (a sign is one), 0 if none.
// `clean` says whether the column holds just that (digits, with blanks only
// before and after).
struct Number {
  int32_t value = 0;
  int digits = 0;
  bool clean = false;
};

Number ReadNumber(std::string_view column) {
  Number n;
  std::size_t i = 0;
  while (i < column.size() && column[i] == ' ') ++i;
  for (; i < column.size() && column[i] >= '0' && column[i] <= '9'; ++i, ++n.digits) {
    n.value = n.value * 10 + (column[i] - '0');  // at most three columns
  }
  n.clean = n.digits > 0 && Blank(column.substr(i));
  return n;
}

// The first column of the given ranges that is not blank, or 0.
struct Gap {
  std::size_t from;
  std::size_t to;
};

std::size_t FirstFilledGap(const std::string& line, std::initializer_list<Gap> gaps) {
  for (const Gap& g : gaps) {
    for (std::size_t c = g.from; c <= g.to && c <= line.size(); ++c) {
      if (line[c - 1] != ' ') return c;
    }
  }
  return 0;
}

// ---- Findings --------------------------------------------------------------

enum class Severity { kError, kWarning };

struct Finding {
  std::size_t line;
  Severity severity;
  std::string text;
};

struct FileReport {
  std::string path;
  std::vector<Finding> findings;
  void error(std::size_t line, std::string text) {
    findings.push_back({line, Severity::kError, std::move(text)});
  }
  void warning(std::size_t line, std::string text) {
    findings.push_back({line, Severity::kWarning, std::move(text)});
  }
};

// What every line the toolbox takes as an entry is checked for, whatever its
// file: its length against the file's line limit, NUL bytes and tabs.
void CheckBytes(FileReport& r, const Line& line, std::size_t limit, const char* kind,
                const std::string& beyond) {
  if (line.bytes > limit) {
    r.warning(line.number, "line is " + std::to_string(line.bytes) + " bytes long, more than the " +
                               std::to_string(limit) + " a " + kind + " line may have; " + beyond);
  }
  if (line.nulColumn != 0) {
    r.warning(line.number, "line holds a NUL byte at column " + std::to_string(line.nulColumn) +
                               "; the toolbox ends the line there and never sees the rest");
  }
  const std::size_t tab = line.text.find('\t');
  if (tab != std::string::npos) {
    r.warning(line.number, "line holds a tab at column " + std::to_string(tab + 1) +
                               "; the toolbox counts a tab as one column, not as blanks up to "
                               "a tab stop, so the columns after it are not where they look");
  }
}

// A field name with blanks or tabs inside is never found by a read by name
// (the toolbox removes blanks and tabs from the name it is asked for).
void CheckInnerBlanks(FileReport& r, const Line& line, const std::string& field) {
  if (field.find_first_of(" \t") == std::string::npos) return;
  std::string squeezed;
  for (char c : field) {
    if (c != ' ' && c != '\t') squeezed.push_back(c);
  }
  r.warning(line.number, "field name " + Quote(field) +
                             " holds a blank or tab; the toolbox removes blanks and tabs from "
                             "the names it is asked for, so no read by name finds this field "
                             "until a write or change by name has rewritten the stored name as " +
                             Quote(squeezed));
}

// ---- Set index file ----------------------------------------------------------

struct SetLine {
  std::size_t line;
  std::string name, key, direction, set;
  bool clean;  // no error on the line
  bool used;   // the first line of its name, key and direction
};

std::string Triple(const std::string& name, const std::string& key, const std::string& direction) {
  return "name " + Quote(name) + ", key " + Quote(key) + ", direction " + direction;
}

std::vector<SetLine> CheckSets(FileReport& r, const std::vector<Line>& lines) {
  std::vector<SetLine> entries;
  std::map<std::string, std::size_t> firstOf;  // name, key, direction -> index in entries
  for (const Line& line : lines) {
    const std::string& t = line.text;
    if (t.empty() || t[0] == '*' || Blank(t)) continue;
    CheckBytes(r, line, 255, "set index",
               "the toolbox reads it whole but uses nothing after column 23");
    if (t[0] != ' ') {
      r.warning(line.number, "column 1 holds " + Character(t[0]) +
                                 "; only '*' marks a comment line, so the toolbox reads this "
                                 "line as an entry");
    }
    if (t.size() < 14) {
      r.error(line.number, "line ends at column " + std::to_string(t.size()) +
                               ", before the direction letter (column 14) and the set name "
                               "(columns 17-23); the toolbox never selects it");
      continue;
    }
    SetLine e{line.number, Col(t, 3, 5), Col(t, 10, 2), Col(t, 14, 1), Col(t, 17, 7), true, true};
    if (e.direction != "U" && e.direction != "D") {
      r.error(line.number, "direction letter " + Quote(e.direction) +
                               " in column 14 is neither U nor D; the toolbox never selects "
                               "this line (it asks for U for outgoing tables, D for received "
                               "ones)");
      continue;
    }
    if (t.size() < 17) {
      r.error(line.number, "line ends at column " + std::to_string(t.size()) +
                               ", before the set name in columns 17-23; the toolbox selects it "
                               "with an empty set name, and an empty set name takes every line "
                               "of the field definition file into the table");
      e.clean = false;
    } else if (t.size() < 23) {
      r.error(line.number, "set name " + Quote(e.set) + " stops at column " +
                               std::to_string(t.size()) +
                               ", short of its 7 columns 17-23; the toolbox takes it as it "
                               "stands and compares it with all 7 characters of columns 3-9 of "
                               "the field definition lines, so the table gets no fields (fill "
                               "the set name with blanks up to column 23)");
      e.clean = false;
    } else if (Blank(e.set)) {
      r.error(line.number,
              "set name in columns 17-23 is blank; the table gets only field "
              "definition lines whose columns 3-9 are blank");
      e.clean = false;
    }
    if (const std::size_t c = FirstFilledGap(t, {{2, 2}, {8, 9}, {12, 13}, {15, 16}})) {
      r.warning(line.number, "column " + std::to_string(c) + " is not blank (" +
                                 Character(t[c - 1]) +
                                 "); the toolbox ignores columns 2, 8-9, 12-13 and 15-16 and "
                                 "reads " +
                                 Triple(e.name, e.key, e.direction) + ", set " + Quote(e.set) +
                                 ": are the columns shifted?");
    }
    if (line.bytes <= 255 && t.size() > 23 && !Blank(t.substr(23))) {
      r.warning(line.number, "text after column 23 (" + Quote(Trim(t.substr(23)), 20) +
                                 ") is ignored; the set name is " + Quote(e.set));
    }
    const std::string id = e.name + '\n' + e.key + '\n' + e.direction;
    const auto first = firstOf.find(id);
    if (first != firstOf.end()) {
      const SetLine& f = entries[first->second];
      e.used = false;
      if (f.set == e.set) {
        r.warning(line.number, Triple(e.name, e.key, e.direction) +
                                   " is given again (first on line " + std::to_string(f.line) +
                                   ", the line the toolbox uses); this repeat is never read");
      } else {
        r.error(line.number, Triple(e.name, e.key, e.direction) + " is given again, with set " +
                                 Quote(e.set) + "; the toolbox uses only the first line, line " +
                                 std::to_string(f.line) + " (set " + Quote(f.set) +
                                 "), so this line is never read");
        e.clean = false;
      }
    } else {
      firstOf.emplace(id, entries.size());
    }
    entries.push_back(std::move(e));
  }
  return entries;
}

// ---- Field definition file -------------------------------------------------

struct DefinitionLine {
  std::size_t line;
  std::string set;  // columns 3-9 as they stand
};

std::vector<DefinitionLine> CheckFields(FileReport& r, const std::vector<Line>& lines) {
  std::vector<DefinitionLine> definitions;
  std::map<std::string, std::map<std::string, std::size_t>> fieldsOf;  // set -> field -> line
  std::map<std::string, std::pair<std::size_t, std::string>> lastOf;   // set -> line, field
  std::string previousSet;
  bool anyPrevious = false;
  for (const Line& line : lines) {
    const std::string& t = line.text;
    if (t.empty() || t[0] == '*') continue;
    if (Blank(t)) {
      if (t.size() >= 3) {
        r.warning(line.number,
                  "line holds only blanks; the toolbox does not skip it as an empty line but "
                  "reads it as a definition without set or field name, which readers that take "
                  "every line of the file (an empty set name) count as a field");
      }
      continue;
    }
    if (t.size() < 3) {
      r.warning(line.number, "line ends at column " + std::to_string(t.size()) +
                                 ", before the set name in columns 3-9; the toolbox skips it");
      continue;
    }
    CheckBytes(r, line, 255, "field definition",
               "the toolbox reads it whole but uses nothing after column 72");
    const std::string set = Col(t, 3, 7);
    const std::string field = Trim(Col(t, 11, 11));
    const std::string lengthColumn = Col(t, 30, 3);
    const Number length = ReadNumber(lengthColumn);
    if (t[0] != ' ') {
      r.warning(line.number, "column 1 holds " + Character(t[0]) +
                                 "; only '*' marks a comment line, so the toolbox reads this "
                                 "line as a definition of set " +
                                 Quote(set));
    }
    if (Blank(set)) {
      r.error(line.number,
              "set name in columns 3-9 is blank; the definition belongs to no set "
              "a set index line names (only readers that take every line of the "
              "file see it)");
    }
    const std::string ofSet = " of set " + Quote(set);
    if (t.size() < 11) {
      r.error(line.number, "line ends at column " + std::to_string(t.size()) +
                               ", before the field name in columns 11-21; the toolbox still "
                               "counts it as a field" +
                               ofSet + ", without a name and of width 0");
    } else if (field.empty()) {
      r.error(line.number,
              "field name in columns 11-21 is blank; the toolbox adds a field "
              "without a name to set " +
                  Quote(set) + " (of width " + std::to_string(length.value) +
                  "), which no read or write by name reaches");
    } else if (t.size() < 30) {
      r.error(line.number, "line ends at column " + std::to_string(t.size()) +
                               ", before the length in columns 30-32; the toolbox gives field " +
                               Quote(field) + ofSet + " width 0");
    } else if (Blank(lengthColumn)) {
      r.error(line.number, "length in columns 30-32 is blank; the toolbox gives field " +
                               Quote(field) + ofSet + " width 0");
    } else if (!length.clean) {
      r.error(line.number, "length " + Quote(lengthColumn) +
                               " in columns 30-32 is not a number; the toolbox reads width " +
                               std::to_string(length.value) + " for field " + Quote(field) + ofSet);
    } else if (length.value == 0) {
      r.warning(line.number, "field " + Quote(field) + ofSet +
                                 " has width 0: it takes no characters in data strings and send "
                                 "strings, reads as empty, and a value written to it is cut to "
                                 "nothing");
    }
    if (!field.empty()) CheckInnerBlanks(r, line, field);
    if (const std::size_t c = FirstFilledGap(t, {{2, 2}, {10, 10}, {22, 29}})) {
      r.warning(line.number, "column " + std::to_string(c) + " is not blank (" +
                                 Character(t[c - 1]) +
                                 "); the toolbox ignores columns 2, 10 and 22-29 and reads set " +
                                 Quote(set) + ", field " + Quote(field) + ", length " +
                                 Quote(lengthColumn) + ": are the columns shifted?");
    }
    if (line.bytes <= 255 && t.size() > 72 && !Blank(t.substr(72))) {
      r.warning(line.number, "description runs past column 72; the toolbox keeps columns 33-72 (" +
                                 Quote(Col(t, 33, 40)) + ") and drops " +
                                 Quote(Trim(t.substr(72)), 20));
    }

    // The toolbox counts the line as a definition of its set.
    const auto last = lastOf.find(set);
    if (anyPrevious && set != previousSet && last != lastOf.end()) {
      r.warning(line.number,
                "set " + Quote(set) +
                    " continues here after lines of other sets (its "
                    "previous line is line " +
                    std::to_string(last->second.first) +
                    "); the toolbox takes a set's lines wherever they stand, so field " +
                    Quote(field) + " follows field " + Quote(last->second.second) +
                    " in the table");
    }
    if (!field.empty()) {
      auto& fields = fieldsOf[set];
      const auto twice = fields.find(field);
      if (twice != fields.end()) {
        r.warning(line.number, "field " + Quote(field) + ofSet +
                                   " is defined twice (first on line " +
                                   std::to_string(twice->second) +
                                   "); a table of that set gets both fields, each taking its "
                                   "width in data and send strings, and reads and writes by "
                                   "name find only the first");
      } else {
        fields.emplace(field, line.number);
      }
    }
    lastOf[set] = {line.number, field};
    previousSet = set;
    anyPrevious = true;
    definitions.push_back({line.number, set});
  }
  return definitions;
}

// ---- Table index file --------------------------------------------------------

void CheckIndex(FileReport& r, const std::vector<Line>& lines) {
  struct Table {
    std::size_t firstLine;
    std::string set;
    std::size_t lastLine;
    std::string lastField;
    std::map<std::string, std::size_t> fields;
  };
  std::map<std::string, Table> tables;  // name, key -> what its lines gave so far
  std::string previousTable;
  for (const Line& line : lines) {
    const std::string& t = line.text;
    if (t.empty() || t[0] == '*' || Blank(t)) continue;
    CheckBytes(r, line, 256, "table index",
               "the toolbox reads it whole but uses nothing after column 37");
    if (t[0] == 'U') {
      r.warning(line.number,
                "direction U: the toolbox reads the table index only for received "
                "tables (table type 4, direction D), so it never uses this line");
      continue;
    }
    if (t[0] != 'D') {
      r.error(line.number, "column 1 holds " + Character(t[0]) +
                               ", not the direction letter D; the toolbox never selects this "
                               "line (a comment line begins with '*')");
      continue;
    }
    const std::string name = Trim(Col(t, 7, 5));
    const std::string key = Trim(Col(t, 13, 2));
    const std::string set = Trim(Col(t, 16, 7));
    const std::string field = Trim(Col(t, 24, 10));
    const std::string lengthColumn = Col(t, 35, 3);
    const Number length = ReadNumber(lengthColumn);
    const std::string table = "table D " + Quote(name) + " " + Quote(key);
    if (t.size() < 24) {
      r.error(line.number, "line ends at column " + std::to_string(t.size()) +
                               ", before the field name in columns 24-33; the toolbox adds a "
                               "field without a name and of width 0 to " +
                               table);
    } else if (name.empty()) {
      r.error(line.number,
              "name in columns 7-11 is blank; only a request for an empty table "
              "name selects this line");
    } else if (field.empty()) {
      r.error(line.number,
              "field name in columns 24-33 is blank; the toolbox adds a field "
              "without a name to " +
                  table +
                  ", which no read or write by name "
                  "reaches");
    } else if (t.size() < 35) {
      r.error(line.number, "line ends at column " + std::to_string(t.size()) +
                               ", before the length in columns 35-37; the toolbox gives field " +
                               Quote(field) + " of " + table + " width 0");
    } else if (Blank(lengthColumn)) {
      r.error(line.number, "length in columns 35-37 is blank; the toolbox gives field " +
                               Quote(field) + " of " + table + " width 0");
    } else if (!length.clean) {
      r.error(line.number, "length " + Quote(lengthColumn) +
                               " in columns 35-37 is not a number; the toolbox reads width " +
                               std::to_string(length.value) + " for field " + Quote(field) +
                               " of " + table);
    } else if (length.value == 0) {
      r.warning(line.number, "field " + Quote(field) + " of " + table +
                                 " has width 0: every value read into it is cut to nothing");
    }
    if (!field.empty()) CheckInnerBlanks(r, line, field);
    if (const std::size_t c =
            FirstFilledGap(t, {{2, 2}, {6, 6}, {12, 12}, {15, 15}, {23, 23}, {34, 34}})) {
      r.warning(line.number, "column " + std::to_string(c) + " is not blank (" +
                                 Character(t[c - 1]) +
                                 "); the toolbox ignores columns 2, 6, 12, 15, 23 and 34 and "
                                 "reads name " +
                                 Quote(name) + ", key " + Quote(key) + ", set " + Quote(set) +
                                 ", field " + Quote(field) + ", length " + Quote(lengthColumn) +
                                 ": are the columns shifted?");
    }
    if (line.bytes <= 256 && t.size() > 37 && !Blank(t.substr(37))) {
      r.warning(line.number, "text after column 37 (" + Quote(Trim(t.substr(37)), 20) +
                                 ") is ignored; the toolbox reads length " + Quote(lengthColumn));
    }

    const std::string id = name + '\n' + key;
    const auto known = tables.find(id);
    if (known == tables.end()) {
      Table fresh{line.number, set, line.number, field, {}};
      if (!field.empty()) fresh.fields.emplace(field, line.number);
      tables.emplace(id, std::move(fresh));
      previousTable = id;
      continue;
    }
    Table& tab = known->second;
    if (set != tab.set) {
      r.warning(line.number, "set " + Quote(set) + " differs from set " + Quote(tab.set) +
                                 " of the table's first line, line " +
                                 std::to_string(tab.firstLine) +
                                 "; the toolbox selects a table's lines by direction, name and "
                                 "key alone, so field " +
                                 Quote(field) + " joins " + table);
    } else if (previousTable != id) {
      r.warning(line.number, table +
                                 " continues here after lines of other tables (its previous "
                                 "line is line " +
                                 std::to_string(tab.lastLine) +
                                 "); the toolbox takes a table's lines wherever they stand, so "
                                 "field " +
                                 Quote(field) + " follows field " + Quote(tab.lastField));
    }
    if (!field.empty()) {
      const auto twice = tab.fields.find(field);
      if (twice != tab.fields.end()) {
        r.warning(line.number, "field " + Quote(field) + " of " + table +
                                   " is given twice (first on line " +
                                   std::to_string(twice->second) +
                                   "); the table gets both fields, and reads and writes by name "
                                   "find only the first");
      } else {
        tab.fields.emplace(field, line.number);
      }
    }
    tab.lastLine = line.number;
    tab.lastField = field;
    previousTable = id;
  }
}

// ---- Message file ------------------------------------------------------------

void CheckMessages(FileReport& r, const std::vector<Line>& lines) {
  std::map<int32_t, std::size_t> firstOf;  // code -> its first message line
  for (const Line& line : lines) {
    const std::string& t = line.text;
    if (t.empty()) continue;
    const std::string codeColumn = Col(t, 3, 3);
    const Number code = ReadNumber(codeColumn);
    if (t[0] != 'E') {
      if (t[0] != '*' && code.digits > 0) {
        r.warning(line.number, "line begins with " + Character(t[0]) +
                                   ", not 'E'; the toolbox takes only lines beginning with 'E' "
                                   "as message lines and ignores this one");
      }
      continue;
    }
    CheckBytes(r, line, 256, "message",
               "the toolbox hands out the long text only up to column 256 (its first 221 "
               "characters)");
    const std::string codeText = std::to_string(code.value);
    const auto first = firstOf.find(code.value);
    const bool repeated = first != firstOf.end();
    const std::size_t firstLine = repeated ? first->second : line.number;
    if (!repeated) firstOf.emplace(code.value, line.number);
    if (!code.clean) {
      std::string text =
          (t.size() < 3 ? std::string("code columns 3-5 are empty")
                        : "code " + Quote(codeColumn) + " in columns 3-5 is not a number") +
          (codeColumn.find_first_of("+-") != std::string::npos
               ? " (a sign is not a digit: no message line can hold a negative code)"
               : "") +
          "; every line beginning with 'E' is a message line, and the toolbox "
          "reads this one as code " +
          codeText;
      if (repeated) {
        text += ", but line " + std::to_string(firstLine) +
                " comes first for that code, so this line is never used";
      } else {
        text += " and hands out its texts for that code";
      }
      r.error(line.number, text);
      continue;  // not meant as a message line, most likely: nothing more to say
    }
    if (repeated) {
      r.warning(line.number, "code " + codeText + " is given again (first on line " +
                                 std::to_string(firstLine) +
                                 "); the toolbox uses only the first line of a code, so this "
                                 "line is never used");
    }

    if (t.size() < 7) {
      r.error(line.number, "line ends at column " + std::to_string(t.size()) +
                               ", before the type letter in column 7; the toolbox hands out an "
                               "empty type letter and empty texts for code " +
                               codeText);
      continue;
    }
    if (t[6] == ' ') {
      r.error(line.number,
              "type letter in column 7 is blank; the toolbox hands out a blank "
              "type letter for code " +
                  codeText);
    }
    if (const std::size_t c = FirstFilledGap(t, {{2, 2}, {6, 6}, {8, 8}})) {
      r.warning(line.number, "column " + std::to_string(c) + " is not blank (" +
                                 Character(t[c - 1]) +
                                 "); the toolbox ignores columns 2, 6, 8 and 35 and reads code " +
                                 codeText + ", type " + Quote(Col(t, 7, 1)) + ", short text " +
                                 Quote(Trim(Col(t, 9, 26))) + ": are the columns shifted?");
    } else if (t.size() >= 35 && t[34] != ' ') {
      r.warning(line.number,
                "the short text runs into column 35; the toolbox keeps columns 9-34 (" +
                    Quote(Trim(Col(t, 9, 26))) + "), ignores column 35 (" + Character(t[34]) +
                    ") and starts the long text at column 36");
    }
    if (t.size() < 36) {
      r.warning(line.number, "line ends at column " + std::to_string(t.size()) +
                                 ", before the long text in column 36; the toolbox hands out an "
                                 "empty long text" +
                                 (t.size() < 9 ? std::string(" and an empty short text") : "") +
                                 " for code " + codeText);
    }
  }
}

// ---- Sets against field definitions ------------------------------------------

std::string Normalised(const std::string& s) {
  std::string out = Trim(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

void CheckSetsAgainstFields(FileReport& sets, const std::vector<SetLine>& entries,
                            FileReport& fields, const std::vector<DefinitionLine>& definitions) {
  for (const SetLine& e : entries) {
    if (!e.used || !e.clean) continue;
    const bool any = std::any_of(definitions.begin(), definitions.end(),
                                 [&](const DefinitionLine& d) { return d.set == e.set; });
    if (any) continue;
    std::string text = "set " + Quote(e.set) + " has no field definition line in " + fields.path +
                       " (columns 3-9 are compared with the set name exactly, blanks "
                       "included); the toolbox creates the table of " +
                       Triple(e.name, e.key, e.direction) + " without fields, so " +
                       (e.direction == "U" ? "building its send string returns 7"
                                           : "filling it from a data string returns 4");
    const auto near = std::find_if(
        definitions.begin(), definitions.end(),
        [&](const DefinitionLine& d) { return Normalised(d.set) == Normalised(e.set); });
    if (near != definitions.end()) {
      text += " (line " + std::to_string(near->line) + " there has set " + Quote(near->set) +
              ", which differs only in blanks or case)";
    }
    sets.error(e.line, text);
  }
  std::set<std::string> named;
  for (const SetLine& e : entries) named.insert(e.set);
  std::map<std::string, std::pair<std::size_t, int>> setsDefined;  // set -> first line, count
  std::vector<std::string> order;
  for (const DefinitionLine& d : definitions) {
    if (Blank(d.set)) continue;
    auto [it, fresh] = setsDefined.try_emplace(d.set, d.line, 0);
    if (fresh) order.push_back(d.set);
    ++it->second.second;
  }
  for (const std::string& set : order) {
    if (named.count(set) != 0) continue;
    const auto& [line, count] = setsDefined[set];
    fields.warning(line, "set " + Quote(set) + " is named by no line of " + sets.path +
                             "; no table created through that set index file gets " +
                             (count == 1 ? std::string("its field")
                                         : "its " + std::to_string(count) + " fields"));
  }
}

// ---- The command -------------------------------------------------------------

std::string ReadFile(const std::string& path) {
  std::error_code ec;
  if (path != "-" && std::filesystem::is_directory(path, ec)) {
    throw Failure(status::kNoInput, "cannot read '" + path + "': it is a folder");
  }
  return ReadInput(path);
}

struct Options {
  std::string sets, fields, index, messages;
};

int RunCheck(const Options& o, CLI::Option* sets, CLI::Option* fields, CLI::Option* index,
             CLI::Option* messages) {
  const bool hasSets = sets->count() > 0;
  const bool hasFields = fields->count() > 0;
  const bool hasIndex = index->count() > 0;
  const bool hasMessages = messages->count() > 0;
  if (!hasSets && !hasFields && !hasIndex && !hasMessages) {
    throw Failure(status::kUsage,
                  "check needs at least one of --sets, --fields, --index and --messages "
                  "(see kelmod check --help)");
  }
  int fromStdin = 0;
  for (const auto* path : {&o.sets, &o.fields, &o.index, &o.messages}) fromStdin += *path == "-";
  if (fromStdin > 1) throw Failure(status::kUsage, "only one file can be read from standard input");

  // Every file is read before anything is checked: a missing one ends the
  // command before any finding is printed.
  std::string setsText, fieldsText, indexText, messagesText;
  if (hasSets) setsText = ReadFile(o.sets);
  if (hasFields) fieldsText = ReadFile(o.fields);
  if (hasIndex) indexText = ReadFile(o.index);
  if (hasMessages) messagesText = ReadFile(o.messages);

  FileReport setsReport{o.sets, {}}, fieldsReport{o.fields, {}}, indexReport{o.index, {}},
      messagesReport{o.messages, {}};
  std::vector<SetLine> entries;
  std::vector<DefinitionLine> definitions;
  if (hasSets) entries = CheckSets(setsReport, SplitLines(setsText));
  if (hasFields) definitions = CheckFields(fieldsReport, SplitLines(fieldsText));
  if (hasIndex) CheckIndex(indexReport, SplitLines(indexText));
  if (hasMessages) CheckMessages(messagesReport, SplitLines(messagesText));
  if (hasSets && hasFields) CheckSetsAgainstFields(setsReport, entries, fieldsReport, definitions);

  std::size_t errors = 0, warnings = 0;
  for (FileReport* r : {&setsReport, &fieldsReport, &indexReport, &messagesReport}) {
    std::stable_sort(r->findings.begin(), r->findings.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
    for (const Finding& f : r->findings) {
      const bool isError = f.severity == Severity::kError;
      (isError ? errors : warnings) += 1;
      std::cout << r->path << ':' << f.line << (isError ? ": error: " : ": warning: ") << f.text
                << '\n';
    }
  }
  std::cout.flush();
  if (errors + warnings > 0) {
    std::cerr << "kelmod check: " << errors << (errors == 1 ? " error, " : " errors, ") << warnings
              << (warnings == 1 ? " warning\n" : " warnings\n");
  }
  return errors > 0 ? status::kFindings : status::kOk;
}

}  // namespace

void AddCheckCommand(CLI::App& app, Context& context) {
  auto* command = app.add_subcommand(
      "check",
      "check description files and the message file line by line as the toolbox reads them; "
      "prints PATH:LINE: error|warning: TEXT per finding, exit status 1 when there is an error");
  auto options = std::make_shared<Options>();
  auto* sets = command->add_option("--sets", options->sets, "set index file");
  auto* fields = command->add_option("--fields", options->fields, "field definition file");
  auto* index = command->add_option("--index", options->index, "table index file");
  auto* messages = command->add_option("--messages", options->messages, "message file");
  command->callback([options, sets, fields, index, messages, &context] {
    context.exitStatus = RunCheck(*options, sets, fields, index, messages);
  });
}

}  // namespace kelmod_cli
