// The session record: fixed-length texts and fields by name.
#include "core/session/session_context.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

TEST(FixedTextTest, CutsAndPadsByCharacters) {
  const struct {
    size_t width;
    const char* assigned;
    const char* reads;
  } cases[] = {
      {5, "", "     "},     {5, "abc", "abc  "},    {5, "abcdefg", "abcde"}, {5, "Città", "Città"},
      {4, "Città", "Citt"}, {6, "Città", "Città "}, {3, "àèì€", "àèì"},      {0, "abc", ""},
  };
  for (const auto& c : cases) {
    FixedText t(c.width);
    t = c.assigned;
    EXPECT_EQ(t.str(), c.reads) << c.assigned << " in " << c.width;
  }
}

TEST(FixedTextTest, UnsetReadsAsBlanksAndCopiesKeepTheirWidth) {
  FixedText code(13);
  EXPECT_EQ(code, "             ");
  FixedText short_text(2);
  short_text = "01";
  code = short_text;
  EXPECT_EQ(code.str(), "01           ");
  short_text = code;
  EXPECT_EQ(short_text.str(), "01");
  EXPECT_EQ(short_text.width(), 2u);
}

TEST(SessionContextTest, FieldTextByName) {
  SessionContext s;
  s.pathdati = "\\quib\\dati.mdb";
  s.dsccliente = "Punto vendita Città";
  s.codfor = -12;
  s.codcasa = 1234567;
  s.tipord = "T";
  s.sortdir = "ASC";
  s.ean = "8001234567890";

  const struct {
    const char* name;
    const char* text;
  } cases[] = {
      {"pathdati", "\\quib\\dati.mdb"},
      {"PathDati", "\\quib\\dati.mdb"},
      {"dsccliente", "Punto vendita Città                "},
      {"desfor", "                                             "},
      {"codfor", "-12"},
      {"CODCASA", "1234567"},
      {"anno", "0"},
      {"tipord", "T"},
      {"sortdir", "ASC "},
      {"ean", "8001234567890"},
      {"nuovoprezzo", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(s.fieldText(c.name), c.text) << c.name;
  EXPECT_EQ(s.fieldText("prezzo"), std::nullopt);
  EXPECT_EQ(s.fieldText(""), std::nullopt);
}

}  // namespace
}  // namespace gw
