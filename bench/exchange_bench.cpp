// The cost of the C boundary itself: a whole small exchange (send table
// written value by value, send string, answer filled, every value read back
// by name and by position), dominated by the number of calls rather than by
// the bytes they move. Reports the time per export call.
//
// The call trace decides at the first call of a process whether it is on, so
// tracing off and on are two runs of this program, with and without
// KELMOD_TRACE (see the README's performance section).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_layout.h"
#include "kelmod.h"

namespace {


struct Layout : BenchLayout {
  Layout()
      : BenchLayout("kelmod_exchange_bench", "XCHG", "DXCH001", "SXCH001",
                    {{"MATNR", 18}, {"MAKTX", 40}, {"MEINS", 10}}) {}
};

std::vector<char> Text(const std::string& text) {
  std::vector<char> out(text.begin(), text.end());
  out.push_back('\0');
  return out;
}

void Check(ErrorCode code) {
  if (code != 0) {
    std::fprintf(stderr, "exchange benchmark: a call returned %d\n", static_cast<int>(code));
    std::abort();
  }
}

void BM_CallsOfAnExchange(benchmark::State& state) {
  static const Layout layout;
  const int records = static_cast<int>(state.range(0));
  auto name = Text("XCHG ");
  auto key = Text("01");
  auto sets = Text(layout.sets);
  auto fields = Text(layout.fields);
  auto iface = Text("46C   ;");
  const char* names[] = {"MATNR", "MAKTX", "MEINS"};
  std::vector<std::vector<char>> fieldNames;
  for (const char* n : names) fieldNames.push_back(Text(n));
  std::string answer;
  for (int r = 0; r < records; ++r) {
    char record[80];
    std::snprintf(record, sizeof record, "%-18d%-40s%-10s", r, "Hexagon head bolt", "PC");
    answer += record;
  }
  std::int64_t calls = 0;
  Check(ZanInitToolbox(1));
  for (auto _ : state) {
    Check(ZanFillInterface(iface.data(), static_cast<int32_t>(iface.size() - 1)));
    Check(ZanCreateTable(1, name.data(), key.data(), sets.data(), fields.data()));
    calls += 2;
    for (int r = 1; r <= records; ++r) {
      for (auto& field : fieldNames) {
        auto value = Text("VALUE " + std::to_string(r));
        Check(ZanWriteTableValue(1, field.data(), value.data(), r));
        ++calls;
      }
    }
    char* out = nullptr;
    Check(ZanCreateSendstr(&out));
    auto data = Text(answer);
    Check(ZanCreateFillTable(2, name.data(), key.data(), sets.data(), fields.data(), data.data(),
                             static_cast<int32_t>(data.size() - 1)));
    Check(ZanDescribeTable(2, &out));
    calls += 3;
    for (int r = 1; r <= records; ++r) {
      for (auto& field : fieldNames) {
        Check(ZanGetTableValue(2, field.data(), r, &out));
        ++calls;
      }
      char fieldName[12];
      Check(ZanGetAttributNameValue(2, 1, r, fieldName, &out));
      ++calls;
      benchmark::DoNotOptimize(out);
    }
  }
  state.counters["calls"] =
      benchmark::Counter(static_cast<double>(calls), benchmark::Counter::kAvgIterations);
  // Seconds of processor time per call (shown with an SI prefix: "95n" is 95 ns).
  state.counters["per_call"] = benchmark::Counter(
      static_cast<double>(calls), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

}  // namespace

BENCHMARK(BM_CallsOfAnExchange)->Arg(100)->Unit(benchmark::kMicrosecond);
