// Inventory entry "morvi05": the clerk scans or types an article's code,
// sees the article, keys the counted quantity on the keypad and confirms.
// Each confirmation adds the quantity to the article's line of the current
// operator slot (SessionContext.oper) in the work table "inventario" of the
// working database: all codes of one article meet on one line, which keeps
// the code it was first counted with. The stock-out documents use the same
// screen under slot 91.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/db/database.h"
#include "core/db/datalink.h"
#include "core/ui/screen.h"

namespace gw::inventory {

// A code of 13 characters beginning with "2" (blanks trimmed): an in-store
// label of weighed or priced goods, whose characters 8 to 12 are the price
// in cents.
bool IsVariablePriceCode(std::string_view code);

// The quantity such a label stands for at the sale price `przpub`: its price
// (in single precision, 0 when those characters are not a number) over the
// sale price, to 3 decimals with a half going to the even digit.
// REQUIRES: IsVariablePriceCode(code) and przpub != 0.
double LabelQuantity(std::string_view code, double przpub);

// The code of the code field as the line is sought and saved under: 1 to
// 12 digits (blanks trimmed) get leading zeros up to 13; anything else is
// only trimmed.
std::string CountedCode(std::string_view text);

// What the code field resolves to in a store database's "codean".
struct CountedArticle {
  enum class Outcome {
    Internal,  // an internal article code, possibly with one or two check digits
    Ean,       // to be looked up as the 13-digit code in `ean`
    NotACode,  // the text is no whole number: nothing to look up
  };
  Outcome outcome = Outcome::NotACode;
  std::string ean;      // Internal: the article's first code; Ean: the code
  int32_t codcasa = 0;  // the article found, 0 when none
};

// The inventory entry's reading of a typed code (already given its leading
// zero when it had 12 characters). A number below lookup::kFirstEanNumber
// is first an internal code: whole, then without its last digit, then
// without its last two, the first that has a code in "codean" by article.
// Otherwise, or when none has, it is the number written with 13 digits and
// its article is the one "codean" gives for that code.
CountedArticle ResolveCountedCode(db::Database& store, std::string_view typed);

class morvi05 final : public ui::Screen {
 public:
  explicit morvi05(ui::Terminal& terminal);

  ui::Label Label1;
  ui::TextBox eanw;
  ui::Label Label2;
  ui::TextBox codcasaw;
  ui::TextBox operw;
  ui::TextBox descrw;
  ui::Label Label3;
  ui::TextBox imballow;
  ui::Label Label4;
  ui::TextBox cimpw;
  ui::Label Label5;
  ui::TextBox dtorprw;
  ui::Label Label6;
  ui::TextBox costow;
  ui::Label Label7;
  ui::TextBox Prezzow;
  ui::Label Label8;
  ui::TextBox Text1;
  ui::Label Label9;
  ui::TextBox totqw;
  ui::Label Label10;
  ui::TextBox qinvw;
  ui::Label Label11;
  ui::TextBox quanw;
  // The keypad: "1" to "9", ",", "0", "CANC".
  ui::Button Command4, Command6, Command7, Command8, Command9, Command11, Command2, Command3,
      Command10, Command16, Command14, Command15;
  ui::Button Command5, Command12, Command13, Command1;
  db::DataLink inventario, codean, listi01;

  void Form_Load() override;

 private:
  void eanw_KeyPress(int& key_ascii);
  void eanw_KeyDown(int& key_code);
  void eanw_Click();
  void codcasaw_KeyPress(int& key_ascii);
  void quanw_KeyPress(int& key_ascii);
  void Command5_Click();
  void Command12_Click();
  void Command13_Click();
  void Command1_Click();

  // Enter in the code field: a variable-price label, else the ordinary rule.
  void leggiCodice();
  // The variable-price label in the code field; false when "codean" has no
  // article for it, which leaves it to the ordinary rule.
  bool prezzoVariabile(const std::string& code);
  void codiceOrdinario();
  // Looks the current code (SessionContext ean and codcasa, or the article
  // in codcasaw) up, shows the article and the quantity already counted.
  void anagr();
  // Adds the quantity to the article's line, then clears the fields.
  void carica();
  void caltot();
  void chiaro();
  void evidenzia(ui::Control& control);
  // The article has no price-list row: the prompt, over this screen, gives
  // the focus back to the code field.
  void nonPresente();
  // Moves the focus, unless the prompt has come in front meanwhile.
  void fuoco(ui::Control& control);
  void rifiutaQuantita();
  // Before the lookup of Enter in quanw and of "Conferma": a code typed
  // since the last lookup is a new one, and the article shown does not
  // carry over to it.
  void codiceDigitato();
  // The fields that show an article, emptied.
  void svuotaArticolo();
  // The fields emptied after a save and by "Annulla".
  void svuota();
  db::Query righeOperatore() const;

  std::string letto_;  // the code field as the program last left it
};

}  // namespace gw::inventory
