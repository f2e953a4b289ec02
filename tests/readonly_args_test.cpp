// Text arguments in read-only memory. Hosts pass string literals and
// immutable buffers (a bytes object of a scripting language, a string a
// binding hands over without copying) wherever they expect nothing to change.
// The toolbox changes a caller's text only where a byte actually changes, so
// such a host is safe as long as no change is due.
//
// Every export that takes a text is called here with each of its texts in a
// page of its own that is protected read-only after the text is copied in,
// in cases where no text needs changing; the call must give the same code and
// hand back the same texts as the same call with writable copies. Where a
// change is due, it is shown on writable copies byte for byte, and a
// read-only run of it is caught writing. On POSIX systems each read-only run
// happens in a child process whose fault handler names the export and the
// argument it wrote into; on Windows the run stays in the test program and a
// vectored exception handler names them before it ends the program.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#else
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "support.h"

namespace kelmod_test {
namespace {

using namespace std::string_literals;

// ---- The exports ------------------------------------------------------

// How many char* (text) parameters a function type has; char** results and
// records do not count.
template <class F>
struct TextParameters;
template <class... A>
struct TextParameters<ErrorCode (*)(A...)> {
  static constexpr int value = (0 + ... + (std::is_same_v<A, char*> ? 1 : 0));
};

struct Export {
  const char* name;
  int texts;  // 0: takes no text
};

#define KELMOD_EXPORT(f) Export{#f, TextParameters<decltype(&::f)>::value}

// Every export of kelmod.h, in the order of the header.
const Export kExports[] = {
    KELMOD_EXPORT(ZanInitToolbox),
    KELMOD_EXPORT(ZanConfigureToolbox),
    KELMOD_EXPORT(ZanToolboxVersion),
    KELMOD_EXPORT(ZanGetErrorMessage),
    KELMOD_EXPORT(ZanFillInterface),
    KELMOD_EXPORT(ZanDescribeInterface),
    KELMOD_EXPORT(ZanCreateTable),
    KELMOD_EXPORT(ZanCreateFillTable),
    KELMOD_EXPORT(ZanFillTable),
    KELMOD_EXPORT(ZanCreateSendstr),
    KELMOD_EXPORT(ZanCreateSendstrBomHead),
    KELMOD_EXPORT(ZanGetTableValue),
    KELMOD_EXPORT(ZanWriteTableValue),
    KELMOD_EXPORT(ZanModifyTableValue),
    KELMOD_EXPORT(ZanDeleteTableEntry),
    KELMOD_EXPORT(ZanDescribeTable),
    KELMOD_EXPORT(ZanGetAttributName),
    KELMOD_EXPORT(ZanGetAttributNameValue),
    KELMOD_EXPORT(ZanSearchAttribut),
    KELMOD_EXPORT(ZanCreateFillUserTable),
    KELMOD_EXPORT(ZanWriteKonfiguration),
    KELMOD_EXPORT(ZanPrintTable),
    KELMOD_EXPORT(ZanCreateHlpTable),
    KELMOD_EXPORT(ZanFillHlpTable),
    KELMOD_EXPORT(ZanGetHlpData),
    KELMOD_EXPORT(ZanGetHlpDescription),
    KELMOD_EXPORT(ZanFindHelpTable),
    KELMOD_EXPORT(ZanCreateFillTableMcd),
    KELMOD_EXPORT(ZanCreateSendstrMcd),
    KELMOD_EXPORT(ZanGetMcdValue),
    KELMOD_EXPORT(ZanGetMcdDescription),
    KELMOD_EXPORT(ZanWriteMcdValue),
    KELMOD_EXPORT(ZanCreateSendstrHelp),
    KELMOD_EXPORT(ZanCreateSendstrMessageK4),
    KELMOD_EXPORT(ZanCreateFillClasTableK4),
    KELMOD_EXPORT(ZanCreateFillClasHierarchTableK4),
    KELMOD_EXPORT(ZanCreateSendstrClasK4),
    KELMOD_EXPORT(ZanCreateSendstrClasScopeK4),
    KELMOD_EXPORT(ZanCreateSendstrClasSelectK4),
    KELMOD_EXPORT(ZanCreateSendstrClasSelScopeK4),
    KELMOD_EXPORT(ZanCreateSendstrClasSearchK4),
    KELMOD_EXPORT(ZanGetClasDataK4),
    KELMOD_EXPORT(ZanGetClasHierarchDataK4),
    KELMOD_EXPORT(ZanGetClasSearchDataK4),
    KELMOD_EXPORT(ZanGetObjectDataK4),
    KELMOD_EXPORT(ZanCreateMailTable),
    KELMOD_EXPORT(ZanDescribeMailTable),
    KELMOD_EXPORT(ZanGetMailData),
    KELMOD_EXPORT(ZanWriteMailValue),
    KELMOD_EXPORT(ZanCreateSendstrMail),
    KELMOD_EXPORT(ZanCreateSmlTable),
    KELMOD_EXPORT(ZanFillSmlTable),
    KELMOD_EXPORT(ZanDeleteSmlSelection),
    KELMOD_EXPORT(ZanGetSmlDescription),
    KELMOD_EXPORT(ZanGetSmlData),
    KELMOD_EXPORT(ZanGetSmlAttributData),
    KELMOD_EXPORT(ZanWriteSmlValue),
    KELMOD_EXPORT(ZanCreateSendstrSml),
    KELMOD_EXPORT(ZanGetSmlDataK4),
    KELMOD_EXPORT(ZanGetSmlAttributDataK4),
    KELMOD_EXPORT(ZanGetSmlDataValueK4),
    KELMOD_EXPORT(ZanGetSmlValueDescriptionK4),
    KELMOD_EXPORT(ZanCreateFillPosSmlValueTableK4),
    KELMOD_EXPORT(ZanCreateSendstrPosSmlValuesK4),
};

#undef KELMOD_EXPORT

int TextsOf(const std::string& name) {
  for (const Export& e : kExports)
    if (name == e.name) return e.texts;
  return -1;
}

// ---- Text arguments in writable or read-only memory --------------------

std::size_t PageSize() {
#if defined(_WIN32)
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  return info.dwPageSize;
#else
  return static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
#endif
}

// The text arguments of one call. Each stands at the start of pages of its
// own, writable or protected read-only once the text is in place, so that
// any write into it faults and the fault's address tells which it was.
class Args {
 public:
  explicit Args(bool readOnly) : readOnly_(readOnly) {}
  ~Args() {
    for (const Slot& slot : slots_) Unmap(slot.base, slot.size);
  }
  Args(const Args&) = delete;
  Args& operator=(const Args&) = delete;

  // A NUL-terminated text.
  char* Text(const char* name, const std::string& text) { return Bytes(name, text + '\0'); }
  // Exactly these bytes (a buffer the call may fill).
  char* Bytes(const char* name, const std::string& bytes) { return Add(name, bytes, false); }
  // A buffer that only receives a result (ZanFindHelpTable's direction, the
  // name buffer of ZanGetAttributNameValue): the call writes it whenever it
  // has a result, and never reads it first, so it is never read-only.
  char* Result(const char* name, const std::string& bytes) { return Add(name, bytes, true); }
  bool isResult(std::size_t i) const { return slots_[i].result; }

  std::size_t size() const { return slots_.size(); }
  const char* name(std::size_t i) const { return slots_[i].name; }
  const std::string& before(std::size_t i) const { return slots_[i].before; }
  std::string now(std::size_t i) const { return {slots_[i].base, slots_[i].before.size()}; }
  // The name of the argument whose pages hold address; null for none. Only
  // reads, so a fault handler may call it.
  const char* owner(const void* address) const noexcept {
    const char* at = static_cast<const char*>(address);
    for (const Slot& slot : slots_)
      if (at >= slot.base && at < slot.base + slot.size) return slot.name;
    return nullptr;
  }

 private:
  struct Slot {
    const char* name;
    char* base;
    std::size_t size;
    std::string before;
    bool result;
  };

