// The traced call of an export: Traced<&Impl>(info, args...) runs Impl with
// the caller's arguments. While tracing is off that is all it does. While it
// is on, each argument goes through a probe of its C type that records it as
// the call received it, hands the call what it needs (for a char** a slot of
// the trace's own, so that the trace can tell whether the call wrote it) and
// afterwards gives the caller exactly what the call wrote and records it.
//
// Recording may fail (no memory); handing the caller its results never does.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>

#include "core/trace.h"
#include "kelmod.h"

namespace kelmod::trace {

// The name of argument `index` in the comma-separated list.
inline std::string_view ArgName(const char* names, int index) {
  std::string_view all(names);
  for (int i = 0; i < index; ++i) {
    const std::size_t comma = all.find(',');
    if (comma == std::string_view::npos) return "arg";
    all.remove_prefix(comma + 1);
  }
  return all.substr(0, all.find(','));
}

// An address no call ever hands back: marks a result slot not yet written.
inline char* Unwritten() {
  static char mark;
  return &mark;
}

inline void AppendBounded(std::string& out, const char* text, std::size_t size) {
  AppendText(out, std::string_view(text, strnlen(text, size)));
}

inline void AppendHandedText(std::string& out, const char* text) {
  if (text == nullptr) {
    out += "null";
  } else {
    AppendText(out, text);
  }
}

template <class T>
struct Probe;

template <>
struct Probe<int32_t> {
  int32_t value;
  void Before(Line& line, const ExportInfo&, std::string_view name, int) {
    AppendKey(line.args, name);
    line.args += std::to_string(value);
  }
  int32_t Pass() noexcept { return value; }
  void HandBack(int32_t) noexcept {}
  void After(Line&, const ExportInfo&, std::string_view, int32_t) {}
};

// A caller's text: recorded whole as received; any change the call made in
// place is recorded under "changed". The one argument an export only writes
// (a fixed buffer it fills) is not read before the call.
template <>
struct Probe<char*> {
  char* text;
  std::string before{};
  bool kept = false;
  bool outOnly = false;
  void Before(Line& line, const ExportInfo& info, std::string_view name, int index) {
    AppendKey(line.args, name);
    outOnly = index == info.outBuffer;
    if (text == nullptr) {
      line.args += "null";
    } else if (outOnly) {
      line.args += "true";
    } else {
      before = text;
      kept = true;
      AppendText(line.args, before);
    }
  }
  char* Pass() noexcept { return text; }
  void HandBack(int32_t) noexcept {}
  void After(Line& line, const ExportInfo& info, std::string_view name, int32_t code) {
    if (text == nullptr) return;
    if (outOnly) {
      if (code != 0) return;
      AppendKey(line.results, name);
      AppendBounded(line.results, text, static_cast<std::size_t>(info.outBufferSize));
    } else if (kept && before != text) {
      AppendKey(line.changed, name);
      AppendText(line.changed, text);
    }
  }
};

// A char** (or an array of them) the call may write: the call writes into
// the trace's own slots; what it wrote goes to the caller afterwards.
template <>
struct Probe<char**> {
  static constexpr int kMost = 32;
  char** caller;
  char* slots[kMost] = {};
  int count = 1;
  void Before(Line& line, const ExportInfo&, std::string_view name, int) {
    AppendKey(line.args, name);
    line.args += caller == nullptr ? "null" : "true";
  }
  void Prepare(const ExportInfo& info) noexcept {
    count = info.textCount > 0 && info.textCount <= kMost ? info.textCount : 1;
    for (int i = 0; i < count; ++i) slots[i] = Unwritten();
  }
  char** Pass() noexcept { return caller == nullptr ? nullptr : slots; }
  void HandBack(int32_t) noexcept {
    if (caller == nullptr) return;
    for (int i = 0; i < count; ++i)
      if (slots[i] != Unwritten()) caller[i] = slots[i];
  }
  void After(Line& line, const ExportInfo& info, std::string_view name, int32_t) {
    if (caller == nullptr) return;
    bool any = false;
    for (int i = 0; i < count; ++i) any = any || slots[i] != Unwritten();
    if (!any) return;
    AppendKey(line.results, name);
    if (info.textCount == 0) {
      AppendHandedText(line.results, slots[0]);
      return;
    }
    line.results.push_back('[');
    for (int i = 0; i < count; ++i) {
      if (i > 0) line.results.push_back(',');
      if (slots[i] == Unwritten()) {
        line.results += "null";
      } else {
        AppendHandedText(line.results, slots[i]);
      }
    }
    line.results.push_back(']');
  }
};

// A count the call writes through a pointer (never read by the call, and
// never negative): the call writes into the trace's own slot, which starts
// out as a value no count takes, so that the trace can tell whether it was
// written without reading the caller's integer, which may be uninitialised.
inline constexpr int32_t kUnwrittenCount = INT32_MIN;

template <>
struct Probe<int32_t*> {
  int32_t* caller;
  int32_t slot = kUnwrittenCount;
  void Before(Line& line, const ExportInfo&, std::string_view name, int) {
    AppendKey(line.args, name);
    line.args += caller == nullptr ? "null" : "true";
  }
  int32_t* Pass() noexcept { return caller == nullptr ? nullptr : &slot; }
  void HandBack(int32_t) noexcept {
    if (caller != nullptr && slot != kUnwrittenCount) *caller = slot;
  }
  void After(Line& line, const ExportInfo&, std::string_view name, int32_t) {
    if (caller == nullptr || slot == kUnwrittenCount) return;
    AppendKey(line.results, name);
    line.results += std::to_string(slot);
  }
};

template <>
struct Probe<MessageRecord*> {
  MessageRecord* record;
  void Before(Line& line, const ExportInfo&, std::string_view name, int) {
    AppendKey(line.args, name);
    line.args += record == nullptr ? "null" : "true";
  }
  MessageRecord* Pass() noexcept { return record; }
  void HandBack(int32_t) noexcept {}
  void After(Line& line, const ExportInfo&, std::string_view name, int32_t code) {
    if (record == nullptr || code != 0) return;
    AppendKey(line.results, name);
    std::string members;
    AppendKey(members, "code");
    int32_t number;
    std::memcpy(&number, &record->code, sizeof number);
    members += std::to_string(number);
    AppendKey(members, "type");
    AppendBounded(members, record->type, sizeof record->type);
    AppendKey(members, "shortText");
    AppendBounded(members, record->shortText, sizeof record->shortText);
    AppendKey(members, "longText");
    AppendBounded(members, record->longText, sizeof record->longText);
    line.results += "{" + members + "}";
  }
};

template <>
struct Probe<AttributeRecord*> {
  AttributeRecord* record;
  void Before(Line& line, const ExportInfo&, std::string_view name, int) {
    AppendKey(line.args, name);
    line.args += record == nullptr ? "null" : "true";
  }
  AttributeRecord* Pass() noexcept { return record; }
  void HandBack(int32_t) noexcept {}
  void After(Line& line, const ExportInfo&, std::string_view name, int32_t code) {
    if (record == nullptr || code != 0) return;
    AppendKey(line.results, name);
    std::string members;
    AppendKey(members, "setName");
    AppendBounded(members, record->setName, sizeof record->setName);
    AppendKey(members, "fieldName");
    AppendBounded(members, record->fieldName, sizeof record->fieldName);
    AppendKey(members, "length");
    AppendBounded(members, record->length, sizeof record->length);
    AppendKey(members, "description");
    AppendBounded(members, record->description, sizeof record->description);
    line.results += "{" + members + "}";
  }
};

// The members of the two characteristic records, in declaration order.
template <class Record>
struct Members;

template <>
struct Members<CharacteristicData> {
  using R = CharacteristicData;
  static constexpr std::pair<const char*, char* R::*> kTexts[] = {
      {"name", &R::name},           {"fieldName", &R::fieldName}, {"dinLetter", &R::dinLetter},
      {"input", &R::input},         {"unit", &R::unit},           {"format", &R::format},
      {"template_", &R::template_}, {"selection", &R::selection}, {"parameter", &R::parameter},
      {"value", &R::value}};
  static constexpr std::pair<const char*, int32_t R::*> kNumbers[] = {
      {"length", &R::length}, {"width", &R::width}, {"decimals", &R::decimals}};
};

template <>
struct Members<SmlCharacteristicData> {
  using R = SmlCharacteristicData;
  static constexpr std::pair<const char*, char* R::*> kTexts[] = {
      {"name", &R::name},
      {"description", &R::description},
      {"mandatory", &R::mandatory},
      {"inherited", &R::inherited},
      {"valuated", &R::valuated},
      {"dataType", &R::dataType},
      {"singleValue", &R::singleValue},
      {"interval", &R::interval},
      {"additionalValues", &R::additionalValues},
      {"sign", &R::sign},
      {"exponentDisplay", &R::exponentDisplay},
      {"exponentFormat", &R::exponentFormat},
      {"template_", &R::template_},
      {"lowerCase", &R::lowerCase},
      {"unit", &R::unit},
      {"dinLetter", &R::dinLetter},
      {"documentType", &R::documentType},
      {"documentNumber", &R::documentNumber},
      {"documentPart", &R::documentPart},
      {"documentVersion", &R::documentVersion},
      {"view0", &R::view0},
      {"view1", &R::view1},
      {"view2", &R::view2},
      {"view3", &R::view3},
      {"view4", &R::view4},
      {"view5", &R::view5},
      {"view6", &R::view6},
      {"view7", &R::view7},
      {"view8", &R::view8},
      {"view9", &R::view9},
      {"sendText1", &R::sendText1},
      {"sendText2", &R::sendText2},
      {"value", &R::value}};
  static constexpr std::pair<const char*, int32_t R::*> kNumbers[] = {
      {"digits", &R::digits}, {"decimals", &R::decimals}};
};

// A characteristic record the call fills: it fills the trace's own copy,
// whose text members start out marked unwritten; the members it wrote go to
// the caller (the numbers with them).
template <class Record>
struct RecordProbe {
  Record* caller = nullptr;
  Record local{};
  void Before(Line& line, const ExportInfo&, std::string_view name, int) {
    AppendKey(line.args, name);
    line.args += caller == nullptr ? "null" : "true";
  }
  void Prepare(const ExportInfo&) noexcept {
    for (const auto& member : Members<Record>::kTexts) local.*member.second = Unwritten();
  }
  Record* Pass() noexcept { return caller == nullptr ? nullptr : &local; }
  bool Written() const noexcept {
    for (const auto& member : Members<Record>::kTexts)
      if (local.*member.second != Unwritten()) return true;
    return false;
  }
  void HandBack(int32_t) noexcept {
    if (caller == nullptr || !Written()) return;
    for (const auto& member : Members<Record>::kTexts)
      if (local.*member.second != Unwritten()) caller->*member.second = local.*member.second;
    for (const auto& member : Members<Record>::kNumbers)
      caller->*member.second = local.*member.second;
  }
  void After(Line& line, const ExportInfo&, std::string_view name, int32_t) {
    if (caller == nullptr || !Written()) return;
    AppendKey(line.results, name);
    std::string members;
    for (const auto& member : Members<Record>::kTexts) {
      if (local.*member.second == Unwritten()) continue;
      AppendKey(members, member.first);
      AppendHandedText(members, local.*member.second);
    }
    for (const auto& member : Members<Record>::kNumbers) {
      AppendKey(members, member.first);
      members += std::to_string(local.*member.second);
    }
    line.results += "{" + members + "}";
  }
};

template <>
struct Probe<CharacteristicData*> : RecordProbe<CharacteristicData> {
  explicit Probe(CharacteristicData* record) { caller = record; }
};
template <>
struct Probe<SmlCharacteristicData*> : RecordProbe<SmlCharacteristicData> {
  explicit Probe(SmlCharacteristicData* record) { caller = record; }
};

template <class P>
concept NeedsPreparing = requires(P p, const ExportInfo& info) { p.Prepare(info); };

template <class P>
void Prepare(P& probe, const ExportInfo& info) noexcept {
  if constexpr (NeedsPreparing<P>) probe.Prepare(info);
}

// The recorded call: never throws, and hands the caller what the call wrote
// even when the recording fails.
template <auto Impl, class... A, std::size_t... I>
ErrorCode RecordCall(const ExportInfo& info, std::index_sequence<I...>, A... args) noexcept {
  const std::int64_t start = NowNs();
  std::tuple<Probe<A>...> probes{Probe<A>{args}...};
  (Prepare(std::get<I>(probes), info), ...);
  Line line;
  try {
    (std::get<I>(probes).Before(line, info, ArgName(info.args, static_cast<int>(I)),
                                 static_cast<int>(I)),
     ...);
  } catch (...) {
    line.failed = true;
  }
  SetCurrentLine(&line);
  const ErrorCode code = Impl(std::get<I>(probes).Pass()...);
  SetCurrentLine(nullptr);
  (std::get<I>(probes).HandBack(code), ...);
  if (!line.failed) {
    try {
      (std::get<I>(probes).After(line, info, ArgName(info.args, static_cast<int>(I)), code), ...);
    } catch (...) {
      line.failed = true;
    }
  }
  Write(info.name, line, code, start);
  return code;
}

template <auto Impl, class... A>
inline ErrorCode Traced(const ExportInfo& info, A... args) noexcept {
  if (gMode.load(std::memory_order_relaxed) == kOff) [[likely]]
    return Impl(args...);
  if (!Active()) return Impl(args...);
  return RecordCall<Impl>(info, std::index_sequence_for<A...>{}, args...);
}

}  // namespace kelmod::trace
