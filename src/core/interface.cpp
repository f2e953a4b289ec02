#include "core/interface.h"

#include "core/text.h"

namespace kelmod {

int32_t ReleaseFamilyOf(const std::string& release) {
  const std::string head = release.substr(0, 2);
  if (head == "50" || head == "5.") return 1;
  if (head == "60" || head == "6.") return 2;
  if (head == "21") return 3;
  if (head == "22" || head == "2.") return 4;
  return 5;
}

void StoreInterface(State& s, const char* record) {
  const std::string_view rec(record);
  InterfaceValues v;
  v.release = SubField(rec, 1, 4);
  v.flag5 = SubField(rec, 5, 1);
  v.flag6 = SubField(rec, 6, 1);
  const std::string sep = SubField(rec, 7, 1);
  v.separator = sep.empty() ? '\0' : sep[0];
  v.flag8 = SubField(rec, 8, 1);
  v.text = SubField(rec, 9, 10);
  if (v.release.size() >= 2) s.releaseFamily = ReleaseFamilyOf(v.release);
  s.iface = std::move(v);
}

bool InterfaceValue(const State& s, int32_t mode, std::string& out) {
  switch (mode) {
    case 1:
      out = s.iface.separator == '\0' ? std::string() : std::string(1, s.iface.separator);
      return true;
    case 2: out = s.iface.release; return true;
    case 3: out = s.iface.flag5; return true;
    case 4: out = s.iface.flag6; return true;
    case 5: out = s.iface.text; return true;
    case 6: out = s.iface.flag8; return true;
    default: return false;
  }
}

}  // namespace kelmod