  char* Add(const char* name, const std::string& bytes, bool result) {
    const std::size_t size = (bytes.size() / PageSize() + 1) * PageSize();
    char* base = Map(size);
    std::memcpy(base, bytes.data(), bytes.size());
    slots_.push_back({name, base, size, bytes, result});
    if (readOnly_ && !result) Protect(base, size);
    return base;
  }

  static char* Map(std::size_t size) {
#if defined(_WIN32)
    void* p = VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (p == nullptr) throw std::runtime_error("VirtualAlloc failed");
#else
    void* p = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) throw std::runtime_error("mmap failed");
#endif
    return static_cast<char*>(p);
  }
  static void Protect(char* base, std::size_t size) {
#if defined(_WIN32)
    DWORD old = 0;
    if (!VirtualProtect(base, size, PAGE_READONLY, &old))
      throw std::runtime_error("VirtualProtect failed");
#else
    if (mprotect(base, size, PROT_READ) != 0) throw std::runtime_error("mprotect failed");
#endif
  }
  static void Unmap(char* base, std::size_t size) {
#if defined(_WIN32)
    (void)size;
    VirtualFree(base, 0, MEM_RELEASE);
#else
    munmap(base, size);
#endif
  }

  bool readOnly_;
  std::vector<Slot> slots_;
};

// ---- What a call gives ------------------------------------------------

// The code of the call and the texts it handed back, followed by what reads
// after it show of the tables it changed.
struct Outcome {
  int32_t code = 0;
  std::vector<std::string> texts;
  bool operator==(const Outcome&) const = default;
};

void PrintTo(const Outcome& o, std::ostream* out) {
  *out << "code " << o.code << " {";
  for (std::size_t i = 0; i < o.texts.size(); ++i)
    *out << (i ? ", " : "") << ::testing::PrintToString(o.texts[i]);
  *out << "}";
}

std::string Str(const char* text) { return text != nullptr ? text : "<null>"; }
// The text handed back, or "#code" after a failure (text is read once the
// call has set it).
std::string Got(int32_t rc, char* const& text) {
  return rc == 0 ? Str(text) : "#" + std::to_string(rc);
}

// Reads with writable arguments, for the state after a call.
std::string TableValue(int32_t type, const std::string& field, int32_t record) {
  Arg f(field);
  char* value = nullptr;
  return Got(ZanGetTableValue(type, f.get(), record, &value), value);
}
std::string TableCount(int32_t type) {
  char* count = nullptr;
  return Got(ZanDescribeTable(type, &count), count);
}
std::string SendTable() {
  char* out = nullptr;
  return Got(ZanCreateSendstr(&out), out);
}
// The field names of a table by position, joined by ','.
std::string FieldNames(int32_t type) {
  std::string names;
  char name[12];
  char* value = nullptr;
  for (int32_t f = 1; ZanGetAttributNameValue(type, f, 1, name, &value) == 0; ++f)
    names += (f > 1 ? "," : "") + std::string(name);
  return names;
}
std::string Attribute(const AttributeRecord& a) {
  return std::string(a.setName) + "|" + a.fieldName + "|" + a.length + "|" + a.description;
}
std::string Members(const CharacteristicData& d) {
  std::string out;
  for (const char* text : {d.name, d.fieldName, d.dinLetter, d.input, d.unit, d.format,
                           d.template_, d.selection, d.parameter})
    out += Str(text) + "|";
  return out + std::to_string(d.length) + "," + std::to_string(d.width) + "," +
         std::to_string(d.decimals) + "|" + Str(d.value);
}
std::string Members(const SmlCharacteristicData& d) {
  std::string out;
  for (const char* text :
       {d.name, d.description, d.mandatory, d.inherited, d.valuated, d.dataType, d.singleValue,
        d.interval, d.additionalValues, d.sign, d.exponentDisplay, d.exponentFormat,
        d.template_, d.lowerCase, d.unit, d.dinLetter, d.documentType, d.documentNumber,
        d.documentPart, d.documentVersion, d.view0, d.view1, d.view2, d.view3, d.view4, d.view5,
        d.view6, d.view7, d.view8, d.view9, d.sendText1, d.sendText2})
    out += Str(text) + "|";
  return out + std::to_string(d.digits) + "," + std::to_string(d.decimals) + "|" + Str(d.value);
}
std::string Message(int32_t code) {
  MessageRecord m{};
  const int32_t rc = ZanGetErrorMessage(code, &m);
  return rc != 0 ? "#" + std::to_string(rc)
                 : std::string(m.type) + "|" + m.shortText + "|" + m.longText;
}
std::string Interface() {
  std::string out;
  for (int32_t mode = 1; mode <= 6; ++mode) {
    char* value = nullptr;
    out += (mode > 1 ? "|" : "") + Got(ZanDescribeInterface(mode, &value), value);
  }
  return out;
}
// The lines of a file that begin with one of the prefixes, joined by '|'.
std::string FileLines(const std::string& path, std::initializer_list<const char*> prefixes) {
  std::istringstream in(ReadFile(path));
  std::string line, out;
  while (std::getline(in, line))
    for (const char* prefix : prefixes)
      if (line.rfind(prefix, 0) == 0) out += (out.empty() ? "" : "|") + line;
  return out;
}
template <std::size_t N, class Read>
std::string ClassRecord(Read read, int32_t mode, int32_t record) {
  char* values[N] = {};
  const int32_t rc = read(mode, record, values);
  if (rc != 0) return "#" + std::to_string(rc);
  std::string out;
  for (std::size_t i = 0; i < N; ++i) out += (i ? "|" : "") + Str(values[i]);
  return out;
}
std::string HelpValue(int32_t column, int32_t line) {
  CharacteristicData d{};
  const int32_t rc = ZanGetHlpData(1, column, line, &d);
  return rc != 0 ? "#" + std::to_string(rc) : Str(d.name) + "=" + Str(d.value);
}
std::string McdValue(const std::string& attribute, int32_t record) {
  Arg a(attribute);
  char* value = nullptr;
  return Got(ZanGetMcdValue(a.get(), record, &value), value);
}
std::string MailValue(int32_t type, const std::string& field, int32_t n) {
  Arg f(field);
  char* value = nullptr;
  return Got(ZanGetMailData(type, 0, f.get(), n, &value), value);
}
std::string BarValue(int32_t type, int32_t position, int32_t n) {
  CharacteristicData d{};
  const int32_t rc = ZanGetSmlData(type, position, n, &d);
  return rc != 0 ? "#" + std::to_string(rc) : Members(d);
}
std::string K4Value(int32_t mode, const std::string& name, int32_t object, int32_t n) {
  Arg a(name);
  char* value = nullptr;
  return Got(ZanGetSmlDataValueK4(mode, a.get(), 0, object, n, &value), value);
}
std::string K4Send(int32_t mode) {
  char* out = nullptr;
  return Got(ZanCreateSendstrSml(mode, &out), out);
}

// ---- The files the calls read and write --------------------------------

struct Files {
  std::string index;       // set index file
  std::string defs;        // field definition file
  std::string tableIndex;  // table index file (type 4)
  std::string messages;    // message file
  std::string print;       // written by ZanPrintTable
  std::string konfig;      // written by ZanWriteKonfiguration
};
Files gFiles;

std::string SetIndexLine(const std::string& name, const std::string& key,
                         const std::string& direction, std::string set) {
  set.resize(7, ' ');  // taken as it stands, 7 columns wide
  return Columns({{3, name}, {10, key}, {14, direction}, {17, set}}) + "\n";
}
std::string DefinitionLine(const std::string& set, const std::string& field,
                           const std::string& length, const std::string& description = "") {
  return Columns({{3, set}, {11, field}, {30, length}, {33, description}}) + "\n";
}

// A writable copy of a text for the calls that build the tables.
struct W {
  explicit W(const std::string& text) : arg(text) {}
  operator char*() { return arg.get(); }
  Arg arg;
};

// Builds the type-2 answer table MATNR (3) / QTY (2) with two records.
void AnswerTable() {
  ASSERT_EQ(ZanCreateFillTable(2, W("MAT  "), W("01"), W(gFiles.index), W(gFiles.defs),
                               W("100ab200cd"), 10),
            0);
}
// The send table OUTA (3) / OUTB (2) with one record.
void SendTable1() {
  ASSERT_EQ(ZanCreateTable(1, W("MAT  "), W("01"), W(gFiles.index), W(gFiles.defs)), 0);
  ASSERT_EQ(ZanWriteTableValue(1, W("OUTA"), W("a"), 0), 0);
}
const std::string kSmlHead = "H1;H2;H3;H4;H5;";
// The older characteristic bar: L/Laenge and B/Breite, one value each.
void OlderBar() {
  const std::string desc = kSmlHead + "L;Laenge;A;;mm;N;;6;1;B;Breite;;;cm;N;;4;0;";
  ASSERT_EQ(ZanCreateSmlTable(1, W(desc), static_cast<int32_t>(desc.size())), 0);
  ASSERT_EQ(ZanFillSmlTable(2, W("12.5;mm;3;cm;"), 13), 0);
}
// The 32 description fields of a characteristic of the newer bar.
std::string K4Record(const std::string& name) {
  std::string out = name + ";" + name + "-text;";
  for (int k = 3; k <= 32; ++k) out += (k == 10 ? "3" : "t" + std::to_string(k)) + ";";
  return out;
}
// The newer characteristic bar: N1 and N2, values v1 and v2 for N1.
void NewerBar() {
  const std::string desc = "K1;K2;K3;K4;K5;" + K4Record("N1") + K4Record("N2");
  ASSERT_EQ(ZanCreateSmlTable(1, W(desc), static_cast<int32_t>(desc.size())), 0);
  ASSERT_EQ(ZanFillSmlTable(2, W("N1;v1;N1;v2;"), 12), 0);
}
// One object of an object string: fourteen texts, the pairs, the closing field.
std::string Object(const std::string& key, const std::string& pairs) {
  std::string out;
  for (int k = 1; k <= 14; ++k) out += key + std::to_string(k) + ";";
  return out + pairs + ";";
}
void Matchcodes() { ASSERT_EQ(ZanCreateFillTableMcd(1, W("ID1;S1;T1;ID2;S2;T2;"), 20), 0); }
void MailTable5() { ASSERT_EQ(ZanCreateMailTable(5, W("P1;V1;P2;V2;"), 12), 0); }
void Nothing() {}

// ---- The cases ----------------------------------------------------------

// One call of an export. `call` passes every text argument through the Args
// it is given (writable or read-only) and returns what the call gave.
struct Case {
  const char* exportName;
  const char* tag;                 // names the case in the test's name
  const char* release;             // the release of the interface record
  std::function<void()> prepare;   // builds the tables the call works on
  std::function<Outcome(Args&)> call;
  Outcome expected;
  // Only where a change is due: the arguments that change, each with its
  // bytes after the call on writable copies (every other argument keeps its
  // bytes), and the argument a read-only run writes first.
  std::vector<std::pair<std::string, std::string>> after = {};
  const char* writes = nullptr;
};

constexpr const char* kNewer = "46C ";  // release family 5: the newer form
constexpr const char* kOlder = "50A ";  // release family 1: the older form

int32_t Len(const std::string& text) { return static_cast<int32_t>(text.size()); }

// Calls where no text needs changing: every text is only read.
std::vector<Case> UnchangedCases() {
  std::vector<Case> cases;
  const auto add = [&](Case c) { cases.push_back(std::move(c)); };

  // -- Toolbox core
  add({"ZanConfigureToolbox", "MessageFile", kNewer, Nothing,
       [](Args& a) {
         const int32_t rc = ZanConfigureToolbox(1, a.Text("path", gFiles.messages));
         return Outcome{rc, {Message(41)}};
       },
       {0, {"E|No such field|The field is not in the table."}}});
  add({"ZanConfigureToolbox", "TableIndexFile", kNewer, Nothing,
       [](Args& a) {
         const int32_t rc = ZanConfigureToolbox(2, a.Text("path", gFiles.tableIndex));
         Arg name("MAT"), key("01"), index(gFiles.index), defs(gFiles.defs);
         const int32_t created = ZanCreateTable(4, name.get(), key.get(), index.get(), defs.get());
         return Outcome{rc, {std::to_string(created), FieldNames(4)}};
       },
       {0, {"0", "F4A,F4B"}}});
  add({"ZanFillInterface", "Record", kNewer, Nothing,
       [](Args& a) {
         const int32_t rc = ZanFillInterface(a.Text("record", "22A XY/ZINTERFACE1"), 18);
         return Outcome{rc, {Interface()}};
       },
       {0, {"/|22A |X|Y|INTERFACE1|Z"}}});

  // -- Generic record tables
  add({"ZanCreateTable", "SendTable", kNewer, Nothing,
       [](Args& a) {
         const int32_t rc = ZanCreateTable(1, a.Text("name", "MAT  "), a.Text("key", "01"),
                                           a.Text("setIndexPath", gFiles.index),
                                           a.Text("definitionPath", gFiles.defs));
         return Outcome{rc, {FieldNames(1)}};
       },
       {0, {"OUTA,OUTB"}}});
  add({"ZanCreateFillTable", "FixedWidth", kNewer, Nothing,
       [](Args& a) {
         const int32_t rc = ZanCreateFillTable(
             2, a.Text("name", "MAT  "), a.Text("key", "01"), a.Text("setIndexPath", gFiles.index),
             a.Text("definitionPath", gFiles.defs), a.Text("data", "100ab200cd"), 10);
         return Outcome{rc, {TableCount(2), TableValue(2, "MATNR", 2), TableValue(2, "QTY", 1)}};
       },
       {0, {"2", "200", "ab"}}});
  // Type 4 cuts the data at length: a string that ends there already (its
  // NUL stands at length) and one shorter than length need no cut.
  for (const int32_t length : {11, 20})
    add({"ZanCreateFillTable",
         length == 11 ? "SeparatedEndingAtLength" : "SeparatedShorterThanLength", kNewer,
         [] { ASSERT_EQ(ZanConfigureToolbox(2, W(gFiles.tableIndex)), 0); },
         [length](Args& a) {
           const int32_t rc = ZanCreateFillTable(
               4, a.Text("name", "MAT"), a.Text("key", "01"), a.Text("setIndexPath", gFiles.index),
               a.Text("definitionPath", gFiles.defs), a.Text("data", "A;B;CCCC;D;"), length);
           return Outcome{rc, {TableCount(4), TableValue(4, "F4A", 2), TableValue(4, "F4B", 2)}};
         },
         {0, {"2", "CCC", "D"}}});
  add({"ZanFillTable", "FixedWidth", kNewer, AnswerTable,
       [](Args& a) {
         const int32_t rc = ZanFillTable(2, a.Text("data", "300ef"), 5);
         return Outcome{rc, {TableCount(2), TableValue(2, "MATNR", 3)}};
       },
       {0, {"3", "300"}}});
  add({"ZanGetTableValue", "NameWithoutBlanks", kNewer, AnswerTable,
       [](Args& a) {
         char* value = nullptr;
         const int32_t rc = ZanGetTableValue(2, a.Text("fieldName", "MATNR"), 2, &value);
         return Outcome{rc, {Str(value)}};
       },
       {0, {"200"}}});
  add({"ZanWriteTableValue", "ValueThatFits", kNewer, SendTable1,
       [](Args& a) {
         // The name is compared without its trailing blanks, which stay.
         const int32_t rc = ZanWriteTableValue(1, a.Text("fieldName", "OUTB  "),
                                               a.Text("value", "xy"), 0);
         return Outcome{rc, {SendTable()}};
       },
       {0, {"a  xy"}}});
  add({"ZanWriteTableValue", "ValueAsLongAsTheField", kNewer, SendTable1,
       [](Args& a) {
         const int32_t rc =
             ZanWriteTableValue(1, a.Text("fieldName", "OUTA"), a.Text("value", "abc"), 1);
         return Outcome{rc, {TableValue(1, "OUTA", 2), SendTable()}};
       },
       {0, {"abc", "a    abc  "}}});
  add({"ZanWriteTableValue", "UserTable", kNewer,
       [] { ASSERT_EQ(ZanCreateFillUserTable(1, 1, W("u1;"), 3), 0); },
       [](Args& a) {
         const int32_t rc =
             ZanWriteTableValue(10, a.Text("fieldName", "PARA1"), a.Text("value", "u2"), 0);
         return Outcome{rc, {TableValue(10, "PARA1", 1)}};
       },
       {0, {"u2"}}});
  add({"ZanModifyTableValue", "TrimmedValueThatFits", kNewer, AnswerTable,
       [](Args& a) {
         const int32_t rc =
             ZanModifyTableValue(2, a.Text("fieldName", "MATNR"), a.Text("value", "xyz"), 2);
         return Outcome{rc, {TableValue(2, "MATNR", 1), TableValue(2, "MATNR", 2)}};
       },
       {0, {"100", "xyz"}}});
  add({"ZanGetAttributName", "SecondDefinition", kNewer, Nothing,
       [](Args& a) {
         AttributeRecord r{};
         const int32_t rc = ZanGetAttributName(2, a.Text("name", "MAT  "), a.Text("key", "01"),
                                               a.Text("setIndexPath", gFiles.index),
                                               a.Text("definitionPath", gFiles.defs), 1, &r);
         return Outcome{rc, {Attribute(r)}};
       },
       {0, {"SETD   |MATNR|3  |Material number"}}});
  // The name buffer only receives the name: it is written, never read.
  add({"ZanGetAttributNameValue", "NameIntoAResultBuffer", kNewer, AnswerTable,
       [](Args& a) {
         char* value = nullptr;
         const int32_t rc = ZanGetAttributNameValue(
             2, 2, 2, a.Result("fieldName", "QTY" + std::string(9, '\0')), &value);
         return Outcome{rc, {Str(value)}};
       },
       {0, {"cd"}}});
  add({"ZanSearchAttribut", "FieldName", kNewer, Nothing,
       [](Args& a) {
         AttributeRecord r{};
         const int32_t rc = ZanSearchAttribut(
             1, a.Text("name", "MAT  "), a.Text("key", "01"), a.Text("setIndexPath", gFiles.index),
             a.Text("definitionPath", gFiles.defs), a.Text("fieldName", "OUTB"), &r);
         return Outcome{rc, {Attribute(r)}};
       },
       {0, {"SETU   |OUTB|2  |"}}});
  add({"ZanCreateFillUserTable", "TwoRecords", kNewer, Nothing,
       [](Args& a) {
         const int32_t rc = ZanCreateFillUserTable(1, 2, a.Text("data", "a;b;c;d;"), 8);
         return Outcome{rc, {TableCount(10), TableValue(10, "PARA2", 2)}};
       },
       {0, {"2", "d"}}});
  add({"ZanWriteKonfiguration", "SetIndexFile", kNewer, Nothing,
       [](Args& a) {
         const int32_t rc = ZanWriteKonfiguration(3, a.Text("data", "MAT;01;D;SETD;"), 14,
                                                  a.Text("path", gFiles.konfig));
         return Outcome{rc, {FileLines(gFiles.konfig, {"  "})}};
       },
       {0, {"  MAT    01  D  SETD"}}});
  add({"ZanPrintTable", "AnswerTable", kNewer, AnswerTable,
       [](Args& a) {
         const int32_t rc = ZanPrintTable(2, a.Text("path", gFiles.print));
         return Outcome{rc, {FileLines(gFiles.print, {"Feldname", "Wert"})}};
       },
       {0,
        {"Feldname.......: MATNR|Wert.000001.: 100|Wert.000002.: 200|"
         "Feldname.......: QTY|Wert.000001.: ab|Wert.000002.: cd"}}});

  // -- Help tables, matchcode tables, requests
  add({"ZanCreateHlpTable", "ColumnDescription", kNewer, Nothing,
       [](Args& a) {
         const int32_t rc = ZanCreateHlpTable(1, a.Text("data", "Material;8;;Text;4;X;"), 21);
         return Outcome{rc, {HelpValue(1, 0), HelpValue(2, 0)}};
       },
       {0, {"Material=        ", "Text=    "}}});
  add({"ZanFillHlpTable", "TwoLines", kNewer,
       [] { ASSERT_EQ(ZanCreateHlpTable(1, W("Material;8;;Text;4;X;"), 21), 0); },
       [](Args& a) {
         const int32_t rc = ZanFillHlpTable(1, a.Text("data", "m1;t1;m2;t2;"), 12);
         return Outcome{rc, {HelpValue(1, 2), HelpValue(2, 1)}};
       },
       {0, {"Material=m2      ", "Text=t1  "}}});
  // direction already holds the letter the search finds, or the search
  // finds nothing: nothing to write.
  const struct {
    const char *tag, *name, *key, *field, *direction;
    int32_t code;
  } finds[] = {
      {"FoundInDirectionU", "MAT  ", "01", "OUTA", "U", 0},
      {"FoundInDirectionD", "MAT  ", "01", "MATNR", "D", 0},
      {"CharacteristicHelpTable", "EQICH", "xx", "HELPF", "D", 0},
      {"NotFound", "MAT  ", "01", "NONE", "?", 73},
  };
  for (const auto& f : finds)
    add({"ZanFindHelpTable", f.tag, kNewer, Nothing,
         [f](Args& a) {
           char* direction = a.Result("direction", std::string(f.direction) + '\0');
           const int32_t rc = ZanFindHelpTable(
               a.Text("name", f.name), a.Text("key", f.key), a.Text("fieldName", f.field),
               a.Text("setIndexPath", gFiles.index), a.Text("definitionPathU", gFiles.defs),
               a.Text("definitionPathD", gFiles.defs), direction);
           return Outcome{rc, {std::string(1, *direction)}};
         },
         {f.code, {f.direction}}});
  add({"ZanCreateFillTableMcd", "List", kNewer, Nothing,
       [](Args& a) {
         const int32_t rc = ZanCreateFillTableMcd(1, a.Text("data", "ID1;S1;T1;ID2;S2;T2;"), 20);
         return Outcome{rc, {McdValue("ID", 2), McdValue("SUBID", 2), McdValue("TEXT01", 1)}};
       },
       {0, {"ID2", "S2", "T1"}}});
  add({"ZanCreateSendstrMcd", "Request", kNewer,
       [] {
         Matchcodes();
         ASSERT_EQ(ZanWriteMcdValue(1, 2, W("w2")), 0);
       },
       [](Args& a) {
         char* out = nullptr;
         const int32_t rc =
             ZanCreateSendstrMcd(1, a.Text("reserved1", "r1"), a.Text("reserved2", "r2"), &out);
         return Outcome{rc, {Str(out)}};
       },
       {0, {".w2."}}});
  add({"ZanGetMcdValue", "Text", kNewer, Matchcodes,
       [](Args& a) {
         char* value = nullptr;
         const int32_t rc = ZanGetMcdValue(a.Text("attribute", "TEXT02"), 2, &value);
         return Outcome{rc, {Str(value)}};
       },
       {0, {"T2"}}});
  add({"ZanWriteMcdValue", "ValueWithoutTrailingBlanks", kNewer, Matchcodes,
       [](Args& a) {
         const int32_t rc = ZanWriteMcdValue(1, 1, a.Text("value", "  w1"));
         return Outcome{rc, {McdValue("WERT", 1)}};
       },
       {0, {"  w1"}}});
  add({"ZanCreateSendstrHelp", "FourParts", kNewer, Nothing,
       [](Args& a) {
         char* out = nullptr;
         const int32_t rc = ZanCreateSendstrHelp(a.Text("part1", "MAT "), a.Text("part2", "01"),
                                                 a.Text("part3", ""), a.Text("part4", " x"), &out);
         return Outcome{rc, {Str(out)}};
       },
       {0, {"MAT ;01;; x;"}}});
  add({"ZanCreateSendstrMessageK4", "MessageText", kNewer, Nothing,
       [](Args& a) {
         char* out = nullptr;
         const int32_t rc = ZanCreateSendstrMessageK4(a.Text("message", "E01234 text"), 11, &out);
         return Outcome{rc, {Str(out)}};
       },
       {0, {"01;234;"}}});

  // -- Classification
  add({"ZanCreateFillClasTableK4", "ClassEntries", kNewer, Nothing,
       [](Args& a) {
         int32_t count = 0;
         const int32_t rc = ZanCreateFillClasTableK4(
             1, a.Text("data", "C1;F1;D1;I1;U1;C2 ;F2;D2;I2;U2;"), 31, &count);
         return Outcome{rc,
                        {std::to_string(count), ClassRecord<5>(ZanGetClasDataK4, 1, 2)}};
       },
       {0, {"2", "C2|F2|D2|I2|U2"}}});
  add({"ZanCreateFillClasHierarchTableK4", "OneRecord", kNewer, Nothing,
       [](Args& a) {
         int32_t count = 0;
         const int32_t rc =
             ZanCreateFillClasHierarchTableK4(1, a.Text("data", "H1;H2;H3;H4;H5;H6;"), 18, &count);
         return Outcome{rc, {std::to_string(count),
                             ClassRecord<6>(ZanGetClasHierarchDataK4, 1, 1)}};
       },
       {0, {"1", "H1|H2|H3|H4|H5|H6"}}});
  add({"ZanCreateSendstrClasK4", "EightValues", kNewer, Nothing,
       [](Args& a) {
         char* out = nullptr;
         const int32_t rc = ZanCreateSendstrClasK4(
             a.Text("v1", "A"), a.Text("v2", "B "), a.Text("v3", ""), a.Text("v4", "D"),
             a.Text("v5", "E"), a.Text("v6", "F"), a.Text("v7", "G"), a.Text("v8", "H"), &out);
         return Outcome{rc, {Str(out)}};
       },
       {0, {"A;B ;;D;E;F;G;H;"}}});
  add({"ZanCreateSendstrClasScopeK4", "SixValues", kNewer, Nothing,
       [](Args& a) {
         char* out = nullptr;
         const int32_t rc = ZanCreateSendstrClasScopeK4(a.Text("v1", "A"), a.Text("v2", "B"),
                                                        a.Text("v3", "C"), a.Text("v4", "D"),
                                                        a.Text("v5", "E"), a.Text("v6", "F"), &out);
         return Outcome{rc, {Str(out)}};
       },
       {0, {"A;B;C;D;E;F;"}}});
  add({"ZanCreateSendstrClasSelectK4", "ElevenValues", kNewer, Nothing,
       [](Args& a) {
         char* out = nullptr;
         const int32_t rc = ZanCreateSendstrClasSelectK4(
             a.Text("v1", "1"), a.Text("v2", "2"), a.Text("v3", "3"), a.Text("v4", "4"),
             a.Text("v5", "5"), a.Text("v6", "6"), a.Text("v7", "7"), a.Text("v8", "8"),
             a.Text("v9", "9"), a.Text("v10", "10"), a.Text("v11", "11"), &out);
         return Outcome{rc, {Str(out)}};
       },
       {0, {"1;2;3;4;5;6;7;8;9;10;11;"}}});
  add({"ZanCreateSendstrClasSelScopeK4", "EightValues", kNewer, Nothing,
       [](Args& a) {
         char* out = nullptr;
         const int32_t rc = ZanCreateSendstrClasSelScopeK4(
             a.Text("v1", "a"), a.Text("v2", "b"), a.Text("v3", "c"), a.Text("v4", "d"),
             a.Text("v5", "e"), a.Text("v6", "f"), a.Text("v7", "g"), a.Text("v8", "h"), &out);
         return Outcome{rc, {Str(out)}};
       },
       {0, {"a;b;c;d;e;f;g;h;"}}});
  add({"ZanCreateSendstrClasSearchK4", "Mode3", kNewer, Nothing,
       [](Args& a) {
         char* out = nullptr;
         const int32_t rc = ZanCreateSendstrClasSearchK4(
             3, a.Text("v1", "A"), a.Text("v2", "B"), a.Text("v3", "C"), a.Text("v4", "D"),
             a.Text("v5", "E"), a.Text("v6", "F"), a.Text("v7", "G"), &out);
         return Outcome{rc, {Str(out)}};
       },
       {0, {"A;B;C;D;F;G;"}}});

  // -- Mail
  add({"ZanCreateMailTable", "TwoMails", kNewer, Nothing,
       [](Args& a) {
         const int32_t rc = ZanCreateMailTable(5, a.Text("data", "P1;V1;P2;V2;"), 12);
         return Outcome{rc, {MailValue(5, "PARNAM", 2), MailValue(5, "PARVAL", 1)}};
       },
       {0, {"P2", "V1"}}});
  // A read by name leaves the name as it is.
  add({"ZanGetMailData", "ByName", kNewer, MailTable5,
       [](Args& a) {
         char* value = nullptr;
         const int32_t rc = ZanGetMailData(5, 0, a.Text("fieldName", "PARVAL"), 2, &value);
         return Outcome{rc, {Str(value)}};
       },
       {0, {"V2"}}});
  add({"ZanWriteMailValue", "ValueWithoutTrailingBlanks", kNewer, MailTable5,
       [](Args& a) {
         const int32_t rc =
             ZanWriteMailValue(5, 0, a.Text("fieldName", "PARVAL"), 1, a.Text("value", " nv"));
         return Outcome{rc, {MailValue(5, "PARVAL", 1), BarValue(7, 2, 1)}};
       },
       {0, {"nv", "PARVAL|||||C||||2,0,0| nv"}}});

  // -- Characteristic bars
  add({"ZanCreateSmlTable", "OlderForm", kOlder, Nothing,
       [](Args& a) {
         const std::string desc = kSmlHead + "L;Laenge;A;;mm;N;;6;1;";
         const int32_t rc = ZanCreateSmlTable(1, a.Text("data", desc), Len(desc));
         return Outcome{rc, {BarValue(1, 1, 0)}};
       },
       {0, {"L|Laenge|A||mm|N||||6,0,1|"}}});
  add({"ZanCreateSmlTable", "NewerForm", kNewer, Nothing,
       [](Args& a) {
         const std::string desc = "K1;K2;K3;K4;K5;" + K4Record("N1");
         const int32_t rc = ZanCreateSmlTable(1, a.Text("data", desc), Len(desc));
         return Outcome{rc, {TableCount(6), K4Send(1)}};
       },
       {0, {"1", "N1;;;"}}});
  add({"ZanFillSmlTable", "OlderValues", kOlder,
       [] {
         const std::string desc = kSmlHead + "L;Laenge;A;;mm;N;;6;1;";
         ASSERT_EQ(ZanCreateSmlTable(1, W(desc), Len(desc)), 0);
       },
       [](Args& a) {
         const int32_t rc = ZanFillSmlTable(2, a.Text("data", "12.5;cm;"), 8);
         return Outcome{rc, {BarValue(1, 1, 1)}};
       },
       {0, {"L|Laenge|A||cm|N||||6,4,1|12.5"}}});
  // Newer mode 1 cuts the data at length: a string whose NUL stands at
  // length needs no cut, nor one shorter than length.
  for (const int32_t extra : {0, 5})
    add({"ZanFillSmlTable",
         extra == 0 ? "NewerObjectsEndingAtLength" : "NewerObjectsShorterThanLength", kNewer,
         NewerBar,
         [extra](Args& a) {
           const std::string data = Object("a", "N1;x;") + Object("b", "N2;y;");
           const int32_t rc = ZanFillSmlTable(1, a.Text("data", data), Len(data) + extra);
           char* count = nullptr;
           const std::string objects = Got(ZanGetSmlDescription(2, &count), count);
           return Outcome{rc, {objects, K4Value(1, "N2", 2, 1)}};
         },
         {0, {"2", "y"}}});
  add({"ZanFillSmlTable", "NewerValues", kNewer,
       [] {
         const std::string desc = "K1;K2;K3;K4;K5;" + K4Record("N1");
         ASSERT_EQ(ZanCreateSmlTable(1, W(desc), Len(desc)), 0);
       },
       [](Args& a) {
         const int32_t rc = ZanFillSmlTable(2, a.Text("data", "N1;v1;"), 6);
         return Outcome{rc, {K4Value(2, "N1", 0, 1)}};
       },
       {0, {"v1"}}});
  add({"ZanGetSmlAttributData", "ByFieldName", kOlder, OlderBar,
       [](Args& a) {
         CharacteristicData d{};
         const int32_t rc = ZanGetSmlAttributData(2, a.Text("key", "Breite"), 1, &d);
         return Outcome{rc, {Members(d)}};
       },
       {0, {"B|Breite|||cm|N||||4,1,0|3"}}});
  add({"ZanWriteSmlValue", "OlderTextWithoutTrailingBlanks", kOlder, OlderBar,
       [](Args& a) {
         const int32_t rc =
             ZanWriteSmlValue(1, 0, a.Text("name", "Breite"), 11, a.Text("text", " sel"), 0);
         return Outcome{rc, {K4Send(1)}};
       },
       {0, {";; sel;;"}}});
  add({"ZanWriteSmlValue", "OlderValueWithoutTrailingBlanks", kOlder, OlderBar,
       [](Args& a) {
         const int32_t rc = ZanWriteSmlValue(1, 1, a.Text("name", ""), 10, a.Text("text", "7"), 2);
         return Outcome{rc, {BarValue(1, 1, 2)}};
       },
       {0, {"L|Laenge|A||mm|N||||6,4,1|7"}}});
  add({"ZanWriteSmlValue", "NewerTextWithoutTrailingBlanks", kNewer, NewerBar,
       [](Args& a) {
         const int32_t rc =
             ZanWriteSmlValue(1, 0, a.Text("name", "N2"), 34, a.Text("text", "S1"), 0);
         return Outcome{rc, {K4Send(1)}};
       },
       {0, {"N1;;;N2;S1;;"}}});
  add({"ZanGetSmlAttributDataK4", "ByName", kNewer, NewerBar,
       [](Args& a) {
         SmlCharacteristicData d{};
         const int32_t rc = ZanGetSmlAttributDataK4(1, a.Text("key", "N1"), 2, &d);
         return Outcome{rc, {Members(d)}};
       },
       {0,
        {"N1|N1-text|t3|t4|t5|t6|t7|t8|t9|t12|t13|t14|t15|t16|t17|t18|t19|t20|t21|t22|t23|t24|"
         "t25|t26|t27|t28|t29|t30|t31|t32|||3,0|v2"}}});
  add({"ZanGetSmlDataValueK4", "CharacteristicByName", kNewer, NewerBar,
       [](Args& a) {
         char* value = nullptr;
         const int32_t rc = ZanGetSmlDataValueK4(2, a.Text("name", "N1"), 0, 0, 2, &value);
         return Outcome{rc, {Str(value)}};
       },
       {0, {"v2"}}});
  add({"ZanGetSmlValueDescriptionK4", "CharacteristicByName", kNewer, NewerBar,
       [](Args& a) {
         int32_t count = -1;
         const int32_t rc = ZanGetSmlValueDescriptionK4(2, 0, a.Text("name", "N1"), &count);
         return Outcome{rc, {std::to_string(count)}};
       },
       {0, {"2"}}});
  add({"ZanCreateFillPosSmlValueTableK4", "Pairs", kNewer, Nothing,
       [](Args& a) {
         const int32_t rc = ZanCreateFillPosSmlValueTableK4(1, a.Text("data", "P1;a;P1;b;"), 10);
         return Outcome{rc, {K4Value(3, "P1", 0, 2)}};
       },
       {0, {"b"}}});
  return cases;
}

// Calls where a text changes in place, as kelmod.h states at each export.
std::vector<Case> ChangingCases() {
  std::vector<Case> cases;
  const auto add = [&](Case c) { cases.push_back(std::move(c)); };

  add({"ZanCreateFillTable", "SeparatedDataCutAtLength", kNewer,
       [] { ASSERT_EQ(ZanConfigureToolbox(2, W(gFiles.tableIndex)), 0); },
       [](Args& a) {
         const int32_t rc = ZanCreateFillTable(
             4, a.Text("name", "MAT"), a.Text("key", "01"), a.Text("setIndexPath", gFiles.index),
             a.Text("definitionPath", gFiles.defs), a.Text("data", "A;B;C;D;"), 4);
         return Outcome{rc, {TableCount(4)}};
       },
       {0, {"1"}},
       {{"data", "A;B;\0;D;\0"s}},
       "data"});
  add({"ZanGetTableValue", "BlanksAndTabsRemovedFromTheName", kNewer, AnswerTable,
       [](Args& a) {
         char* value = nullptr;
         const int32_t rc = ZanGetTableValue(2, a.Text("fieldName", " MA\tT NR "), 1, &value);
         return Outcome{rc, {Str(value)}};
       },
       {0, {"100"}},
       {{"fieldName", "MATNR\0NR \0"s}},
       "fieldName"});
  add({"ZanWriteTableValue", "ValueCutToTheField", kNewer, SendTable1,
       [](Args& a) {
         const int32_t rc =
             ZanWriteTableValue(1, a.Text("fieldName", "OUTB"), a.Text("value", "wxyz"), 0);
         return Outcome{rc, {SendTable()}};
       },
       {0, {"a  wx"}},
       {{"value", "wx\0z\0"s}},
       "value"});
  add({"ZanWriteTableValue", "ValueLosesTrailingBlanks", kNewer, SendTable1,
       [](Args& a) {
         const int32_t rc =
             ZanWriteTableValue(1, a.Text("fieldName", "OUTA"), a.Text("value", "b  "), 0);
         return Outcome{rc, {SendTable()}};
       },
       {0, {"b    "}},
       {{"value", "b\0 \0"s}},
       "value"});
  add({"ZanModifyTableValue", "ValueCutAndTrimmed", kNewer, AnswerTable,
       [](Args& a) {
         const int32_t rc =
             ZanModifyTableValue(2, a.Text("fieldName", "MATNR"), a.Text("value", " x  "), 1);
         return Outcome{rc, {TableValue(2, "MATNR", 1)}};
       },
       {0, {"x"}},
       {{"value", "x\0 \0\0"s}},
       "value"});
  add({"ZanGetAttributNameValue", "NameWrittenIntoTheBuffer", kNewer, AnswerTable,
       [](Args& a) {
         char* value = nullptr;
         const int32_t rc =
             ZanGetAttributNameValue(2, 1, 1, a.Bytes("fieldName", std::string(12, '#')), &value);
         return Outcome{rc, {Str(value)}};
       },
       {0, {"100"}},
       {{"fieldName", "MATNR" + std::string(7, '\0')}},
       "fieldName"});
  add({"ZanFindHelpTable", "DirectionWritten", kNewer, Nothing,
       [](Args& a) {
         char* direction = a.Text("direction", "?");
         const int32_t rc = ZanFindHelpTable(
             a.Text("name", "MAT  "), a.Text("key", "01"), a.Text("fieldName", "QTY"),
             a.Text("setIndexPath", gFiles.index), a.Text("definitionPathU", gFiles.defs),
             a.Text("definitionPathD", gFiles.defs), direction);
         return Outcome{rc, {}};
       },
       {0, {}},
       {{"direction", "D\0"s}},
       "direction"});
  add({"ZanWriteMcdValue", "ValueLosesTrailingBlanks", kNewer, Matchcodes,
       [](Args& a) {
         const int32_t rc = ZanWriteMcdValue(1, 2, a.Text("value", "w2  "));
         return Outcome{rc, {McdValue("WERT", 2)}};
       },
       {0, {"w2"}},
       {{"value", "w2\0 \0"s}},
       "value"});
  add({"ZanGetMailData", "ByPositionNameWrittenBack", kNewer, MailTable5,
       [](Args& a) {
         char* value = nullptr;
         const int32_t rc = ZanGetMailData(5, 2, a.Bytes("fieldName", std::string(8, '\0')), 1,
                                           &value);
         return Outcome{rc, {Str(value)}};
       },
       {0, {"V1"}},
       {{"fieldName", "PARVAL\0\0"s}},
       "fieldName"});
  add({"ZanWriteMailValue", "ValueLosesTrailingBlanks", kNewer, MailTable5,
       [](Args& a) {
         const int32_t rc =
             ZanWriteMailValue(5, 0, a.Text("fieldName", "PARNAM"), 2, a.Text("value", "q "));
         return Outcome{rc, {MailValue(5, "PARNAM", 2)}};
       },
       {0, {"q"}},
       {{"value", "q\0\0"s}},
       "value"});
  add({"ZanFillSmlTable", "NewerObjectsCutAtLength", kNewer, NewerBar,
       [](Args& a) {
         const std::string one = Object("a", "N1;x;");
         const int32_t rc = ZanFillSmlTable(1, a.Text("data", one + "rest"), Len(one));
         char* count = nullptr;
         return Outcome{rc, {Got(ZanGetSmlDescription(2, &count), count)}};
       },
       {0, {"1"}},
       {{"data", Object("a", "N1;x;") + "\0est\0"s}},
       "data"});
  add({"ZanWriteSmlValue", "OlderTextLosesTrailingBlanks", kOlder, OlderBar,
       [](Args& a) {
         const int32_t rc =
             ZanWriteSmlValue(1, 2, a.Text("name", ""), 12, a.Text("text", "par  "), 0);
         return Outcome{rc, {K4Send(1)}};
       },
       {0, {";;;par;"}},
       {{"text", "par\0 \0"s}},
       "text"});
  add({"ZanWriteSmlValue", "NewerTextLosesTrailingBlanks", kNewer, NewerBar,
       [](Args& a) {
         const int32_t rc =
             ZanWriteSmlValue(1, 0, a.Text("name", "N1"), 35, a.Text("text", "S2 "), 0);
         return Outcome{rc, {K4Send(1)}};
       },
       {0, {"N1;;S2;N2;;;"}},
       {{"text", "S2\0\0"s}},
       "text"});
  return cases;
}

// ---- Running a case -----------------------------------------------------

// A fresh toolbox with the files of the test and the case's release.
void Fresh(const char* release) {
  ASSERT_EQ(ZanInitToolbox(2), 0);
  ASSERT_EQ(ZanInitToolbox(1), 0);
  ASSERT_EQ(ZanConfigureToolbox(1, W(gFiles.messages)), 0);
  ASSERT_EQ(ZanConfigureToolbox(2, W(gFiles.index + ".none")), 0);
  const std::string record = std::string(release) + "  ;           ";
  ASSERT_EQ(ZanFillInterface(W(record), Len(record)), 0);
}

// What a read-only run gave: its outcome, or the argument it wrote into, or
// how it failed otherwise.
struct ReadOnlyRun {
  Outcome outcome;
  std::string wrote;  // the argument written into; empty when none was
  std::string failed;  // any other failure of the run
};

// The arguments watched while a read-only run is under way.
const Args* gWatched = nullptr;

#if !defined(_WIN32)

// The outcome as the child reports it to the parent.
std::string Serialise(const Outcome& o) {
  std::string out = std::to_string(o.code) + "\n" + std::to_string(o.texts.size()) + "\n";
  for (const std::string& t : o.texts) out += std::to_string(t.size()) + "\n" + t;
  return out;
}
bool Deserialise(const std::string& text, Outcome& o) {
  std::istringstream in(text);
  std::size_t count = 0;
  if (!(in >> o.code >> count)) return false;
  o.texts.clear();
  for (std::size_t i = 0; i < count; ++i) {
    std::size_t size = 0;
    if (!(in >> size) || in.get() != '\n') return false;
    std::string t(size, '\0');
    if (!in.read(t.data(), static_cast<std::streamsize>(size))) return false;
    o.texts.push_back(std::move(t));
  }
  return true;
}

int gReport = -1;  // the pipe to the parent

void Send(const char* text, std::size_t size) {
  while (size > 0) {
    const ssize_t n = write(gReport, text, size);
    if (n <= 0) return;
    text += n;
    size -= static_cast<std::size_t>(n);
  }
}

constexpr int kWroteStatus = 3;

// A write into a read-only argument: tells the parent which one, ends.
void OnFault(int, siginfo_t* info, void*) {
  const char* name = gWatched != nullptr ? gWatched->owner(info->si_addr) : nullptr;
  if (name == nullptr) {
    Send("C", 1);  // a fault elsewhere: the parent sees the signal
    signal(SIGSEGV, SIG_DFL);
    signal(SIGBUS, SIG_DFL);
    return;  // the fault repeats, now with the default action
  }
  Send("W", 1);
  Send(name, std::strlen(name));
  _exit(kWroteStatus);
}

// Runs the case in a child process with read-only arguments.
ReadOnlyRun RunReadOnly(const Case& c) {
  ReadOnlyRun run;
  int fds[2];
  if (pipe(fds) != 0) {
    run.failed = "pipe failed";
    return run;
  }
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child < 0) {
    run.failed = "fork failed";
    close(fds[0]);
    close(fds[1]);
    return run;
  }
  if (child == 0) {
    close(fds[0]);
    gReport = fds[1];
    struct sigaction action {};
    action.sa_sigaction = OnFault;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    sigaction(SIGSEGV, &action, nullptr);
    sigaction(SIGBUS, &action, nullptr);
    std::string report;
    try {
      Fresh(c.release);
      c.prepare();
      if (::testing::Test::HasFatalFailure()) {
        report = "Ethe tables could not be built";
      } else {
        Args args(true);
        gWatched = &args;
        const Outcome o = c.call(args);
        gWatched = nullptr;
        report = "O" + Serialise(o);
      }
    } catch (const std::exception& e) {
      report = std::string("E") + e.what();
    }
    Send(report.data(), report.size());
    _exit(0);
  }
  close(fds[1]);
  std::string report;
  char buffer[4096];
  for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) != 0;) {
    if (n < 0) {
      if (errno == EINTR) continue;
      break;
    }
    report.append(buffer, static_cast<std::size_t>(n));
  }
  close(fds[0]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) == kWroteStatus && report.size() > 1 &&
      report[0] == 'W') {
    run.wrote = report.substr(1);
  } else if (WIFSIGNALED(status)) {
    run.failed = "the run ended with signal " + std::to_string(WTERMSIG(status));
  } else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    run.failed = "the run ended with status " + std::to_string(WEXITSTATUS(status));
  } else if (report.empty() || report[0] != 'O') {
    run.failed = report.empty() ? "the run reported nothing" : report.substr(1);
  } else if (!Deserialise(report.substr(1), run.outcome)) {
    run.failed = "the run's report is garbled";
  }
  return run;
}

