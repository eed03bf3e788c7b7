// The order confirmation "cnford": turns the working lines of the current
// department into a numbered order of the store, a "testa" header and one
// "movimenti" line per article, or appends them to an existing order; stamps
// the articles with their last order and deletes the department's working
// lines. A confirmation is all or nothing: it is written in one transaction,
// after the checks, and an engine error leaves the store as it was.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/db/datalink.h"
#include "core/ui/screen.h"

namespace gw::db {
class Database;
}

namespace gw::orders {

// "Confermi Nuovo Ordine" or "Aggiunge a Ordine".
enum class ConfirmMode { NewOrder, AddToOrder };

// A working row of "ordine" as the confirmation reads it (Null as 0 or "").
struct WorkingLine {
  std::string eanrig;
  int32_t codcasa = 0;
  std::string descrizione;
  std::string unitam;
  double imballo = 0;
  int16_t iva = 0;
  std::string desgru;
  double colli = 0;
};

// What "articolo" gives a line when the article is found.
struct ArticleData {
  std::string desart;
  double imbart = 0;
  double przart = 0;
  int16_t ivart = 0;
  std::string umart;
  std::string desgru;
};

// The fields of a "movimenti" line that come from its working row and its
// article; the order, the line number and the date are the confirmation's.
struct OrderLine {
  int32_t articoli = 0;
  std::string unitam;
  double imballo = 0;
  double prezzo = 0;
  double quantita = 0;
  double colli = 0;
  std::string descrizione;
  int16_t iva = 0;
  std::string desgru;
  std::string eanrig;
  double totrig = 0;
};

// The EAN of an order line: the working code without its trailing blanks,
// left-padded with "0" to 13 characters when shorter.
std::string OrderLineEan(std::string_view eanrig);

// The line of a working row with `colli` not 0. `code` is the article code
// found for the row's EAN (or the row's own code); `article` is null when
// "articolo" has no such article.
OrderLine BuildOrderLine(ConfirmMode mode, const WorkingLine& row, int32_t code,
                         const ArticleData* article);

class cnford final : public ui::Screen {
 public:
  explicit cnford(ui::Terminal& terminal);

  ui::Label Label1;
  ui::TextBox annow;
  ui::Label Label10;
  ui::TextBox datorw;
  ui::CheckBox Check1;
  ui::TextBox numulw;
  ui::CheckBox Check2;
  ui::TextBox numerow;
  ui::ProgressBar ProgressBar1;
  ui::Label Label2;
  ui::Button Command1;
  ui::Button Command2;
  ui::Button Annulla;
  db::DataLink Data1, Data2;

  void Form_Load() override;

 private:
  enum class Outcome { Confirmed, NoLines, NoOrder };
  struct Tables;

  void Check1_Click();
  void Check2_Click();
  void Command1_Click();
  void Command2_Click();

  // The date and number checks; false, after telling the clerk, when one fails.
  bool fieldsValid();
  // Runs the confirmation and tells the clerk what came of it.
  void confirm(ConfirmMode mode);
  // The confirmation in one transaction; `numero` is the order's number,
  // taken again for a new order.
  Outcome transfer(ConfirmMode mode, int32_t& numero);
  bool orderExists(int32_t numero);
  int32_t freeNumber(int32_t numero);
  void addHeader(Tables& tables, int32_t numero);
  void addLine(ConfirmMode mode, Tables& tables, const WorkingLine& row, int32_t numero,
               int counter);
  void advanceProgress();

  int progress_ = 0;
  int step_ = 0;
};

}  // namespace gw::orders
