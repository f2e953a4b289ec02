#include "replay_calls.h"

#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "cli.h"

namespace kelmod_cli {
namespace {

// A place no export ever hands back: marks a result slot not yet written.
char gUnwritten;
char* Unwritten() { return &gUnwritten; }

// How many texts the exports that fill an array of char* write.
int TextCount(const std::string& exportName) {
  if (exportName == "ZanGetClasDataK4") return 5;
  if (exportName == "ZanGetClasHierarchDataK4") return 6;
  if (exportName == "ZanGetClasSearchDataK4") return 22;
  if (exportName == "ZanGetObjectDataK4") return 14;
  return 0;
}

// How many bytes an export writes into a buffer it is given to fill.
std::size_t OutBufferSize(const std::string& exportName) {
  return exportName == "ZanFindHelpTable" ? 1 : 12;
}

Json Text(const char* text) { return text == nullptr ? Json(nullptr) : Json(Latin1ToUtf8(text)); }

Json Bounded(const char* text, std::size_t size) {
  return Json(Latin1ToUtf8(std::string(text, strnlen(text, size))));
}

[[noreturn]] void Misfit(const std::string& exportName, const std::string& argName,
                         const std::string& what) {
  throw Failure(status::kData, exportName + ": argument " + argName + " " + what);
}

struct Call {
  const std::string& exportName;
  const PathMapper& map;
  Outcome outcome;
};

template <class T>
struct Arg;

template <>
struct Arg<int32_t> {
  int32_t value = 0;
  void Load(Call& call, const std::string& name, const Json& recorded) {
    if (!recorded.is_number_integer() || recorded.get<int64_t>() < INT32_MIN ||
        recorded.get<int64_t>() > INT32_MAX)
      Misfit(call.exportName, name, "is not a 32-bit integer");
    value = static_cast<int32_t>(recorded.get<int64_t>());
  }
  int32_t Pass() { return value; }
  void Collect(Call&, const std::string&) {}
};

// A caller's text: passed in a writable copy with room for a name written
// back; a buffer the export only fills (recorded as true) starts zeroed.
template <>
struct Arg<char*> {
  std::unique_ptr<Buffer> buffer;
  std::string sent;
  bool outOnly = false;
  void Load(Call& call, const std::string& name, const Json& recorded) {
    if (recorded.is_null()) return;
    if (recorded.is_boolean()) {
      outOnly = true;
      buffer = std::make_unique<Buffer>(std::string(), 256);
      return;
    }
    if (!recorded.is_string()) Misfit(call.exportName, name, "is not a text");
    sent = call.map(call.exportName, name, Utf8ToLatin1(recorded.get<std::string>()));
    buffer = std::make_unique<Buffer>(sent, 256);
  }
  char* Pass() { return buffer ? buffer->get() : nullptr; }
  void Collect(Call& call, const std::string& name) {
    if (!buffer) return;
    if (outOnly) {
      if (call.outcome.code == 0)
        call.outcome.results[name] = Bounded(buffer->get(), OutBufferSize(call.exportName));
    } else if (buffer->str() != sent) {
      call.outcome.changed[name] = Text(buffer->get());
    }
  }
};

template <>
struct Arg<char**> {
  std::vector<char*> slots;
  bool array = false;
  void Load(Call& call, const std::string& name, const Json& recorded) {
    if (recorded.is_null()) return;
    if (!recorded.is_boolean()) Misfit(call.exportName, name, "is not true or null");
    const int count = TextCount(call.exportName);
    array = count > 0;
    slots.assign(static_cast<std::size_t>(array ? count : 1), Unwritten());
  }
  char** Pass() { return slots.empty() ? nullptr : slots.data(); }
  void Collect(Call& call, const std::string& name) {
    bool any = false;
    for (char* slot : slots) any = any || slot != Unwritten();
    if (!any) return;
    if (!array) {
      call.outcome.results[name] = Text(slots[0]);
      return;
    }
    Json texts = Json::array();
    for (char* slot : slots) texts.push_back(slot == Unwritten() ? Json(nullptr) : Text(slot));
    call.outcome.results[name] = texts;
  }
};

// A count written through a pointer: the slot starts as a value no count
// takes, so that only a written count is part of the outcome.
template <>
struct Arg<int32_t*> {
  int32_t value = INT32_MIN;
  bool given = false;
  void Load(Call& call, const std::string& name, const Json& recorded) {
    if (recorded.is_null()) return;
    if (!recorded.is_boolean()) Misfit(call.exportName, name, "is not true or null");
    given = true;
  }
  int32_t* Pass() { return given ? &value : nullptr; }
  void Collect(Call& call, const std::string& name) {
    if (given && value != INT32_MIN) call.outcome.results[name] = value;
  }
};

template <>
struct Arg<MessageRecord*> {
  MessageRecord record{};
  bool given = false;
  void Load(Call&, const std::string&, const Json& recorded) { given = !recorded.is_null(); }
  MessageRecord* Pass() { return given ? &record : nullptr; }
  void Collect(Call& call, const std::string& name) {
    if (!given || call.outcome.code != 0) return;
    Json members = Json::object();
    int32_t code;
    std::memcpy(&code, &record.code, sizeof code);
    members["code"] = code;
    members["type"] = Bounded(record.type, sizeof record.type);
    members["shortText"] = Bounded(record.shortText, sizeof record.shortText);
    members["longText"] = Bounded(record.longText, sizeof record.longText);
    call.outcome.results[name] = members;
  }
};

template <>
struct Arg<AttributeRecord*> {
  AttributeRecord record{};
  bool given = false;
  void Load(Call&, const std::string&, const Json& recorded) { given = !recorded.is_null(); }
  AttributeRecord* Pass() { return given ? &record : nullptr; }
  void Collect(Call& call, const std::string& name) {
    if (!given || call.outcome.code != 0) return;
    Json members = Json::object();
    members["setName"] = Bounded(record.setName, sizeof record.setName);
    members["fieldName"] = Bounded(record.fieldName, sizeof record.fieldName);
    members["length"] = Bounded(record.length, sizeof record.length);
    members["description"] = Bounded(record.description, sizeof record.description);
    call.outcome.results[name] = members;
  }
};

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

// A characteristic record: its text members start out marked unwritten, so
// that the outcome holds exactly the members the export wrote.
template <class Record>
struct RecordArg {
  Record record{};
  bool given = false;
  void Load(Call&, const std::string&, const Json& recorded) {
    given = !recorded.is_null();
    for (const auto& member : Members<Record>::kTexts) record.*member.second = Unwritten();
  }
  Record* Pass() { return given ? &record : nullptr; }
  void Collect(Call& call, const std::string& name) {
    if (!given) return;
    Json members = Json::object();
    for (const auto& member : Members<Record>::kTexts)
      if (record.*member.second != Unwritten())
        members[member.first] = Text(record.*member.second);
    if (members.empty()) return;
    for (const auto& member : Members<Record>::kNumbers)
      members[member.first] = record.*member.second;
    call.outcome.results[name] = members;
  }
};

template <>
struct Arg<CharacteristicData*> : RecordArg<CharacteristicData> {};
template <>
struct Arg<SmlCharacteristicData*> : RecordArg<SmlCharacteristicData> {};

using Runner = Outcome (*)(const std::string&, const Json&, const PathMapper&);

template <auto Export, class... A, std::size_t... I>
Outcome RunWith(const std::string& exportName, const Json& args, const PathMapper& map,
                std::index_sequence<I...>) {
  if (!args.is_object() || args.size() != sizeof...(A))
    throw Failure(status::kData, exportName + ": the call takes " +
                                     std::to_string(sizeof...(A)) + " arguments");
  std::vector<std::string> names;
  std::vector<const Json*> values;
  for (auto it = args.begin(); it != args.end(); ++it) {
    names.push_back(it.key());
    values.push_back(&it.value());
  }
  Call call{exportName, map, {}};
  std::tuple<Arg<A>...> bound;
  (std::get<I>(bound).Load(call, names[I], *values[I]), ...);
  call.outcome.code = Export(std::get<I>(bound).Pass()...);
  (std::get<I>(bound).Collect(call, names[I]), ...);
  return call.outcome;
}

template <auto Export, class... A>
Runner MakeRunner(ErrorCode (*)(A...)) {
  return [](const std::string& exportName, const Json& args, const PathMapper& map) {
    return RunWith<Export, A...>(exportName, args, map, std::index_sequence_for<A...>{});
  };
}

const std::pair<std::string_view, Runner> kExports[] = {
    {"ZanInitToolbox", MakeRunner<&ZanInitToolbox>(&ZanInitToolbox)},
    {"ZanConfigureToolbox", MakeRunner<&ZanConfigureToolbox>(&ZanConfigureToolbox)},
    {"ZanToolboxVersion", MakeRunner<&ZanToolboxVersion>(&ZanToolboxVersion)},
    {"ZanGetErrorMessage", MakeRunner<&ZanGetErrorMessage>(&ZanGetErrorMessage)},
    {"ZanFillInterface", MakeRunner<&ZanFillInterface>(&ZanFillInterface)},
    {"ZanDescribeInterface", MakeRunner<&ZanDescribeInterface>(&ZanDescribeInterface)},
    {"ZanCreateTable", MakeRunner<&ZanCreateTable>(&ZanCreateTable)},
    {"ZanCreateFillTable", MakeRunner<&ZanCreateFillTable>(&ZanCreateFillTable)},
    {"ZanFillTable", MakeRunner<&ZanFillTable>(&ZanFillTable)},
    {"ZanCreateSendstr", MakeRunner<&ZanCreateSendstr>(&ZanCreateSendstr)},
    {"ZanCreateSendstrBomHead", MakeRunner<&ZanCreateSendstrBomHead>(&ZanCreateSendstrBomHead)},
    {"ZanGetTableValue", MakeRunner<&ZanGetTableValue>(&ZanGetTableValue)},
    {"ZanWriteTableValue", MakeRunner<&ZanWriteTableValue>(&ZanWriteTableValue)},
    {"ZanModifyTableValue", MakeRunner<&ZanModifyTableValue>(&ZanModifyTableValue)},
    {"ZanDeleteTableEntry", MakeRunner<&ZanDeleteTableEntry>(&ZanDeleteTableEntry)},
    {"ZanDescribeTable", MakeRunner<&ZanDescribeTable>(&ZanDescribeTable)},
    {"ZanGetAttributName", MakeRunner<&ZanGetAttributName>(&ZanGetAttributName)},
    {"ZanGetAttributNameValue", MakeRunner<&ZanGetAttributNameValue>(&ZanGetAttributNameValue)},
    {"ZanSearchAttribut", MakeRunner<&ZanSearchAttribut>(&ZanSearchAttribut)},
    {"ZanCreateFillUserTable", MakeRunner<&ZanCreateFillUserTable>(&ZanCreateFillUserTable)},
    {"ZanWriteKonfiguration", MakeRunner<&ZanWriteKonfiguration>(&ZanWriteKonfiguration)},
    {"ZanPrintTable", MakeRunner<&ZanPrintTable>(&ZanPrintTable)},
    {"ZanCreateHlpTable", MakeRunner<&ZanCreateHlpTable>(&ZanCreateHlpTable)},
    {"ZanFillHlpTable", MakeRunner<&ZanFillHlpTable>(&ZanFillHlpTable)},
    {"ZanGetHlpData", MakeRunner<&ZanGetHlpData>(&ZanGetHlpData)},
    {"ZanGetHlpDescription", MakeRunner<&ZanGetHlpDescription>(&ZanGetHlpDescription)},
    {"ZanFindHelpTable", MakeRunner<&ZanFindHelpTable>(&ZanFindHelpTable)},
    {"ZanCreateFillTableMcd", MakeRunner<&ZanCreateFillTableMcd>(&ZanCreateFillTableMcd)},
    {"ZanCreateSendstrMcd", MakeRunner<&ZanCreateSendstrMcd>(&ZanCreateSendstrMcd)},
    {"ZanGetMcdValue", MakeRunner<&ZanGetMcdValue>(&ZanGetMcdValue)},
    {"ZanGetMcdDescription", MakeRunner<&ZanGetMcdDescription>(&ZanGetMcdDescription)},
    {"ZanWriteMcdValue", MakeRunner<&ZanWriteMcdValue>(&ZanWriteMcdValue)},
    {"ZanCreateSendstrHelp", MakeRunner<&ZanCreateSendstrHelp>(&ZanCreateSendstrHelp)},
    {"ZanCreateSendstrMessageK4", MakeRunner<&ZanCreateSendstrMessageK4>(&ZanCreateSendstrMessageK4)},
    {"ZanCreateFillClasTableK4", MakeRunner<&ZanCreateFillClasTableK4>(&ZanCreateFillClasTableK4)},
    {"ZanCreateFillClasHierarchTableK4", MakeRunner<&ZanCreateFillClasHierarchTableK4>(&ZanCreateFillClasHierarchTableK4)},
    {"ZanCreateSendstrClasK4", MakeRunner<&ZanCreateSendstrClasK4>(&ZanCreateSendstrClasK4)},
    {"ZanCreateSendstrClasScopeK4", MakeRunner<&ZanCreateSendstrClasScopeK4>(&ZanCreateSendstrClasScopeK4)},
    {"ZanCreateSendstrClasSelectK4", MakeRunner<&ZanCreateSendstrClasSelectK4>(&ZanCreateSendstrClasSelectK4)},
    {"ZanCreateSendstrClasSelScopeK4", MakeRunner<&ZanCreateSendstrClasSelScopeK4>(&ZanCreateSendstrClasSelScopeK4)},
    {"ZanCreateSendstrClasSearchK4", MakeRunner<&ZanCreateSendstrClasSearchK4>(&ZanCreateSendstrClasSearchK4)},
    {"ZanGetClasDataK4", MakeRunner<&ZanGetClasDataK4>(&ZanGetClasDataK4)},
    {"ZanGetClasHierarchDataK4", MakeRunner<&ZanGetClasHierarchDataK4>(&ZanGetClasHierarchDataK4)},
    {"ZanGetClasSearchDataK4", MakeRunner<&ZanGetClasSearchDataK4>(&ZanGetClasSearchDataK4)},
    {"ZanGetObjectDataK4", MakeRunner<&ZanGetObjectDataK4>(&ZanGetObjectDataK4)},
    {"ZanCreateMailTable", MakeRunner<&ZanCreateMailTable>(&ZanCreateMailTable)},
    {"ZanDescribeMailTable", MakeRunner<&ZanDescribeMailTable>(&ZanDescribeMailTable)},
    {"ZanGetMailData", MakeRunner<&ZanGetMailData>(&ZanGetMailData)},
    {"ZanWriteMailValue", MakeRunner<&ZanWriteMailValue>(&ZanWriteMailValue)},
    {"ZanCreateSendstrMail", MakeRunner<&ZanCreateSendstrMail>(&ZanCreateSendstrMail)},
    {"ZanCreateSmlTable", MakeRunner<&ZanCreateSmlTable>(&ZanCreateSmlTable)},
    {"ZanFillSmlTable", MakeRunner<&ZanFillSmlTable>(&ZanFillSmlTable)},
    {"ZanDeleteSmlSelection", MakeRunner<&ZanDeleteSmlSelection>(&ZanDeleteSmlSelection)},
    {"ZanGetSmlDescription", MakeRunner<&ZanGetSmlDescription>(&ZanGetSmlDescription)},
    {"ZanGetSmlData", MakeRunner<&ZanGetSmlData>(&ZanGetSmlData)},
    {"ZanGetSmlAttributData", MakeRunner<&ZanGetSmlAttributData>(&ZanGetSmlAttributData)},
    {"ZanWriteSmlValue", MakeRunner<&ZanWriteSmlValue>(&ZanWriteSmlValue)},
    {"ZanCreateSendstrSml", MakeRunner<&ZanCreateSendstrSml>(&ZanCreateSendstrSml)},
    {"ZanGetSmlDataK4", MakeRunner<&ZanGetSmlDataK4>(&ZanGetSmlDataK4)},
    {"ZanGetSmlAttributDataK4", MakeRunner<&ZanGetSmlAttributDataK4>(&ZanGetSmlAttributDataK4)},
    {"ZanGetSmlDataValueK4", MakeRunner<&ZanGetSmlDataValueK4>(&ZanGetSmlDataValueK4)},
    {"ZanGetSmlValueDescriptionK4", MakeRunner<&ZanGetSmlValueDescriptionK4>(&ZanGetSmlValueDescriptionK4)},
    {"ZanCreateFillPosSmlValueTableK4", MakeRunner<&ZanCreateFillPosSmlValueTableK4>(&ZanCreateFillPosSmlValueTableK4)},
    {"ZanCreateSendstrPosSmlValuesK4", MakeRunner<&ZanCreateSendstrPosSmlValuesK4>(&ZanCreateSendstrPosSmlValuesK4)}
};

Runner Find(const std::string& exportName) {
  for (const auto& entry : kExports)
    if (entry.first == exportName) return entry.second;
  return nullptr;
}

}  // namespace

bool IsExport(const std::string& exportName) { return Find(exportName) != nullptr; }

Outcome Replay(const std::string& exportName, const Json& args, const PathMapper& map) {
  const Runner run = Find(exportName);
  if (run == nullptr) throw Failure(status::kData, "the toolbox has no export " + exportName);
  return run(exportName, args, map);
}

}  // namespace kelmod_cli