#else

const char* gWatchedExport = nullptr;

// A write into a read-only argument: names the export and the argument and
// ends the test program (an access violation cannot be resumed here).
LONG CALLBACK OnAccessViolation(EXCEPTION_POINTERS* e) {
  const EXCEPTION_RECORD* r = e->ExceptionRecord;
  if (r->ExceptionCode != EXCEPTION_ACCESS_VIOLATION || r->NumberParameters < 2 ||
      r->ExceptionInformation[0] != 1 || gWatched == nullptr)
    return EXCEPTION_CONTINUE_SEARCH;
  const char* name = gWatched->owner(reinterpret_cast<const void*>(r->ExceptionInformation[1]));
  if (name == nullptr) return EXCEPTION_CONTINUE_SEARCH;
  std::fprintf(stderr, "FAILED: %s wrote into its read-only argument %s\n", gWatchedExport, name);
  std::fflush(stderr);
  TerminateProcess(GetCurrentProcess(), 3);
  return EXCEPTION_CONTINUE_SEARCH;
}

// Runs the case in this process with read-only arguments.
ReadOnlyRun RunReadOnly(const Case& c) {
  static PVOID handler = AddVectoredExceptionHandler(1, OnAccessViolation);
  (void)handler;
  ReadOnlyRun run;
  Fresh(c.release);
  c.prepare();
  if (::testing::Test::HasFatalFailure()) {
    run.failed = "the tables could not be built";
    return run;
  }
  Args args(true);
  gWatchedExport = c.exportName;
  gWatched = &args;
  run.outcome = c.call(args);
  gWatched = nullptr;
  return run;
}

