// Memory exhaustion: a whole exchange of every family runs with the k-th
// allocation failing, for k = 1, 2, ... until an exchange needs no more
// allocations. The call that meets the failure must either return the code
// its family gives for running out of memory, or return what it returns
// without the failure with exactly the same results and the same toolbox
// state afterwards (every table printed, counted and read back): a failure
// may be recovered from, never swallowed. Nothing may crash, and the
// toolbox must work again afterwards. Run it in the sanitizer build: leaks
// are reported at exit.
//
// The program replaces the global allocation functions, so it counts the
// allocations of the library as well as its own.
#include <cstdint>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <new>
#include <string>
#include <vector>

#include "kelmod.h"

#include "failing_allocator.h"

namespace {

// Keeps the test's own allocations out of the count while it lives.
struct Pause {
  Pause() { ++g_paused; }
  ~Pause() { --g_paused; }
};

// A writable copy of a text, as hosts pass them.
struct Text {
  explicit Text(const std::string& s) {
    Pause pause;
    buf.assign(s.begin(), s.end());
    buf.push_back('\0');
  }
  explicit Text(const char* s) : Text(Held(s)) {}
  static std::string Held(const char* s) {
    Pause pause;
    return std::string(s);
  }
  char* get() { return buf.data(); }
  int32_t size() const { return static_cast<int32_t>(buf.size() - 1); }
  std::vector<char> buf;
};

// One call of an exchange with the codes it may give when memory runs out.
// A lossy step is one whose described behaviour drops data without a code
// (why is given); its state after a failure is not compared. A fill that
// leaves its table empty when it runs out of memory names a read that must
// then find the table empty (code 76).
struct Step {
  const char* name;
  std::function<ErrorCode()> call;
  std::vector<ErrorCode> memoryCodes;
  const char* lossy = nullptr;
  std::function<ErrorCode()> emptied = nullptr;
};

std::string g_dir;

std::string File(const char* name) { return g_dir + "/" + name; }

void WriteFile(const char* name, const std::string& text) {
  std::ofstream(File(name), std::ios::binary) << text;
}

void WriteDescriptionFiles() {
  WriteFile("sets.dat", "  MATRQ  01  U  SMAT001\n  MATAN  01  D  DMAT001\n");
  WriteFile("defs.dat",
            "  SMAT001 MATNR               18Material number\n"
            "  SMAT001 WERKS                4Plant\n"
            "  DMAT001 MATNR               18Material number\n"
            "  DMAT001 MAKTX               40Material description\n");
  WriteFile("kelmtab.dat", "D 001 DOCAN 01 DDOC001 DOKNR      25\nD 001 DOCAN 01 DDOC001 DOKAR      3\n");
  WriteFile("kelmmes.dat", "E 041 W Field not found            The field name is not in the table\n");
}

ErrorCode Interface(const char* release) {
  char line[32];
  std::snprintf(line, sizeof line, "%sXY;ZKELMHOST", release);
  Text record(line);
  return ZanFillInterface(record.get(), record.size());
}

// The results the calls of the exchange write.
char* text = nullptr;
CharacteristicData data;
SmlCharacteristicData k4;
MessageRecord message;
AttributeRecord attribute;
char* values[22];
int32_t count = 0;
char fieldName[16];
char direction = 0;

void ClearResults() {
  text = nullptr;
  std::memset(&data, 0, sizeof data);
  std::memset(&k4, 0, sizeof k4);
  std::memset(&message, 0, sizeof message);
  std::memset(&attribute, 0, sizeof attribute);
  for (char*& v : values) v = nullptr;
  count = INT32_MIN;
  std::memset(fieldName, 0, sizeof fieldName);
  direction = 0;
}

void Put(std::string& out, const char* name, const char* value) {
  out += name;
  out += value == nullptr ? std::string("=(none)") : "=[" + std::string(value) + "]";
  out += '\n';
}

void Put(std::string& out, const char* name, long value) {
  out += name;
  out += "=" + std::to_string(value) + "\n";
}

// Every result a call of the exchange may have written, as text.
std::string Results() {
  std::string out;
  Put(out, "text", text);
  Put(out, "data.name", data.name);
  Put(out, "data.fieldName", data.fieldName);
  Put(out, "data.dinLetter", data.dinLetter);
  Put(out, "data.input", data.input);
  Put(out, "data.unit", data.unit);
  Put(out, "data.format", data.format);
  Put(out, "data.template", data.template_);
  Put(out, "data.selection", data.selection);
  Put(out, "data.parameter", data.parameter);
  Put(out, "data.length", data.length);
  Put(out, "data.width", data.width);
  Put(out, "data.decimals", data.decimals);
  Put(out, "data.value", data.value);
  char* const* k4Texts[] = {&k4.name, &k4.description, &k4.mandatory, &k4.dataType,
                            &k4.singleValue, &k4.unit, &k4.dinLetter, &k4.template_,
                            &k4.sendText1, &k4.sendText2};
  for (char* const* t : k4Texts) Put(out, "k4", *t);
  Put(out, "k4.digits", k4.digits);
  Put(out, "k4.decimals", k4.decimals);
  Put(out, "message.code", message.code);
  Put(out, "message.type", message.type);
  Put(out, "message.short", message.shortText);
  Put(out, "message.long", message.longText);
  Put(out, "attribute.set", attribute.setName);
  Put(out, "attribute.field", attribute.fieldName);
  Put(out, "attribute.length", attribute.length);
  Put(out, "attribute.description", attribute.description);
  for (char* v : values) Put(out, "values", v);
  Put(out, "count", count);
  Put(out, "fieldName", fieldName);
  Put(out, "direction", direction);
  return out;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The toolbox state as a host can see it: every table printed, counted and
// read back, and every request string built from it.
std::string State() {
  std::string out;
  char* t = nullptr;
  const auto got = [&](const char* what, long arg, ErrorCode rc) {
    out += what + std::string(" ") + std::to_string(arg) + ": " + std::to_string(rc) + " ";
    out += t == nullptr ? std::string("(none)") : "[" + std::string(t) + "]";
    out += '\n';
    t = nullptr;
  };
  const std::string path = File("state.txt");
  std::vector<char> p(path.begin(), path.end());
  p.push_back('\0');
  for (int32_t type : {1, 2, 4, 7, 8, 10, 3, 5, 11, 12, 21, 22, 23, 24, 25, 26}) {
    std::remove(path.c_str());
    const ErrorCode rc = ZanPrintTable(type, p.data());
    out += "print " + std::to_string(type) + ": " + std::to_string(rc) + "\n" + ReadFile(path);
  }
  for (int32_t type = 1; type <= 10; ++type) got("count", type, ZanDescribeTable(type, &t));
  for (int32_t mode = 1; mode <= 3; ++mode) got("help count", mode, ZanGetHlpDescription(mode, &t));
  for (int32_t column = 1; column <= 2; ++column) {
    for (int32_t line = 1; line <= 3; ++line) {
      CharacteristicData d{};
      const ErrorCode rc = ZanGetHlpData(1, column, line, &d);
      got(d.value != nullptr ? d.value : "help value", column * 10 + line, rc);
    }
  }
  for (int32_t mode = 1; mode <= 2; ++mode) got("matchcode count", mode, ZanGetMcdDescription(mode, &t));
  for (int32_t mode = 1; mode <= 2; ++mode) got("sml count", mode, ZanGetSmlDescription(mode, &t));
  char r[] = "r";
  got("matchcode request", 1, ZanCreateSendstrMcd(1, r, r, &t));
  got("send string", 0, ZanCreateSendstr(&t));
  for (int32_t mode = 1; mode <= 2; ++mode) got("sml request", mode, ZanCreateSendstrSml(mode, &t));
  got("position request", 1, ZanCreateSendstrPosSmlValuesK4(1, &t));
  got("mail request", 1, ZanCreateSendstrMail(1, 1, &t));
  using Reader = ErrorCode (*)(int32_t, int32_t, char**);
  const std::pair<const char*, Reader> readers[] = {{"class", ZanGetClasDataK4},
                                                    {"class search", ZanGetClasSearchDataK4},
                                                    {"hierarchy", ZanGetClasHierarchDataK4},
                                                    {"object", ZanGetObjectDataK4}};
  for (const auto& [name, read] : readers) {
    for (int32_t mode = 1; mode <= 2; ++mode) {
      for (int32_t record = 1; record <= 3; ++record) {
        char* v[22] = {};
        out += name + std::string(" ") + std::to_string(mode) + "/" + std::to_string(record) +
               ": " + std::to_string(read(mode, record, v));
        for (char* each : v) out += each == nullptr ? std::string("|-") : "|" + std::string(each);
        out += '\n';
      }
    }
  }
  return out;
}

// What a step leaves behind: its code, its results and the toolbox state.
std::string Observe(ErrorCode rc) {
  Pause pause;
  std::string seen = "code " + std::to_string(rc) + "\n" + Results();
  return seen + State();  // the results first: State() calls reuse their buffers
}

// The first line in which two observations differ.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
  std::size_t line = 0, from = 0;
  for (;;) {
    const std::size_t e = expected.find('\n', from), a = actual.find('\n', from);
    const std::string el = expected.substr(from, e == std::string::npos ? e : e - from);
    const std::string al = actual.substr(from, a == std::string::npos ? a : a - from);
    if (el != al || e != a) return "line " + std::to_string(line + 1) + ": expected '" + el +
                                   "', got '" + al + "'";
    if (e == std::string::npos) return "none";
    from = e + 1;
    ++line;
  }
}

// The exchange; with longValues the texts that readers copy into their
// result buffers and request builders lay out are longer than a string holds
// without memory of its own, so those copies allocate too.
std::vector<Step> Exchange(bool longValues) {
  const auto v = [longValues](const char* shortText, const char* longText) {
    return std::string(longValues ? longText : shortText);
  };
  const std::string sets = File("sets.dat"), defs = File("defs.dat");
  const std::string print = File("print.txt"), messages = File("kelmmes.dat");
  const std::string index = File("kelmtab.dat"), written = File("written.dat");
  const std::string answer = std::string("100-100           Bolt") + std::string(36, ' ') +
                             "200-200           Nut" + std::string(37, ' ');
  const std::string more = "300-300           Washer" + std::string(34, ' ');
  std::string bar = "Newer bar header one;H2;H3;H4;H5;";
  for (const char* n : {"DN", "PN"}) {
    bar += n;
    bar += ";Nominal;X;;X;NUM;X;;;4;0;;;;;;mm;A;;;;;;;;;;;;;;;";
  }
  const std::string classA = v("A", "Class characteristic value A "), classB = v("B", "Class characteristic value B ");
  const std::string classes = v("PUMP;DN;A;X;mm;VALVE;PN;B;X;bar;",
                                "CENTRIFUGAL-PUMP;NOMINAL-DIAMETER;A;X;millimetres;"
                                "GATE-VALVE-FLANGED;NOMINAL-PRESSURE;B;X;bar gauge;");
  const std::string search = v("A;B;C;D;E;F;", "Search value number A;Search value number B;C;D;E;"
                                                "Search value number F;");
  const std::string hierarchy =
      v("A;B;C;D;E;F;G;H;I;J;K;L;", "Hierarchy value A long;B;C;D;E;F;Hierarchy value G long;H;I;J;K;L;");
  const std::string objects =
      v("P-100;Pump;;;;;;;;;;;;;DN;50;PN;16;;P-200;Pump;;;;;;;;;;;;;DN;80;;",
        "P-100-CENTRIFUGAL;Centrifugal pump long;;;;;;;;;;;;;DN;50;PN;16;;"
        "P-200-CENTRIFUGAL;Centrifugal pump long;;;;;;;;;;;;;DN;80;;");
  const std::string helpParts = v("A", "Help request part number one");
  const std::string mcdRequest = v("r", "Matchcode request text");
  const std::initializer_list<ErrorCode> mem = {8};
  return {
      // Toolbox core
      {"configure messages", [=] { Text p(messages); return ZanConfigureToolbox(1, p.get()); }, mem},
      {"configure index", [=] { Text p(index); return ZanConfigureToolbox(2, p.get()); }, mem},
      {"interface", [] { return Interface("46C "); }, mem},
      {"describe interface", [] { return ZanDescribeInterface(5, &text); }, mem},
      {"error message", [] { return ZanGetErrorMessage(41, &message); }, mem},
      // Generic record tables
      {"create send table", [=] { Text n("MATRQ"), k("01"), s(sets), d(defs); return ZanCreateTable(1, n.get(), k.get(), s.get(), d.get()); }, mem},
      {"write value", [] { Text f("MATNR"), v("100-100"); return ZanWriteTableValue(1, f.get(), v.get(), 0); }, mem},
      {"write value 2", [] { Text f("WERKS"), v("1000"); return ZanWriteTableValue(1, f.get(), v.get(), 0); }, mem},
      {"send string", [] { return ZanCreateSendstr(&text); }, mem},
      {"create and fill", [=] { Text n("MATAN"), k("01"), s(sets), d(defs), a(answer); return ZanCreateFillTable(2, n.get(), k.get(), s.get(), d.get(), a.get(), a.size()); }, mem},
      {"fill again", [=] { Text a(more); return ZanFillTable(2, a.get(), a.size()); }, mem},
      {"describe table", [] { return ZanDescribeTable(2, &text); }, mem},
      {"get value", [] { Text f("MAKTX"); return ZanGetTableValue(2, f.get(), 2, &text); }, mem},
      {"get by position", [] { return ZanGetAttributNameValue(2, 2, 1, fieldName, &text); }, mem},
      {"modify value", [] { Text f("MAKTX"), v("Hexagon head bolt"); return ZanModifyTableValue(2, f.get(), v.get(), 1); }, mem},
      {"delete entry", [] { return ZanDeleteTableEntry(2, 1); }, mem},
      {"attribute", [=] { Text n("MATAN"), k("01"), s(sets), d(defs); return ZanGetAttributName(2, n.get(), k.get(), s.get(), d.get(), 2, &attribute); }, mem},
      {"search attribute", [=] { Text n("MATAN"), k("01"), s(sets), d(defs), f("MAKTX"); return ZanSearchAttribut(2, n.get(), k.get(), s.get(), d.get(), f.get(), &attribute); }, mem},
      {"index table", [] { Text n("DOCAN"), k("01"), e(""), a("4711;DRW;"); return ZanCreateFillTable(4, n.get(), k.get(), e.get(), e.get(), a.get(), a.size()); }, mem},
      {"print table", [=] { Text p(print); return ZanPrintTable(2, p.get()); }, mem},
      {"user table", [] { Text a("A;B;C;D;"); return ZanCreateFillUserTable(1, 2, a.get(), a.size()); }, mem},
      {"configuration", [=] { Text a("SET0001;MATNR;18;"), p(written); return ZanWriteKonfiguration(1, a.get(), a.size(), p.get()); }, {8, 42}},
      // Characteristic value lists
      {"help table", [] { Text a("Material;18;X;Text;40;;"); return ZanCreateHlpTable(1, a.get(), a.size()); }, {8, 13}},
      {"help lines", [] { Text a("100;Bolt;200;Nut;"); return ZanFillHlpTable(1, a.get(), a.size()); }, mem},
      {"help data", [] { return ZanGetHlpData(1, 2, 2, &data); }, mem},
      {"help description", [] { return ZanGetHlpDescription(3, &text); }, mem},
      {"find help table", [=] { Text n("MATRQ"), k("01"), f("WERKS"), s(sets), d(defs); return ZanFindHelpTable(n.get(), k.get(), f.get(), s.get(), d.get(), d.get(), &direction); }, mem},
      {"matchcode", [] { Text a("M1;01;Material;M2;02;Text;"); return ZanCreateFillTableMcd(1, a.get(), a.size()); }, mem},
      {"matchcode write", [] { Text v("ab"); return ZanWriteMcdValue(1, 2, v.get()); }, mem},
      {"matchcode read", [] { Text a("SUBID"); return ZanGetMcdValue(a.get(), 2, &text); }, mem},
      {"matchcode request", [=] { Text r(mcdRequest); return ZanCreateSendstrMcd(1, r.get(), r.get(), &text); }, mem},
      {"matchcode count", [] { return ZanGetMcdDescription(2, &text); }, mem},
      {"help request", [=] { Text a(helpParts), b(""), c("C D"), d("E"); return ZanCreateSendstrHelp(a.get(), b.get(), c.get(), d.get(), &text); }, mem},
      {"message request", [] { Text m("E01234 text"); return ZanCreateSendstrMessageK4(m.get(), m.size(), &text); }, mem},
      // Mail
      {"mail table", [] { Text a("F;2024;17;D;2024;4711;Drawing;MEIER;SCHULZ;1;;;;;;;"); return ZanCreateMailTable(1, a.get(), a.size()); }, mem},
      {"mail table 5", [] { Text a("P1;V1;P2;V2;"); return ZanCreateMailTable(5, a.get(), a.size()); }, mem},
      {"mail count", [] { return ZanDescribeMailTable(5, &text); }, mem},
      {"mail read", [] { std::strcpy(fieldName, ""); return ZanGetMailData(5, 2, fieldName, 1, &text); }, mem},
      {"mail write", [] { Text f("PARVAL"), v("x"); return ZanWriteMailValue(5, 0, f.get(), 4, v.get()); }, mem},
      {"mail request", [] { return ZanCreateSendstrMail(1, 1, &text); }, mem},
      {"mail print", [=] { Text p(print); return ZanPrintTable(25, p.get()); }, mem},
      // Characteristic bars, older form
      {"older release", [] { return Interface("50A "); }, mem},
      {"bar", [] { Text a("Older bar header one;H2;H3;H4;Older bar header five;L;Laenge der Schraube;A;;millimetres long;N;;6;1;D;Datum;B;;;DATE;;8;0;"); return ZanCreateSmlTable(1, a.get(), a.size()); }, {8, 11}},
      {"bar objects", [] { Text a("Part number one long;12.5;01.01.2020;P2;13.000000000000001;02.02.2021;"); return ZanFillSmlTable(1, a.get(), a.size()); }, {8, 22}},
      {"bar units", [] { Text a("1;mm;2;;3;mm;"); return ZanFillSmlTable(2, a.get(), a.size()); }, {8, 22}},
      {"bar description", [] { return ZanGetSmlDescription(2, &text); }, mem},
      {"bar read", [] { return ZanGetSmlData(1, 2, 1, &data); }, mem},
      {"bar attribute", [] { Text k("Laenge der Schraube"); return ZanGetSmlAttributData(2, k.get(), 2, &data); }, mem},
      {"bar write", [] { Text t("X"); return ZanWriteSmlValue(1, 2, nullptr, 11, t.get(), 0); }, mem},
      {"bar selection", [] { return ZanCreateSendstrSml(1, &text); }, mem},
      {"bar values", [] { return ZanCreateSendstrSml(2, &text); }, mem},
      {"bar print", [=] { Text p(print); return ZanPrintTable(3, p.get()); }, mem},
      {"bar delete", [] { return ZanDeleteSmlSelection(); }, mem},
      // Characteristic bars and classification, newer release
      {"newer release", [] { return Interface("46C "); }, mem},
      {"class request", [=] { Text a(classA), b(classB), e(""); return ZanCreateSendstrClasK4(a.get(), b.get(), e.get(), e.get(), e.get(), e.get(), e.get(), e.get(), &text); }, mem},
      {"class search request", [=] { Text a(classA), b(classB); return ZanCreateSendstrClasSearchK4(3, a.get(), b.get(), a.get(), b.get(), a.get(), b.get(), a.get(), &text); }, mem},
      {"class table", [=] { Text a(classes); return ZanCreateFillClasTableK4(2, a.get(), a.size(), &count); }, {80}, nullptr, [] { return ZanGetClasDataK4(2, 1, values); }},
      {"class read", [] { return ZanGetClasDataK4(2, 2, values); }, {75}},
      {"class search", [=] { Text a(search); return ZanCreateFillClasTableK4(4, a.get(), a.size(), &count); }, {80}, nullptr, [] { return ZanGetClasSearchDataK4(1, 1, values); }},
      {"class search read", [] { return ZanGetClasSearchDataK4(1, 2, values); }, {75}},
      {"hierarchy", [=] { Text a(hierarchy); return ZanCreateFillClasHierarchTableK4(1, a.get(), a.size(), &count); }, {80}, nullptr, [] { return ZanGetClasHierarchDataK4(1, 1, values); }},
      {"hierarchy read", [] { return ZanGetClasHierarchDataK4(1, 2, values); }, {75}},
      {"class print", [=] { Text p(print); return ZanPrintTable(12, p.get()); }, mem},
      {"k4 bar", [=] { Text a(bar); return ZanCreateSmlTable(1, a.get(), a.size()); }, {8, 11},
       "a header text whose copy fails stays absent and the header read stops there, as the "
       "class tables read it; the description is then read on from that field"},
      {"k4 values", [] { Text a("DN;50;DN;65;PN;16;"); return ZanFillSmlTable(2, a.get(), a.size()); }, {8, 22}},
      {"k4 objects", [=] { Text a(objects); return ZanFillSmlTable(1, a.get(), a.size()); }, mem,
       "the object fill answers with the result of its last object: the first object lost to "
       "exhaustion and the second one stored gives 0"},
      {"k4 description", [] { return ZanGetSmlDescription(1, &text); }, mem},
      {"k4 read", [] { return ZanGetSmlDataK4(1, 1, 2, &k4); }, mem},
      {"k4 attribute", [] { Text k("Nominal"); return ZanGetSmlAttributDataK4(2, k.get(), 2, &k4); }, mem},
      {"k4 value", [] { Text n("DN"); return ZanGetSmlDataValueK4(1, n.get(), 0, 2, 1, &text); }, mem},
      {"k4 count", [] { Text n("DN"); return ZanGetSmlValueDescriptionK4(2, 0, n.get(), &count); }, mem},
      {"k4 write", [] { Text n("DN"), t("S"); return ZanWriteSmlValue(1, 0, n.get(), 34, t.get(), 0); }, mem},
      {"k4 choice", [] { return ZanCreateSendstrSml(1, &text); }, mem},
      {"k4 value string", [] { return ZanCreateSendstrSml(2, &text); }, mem},
      {"position values", [] { Text a("A;1;A;2;B;3;"); return ZanCreateFillPosSmlValueTableK4(1, a.get(), a.size()); }, {8, -1}},
      {"position request", [] { return ZanCreateSendstrPosSmlValuesK4(1, &text); }, mem},
      {"object read", [] { return ZanGetObjectDataK4(1, 2, values); }, mem},
      {"k4 print", [=] { Text p(print); return ZanPrintTable(5, p.get()); }, mem},
      {"k4 delete", [] { return ZanDeleteSmlSelection(); }, mem},
      {"table count 6", [] { return ZanDescribeTable(6, &text); }, mem},
  };
}

// Runs the exchange with the failAt-th allocation failing, up to the call
// that meets the failure, and checks that call against the exchange without
// failure (`expected`: what each step leaves behind). Returns false when the
// call gave a code it may not give, or reported success with results or a
// state that differ. With failAt 0 it fills `expected` instead.
bool RunExchange(long failAt, const std::vector<Step>& primer, const std::vector<Step>& steps,
                 std::vector<std::string>& expected) {
  // The result buffers outlive ZanInitToolbox(2), and a read that refreshes
  // only some members of a result record leaves the others as an earlier call
  // wrote them: every run starts after one whole exchange (`primer`), so
  // that all runs start alike.
  g_failAt = 0;
  ZanInitToolbox(2);
  ZanInitToolbox(1);
  for (const Step& step : primer) step.call();
  ZanInitToolbox(2);
  ZanInitToolbox(1);
  g_allocations = 0;
  g_injected = false;
  g_failAt = failAt;
  bool ok = true;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    const Step& step = steps[i];
    ErrorCode rc = 0;
    ClearResults();
    try {
      rc = step.call();
    } catch (...) {
      std::fprintf(stderr, "allocation %ld: '%s' let an exception out\n", failAt, step.name);
      ok = false;
      break;
    }
    if (failAt == 0) {
      if (rc != 0) {
        std::fprintf(stderr, "'%s' returned %d without any allocation failing\n", step.name, rc);
        ok = false;
        break;
      }
      expected.push_back(Observe(rc));
      continue;
    }
    if (!g_injected) continue;
    // This call met the failure: the rest of the exchange is not run.
    bool memoryCode = false;
    for (ErrorCode code : step.memoryCodes) memoryCode = memoryCode || rc == code;
    if (!memoryCode && step.lossy == nullptr) {
      const std::string got = Observe(rc);
      if (got != expected[i]) {
        std::fprintf(stderr, "allocation %ld: '%s' returned %d but did not do its work: %s\n",
                     failAt, step.name, rc, FirstDifference(expected[i], got).c_str());
        ok = false;
      }
    } else if (!memoryCode && rc != 0) {
      std::fprintf(stderr, "allocation %ld: '%s' returned %d\n", failAt, step.name, rc);
      ok = false;
    } else if (memoryCode && step.emptied) {
      const ErrorCode after = step.emptied();
      if (after != 76) {
        std::fprintf(stderr, "allocation %ld: '%s' returned %d but left its table: a read gave %d\n",
                     failAt, step.name, rc, after);
        ok = false;
      }
    }
    break;
  }
  g_failAt = 0;
  ZanInitToolbox(2);
  return ok;
}

}  // namespace

