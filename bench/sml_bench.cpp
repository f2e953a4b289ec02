// Throughput of the characteristic bars and the class search table on large
// answers. Each reports objects (records) per second; the time per object
// should not grow with the number of objects.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "kelmod.h"

namespace {

constexpr int kCharacteristics = 50;

std::vector<char> Terminated(const std::string& text) {
  std::vector<char> data(text.begin(), text.end());
  data.push_back('\0');
  return data;
}

void UseRelease(const char* release) {
  char record[32];
  std::snprintf(record, sizeof record, "%-4s  ;           ", release);
  ZanFillInterface(record, 18);
}

// Older form: 50 characteristics, one row per object (key + 50 values);
// the whole bar is filled and every value read back.
void BM_OlderBarFillAndRead(benchmark::State& state) {
  ZanInitToolbox(1);
  UseRelease("50A");
  std::string description = "H1;H2;H3;H4;H5;";
  char field[96];
  for (int c = 0; c < kCharacteristics; ++c) {
    std::snprintf(field, sizeof field, "Char%02d;F%02d;A;;mm;N;;10;2;", c, c);
    description += field;
  }
  std::vector<char> desc = Terminated(description);
  std::string rows;
  for (int64_t k = 0; k < state.range(0); ++k) {
    std::snprintf(field, sizeof field, "OBJ%07lld;", static_cast<long long>(k));
    rows += field;
    for (int c = 0; c < kCharacteristics; ++c) {
      std::snprintf(field, sizeof field, "%d.%02d;", c, static_cast<int>(k % 100));
      rows += field;
    }
  }
  std::vector<char> data = Terminated(rows);
  const int32_t objects = static_cast<int32_t>(state.range(0));
  for (auto _ : state) {
    ZanCreateSmlTable(1, desc.data(), static_cast<int32_t>(desc.size() - 1));
    if (ZanFillSmlTable(1, data.data(), static_cast<int32_t>(data.size() - 1)) != 0) std::abort();
    CharacteristicData d;
    for (int32_t k = 1; k <= objects; ++k)
      for (int32_t c = 1; c <= kCharacteristics + 1; ++c) {
        ZanGetSmlData(1, c, k, &d);
        benchmark::DoNotOptimize(d.value);
      }
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  ZanInitToolbox(2);
}

// Newer form: objects of fourteen texts and 50 name/value pairs each, filled
// into the object table and every value read back by name.
void BM_ObjectTableFillAndRead(benchmark::State& state) {
  ZanInitToolbox(1);
  UseRelease("46C");
  std::string objects;
  char field[96];
  for (int64_t k = 0; k < state.range(0); ++k) {
    std::snprintf(field, sizeof field, "OBJ%07lld;Object;;;;;;;;;;;;;", static_cast<long long>(k));
    objects += field;
    for (int c = 0; c < kCharacteristics; ++c) {
      std::snprintf(field, sizeof field, "C%02d;%d;", c, static_cast<int>(k % 1000));
      objects += field;
    }
    objects += ';';
  }
  std::vector<char> data = Terminated(objects);
  char names[kCharacteristics][8];
  for (int c = 0; c < kCharacteristics; ++c) std::snprintf(names[c], sizeof names[c], "C%02d", c);
  const int32_t count = static_cast<int32_t>(state.range(0));
  for (auto _ : state) {
    std::vector<char> copy = data;  // the fill cuts the data at its length
    if (ZanFillSmlTable(1, copy.data(), static_cast<int32_t>(copy.size() - 1)) != 0) std::abort();
    for (int32_t k = 1; k <= count; ++k)
      for (auto& name : names) {
        char* value = nullptr;
        ZanGetSmlDataValueK4(1, name, 0, k, 1, &value);
        benchmark::DoNotOptimize(value);
      }
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  ZanInitToolbox(2);
}

// The class search table: 22 values per record.
void BM_ClassSearchTable(benchmark::State& state) {
  ZanInitToolbox(1);
  UseRelease("46C");
  std::string text;
  char value[32];
  for (int64_t k = 0; k < state.range(0); ++k)
    for (int v = 0; v < 22; ++v) {
      std::snprintf(value, sizeof value, "V%lld.%d;", static_cast<long long>(k), v);
      text += value;
    }
  std::vector<char> data = Terminated(text);
  for (auto _ : state) {
    int32_t count = 0;
    if (ZanCreateFillClasTableK4(3, data.data(), static_cast<int32_t>(data.size() - 1), &count) != 0)
      std::abort();
    benchmark::DoNotOptimize(count);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  ZanInitToolbox(2);
}

}  // namespace

BENCHMARK(BM_OlderBarFillAndRead)->Arg(2'000)->Arg(20'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ObjectTableFillAndRead)->Arg(1'000)->Arg(10'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClassSearchTable)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
