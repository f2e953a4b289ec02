// Throughput of the characteristic lists on large answers: filling the lines
// of a help table and loading a matchcode list. Reports lines (entries) per
// second; the time per line should not grow with the number of lines.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "kelmod.h"

namespace {

std::vector<char> Terminated(const std::string& text) {
  std::vector<char> data(text.begin(), text.end());
  data.push_back('\0');
  return data;
}

void UseSemicolon() {
  std::vector<char> record = Terminated("46C   ;           ");
  ZanFillInterface(record.data(), static_cast<int32_t>(record.size() - 1));
}

void BM_FillHlpTable(benchmark::State& state) {
  ZanInitToolbox(1);
  UseSemicolon();
  std::vector<char> columns = Terminated("Material;18;X;Description;40;;Unit;3;;");
  std::string text;
  char line[96];
  for (int64_t k = 0; k < state.range(0); ++k) {
    std::snprintf(line, sizeof line, "%lld;Hexagon head bolt M8x%lld;ST;",
                  static_cast<long long>(k), static_cast<long long>(k % 100));
    text += line;
  }
  std::vector<char> lines = Terminated(text);
  for (auto _ : state) {
    ZanCreateHlpTable(1, columns.data(), static_cast<int32_t>(columns.size() - 1));
    if (ZanFillHlpTable(1, lines.data(), static_cast<int32_t>(lines.size() - 1)) != 0) std::abort();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  ZanInitToolbox(2);
}

void BM_CreateFillTableMcd(benchmark::State& state) {
  ZanInitToolbox(1);
  UseSemicolon();
  std::string text;
  char entry[96];
  for (int64_t k = 0; k < state.range(0); ++k) {
    std::snprintf(entry, sizeof entry, "M%lld;%02lld;Material by plant and text;",
                  static_cast<long long>(k), static_cast<long long>(k % 100));
    text += entry;
  }
  std::vector<char> data = Terminated(text);
  for (auto _ : state) {
    if (ZanCreateFillTableMcd(1, data.data(), static_cast<int32_t>(data.size() - 1)) != 0)
      std::abort();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  ZanInitToolbox(2);
}

}  // namespace

BENCHMARK(BM_FillHlpTable)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CreateFillTableMcd)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
