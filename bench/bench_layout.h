// The description files of a benchmark: a set index with one set for the
// answer (direction D) and one for the request (direction U), and a field
// definition file giving both sets the same fields.
#pragma once

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <utility>

struct BenchLayout {
  std::string sets;
  std::string fields;
  // folder under the temporary folder, the table name (at most 7
  // characters), the two set names (7) and each field with its width.
  BenchLayout(const char* folder, const char* name, const char* answerSet, const char* requestSet,
              std::initializer_list<std::pair<const char*, int>> layout) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / folder;
    fs::create_directories(dir);
    sets = (dir / "sets.dat").string();
    fields = (dir / "fields.dat").string();
    char line[64];
    std::ofstream index(sets);
    for (const auto& [set, direction] : {std::pair{answerSet, 'D'}, std::pair{requestSet, 'U'}}) {
      std::snprintf(line, sizeof line, "  %-5s  01  %c  %s\n", name, direction, set);
      index << line;
    }
    std::ofstream out(fields);
    for (const char* set : {answerSet, requestSet}) {
      for (const auto& [field, width] : layout) {
        std::snprintf(line, sizeof line, "  %-7s %-19s%3d\n", set, field, width);
        out << line;
      }
    }
  }
};
