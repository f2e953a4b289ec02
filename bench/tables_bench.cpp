// Throughput of the generic record tables on large answers: filling a table
// from a fixed-width answer, reading every value back, and building the send
// string of a large send table. Each reports records per second; the time per
// record should not grow with the number of records.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_layout.h"
#include "kelmod.h"

namespace {


// Layout of the benchmark: four fields of 18, 40, 3 and 13 characters.
struct Files : BenchLayout {
  Files()
      : BenchLayout("kelmod_bench", "BENCH", "DBEN001", "SBEN001",
                    {{"MATNR", 18}, {"MAKTX", 40}, {"MEINS", 3}, {"BRGEW", 13}}) {}
};

const Files& files() {
  static Files f;
  return f;
}

// A fixed-width answer of `records` records, NUL-terminated.
std::vector<char> Answer(int64_t records) {
  std::vector<char> data;
  data.reserve(static_cast<std::size_t>(records) * 74);
  char record[80];
  for (int64_t r = 0; r < records; ++r) {
    std::snprintf(record, sizeof record, "%-18lld%-40s%-3s%13.3f", static_cast<long long>(r),
                  "Hexagon head bolt", "ST", static_cast<double>(r) / 1000.0);
    data.insert(data.end(), record, record + 74);
  }
  data.push_back('\0');
  return data;
}

void CreateAnswerTable(std::vector<char>& data) {
  std::vector<char> name{'B', 'E', 'N', 'C', 'H', '\0'}, key{'0', '1', '\0'};
  std::vector<char> sets(files().sets.begin(), files().sets.end()), defs(files().fields.begin(),
                                                                           files().fields.end());
  sets.push_back('\0');
  defs.push_back('\0');
  if (ZanCreateFillTable(2, name.data(), key.data(), sets.data(), defs.data(), data.data(),
                         static_cast<int32_t>(data.size() - 1)) != 0)
    std::abort();
}

void BM_CreateFillTable(benchmark::State& state) {
  ZanInitToolbox(1);
  std::vector<char> answer = Answer(state.range(0));
  for (auto _ : state) CreateAnswerTable(answer);
  state.SetItemsProcessed(state.iterations() * state.range(0));
  ZanInitToolbox(2);
}

void BM_GetEveryValue(benchmark::State& state) {
  ZanInitToolbox(1);
  std::vector<char> answer = Answer(state.range(0));
  CreateAnswerTable(answer);
  const int32_t records = static_cast<int32_t>(state.range(0));
  char names[4][8] = {"MATNR", "MAKTX", "MEINS", "BRGEW"};
  for (auto _ : state) {
    for (int32_t r = 1; r <= records; ++r) {
      for (auto& name : names) {
        char* value = nullptr;
        ZanGetTableValue(2, name, r, &value);
        benchmark::DoNotOptimize(value);
      }
    }
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  ZanInitToolbox(2);
}

void BM_CreateSendstr(benchmark::State& state) {
  ZanInitToolbox(1);
  std::vector<char> name{'B', 'E', 'N', 'C', 'H', '\0'}, key{'0', '1', '\0'};
  std::vector<char> sets(files().sets.begin(), files().sets.end()), defs(files().fields.begin(),
                                                                           files().fields.end());
  sets.push_back('\0');
  defs.push_back('\0');
  if (ZanCreateTable(1, name.data(), key.data(), sets.data(), defs.data()) != 0) std::abort();
  char names[4][8] = {"MATNR", "MAKTX", "MEINS", "BRGEW"};
  for (int64_t r = 0; r < state.range(0); ++r) {
    for (auto& field : names) {
      char value[] = "VALUE-0123456789";
      ZanWriteTableValue(1, field, value, 1);
    }
  }
  for (auto _ : state) {
    char* send = nullptr;
    ZanCreateSendstr(&send);
    benchmark::DoNotOptimize(send);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  ZanInitToolbox(2);
}

}  // namespace

BENCHMARK(BM_CreateFillTable)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetEveryValue)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CreateSendstr)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
