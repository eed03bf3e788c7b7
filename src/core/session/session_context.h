// The one record through which every screen of a terminal session passes its
// state: paths, store and supplier, operator slot, current code and article,
// document year, number, type and series, department, and the fragments of
// the current list query. Screens take no arguments; each reads and writes
// this record. One per terminal session, created empty, never stored.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/session/fixed_text.h"

namespace gw {

struct SessionContext {
  std::string drive;       // current drive, letter and colon
  std::string pathdati;    // store database (program path)
  std::string pathdati2;   // always equal to pathdati
  std::string pathlavoro;  // working database (program path)
  FixedText dsccliente{35};
  int16_t codcliente = 0;
  int16_t codfor = 0;
  FixedText desfor{45};
  int16_t oper = 0;
  int16_t codutente = 0;
  FixedText ean{13};
  int32_t codcasa = 0;
  FixedText codlis{2};
  int32_t anno = 0;
  int32_t numero = 0;
  FixedText tipdoc{12};
  FixedText numeratore{2};
  FixedText tipord{1};
  FixedText sortdir{4};
  std::string filtro;
  std::string ordinamento;
  std::string selezione;
  int16_t bns = 0;
  std::string pathcassa;
  int16_t taglia = 0;
  std::string nuovoprezzo;

  // The text of a field by its name (case-blind), as the script driver
  // prints it: numbers as plain decimals, fixed-length texts padded.
  std::optional<std::string> fieldText(std::string_view name) const;
};

}  // namespace gw
