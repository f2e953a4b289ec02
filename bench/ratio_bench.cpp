// The library against the least its work needs. Each benchmark runs one
// export over N records and, in the same iteration and over the same bytes,
// a hand-written single pass in plain C that does the same work: every byte
// of the received string touched once, every value stored without its
// trailing blanks into one text block per field (or read back, or laid out
// as a send string). The reported time is the export's; the counters give
// the best time per record of both and their ratio (export / hand-written),
// taken from the fastest iteration of each so that a noisy machine moves
// both figures alike. A table of all ratios is printed when the program
// ends; with --benchmark_repetitions=R it gives the median and the least of
// the R runs.
//
// The memory benchmark reports the heap a filled table of N records takes,
// as a multiple of the length of the received string.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "bench_layout.h"
#include "kelmod.h"

namespace {

using Clock = std::chrono::steady_clock;

// ---------------------------------------------------------------------------
// The ratios of every run, printed as one table at the end of the program.

struct Figure {
  int64_t iterations;
  double libNs;   // per record
  double handNs;  // per record
  double ratio;
};

class Summary {
 public:
  void add(const std::string& name, const Figure& f) { runs_[name].push_back(f); }
  void addMemory(const std::string& name, double factor) { memory_[name].push_back(factor); }
  ~Summary() {
    if (runs_.empty() && memory_.empty()) return;
    std::printf("\n%-34s %10s %10s %8s %8s\n", "ratio (export / hand-written)", "export ns",
                "hand ns", "median", "least");
    for (auto& [name, all] : runs_) {
      // Only the measured runs: the runs that choose the iteration count
      // before them have fewer iterations.
      int64_t most = 0;
      for (const Figure& f : all) most = std::max(most, f.iterations);
      std::vector<Figure> figures;
      for (const Figure& f : all)
        if (f.iterations == most) figures.push_back(f);
      std::vector<double> ratios;
      for (const Figure& f : figures) ratios.push_back(f.ratio);
      std::sort(ratios.begin(), ratios.end());
      const Figure& best = *std::min_element(
          figures.begin(), figures.end(),
          [](const Figure& a, const Figure& b) { return a.libNs < b.libNs; });
      std::printf("%-34s %10.1f %10.1f %8.2f %8.2f\n", name.c_str(), best.libNs, best.handNs,
                  ratios[ratios.size() / 2], ratios.front());
    }
    for (auto& [name, factors] : memory_) {
      std::sort(factors.begin(), factors.end());
      std::printf("%-34s heap of the filled table: %.3f x the received string\n", name.c_str(),
                  factors[factors.size() / 2]);
    }
    std::fflush(stdout);
  }