#endif

// Runs the case with writable copies; `args` keeps them for inspection.
Outcome RunWritable(const Case& c, Args& args) {
  Fresh(c.release);
  c.prepare();
  if (::testing::Test::HasFatalFailure()) return {};
  return c.call(args);
}

class ArgsTest : public ToolboxTest, public ::testing::WithParamInterface<Case> {
 protected:
  void SetUp() override {
    ToolboxTest::SetUp();
    gFiles.index = dir_.write("kelmset.dat", SetIndexLine("MAT  ", "01", "D", "SETD") +
                                                 SetIndexLine("MAT  ", "01", "U", "SETU") +
                                                 SetIndexLine("EQICH", "MD", "D", "SETH"));
    gFiles.defs = dir_.write("kelmdef.dat",
                             DefinitionLine("SETD", "MATNR", "3", "Material number") +
                                 DefinitionLine("SETD", "QTY", "2") +
                                 DefinitionLine("SETU", "OUTA", "3") +
                                 DefinitionLine("SETU", "OUTB", "2") +
                                 DefinitionLine("SETH", "HELPF", "4"));
    gFiles.tableIndex = dir_.write(
        "kelmtab.dat",
        Columns({{1, "D"}, {7, "MAT"}, {13, "01"}, {16, "SET4"}, {24, "F4A"}, {35, "3"}}) + "\n" +
            Columns({{1, "D"}, {7, "MAT"}, {13, "01"}, {16, "SET4"}, {24, "F4B"}, {35, "2"}}) +
            "\n");
    gFiles.messages =
        dir_.write("kelmmes.dat", Columns({{1, "E"}, {3, "041"}, {7, "E"}, {9, "No such field"},
                                           {36, "The field is not in the table."}}) + "\n");
    gFiles.print = dir_.file("print.txt");
    gFiles.konfig = dir_.file("konfig.dat");
  }
  // The release family outlives a restart; leave family 5 behind.
  void TearDown() override {
    UseSeparator(';');
    ToolboxTest::TearDown();
  }
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.exportName << " " << c.tag; }

