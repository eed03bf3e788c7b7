// The session record's fields by name, for the script driver.
#include "core/session/session_context.h"

#include <charconv>

namespace gw {
namespace {

std::string Number(int64_t v) {
  char buf[24];
  return std::string(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

struct Field {
  std::string_view name;
  std::string (*text)(const SessionContext&);
};

constexpr Field kFields[] = {
    {"drive", [](const SessionContext& s) { return s.drive; }},
    {"pathdati", [](const SessionContext& s) { return s.pathdati; }},
    {"pathdati2", [](const SessionContext& s) { return s.pathdati2; }},
    {"pathlavoro", [](const SessionContext& s) { return s.pathlavoro; }},
    {"dsccliente", [](const SessionContext& s) { return s.dsccliente.str(); }},
    {"codcliente", [](const SessionContext& s) { return Number(s.codcliente); }},
    {"codfor", [](const SessionContext& s) { return Number(s.codfor); }},
    {"desfor", [](const SessionContext& s) { return s.desfor.str(); }},
    {"oper", [](const SessionContext& s) { return Number(s.oper); }},
    {"codutente", [](const SessionContext& s) { return Number(s.codutente); }},
    {"ean", [](const SessionContext& s) { return s.ean.str(); }},
    {"codcasa", [](const SessionContext& s) { return Number(s.codcasa); }},
    {"codlis", [](const SessionContext& s) { return s.codlis.str(); }},
    {"anno", [](const SessionContext& s) { return Number(s.anno); }},
    {"numero", [](const SessionContext& s) { return Number(s.numero); }},
    {"tipdoc", [](const SessionContext& s) { return s.tipdoc.str(); }},
    {"numeratore", [](const SessionContext& s) { return s.numeratore.str(); }},
    {"tipord", [](const SessionContext& s) { return s.tipord.str(); }},
    {"sortdir", [](const SessionContext& s) { return s.sortdir.str(); }},
    {"filtro", [](const SessionContext& s) { return s.filtro; }},
    {"ordinamento", [](const SessionContext& s) { return s.ordinamento; }},
    {"selezione", [](const SessionContext& s) { return s.selezione; }},
    {"bns", [](const SessionContext& s) { return Number(s.bns); }},
    {"pathcassa", [](const SessionContext& s) { return s.pathcassa; }},
    {"taglia", [](const SessionContext& s) { return Number(s.taglia); }},
    {"nuovoprezzo", [](const SessionContext& s) { return s.nuovoprezzo; }},
};

}  // namespace

std::optional<std::string> SessionContext::fieldText(std::string_view name) const {
  for (const Field& f : kFields) {
    if (SameName(f.name, name)) return f.text(*this);
  }
  return std::nullopt;
}

}  // namespace gw
