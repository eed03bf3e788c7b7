// The shared part of the document menus.
#include "inventory/document_menu.h"

#include <string>

#include "core/db/database.h"
#include "core/db/numbering.h"
#include "core/session/session_context.h"
#include "core/ui/terminal.h"
#include "core/vb/vb.h"

namespace gw::inventory {
namespace {

using namespace ui;

constexpr std::string_view kNoOperator = "Attenzione! Inserire il numero operatore 1,2,3 ecc..";

// What the clerk is told, in the words of each kind of document.
struct MenuMessages {
  const db::NumberingMessages& numbering;
  std::string_view bad_number;
  std::string_view not_confirmed;  // followed by the engine's reason
  std::string_view too_many_lines;
};

const MenuMessages kInventoryMessages{
    db::kInventoryNumbering, " Attenzione !!     Numero Inventario non corretto..... ",
    " Attenzione !!     Inventario non confermato, nessun dato è stato modificato: ",
    " Attenzione !!     Inventario non confermato: le righe supererebbero il numero 32767. "
    "Chiudere e riaprire il programma; nessun dato è stato modificato "};

const MenuMessages kStockOutMessages{
    db::kStockOutNumbering, " Attenzione !!     Numero Documento non corretto..... ",
    " Attenzione !!     Documento non confermato, nessun dato è stato modificato: ",
    " Attenzione !!     Documento non confermato: le righe supererebbero il numero 32767. "
    "Chiudere e riaprire il programma; nessun dato è stato modificato "};

const MenuMessages& MessagesOf(DocumentKind kind) {
  return kind == DocumentKind::Inventory ? kInventoryMessages : kStockOutMessages;
}

}  // namespace

std::optional<int16_t> OperatorSlot(std::string_view text) {
  if (text.empty()) return std::nullopt;
  double value;
  try {
    value = vb::Round(vb::Val(text));
  } catch (const vb::RuntimeError&) {
    return std::nullopt;
  }
  if (value < 1 || value > 32767) return std::nullopt;
  return static_cast<int16_t>(value);
}

DocumentMenu::DocumentMenu(Terminal& terminal, const FormSpec& spec, DocumentKind kind)
    : Screen(terminal, spec), inventario(terminal.databases()), kind_(kind) {}

bool DocumentMenu::operatorChosen(const TextBox& operw) {
  const std::optional<int16_t> slot = OperatorSlot(operw.Text());
  if (!slot) {
    MsgBox(kNoOperator);
    return false;
  }
  session().oper = *slot;
  return true;
}

void DocumentMenu::takeNumber() {
  SessionContext& s = session();
  const db::NumberingMessages& messages = MessagesOf(kind_).numbering;
  switch (db::TakeNextNumber(databases().open(s.pathlavoro), s, CurrentYear())) {
    case db::NumberingOutcome::Taken:
      numbered_ = true;
      break;
    case db::NumberingOutcome::MissingType:
      MsgBox(messages.missing_type);
      break;
    case db::NumberingOutcome::MissingCounter:
      MsgBox(messages.missing_counter);
      break;
  }
}

void DocumentMenu::deleteSlotLines() {
  SessionContext& s = session();
  inventario.DatabaseName = s.pathlavoro;
  inventario.RecordSource = SlotLines(s.oper);
  inventario.Refresh();
  db::Transaction transaction(databases().open(s.pathlavoro));
  for (db::QueryRecordset& lines = inventario.Recordset(); !lines.eof(); lines.moveNext())
    lines.remove();
  transaction.commit();
}

// A number left by an earlier screen is never used: without a number of
// its own the menu refuses as for number 0. The transaction is over before
// any message is shown.
bool DocumentMenu::confirmDocument() {
  SessionContext& s = session();
  const MenuMessages& messages = MessagesOf(kind_);
  DocumentOutcome outcome = DocumentOutcome::BadNumber;
  if (numbered_) {
    try {
      inventario.DatabaseName = s.pathlavoro;
      inventario.RecordSource = SlotLines(s.oper);
      inventario.Refresh();
      outcome = con_inv(databases().open(s.pathlavoro), inventario.Recordset(), s, kind_, Today());
    } catch (const std::exception& error) {
      MsgBox(std::string(messages.not_confirmed) + error.what(), vbCritical);
      return false;
    }
  }
  switch (outcome) {
    case DocumentOutcome::Confirmed:
      return true;
    case DocumentOutcome::NoLines:
      return false;
    case DocumentOutcome::BadNumber:
      MsgBox(messages.bad_number, vbCritical);
      return false;
    case DocumentOutcome::TooManyLines:
      MsgBox(messages.too_many_lines, vbCritical);
      return false;
  }
  return false;
}

}  // namespace gw::inventory