std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
  return std::string(info.param.exportName) + "_" + info.param.tag;
}

using ReadOnlyArgsTest = ArgsTest;
using InPlaceChangeTest = ArgsTest;

TEST_P(ReadOnlyArgsTest, GivesTheSameResultsAsWritableCopies) {
  const Case& c = GetParam();
  Outcome writable;
  {
    Args args(false);
    writable = RunWritable(c, args);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(static_cast<int>(args.size()), TextsOf(c.exportName))
        << "every text argument of " << c.exportName << " is passed read-only";
    for (std::size_t i = 0; i < args.size(); ++i) {
      if (args.isResult(i)) continue;
      EXPECT_EQ(args.now(i), args.before(i))
          << c.exportName << " changed " << args.name(i) << " though no change is due";
    }
  }
  EXPECT_EQ(writable, c.expected);

  const ReadOnlyRun run = RunReadOnly(c);
  ASSERT_EQ(run.wrote, "") << c.exportName << " wrote into its read-only argument " << run.wrote;
  ASSERT_EQ(run.failed, "") << c.exportName;
  EXPECT_EQ(run.outcome, writable) << c.exportName;
}

INSTANTIATE_TEST_SUITE_P(Exports, ReadOnlyArgsTest, ::testing::ValuesIn(UnchangedCases()),
                         CaseName);