 private:
  std::map<std::string, std::vector<Figure>> runs_;
  std::map<std::string, std::vector<double>> memory_;
};

Summary& summary() {
  static Summary s;
  return s;
}

// The name a run is listed under in the summary: the path and N.
std::string RunName(const char* path, int64_t records) {
  return std::string(path) + "/" + std::to_string(records);
}

// Runs lib and hand alternately, once each per iteration; the iteration time
// is lib's. `prepare` runs before each, untimed.
template <class Prepare, class Lib, class Hand>
void Compare(benchmark::State& state, const char* path, int64_t records, Prepare prepare, Lib lib,
             Hand hand) {
  double bestLib = 1e300;
  double bestHand = 1e300;
  for (auto _ : state) {
    prepare();
    const auto t0 = Clock::now();
    lib();
    const auto t1 = Clock::now();
    prepare();
    const auto t2 = Clock::now();
    hand();
    const auto t3 = Clock::now();
    const double libTime = std::chrono::duration<double>(t1 - t0).count();
    const double handTime = std::chrono::duration<double>(t3 - t2).count();
    state.SetIterationTime(libTime);
    bestLib = std::min(bestLib, libTime);
    bestHand = std::min(bestHand, handTime);
  }
  const Figure f{static_cast<int64_t>(state.iterations()), bestLib * 1e9 / static_cast<double>(records),
                 bestHand * 1e9 / static_cast<double>(records), bestLib / bestHand};
  state.counters["ns_rec"] = f.libNs;
  state.counters["hand_ns_rec"] = f.handNs;
  state.counters["ratio"] = f.ratio;
  state.SetItemsProcessed(state.iterations() * records);
  summary().add(RunName(path, records), f);
}

void Check(ErrorCode code, const char* what) {
  if (code != 0) {
    std::fprintf(stderr, "ratio benchmark: %s returned %d\n", what, static_cast<int>(code));
    std::abort();
  }
}

std::vector<char> Text(const std::string& text) {
  std::vector<char> out(text.begin(), text.end());
  out.push_back('\0');
  return out;
}

void UseSeparator() {
  char record[] = "50A   ;           ";
  Check(ZanFillInterface(record, 18), "ZanFillInterface");
}

// ---------------------------------------------------------------------------
// Hand-written storage: one text block per field and the end offset of each
// value, sized once and reused like the library's table.

struct HandColumn {
  char* text = nullptr;
  std::size_t used = 0;
  uint32_t* ends = nullptr;
  std::size_t count = 0;
  std::size_t width = 0;  // the widest value (the characteristic bar keeps it)
};

struct HandTable {
  std::vector<HandColumn> columns;
  HandTable(std::size_t fields, std::size_t values, std::size_t bytes) : columns(fields) {
    for (HandColumn& c : columns) {
      c.text = static_cast<char*>(std::malloc(bytes + 1));
      c.ends = static_cast<uint32_t*>(std::malloc(sizeof(uint32_t) * (values + 1)));
      if (c.text == nullptr || c.ends == nullptr) std::abort();
    }
  }
  HandTable(const HandTable&) = delete;
  HandTable& operator=(const HandTable&) = delete;
  ~HandTable() {
    for (HandColumn& c : columns) {
      std::free(c.text);
      std::free(c.ends);
    }
  }
  void reset() {
    for (HandColumn& c : columns) c.used = c.count = c.width = 0;
  }
};

inline void HandStore(HandColumn& c, const char* p, std::size_t n) {
  while (n > 0 && p[n - 1] == ' ') --n;
  std::memcpy(c.text + c.used, p, n);
  c.used += n;
  c.ends[c.count++] = static_cast<uint32_t>(c.used);
  if (n > c.width) c.width = n;
}

inline const char* HandText(const HandColumn& c, std::size_t i, std::size_t& n) {
  const std::size_t begin = i == 0 ? 0 : c.ends[i - 1];
  n = c.ends[i] - begin;
  return c.text + begin;
}

// Room for one column's texts of a separator-terminated string: twice its
// share of the string (the benchmarks' columns are of similar width).
std::size_t Share(const std::vector<char>& rows, std::size_t columns) {
  return rows.size() / columns * 2 + 1024;
}

// Separator-terminated values dealt out to the columns in turn, as the
// characteristic bar, the mail and the class search fills do.
void HandFillSeparated(HandTable& t, const char* data, std::size_t length, char sep) {
  const char* p = data;
  const char* end = data + length;
  std::size_t f = 0;
  const std::size_t fields = t.columns.size();
  while (p < end) {
    const char* v = p;
    while (p < end && *p != sep) ++p;
    if (p == end) break;
    HandStore(t.columns[f], v, static_cast<std::size_t>(p - v));
    ++p;
    if (++f == fields) f = 0;
  }
}

// ---------------------------------------------------------------------------
// The generic record tables: three fields of 18, 40 and 10 characters.

constexpr int kFields = 3;
constexpr std::size_t kWidths[kFields] = {18, 40, 10};
constexpr std::size_t kRecordWidth = 68;
const char* const kNames[kFields] = {"MATNR", "MAKTX", "MEINS"};

struct Layout : BenchLayout {
  Layout()
      : BenchLayout("kelmod_ratio_bench", "RATIO", "DRAT001", "SRAT001",
                    {{"MATNR", 18}, {"MAKTX", 40}, {"MEINS", 10}}) {}
};

const Layout& layout() {
  static const Layout l;
  return l;
}

// The arguments of the create exports, writable as the header asks.
struct CreateArgs {
  std::vector<char> name = Text("RATIO");
  std::vector<char> key = Text("01");
  std::vector<char> sets = Text(layout().sets);
  std::vector<char> fields = Text(layout().fields);
};

// The received string: N records of 68 bytes with values of varied length.
std::string Answer(int64_t records) {
  std::string data;
  data.reserve(static_cast<std::size_t>(records) * kRecordWidth + 1);
  char record[96];
  static const char* const texts[] = {"Hexagon head bolt M8x40", "Washer",
                                      "Spring pin DIN 1481 - 6 x 30 galvanised", "Nut"};
  static const char* const units[] = {"PC", "KG", "M", "PAL"};
  for (int64_t r = 0; r < records; ++r) {
    std::snprintf(record, sizeof record, "%-18lld%-40s%-10s", static_cast<long long>(r * 7919),
                  texts[r % 4], units[r % 4]);
    data.append(record, kRecordWidth);
  }
  return data;
}

void HandFillFixed(HandTable& t, const char* data, std::size_t length) {
  const std::size_t records = length / kRecordWidth;
  const char* p = data;
  for (std::size_t r = 0; r < records; ++r)
    for (int f = 0; f < kFields; ++f) {
      HandStore(t.columns[static_cast<std::size_t>(f)], p, kWidths[f]);
      p += kWidths[f];
    }
}

void BM_FillFixedWidth(benchmark::State& state) {
  const int64_t n = state.range(0);
  Check(ZanInitToolbox(1), "ZanInitToolbox");
  CreateArgs args;
  std::vector<char> data = Text(Answer(n));
  const auto length = static_cast<int32_t>(data.size() - 1);
  HandTable hand(kFields, static_cast<std::size_t>(n), static_cast<std::size_t>(n) * 40);
  Compare(
      state, "FillFixedWidth", n, [] {},
      [&] {
        Check(ZanCreateFillTable(2, args.name.data(), args.key.data(), args.sets.data(),
                                 args.fields.data(), data.data(), length),
              "ZanCreateFillTable");
      },
      [&] {
        hand.reset();
        HandFillFixed(hand, data.data(), static_cast<std::size_t>(length));
        benchmark::DoNotOptimize(hand.columns[0].text);
      });
  ZanInitToolbox(2);
}

// The values of the answer as the host writes them: one NUL-terminated text
// per value, record after record.
struct HostValues {
  std::vector<char> bytes;
  std::vector<std::size_t> offsets;
  explicit HostValues(const std::string& answer) {
    const std::size_t records = answer.size() / kRecordWidth;
    offsets.reserve(records * kFields);
    for (std::size_t r = 0; r < records; ++r) {
      std::size_t pos = r * kRecordWidth;
      for (int f = 0; f < kFields; ++f) {
        std::size_t n = kWidths[f];
        while (n > 0 && answer[pos + n - 1] == ' ') --n;
        offsets.push_back(bytes.size());
        bytes.insert(bytes.end(), answer.begin() + static_cast<std::ptrdiff_t>(pos),
                     answer.begin() + static_cast<std::ptrdiff_t>(pos + n));
        bytes.push_back('\0');
        pos += kWidths[f];
      }
    }
  }
  char* value(std::size_t i) { return bytes.data() + offsets[i]; }
};

// Writes every value into the send table through ZanWriteTableValue.
void WriteAll(HostValues& values, std::vector<std::vector<char>>& names, std::size_t records) {
  for (std::size_t r = 0; r < records; ++r)
    for (int f = 0; f < kFields; ++f)
      Check(ZanWriteTableValue(1, names[static_cast<std::size_t>(f)].data(),
                               values.value(r * kFields + static_cast<std::size_t>(f)),
                               static_cast<int32_t>(r + 1)),
            "ZanWriteTableValue");
}

std::vector<std::vector<char>> FieldNames() {
  std::vector<std::vector<char>> names;
  for (const char* name : kNames) names.push_back(Text(name));
  return names;
}

// The field a host's name stands for, found as a plain C program would.
inline int HandField(const char* name) {
  for (int f = 0; f < kFields; ++f)
    if (std::strcmp(name, kNames[f]) == 0) return f;
  return -1;
}

void BM_WriteTableValue(benchmark::State& state) {
  const int64_t n = state.range(0);
  const auto records = static_cast<std::size_t>(n);
  Check(ZanInitToolbox(1), "ZanInitToolbox");
  CreateArgs args;
  HostValues values(Answer(n));
  auto names = FieldNames();
  HandTable hand(kFields, records, records * 40);
  Compare(
      state, "WriteTableValue", n,
      [&] {
        Check(ZanCreateTable(1, args.name.data(), args.key.data(), args.sets.data(),
                             args.fields.data()),
              "ZanCreateTable");
        hand.reset();
      },
      [&] { WriteAll(values, names, records); },
      [&] {
        for (std::size_t r = 0; r < records; ++r)
          for (int f = 0; f < kFields; ++f) {
            const int field = HandField(names[static_cast<std::size_t>(f)].data());
            const char* v = values.value(r * kFields + static_cast<std::size_t>(f));
            std::size_t len = std::strlen(v);
            if (len > kWidths[field]) len = kWidths[field];
            HandStore(hand.columns[static_cast<std::size_t>(field)], v, len);
          }
        benchmark::DoNotOptimize(hand.columns[0].text);
      });
  ZanInitToolbox(2);
}

void BM_CreateSendstr(benchmark::State& state) {
  const int64_t n = state.range(0);
  const auto records = static_cast<std::size_t>(n);
  Check(ZanInitToolbox(1), "ZanInitToolbox");
  CreateArgs args;
  const std::string answer = Answer(n);
  HostValues values(answer);
  auto names = FieldNames();
  Check(ZanCreateTable(1, args.name.data(), args.key.data(), args.sets.data(), args.fields.data()),
        "ZanCreateTable");
  WriteAll(values, names, records);
  HandTable hand(kFields, records, records * 40);
  HandFillFixed(hand, answer.data(), answer.size());
  char* out = static_cast<char*>(std::malloc(records * kRecordWidth + 1));
  if (out == nullptr) std::abort();
  Compare(
      state, "CreateSendstr", n, [] {},
      [&] {
        char* send = nullptr;
        Check(ZanCreateSendstr(&send), "ZanCreateSendstr");
        benchmark::DoNotOptimize(send);
      },
      [&] {
        char* p = out;
        for (std::size_t r = 0; r < records; ++r)
          for (int f = 0; f < kFields; ++f) {
            std::size_t len = 0;
            const char* text = HandText(hand.columns[static_cast<std::size_t>(f)], r, len);
            std::memcpy(p, text, len);
            std::memset(p + len, ' ', kWidths[f] - len);
            p += kWidths[f];
          }
        *p = '\0';
        benchmark::DoNotOptimize(out);
      });
  char* send = nullptr;
  Check(ZanCreateSendstr(&send), "ZanCreateSendstr");
  if (std::memcmp(send, out, records * kRecordWidth + 1) != 0) {
    std::fprintf(stderr, "ratio benchmark: the send string differs from the hand-written one\n");
    std::abort();
  }
  std::free(out);
  ZanInitToolbox(2);
}

void BM_GetTableValue(benchmark::State& state) {
  const int64_t n = state.range(0);
  const auto records = static_cast<int32_t>(n);
  Check(ZanInitToolbox(1), "ZanInitToolbox");
  CreateArgs args;
  std::vector<char> data = Text(Answer(n));
  Check(ZanCreateFillTable(2, args.name.data(), args.key.data(), args.sets.data(),
                           args.fields.data(), data.data(), static_cast<int32_t>(data.size() - 1)),
        "ZanCreateFillTable");
  HandTable hand(kFields, static_cast<std::size_t>(n), static_cast<std::size_t>(n) * 40);
  HandFillFixed(hand, data.data(), data.size() - 1);
  auto names = FieldNames();
  char buffer[257];
  Compare(
      state, "GetTableValue", n, [] {},
      [&] {
        for (int32_t r = 1; r <= records; ++r)
          for (auto& name : names) {
            char* value = nullptr;
            Check(ZanGetTableValue(2, name.data(), r, &value), "ZanGetTableValue");
            benchmark::DoNotOptimize(value);
          }
      },
      [&] {
        for (int32_t r = 1; r <= records; ++r)
          for (auto& name : names) {
            // The name may hold blanks: they are left out when matching.
            const char* nm = name.data();
            for (const char* c = nm; *c != '\0'; ++c)
              if (*c == ' ' || *c == '\t') std::abort();
            const int field = HandField(nm);
            std::size_t len = 0;
            const char* text =
                HandText(hand.columns[static_cast<std::size_t>(field)],
                         static_cast<std::size_t>(r - 1), len);
            if (len > 255) len = 255;
            while (len > 0 && *text == ' ') ++text, --len;
            std::memcpy(buffer, text, len);
            buffer[len] = '\0';
            benchmark::DoNotOptimize(buffer);
          }
      });
  ZanInitToolbox(2);
}

// Heap taken by a filled table, against the length of the received string.
void BM_FilledTableMemory(benchmark::State& state) {
  const int64_t n = state.range(0);
  CreateArgs args;
  std::vector<char> data = Text(Answer(n));
  const auto length = static_cast<int32_t>(data.size() - 1);
  double factor = 0;
  for (auto _ : state) {
#if defined(__GLIBC__)
    Check(ZanInitToolbox(2), "ZanInitToolbox");
    Check(ZanInitToolbox(1), "ZanInitToolbox");
    const struct mallinfo2 before = mallinfo2();
    Check(ZanCreateFillTable(2, args.name.data(), args.key.data(), args.sets.data(),
                             args.fields.data(), data.data(), length),
          "ZanCreateFillTable");
    const struct mallinfo2 after = mallinfo2();
    const double used = static_cast<double>(after.uordblks + after.hblkhd) -
                        static_cast<double>(before.uordblks + before.hblkhd);
    factor = used / static_cast<double>(length);
#else
    state.SkipWithError("needs glibc's mallinfo2");
#endif
  }
  state.counters["heap_per_byte"] = factor;
  summary().addMemory(RunName("FilledTableMemory", n), factor);
  ZanInitToolbox(2);
}

// ---------------------------------------------------------------------------
// Older characteristic bar: five characteristics, one row per object (its
// key and five values), filled in mode 1 and every value read back.

constexpr int kBarCharacteristics = 5;

std::vector<char> BarDescription() {
  std::string description = "H1;H2;H3;H4;H5;";
  char field[96];
  for (int c = 0; c < kBarCharacteristics; ++c) {
    std::snprintf(field, sizeof field, "Char%02d;F%02d;A;;mm;N;;10;2;", c, c);
    description += field;
  }
  return Text(description);
}

std::vector<char> BarRows(int64_t objects) {
  std::string rows;
  char field[64];
  for (int64_t k = 0; k < objects; ++k) {
    std::snprintf(field, sizeof field, "OBJ%07lld;", static_cast<long long>(k));
    rows += field;
    for (int c = 0; c < kBarCharacteristics; ++c) {
      std::snprintf(field, sizeof field, "%d.%02d;", c * 17, static_cast<int>(k % 100));
      rows += field;
    }
  }
  return Text(rows);
}

void BM_OlderBarFill(benchmark::State& state) {
  const int64_t n = state.range(0);
  Check(ZanInitToolbox(1), "ZanInitToolbox");
  UseSeparator();
  std::vector<char> description = BarDescription();
  std::vector<char> rows = BarRows(n);
  const auto length = static_cast<int32_t>(rows.size() - 1);
  HandTable hand(kBarCharacteristics + 1, static_cast<std::size_t>(n), Share(rows, kBarCharacteristics + 1));
  Compare(
      state, "OlderBarFill", n, [] {},
      [&] {
        Check(ZanCreateSmlTable(1, description.data(),
                                static_cast<int32_t>(description.size() - 1)),
              "ZanCreateSmlTable");
        Check(ZanFillSmlTable(1, rows.data(), length), "ZanFillSmlTable");
      },
      [&] {
        hand.reset();
        HandFillSeparated(hand, rows.data(), static_cast<std::size_t>(length), ';');
        benchmark::DoNotOptimize(hand.columns[0].text);
      });
  ZanInitToolbox(2);
}

void BM_OlderBarRead(benchmark::State& state) {
  const int64_t n = state.range(0);
  const auto objects = static_cast<int32_t>(n);
  Check(ZanInitToolbox(1), "ZanInitToolbox");
  UseSeparator();
  std::vector<char> description = BarDescription();
  std::vector<char> rows = BarRows(n);
  Check(ZanCreateSmlTable(1, description.data(), static_cast<int32_t>(description.size() - 1)),
        "ZanCreateSmlTable");
  Check(ZanFillSmlTable(1, rows.data(), static_cast<int32_t>(rows.size() - 1)), "ZanFillSmlTable");
  HandTable hand(kBarCharacteristics + 1, static_cast<std::size_t>(n), Share(rows, kBarCharacteristics + 1));
  HandFillSeparated(hand, rows.data(), rows.size() - 1, ';');
  // The nine texts of each characteristic that a read hands out besides the
  // value, as the library holds them (taken from it once, so that both sides
  // copy the same bytes), and nine result buffers: each read copies every
  // text, its NUL included, into its buffer, as the library's reads do.
  struct HandCharacteristic {
    std::string texts[9];
    int32_t length, width, decimals;
  };
  std::vector<HandCharacteristic> described;
  for (int32_t c = 1; c <= kBarCharacteristics + 1; ++c) {
    CharacteristicData d;
    Check(ZanGetSmlData(1, c, 1, &d), "ZanGetSmlData");
    described.push_back(HandCharacteristic{{d.name, d.fieldName, d.dinLetter, d.input, d.unit,
                                            d.format, d.template_, d.selection, d.parameter},
                                           d.length, d.width, d.decimals});
  }
  char texts[9][64];
  for (const HandCharacteristic& h : described)
    for (const std::string& t : h.texts)
      if (t.size() >= sizeof texts[0]) std::abort();
  char value[257];
  Compare(
      state, "OlderBarRead", n, [] {},
      [&] {
        CharacteristicData d;
        for (int32_t k = 1; k <= objects; ++k)
          for (int32_t c = 1; c <= kBarCharacteristics + 1; ++c) {
            Check(ZanGetSmlData(1, c, k, &d), "ZanGetSmlData");
            benchmark::DoNotOptimize(d.value);
          }
      },
      [&] {
        CharacteristicData d;
        for (int32_t k = 1; k <= objects; ++k)
          for (int32_t c = 1; c <= kBarCharacteristics + 1; ++c) {
            const HandCharacteristic& h = described[static_cast<std::size_t>(c - 1)];
            const HandColumn& col = hand.columns[static_cast<std::size_t>(c - 1)];
            std::size_t len = 0;
            const char* text = HandText(col, static_cast<std::size_t>(k - 1), len);
            while (len > 0 && *text == ' ') ++text, --len;
            std::memcpy(value, text, len);
            value[len] = '\0';
            for (int t = 0; t < 9; ++t)
              std::memcpy(texts[t], h.texts[t].data(), h.texts[t].size() + 1);
            d.name = texts[0];
            d.fieldName = texts[1];
            d.dinLetter = texts[2];
            d.input = texts[3];
            d.unit = texts[4];
            d.format = texts[5];
            d.template_ = texts[6];
            d.selection = texts[7];
            d.parameter = texts[8];
            d.length = h.length;
            d.width = h.width;
            d.decimals = h.decimals;
            d.value = value;
            benchmark::DoNotOptimize(d);
          }
      });
  ZanInitToolbox(2);
}

// ---------------------------------------------------------------------------
// Mail of type 4: four fields per record, separator-terminated values.

std::vector<char> MailRows(int64_t records) {
  std::string rows;
  char field[96];
  for (int64_t k = 0; k < records; ++k) {
    std::snprintf(field, sizeof field, "PARAM%07lld;%s;%lld;%lld;", static_cast<long long>(k),
                  k % 2 ? "EQ" : "BT", static_cast<long long>(k * 3), static_cast<long long>(k * 5));
    rows += field;
  }
  return Text(rows);
}

void BM_MailFill(benchmark::State& state) {
  const int64_t n = state.range(0);
  Check(ZanInitToolbox(1), "ZanInitToolbox");
  UseSeparator();
  std::vector<char> rows = MailRows(n);
  const auto length = static_cast<int32_t>(rows.size() - 1);
  HandTable hand(4, static_cast<std::size_t>(n), Share(rows, 4));
  Compare(
      state, "MailFill", n, [] {},
      [&] { Check(ZanCreateMailTable(4, rows.data(), length), "ZanCreateMailTable"); },
      [&] {
        hand.reset();
        HandFillSeparated(hand, rows.data(), static_cast<std::size_t>(length), ';');
        benchmark::DoNotOptimize(hand.columns[0].text);
      });
  ZanInitToolbox(2);
}

// ---------------------------------------------------------------------------
// Class search table, long form: 22 values per record.

constexpr int kSearchValues = 22;

std::vector<char> SearchRows(int64_t records) {
  std::string rows;
  char value[32];
  for (int64_t k = 0; k < records; ++k)
    for (int v = 0; v < kSearchValues; ++v) {
      std::snprintf(value, sizeof value, "V%lld.%d%s;", static_cast<long long>(k), v,
                    v % 3 == 0 ? "  " : "");
      rows += value;
    }
  return Text(rows);
}

void BM_ClassSearchFill(benchmark::State& state) {
  const int64_t n = state.range(0);
  Check(ZanInitToolbox(1), "ZanInitToolbox");
  UseSeparator();
  std::vector<char> rows = SearchRows(n);
  const auto length = static_cast<int32_t>(rows.size() - 1);
  HandTable hand(kSearchValues, static_cast<std::size_t>(n), Share(rows, kSearchValues));
  Compare(
      state, "ClassSearchFill", n, [] {},
      [&] {
        int32_t count = 0;
        Check(ZanCreateFillClasTableK4(3, rows.data(), length, &count),
              "ZanCreateFillClasTableK4");
        benchmark::DoNotOptimize(count);
      },
      [&] {
        hand.reset();
        HandFillSeparated(hand, rows.data(), static_cast<std::size_t>(length), ';');
        benchmark::DoNotOptimize(hand.columns[0].text);
      });
  ZanInitToolbox(2);
}

}  // namespace

#define KELMOD_RATIO(bm) \
  BENCHMARK(bm)->Arg(10'000)->Arg(1'000'000)->UseManualTime()->Unit(benchmark::kMillisecond)

KELMOD_RATIO(BM_FillFixedWidth);
KELMOD_RATIO(BM_CreateSendstr);
KELMOD_RATIO(BM_WriteTableValue);
KELMOD_RATIO(BM_GetTableValue);
KELMOD_RATIO(BM_OlderBarFill);
KELMOD_RATIO(BM_OlderBarRead);
KELMOD_RATIO(BM_MailFill);
KELMOD_RATIO(BM_ClassSearchFill);
BENCHMARK(BM_FilledTableMemory)->Arg(10'000)->Arg(1'000'000)->Iterations(1)->Unit(benchmark::kMillisecond);
