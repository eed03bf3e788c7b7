// Order entry "morvi02": the clerk of one department scans or types a code,
// sees the article with its last order, cost, price, offer and margin, types
// the packs and confirms. Every confirmed line is written at once into the
// work table "ordine" of the store database, one row per code, marked with
// the department (SessionContext.tipord).
#pragma once

#include <string>

#include "core/db/datalink.h"
#include "core/ui/screen.h"

namespace gw::orders {

class morvi02 final : public ui::Screen {
 public:
  explicit morvi02(ui::Terminal& terminal);

  ui::Label Label1;
  ui::TextBox eanw;
  ui::Label Label6;
  ui::TextBox codcasaw;
  ui::TextBox descrw;
  ui::Label Label3;
  ui::TextBox imballow;
  ui::Label Label11;
  ui::TextBox cimpw;
  ui::Label Label5;
  ui::TextBox dtorprw;
  ui::Label Label4;
  ui::TextBox oraw;
  ui::Label Label8;
  ui::TextBox costow;
  ui::Label Label9;
  ui::TextBox Prezzow;
  ui::Label Label10;
  ui::TextBox margw;
  ui::Label Label12;
  ui::TextBox offew;
  ui::Label Label2;
  ui::TextBox totqw;
  ui::Label Label14;
  ui::TextBox umw;
  ui::Label Label7;
  ui::TextBox quanw;
  ui::Button Command2, Command3;
  ui::Label Label13;
  ui::Button Command5, Command13, Command12, Command1;
  ui::Frame Frame1;
  ui::Grid flex1;
  db::DataLink articolo, ordine, Data2;

  void Form_Load() override;

 private:
  void eanw_KeyPress(int& key_ascii);
  void eanw_KeyDown(int& key_code);
  void codcasaw_KeyPress(int& key_ascii);
  void descrw_Click();
  void descrw_KeyPress(int& key_ascii);
  void quanw_KeyPress(int& key_ascii);
  void umw_DblClick();
  void flex1_Click();
  void Command5_Click();
  void Command12_Click();
  void Command13_Click();
  void Command1_Click();

  // The code resolution of Enter in eanw, ending in anagr.
  void cercaCodice();
  // Looks the current code (SessionContext ean and codcasa) up and shows
  // the article, then its prices.
  void anagr();
  // Shows the article SessionContext.codcasa from "articolo"; false when
  // there is none.
  bool mostraArticolo();
  void l_prezzo();
  // Saves the current line, then clears the fields.
  void carica();
  void caltot();
  void chiaro();
  // The focus highlight of an entry field or button.
  void evidenzia(ui::Control& control);
  // Plus or minus one pack.
  void cambiaQuantita(int step);
  // The refusal of a line without a code or quantity.
  void rifiuta();
  // The fields that show the article, emptied.
  void svuota();
  // A code has been looked up and the code field still shows it.
  bool codiceCorrente() const;

  bool trovato_ = false;  // the last lookup found the article
  std::string letto_;     // the code field as the last lookup left it
};

}  // namespace gw::orders