TEST_P(InPlaceChangeTest, ChangesTheWritableCopyByteForByte) {
  const Case& c = GetParam();
  Args args(false);
  const Outcome writable = RunWritable(c, args);
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_EQ(writable, c.expected);
  EXPECT_EQ(static_cast<int>(args.size()), TextsOf(c.exportName));
  std::set<std::string> changed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string expected = args.before(i);
    for (const auto& [name, bytes] : c.after)
      if (name == args.name(i)) expected = bytes;
    if (expected != args.before(i)) changed.insert(args.name(i));
    EXPECT_EQ(args.now(i), expected) << args.name(i);
  }
  EXPECT_EQ(changed.size(), c.after.size()) << "each change named is a change";
}

// The read-only runs catch a write: the case that has one to make, run with
// read-only arguments, is reported writing into the argument that changes.
TEST_P(InPlaceChangeTest, IsCaughtWritingIntoAReadOnlyArgument) {
#if defined(_WIN32)
  GTEST_SKIP() << "a write ends the test program on Windows";
#else
  const Case& c = GetParam();
  const ReadOnlyRun run = RunReadOnly(c);
  EXPECT_EQ(run.failed, "");
  EXPECT_EQ(run.wrote, c.writes);
#endif
}

INSTANTIATE_TEST_SUITE_P(Exports, InPlaceChangeTest, ::testing::ValuesIn(ChangingCases()),
                         CaseName);

