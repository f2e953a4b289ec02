// kelmod encode: records from CSV or JSON laid out at the field widths of a
// set, either as the send string of the send table (direction U, built by the
// toolbox itself) or as the received data string that a fill of the answer
// table reads (direction D).
#include <nlohmann/json.hpp>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "cli.h"

namespace kelmod_cli {
namespace {

// Table types of the toolbox: the send table is read in direction "U", the
// answer table in direction "D" (ZanGetAttributName numbers them 1 and 2).
constexpr int32_t kSendTable = 1;
constexpr int32_t kAnswerTable = 2;
constexpr int32_t kDirectionU = 1;
constexpr int32_t kDirectionD = 2;
constexpr int32_t kNoDefinitionThere = 57;  // ZanGetAttributName past the last field

struct Options {
  std::string name;
  std::string key;
  std::string direction;
  std::string sets;
  std::string fields;
  std::string interface = "46C   ;";
  std::string inputFormat;  // "", "csv" or "json"
  std::string input = "-";
};

// One field of the set: its name and its width in the strings.
struct Field {
  std::string name;
  int32_t width = 0;
};

// One input record: where it stands (for messages) and its values by name.
struct InputRecord {
  std::string where;
  std::vector<std::pair<std::string, std::string>> values;
};

// The names an input uses, each with where it stands, and its records.
struct Input {
  std::vector<std::pair<std::string, std::string>> names;
  std::vector<InputRecord> records;
};

// ---------------------------------------------------------------- CSV input

struct CsvRow {
  int line = 0;
  std::vector<std::string> fields;
};

// RFC 4180: fields split at commas, rows at CRLF or LF (the last row may lack
// its line end); a field in double quotes may hold commas, line ends and
// doubled quotes. A quote inside an unquoted field, text after a closing
// quote and an unclosed quote are malformed.
std::vector<CsvRow> ParseCsv(const std::string& text) {
  std::vector<CsvRow> rows;
  const std::size_t n = text.size();
  std::size_t i = 0;
  int line = 1;
  auto atRowEnd = [&](std::size_t at) {
    return at < n && (text[at] == '\n' || (text[at] == '\r' && at + 1 < n && text[at + 1] == '\n'));
  };
  auto malformed = [&](const std::string& what) {
    return Failure(status::kData, "CSV line " + std::to_string(line) + ": " + what);
  };
  while (i < n) {
    CsvRow row;
    row.line = line;
    for (;;) {
      std::string field;
      if (i < n && text[i] == '"') {
        const int opened = line;
        ++i;
        for (;;) {
          if (i >= n) {
            line = opened;
            throw malformed("a quoted field is not closed");
          }
          const char c = text[i++];
          if (c == '"') {
            if (i < n && text[i] == '"') {
              field.push_back('"');
              ++i;
              continue;
            }
            break;
          }
          if (c == '\n') ++line;
          field.push_back(c);
        }
        if (i < n && text[i] != ',' && !atRowEnd(i)) {
          throw malformed("text follows the closing quote of a field");
        }
      } else {
        while (i < n && text[i] != ',' && !atRowEnd(i)) {
          if (text[i] == '"') throw malformed("a quote inside a field that is not quoted");
          field.push_back(text[i++]);
        }
      }
      row.fields.push_back(std::move(field));
      if (i < n && text[i] == ',') {
        ++i;
        continue;
      }
      if (i < n) {
        i += text[i] == '\r' ? 2 : 1;
        ++line;
      }
      break;
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

Input ReadCsv(const std::string& text) {
  const std::vector<CsvRow> rows = ParseCsv(text);
  if (rows.empty()) throw Failure(status::kData, "the CSV input has no header row");
  Input input;
  const std::vector<std::string>& header = rows.front().fields;
  for (const auto& column : header) input.names.emplace_back(column, "the CSV header row");
  for (std::size_t r = 1; r < rows.size(); ++r) {
    const CsvRow& row = rows[r];
    if (row.fields.size() != header.size()) {
      throw Failure(status::kData, "CSV line " + std::to_string(row.line) + " has " +
                                       std::to_string(row.fields.size()) +
                                       " fields, the header row " +
                                       std::to_string(header.size()));
    }
    InputRecord record;
    record.where = "record " + std::to_string(r) + " (CSV line " + std::to_string(row.line) + ")";
    for (std::size_t c = 0; c < header.size(); ++c) record.values.emplace_back(header[c], row.fields[c]);
    input.records.push_back(std::move(record));
  }
  return input;
}

// --------------------------------------------------------------- JSON input

// {"records": [{"FIELD": "value", ...}, ...]} as decode prints it; texts are
// UTF-8 and become the toolbox's 8-bit Latin-1.
Input ReadJson(const std::string& text) {
  nlohmann::ordered_json document;
  try {
    document = nlohmann::ordered_json::parse(text);
  } catch (const nlohmann::json::exception& e) {
    throw Failure(status::kData, std::string("the JSON input is malformed: ") + e.what());
  }
  if (!document.is_object() || !document.contains("records") || !document["records"].is_array()) {
    throw Failure(status::kData, "the JSON input is not an object with a \"records\" array");
  }
  Input input;
  std::size_t number = 0;
  for (const auto& element : document["records"]) {
    ++number;
    InputRecord record;
    record.where = "record " + std::to_string(number);
    if (!element.is_object()) {
      throw Failure(status::kData, "JSON " + record.where + " is not an object");
    }
    for (const auto& [utf8Name, value] : element.items()) {
      std::string name;
      try {
        name = Utf8ToLatin1(utf8Name);
      } catch (const Failure& f) {
        throw Failure(status::kData, "JSON " + record.where + ": field name: " + f.what());
      }
      if (!value.is_string()) {
        throw Failure(status::kData, "JSON " + record.where + ": the value of '" + name +
                                         "' is a " + value.type_name() + ", not a string");
      }
      try {
        record.values.emplace_back(name, Utf8ToLatin1(value.get<std::string>()));
      } catch (const Failure& f) {
        throw Failure(status::kData, "JSON " + record.where + ", field '" + name + "': " + f.what());
      }
      input.names.emplace_back(name, "JSON " + record.where);
    }
    input.records.push_back(std::move(record));
  }
  return input;
}

Input ReadRecords(const std::string& text, const std::string& forced) {
  if (text.find_first_not_of(" \t\r\n") == std::string::npos) {
    throw Failure(status::kData, "the input is empty: it needs a CSV header row or a JSON object");
  }
  bool json = false;
  if (!forced.empty()) {
    json = forced == "json";
  } else {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    json = first != std::string::npos && text[first] == '{';
  }
  return json ? ReadJson(text) : ReadCsv(text);
}

// ------------------------------------------------------------- the layout

// The width as the toolbox reads a length column: leading blanks skipped,
// the digits up to the first other character, 0 without digits.
int32_t WidthOf(const char* length) {
  std::size_t i = 0;
  while (length[i] == ' ') ++i;
  int32_t width = 0;
  for (; length[i] >= '0' && length[i] <= '9' && width < 100000; ++i) {
    width = width * 10 + (length[i] - '0');
  }
  return width;
}

// The fields of the set in record order with their widths, read definition
// by definition through ZanGetAttributName.
std::vector<Field> ReadLayout(int32_t direction, const Options& o) {
  std::vector<Field> layout;
  for (int32_t n = 1;; ++n) {
    Buffer name(o.name), key(o.key), sets(o.sets), fields(o.fields);
    AttributeRecord attribute;
    std::memset(&attribute, 0, sizeof attribute);
    const int32_t code = ZanGetAttributName(direction, name.get(), key.get(), sets.get(),
                                            fields.get(), n, &attribute);
    if (code == kNoDefinitionThere) break;
    Check("ZanGetAttributName", code);
    layout.push_back({attribute.fieldName, WidthOf(attribute.length)});
  }
  return layout;
}

std::string SetLabel(const Options& o) {
  return "set '" + o.name + "' key '" + o.key + "' direction " + o.direction;
}

// Every name the input uses must be a field of the set; each record becomes
// one value per field of the layout (empty where the record has none).
std::vector<std::vector<std::string>> ValuesByField(const Input& input,
                                                    const std::vector<Field>& layout,
                                                    const Options& o) {
  std::map<std::string, std::size_t> position;
  for (std::size_t f = 0; f < layout.size(); ++f) {
    if (!position.emplace(layout[f].name, f).second) {
      throw Failure(status::kData, "the field definition file lists field '" + layout[f].name +
                                       "' twice in " + SetLabel(o));
    }
  }
  std::map<std::string, std::string> seen;
  for (const auto& [name, where] : input.names) {
    if (position.count(name) == 0) {
      std::string known;
      for (const auto& field : layout) known += (known.empty() ? "" : " ") + field.name;
      throw Failure(status::kData, "'" + name + "' in " + where + " names no field of " +
                                       SetLabel(o) + " (its fields: " +
                                       (known.empty() ? "none" : known) + ")");
    }
    if (where == "the CSV header row" && !seen.emplace(name, where).second) {
      throw Failure(status::kData, "the CSV header row names '" + name + "' twice");
    }
  }
  std::vector<std::vector<std::string>> rows;
  for (const auto& record : input.records) {
    std::vector<std::string> values(layout.size());
    for (const auto& [name, value] : record.values) {
      if (value.find('\0') != std::string::npos) {
        throw Failure(status::kData, record.where + ": the value of '" + name +
                                         "' holds a NUL byte, which a string cannot carry");
      }
      values[position.at(name)] = value;
    }
    rows.push_back(std::move(values));
  }
  return rows;
}

void WarnIfCut(const std::string& value, const Field& field, std::size_t record) {
  if (value.size() <= static_cast<std::size_t>(field.width)) return;
  std::cerr << "kelmod: warning: record " << record << ": the value of " << field.name << " ("
            << value.size() << " characters) is cut to its width of " << field.width << '\n';
}

// ------------------------------------------------------------- the strings

// Direction U: the send table filled value by value; its send string is the
// toolbox's own.
std::string SendString(const Options& o, const Input& input) {
  {
    Buffer name(o.name), key(o.key), sets(o.sets), fields(o.fields);
    Check("ZanCreateTable",
          ZanCreateTable(kSendTable, name.get(), key.get(), sets.get(), fields.get()));
  }
  const std::vector<Field> layout = ReadLayout(kDirectionU, o);
  const auto rows = ValuesByField(input, layout, o);
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t f = 0; f < layout.size(); ++f) {
      WarnIfCut(rows[r][f], layout[f], r + 1);
      Buffer field(layout[f].name), value(rows[r][f]);
      // Record 0 starts a field's values; any other number appends one.
      Check("ZanWriteTableValue", ZanWriteTableValue(kSendTable, field.get(), value.get(),
                                                     static_cast<int32_t>(r == 0 ? 0 : r + 1)));
    }
  }
  char* send = nullptr;
  Check("ZanCreateSendstr", ZanCreateSendstr(&send));
  return send == nullptr ? std::string() : std::string(send);
}

// Direction D: the records one after the other, each value left-aligned,
// padded with blanks or cut on the right to its field's width; no
// separators, no record count, nothing around it. That is what a fill of the
// answer table cuts into records.
std::string ReceivedString(const Options& o, const Input& input) {
  {
    Buffer name(o.name), key(o.key), sets(o.sets), fields(o.fields);
    Check("ZanCreateTable",
          ZanCreateTable(kAnswerTable, name.get(), key.get(), sets.get(), fields.get()));
  }
  const std::vector<Field> layout = ReadLayout(kDirectionD, o);
  const auto rows = ValuesByField(input, layout, o);
  std::string data;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t f = 0; f < layout.size(); ++f) {
      std::string value = rows[r][f];
      WarnIfCut(value, layout[f], r + 1);
      value.resize(static_cast<std::size_t>(layout[f].width), ' ');
      data += value;
    }
  }
  return data;
}

void Run(Options& o) {
  if (o.name.size() > 5) throw Failure(status::kUsage, "--set takes a name of up to 5 characters");
  if (o.key.size() > 2) throw Failure(status::kUsage, "--key takes a key of up to 2 characters");
  // The set index file holds the name in 5 columns and the key in 2, blanks
  // included, and compares them exactly.
  o.name.resize(5, ' ');
  o.key.resize(2, ' ');
  RequireReadable(o.sets, "set index file");
  RequireReadable(o.fields, "field definition file");
  const Input input = ReadRecords(ReadInput(o.input), o.inputFormat);

  Buffer record(o.interface);
  Check("ZanFillInterface", ZanFillInterface(record.get(), record.length()));
  const std::string out = o.direction == "U" ? SendString(o, input) : ReceivedString(o, input);
  std::cout.write(out.data(), static_cast<std::streamsize>(out.size()));
}

}  // namespace