int main() {
  namespace fs = std::filesystem;
  // A folder of this run's own: runs of other builds may go on at the same time.
  const fs::path dir =
      fs::temp_directory_path() /
      ("kelmod_oom_test_" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
  fs::create_directories(dir);
  g_dir = dir.string();
  WriteDescriptionFiles();
  const std::vector<Step> shortValues = Exchange(false);
  int failures = 0;
  long failed = 0;
  // Every run starts after the exchange with short values, so in the second
  // pass the long values do not fit the memory the result buffers kept.
  for (const std::vector<Step>& steps : {shortValues, Exchange(true)}) {
    std::vector<std::string> expected;
    if (!RunExchange(0, shortValues, steps, expected)) return 1;
    long k = 1;
    for (;; ++k) {
      if (!RunExchange(k, shortValues, steps, expected)) ++failures;
      if (!g_injected) break;  // the exchange needed fewer than k allocations
    }
    failed += k - 1;
    // After all of it the toolbox still runs a whole exchange, with the same
    // results.
    std::vector<std::string> again;
    if (!RunExchange(0, shortValues, steps, again) || again.size() != expected.size()) {
      std::fprintf(stderr, "the exchange fails after the failures\n");
      ++failures;
      continue;
    }
    for (std::size_t i = 0; i < steps.size(); ++i) {
      if (again[i] == expected[i]) continue;
      std::fprintf(stderr, "'%s' differs after the failures: %s\n", steps[i].name,
                   FirstDifference(expected[i], again[i]).c_str());
      ++failures;
      break;
    }
  }
  std::printf("%ld allocations failed one at a time, %d calls went wrong\n", failed, failures);
  fs::remove_all(dir);
  return failures == 0 ? 0 : 1;
}