// The tables above leave no export out: the list names every export of
// kelmod.h, and every export that takes a text has a case where all its texts
// are read-only.
TEST(ReadOnlyArgsCoverage, EveryExportOfTheHeaderIsListed) {
  const std::string header = ReadFile(KELMOD_EXAMPLES_DIR "/../include/kelmod.h");
  ASSERT_FALSE(header.empty());
  std::vector<std::string> declared;
  const std::string mark = "KELMOD_API ErrorCode ";
  for (std::size_t at = header.find(mark); at != std::string::npos;
       at = header.find(mark, at + 1)) {
    const std::size_t start = at + mark.size();
    declared.push_back(header.substr(start, header.find('(', start) - start));
  }
  std::vector<std::string> listed;
  for (const Export& e : kExports) listed.push_back(e.name);
  EXPECT_EQ(listed, declared);
  EXPECT_EQ(listed.size(), 64u);
}

TEST(ReadOnlyArgsCoverage, EveryExportThatTakesATextHasAReadOnlyCase) {
  std::set<std::string> covered;
  for (const Case& c : UnchangedCases()) {
    EXPECT_GT(TextsOf(c.exportName), 0) << c.exportName;
    covered.insert(c.exportName);
  }
  std::vector<std::string> missing, takingText, takingNone;
  for (const Export& e : kExports) {
    (e.texts > 0 ? takingText : takingNone).push_back(e.name);
    if (e.texts > 0 && covered.count(e.name) == 0) missing.push_back(e.name);
  }
  EXPECT_EQ(missing, std::vector<std::string>{});
  EXPECT_EQ(takingText.size(), 41u);
  EXPECT_EQ(takingNone,
            (std::vector<std::string>{
                "ZanInitToolbox", "ZanToolboxVersion", "ZanGetErrorMessage",
                "ZanDescribeInterface", "ZanCreateSendstr", "ZanCreateSendstrBomHead",
                "ZanDeleteTableEntry", "ZanDescribeTable", "ZanGetHlpData",
                "ZanGetHlpDescription", "ZanGetMcdDescription", "ZanGetClasDataK4",
                "ZanGetClasHierarchDataK4", "ZanGetClasSearchDataK4", "ZanGetObjectDataK4",
                "ZanDescribeMailTable", "ZanCreateSendstrMail", "ZanDeleteSmlSelection",
                "ZanGetSmlDescription", "ZanGetSmlData", "ZanCreateSendstrSml",
                "ZanGetSmlDataK4", "ZanCreateSendstrPosSmlValuesK4"}));
  // Each export whose texts can change has a case that shows the change.
  std::set<std::string> changing;
  for (const Case& c : ChangingCases()) changing.insert(c.exportName);
  EXPECT_EQ(changing,
            (std::set<std::string>{"ZanCreateFillTable", "ZanGetTableValue", "ZanWriteTableValue",
                                   "ZanModifyTableValue", "ZanGetAttributNameValue",
                                   "ZanFindHelpTable", "ZanWriteMcdValue", "ZanGetMailData",
                                   "ZanWriteMailValue", "ZanFillSmlTable", "ZanWriteSmlValue"}));
}

}  // namespace
}  // namespace kelmod_test
