#include "cli.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

namespace kelmod_cli {

std::string ReadInput(const std::string& pathOrDash) {
  if (pathOrDash == "-") {
    std::string all{std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>()};
    if (std::cin.bad()) throw Failure(status::kNoInput, "cannot read standard input");
    return all;
  }
  std::ifstream in(pathOrDash, std::ios::binary);
  if (!in) {
    throw Failure(status::kNoInput,
                  "cannot read '" + pathOrDash + "': " + std::strerror(errno));
  }
  std::ostringstream all;
  all << in.rdbuf();
  if (in.bad()) throw Failure(status::kNoInput, "cannot read '" + pathOrDash + "'");
  return all.str();
}

void RequireReadable(const std::string& path, const std::string& what) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    throw Failure(status::kNoInput, "cannot read the " + what + " '" + path + "': it is a folder");
  }
  std::FILE* probe = std::fopen(path.c_str(), "rb");
  if (probe == nullptr) {
    throw Failure(status::kNoInput,
                  "cannot read the " + what + " '" + path + "': " + std::strerror(errno));
  }
  std::fclose(probe);
}

void Check(const char* call, int32_t code) {
  if (code != 0) throw Failure(status::kToolbox, DescribeCode(call, code));
}

Buffer::Buffer(const std::string& text, std::size_t room)
    : bytes_(text.begin(), text.end()),
      length_(static_cast<int32_t>(std::min<std::size_t>(text.size(), INT32_MAX))) {
  bytes_.resize(text.size() + 1 + room, '\0');
}

std::string Latin1ToUtf8(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (unsigned char c : bytes) {
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

std::string Utf8ToLatin1(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if ((c == 0xC2 || c == 0xC3) && i + 1 < utf8.size() &&
               (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80) {
      out.push_back(static_cast<char>(((c & 0x03) << 6) |
                                      (static_cast<unsigned char>(utf8[i + 1]) & 0x3F)));
      ++i;
    } else {
      throw Failure(status::kData,
                    "a text holds a character outside the 8-bit range (Latin-1) of the toolbox");
    }
  }
  return out;
}

MessageRecord LookUpMessage(int32_t code) {
  MessageRecord record;
  std::memset(&record, 0, sizeof record);
  if (ZanGetErrorMessage(code, &record) != 0) {
    std::snprintf(record.type, sizeof record.type, "X");
    std::snprintf(record.longText, sizeof record.longText, "no memory to read the message file");
  }
  return record;
}

std::string DescribeCode(const std::string& call, int32_t code) {
  const MessageRecord m = LookUpMessage(code);
  std::string text = call + " returned " + std::to_string(code) + ": [" + m.type + "] " +
                     m.shortText;
  if (m.longText[0] != '\0') text += std::string(" - ") + m.longText;
  return text;
}

void AddFormatOption(CLI::App& command, Format& format) {
  command
      .add_option_function<std::string>(
          "--format",
          [&format](std::string name) {
            for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            format = name == "csv" ? Format::kCsv : name == "json" ? Format::kJson : Format::kText;
          },
          "output form: text (aligned columns), csv or json")
      ->check(CLI::IsMember({"text", "csv", "json"}, CLI::ignore_case).description(""))
      ->type_name("text|csv|json")
      ->default_str("text");
}

namespace {

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted.push_back('"');
    quoted.push_back(c);
  }
  quoted.push_back('"');
  return quoted;
}

void PrintText(const Table& table, std::ostream& out) {
  std::vector<std::size_t> widths;
  for (const auto& c : table.columns) widths.push_back(c.size());
  for (const auto& row : table.rows) {
    for (std::size_t i = 0; i < row.size() && i < widths.size(); ++i) {
      widths[i] = std::max(widths[i], row[i].size());
    }
  }
  auto line = [&](const std::vector<std::string>& cells) {
    std::string text;
    for (std::size_t i = 0; i < widths.size(); ++i) {
      const std::string cell = i < cells.size() ? cells[i] : std::string();
      if (i > 0) text += "  ";
      text += cell;
      if (i + 1 < widths.size()) text.append(widths[i] - cell.size(), ' ');
    }
    while (!text.empty() && text.back() == ' ') text.pop_back();
    out << text << '\n';
  };
  line(table.columns);
  std::vector<std::string> rule;
  for (std::size_t w : widths) rule.emplace_back(w, '-');
  line(rule);
  for (const auto& row : table.rows) line(row);
  out << table.rows.size() << (table.rows.size() == 1 ? " record\n" : " records\n");
}

}  // namespace

void PrintTable(const Table& table, Format format, std::ostream& out) {
  switch (format) {
    case Format::kText:
      PrintText(table, out);
      break;
    case Format::kCsv: {
      auto line = [&](const std::vector<std::string>& cells) {
        for (std::size_t i = 0; i < table.columns.size(); ++i) {
          if (i > 0) out << ',';
          out << CsvField(i < cells.size() ? cells[i] : std::string());
        }
        out << "\r\n";
      };
      line(table.columns);
      for (const auto& row : table.rows) line(row);
      break;
    }
    case Format::kJson: {
      nlohmann::ordered_json records = nlohmann::ordered_json::array();
      for (const auto& row : table.rows) {
        nlohmann::ordered_json record = nlohmann::ordered_json::object();
        for (std::size_t i = 0; i < table.columns.size(); ++i) {
          record[Latin1ToUtf8(table.columns[i])] =
              Latin1ToUtf8(i < row.size() ? row[i] : std::string());
        }
        records.push_back(std::move(record));
      }
      nlohmann::ordered_json document = nlohmann::ordered_json::object();
      document["records"] = std::move(records);
      out << document.dump(2) << '\n';
      break;
    }
  }
}

}  // namespace kelmod_cli