void AddEncodeCommand(CLI::App& app, Context& context) {
  auto* command = app.add_subcommand(
      "encode",
      "lay records out at the field widths of a set and print the string, byte for byte and "
      "with no line end added.\n"
      "Direction U: the send string, built as a host builds it (ZanFillInterface, "
      "ZanCreateTable of the send table, ZanWriteTableValue for every value, "
      "ZanCreateSendstr).\n"
      "Direction D: the received data string that ZanCreateFillTable of the answer table "
      "reads: the records one after the other, each value left-aligned and blank-padded to its "
      "field's width, no separators, no record count.\n"
      "Input: CSV with a header row of field names (RFC 4180, in the toolbox's 8-bit Latin-1), "
      "or JSON as `decode --format json` prints it ({\"records\": [{\"FIELD\": \"value\"}]}, "
      "UTF-8); input whose first non-blank character is '{' is JSON. A field a record leaves "
      "out is empty. A value longer than its field is cut on the right to the field's width, as "
      "the toolbox cuts it on a write, with a warning on standard error.");
  // A FILE such as /tmp/in.csv is a path, not a Windows-style option.
  command->allow_windows_style_options(false);
  auto o = std::make_shared<Options>();
  command->add_option("--set", o->name, "name of the set in the set index file (up to 5 "
                                        "characters; padded with blanks to 5)")
      ->required();
  command->add_option("--key", o->key, "key in the set index file (up to 2 characters; padded "
                                       "with blanks to 2)")
      ->required();
  command->add_option("--direction", o->direction, "U: send string; D: received data string")
      ->required()
      ->transform(CLI::IsMember({"U", "D"}, CLI::ignore_case));
  command->add_option("--sets", o->sets, "set index file")->required();
  command->add_option("--fields", o->fields, "field definition file")->required();
  command->add_option("--interface", o->interface,
                      "interface record stored before the table is made")
      ->capture_default_str();
  command->add_option("--input-format", o->inputFormat,
                      "read the input as csv or json whatever its first character")
      ->transform(CLI::IsMember({"csv", "json"}, CLI::ignore_case));
  command->add_option("FILE", o->input, "records to encode (\"-\" or absent: standard input)")
      ->capture_default_str();
  command->callback([o, &context] {
    Run(*o);
    context.exitStatus = status::kOk;
  });
}

}  // namespace kelmod_cli
