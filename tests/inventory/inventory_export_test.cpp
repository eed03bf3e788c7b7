// The inventory export file: its byte layout, the file replaced whole (and
// never left half-written), and the view's export of every operator's lines.
#include "inventory/inventory_export.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "app/screens.h"
#include "inventory/morvi06.h"
#include "orders/order_fixture.h"
#include "support/temp_dir.h"

namespace gw::inventory::test {
namespace {

namespace fs = std::filesystem;

std::string Line(const Value& eanrig, const Value& quantita) {
  const ExportLine line{eanrig, quantita};
  return ExportText({&line, 1});
}

std::string Contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void Write(const fs::path& file, std::string_view bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
}

// Every entry of a folder, so that a leftover temporary file shows.
std::vector<std::string> Entries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(InventoryExport, LineLayout) {
  struct Case {
    Value eanrig, quantita;
    std::string line;
  };
  const Case cases[] = {
      {"80012345", 5, "80012345     0005\r\n"},
      {"8001234567890", 12.5, "80012345678900013\r\n"},
      // Format rounds halves away from zero: 2,5 is 3, not the even 2.
      {"8001234567890", 2.5, "80012345678900003\r\n"},
      {"8001234567890", 0.4, "80012345678900000\r\n"},
      {"8001234567890", 9999, "80012345678909999\r\n"},
      {"8001234567890", 12345, "80012345678901234\r\n"},
      {"8001234567890", -5, "8001234567890-000\r\n"},
      {"8001234567890", -123.4, "8001234567890-012\r\n"},
      {"80012345678901234", 1, "80012345678900001\r\n"},
      {"8001  ", 7, "8001         0007\r\n"},
      {Value(), Value(), "                 \r\n"},
      {"è8", "3,5",
       "\xE8"
       "8           0004\r\n"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Line(c.eanrig, c.quantita), c.line)
        << c.eanrig.toText() << " " << c.quantita.toText();
}

TEST(InventoryExport, LinesInTheOrderGiven) {
  const ExportLine lines[] = {{"2", 2}, {"1", 1}};
  EXPECT_EQ(ExportText(lines), "2            0002\r\n1            0001\r\n");
  EXPECT_EQ(ExportText({}), "");
}

TEST(InventoryExport, Windows1252) {
  EXPECT_EQ(ToWindows1252("PERCHÉ più"), "PERCH\xC9 pi\xF9");
  EXPECT_EQ(ToWindows1252("€ ‘x’ – œ Ÿ"), "\x80 \x91x\x92 \x96 \x9C \x9F");
  // No byte in the code page, and bytes that are not UTF-8: one "?" each.
  EXPECT_EQ(ToWindows1252("日本 \xC2\x81 😀"), "?? ? ?");
  EXPECT_EQ(ToWindows1252("a\xFF"
                          "b\xC3"),
            "a?b?");
  EXPECT_EQ(ToWindows1252("\xC0\xAF"), "??");
  // A character counts once against the 13 of the code, whatever its UTF-8 length.
  EXPECT_EQ(Line("àààààààààààààà", 1), std::string(13, '\xE0') + "0001\r\n");
}

TEST(InventoryExport, WriteReplacesTheWholeFile) {
  gw::test::TempDir dir;
  const fs::path file = dir.path() / "kalvor" / "inve1.dat";
  ASSERT_FALSE(WriteExportFile(file, "first\r\nlines\r\n"));
  EXPECT_EQ(Contents(file), "first\r\nlines\r\n");
  ASSERT_FALSE(WriteExportFile(file, "x\r\n"));
  EXPECT_EQ(Contents(file), "x\r\n");
  ASSERT_FALSE(WriteExportFile(file, ""));
  EXPECT_TRUE(fs::exists(file));
  EXPECT_EQ(fs::file_size(file), 0u);
  EXPECT_EQ(Entries(file.parent_path()), std::vector<std::string>{"inve1.dat"});
}

TEST(InventoryExport, WriteFailuresLeaveNothingBehind) {
  gw::test::TempDir dir;
  // The folder's name taken by a file.
  Write(dir.path() / "kalvor", "not a folder");
  EXPECT_TRUE(WriteExportFile(dir.path() / "kalvor" / "inve1.dat", "x\r\n"));
  EXPECT_EQ(Contents(dir.path() / "kalvor"), "not a folder");

  // The file's name taken by a folder: the temporary file goes away again.
  fs::create_directories(dir.path() / "other" / "inve1.dat");
  EXPECT_TRUE(WriteExportFile(dir.path() / "other" / "inve1.dat", "x\r\n"));
  EXPECT_EQ(Entries(dir.path() / "other"), std::vector<std::string>{"inve1.dat"});
}

// The view on the working database of a data folder made as `init` makes it.
class InventoryViewExportTest : public orders::test::OrderStoreTest {
 protected:
  void lines() {
    sql("vorsa/dati.mdb", R"(
INSERT INTO inventario (eanrig, descrizione, colli, quantita, oper) VALUES ('8001111111111', 'PANE', 2, 2, 1);
INSERT INTO inventario (eanrig, descrizione, colli, quantita, oper) VALUES ('80022222', 'LATTE', 12.5, 12.5, 2);
INSERT INTO inventario (eanrig, descrizione, colli, quantita, oper) VALUES ('8003333333333', 'TONNO', 1, 5, 91);
INSERT INTO inventario (eanrig, descrizione, colli, quantita, oper) VALUES ('8004444444444', 'RISO', 3, 12345, 1);
)");
  }
  // Opens the view as operator `oper` and presses "Crea file testo INVE1.dat".
  std::vector<std::string> exportAs(int oper) {
    orders::test::Session t(dir(), "", app::StandardScreens());
    t.terminal.session.oper = oper;
    auto& view = t.start<morvi06>("morvi06");
    t.terminal.click(view.Command2);
    closed = t.terminal.front() != &view;
    return t.front_end.boxes;
  }
  fs::path file() const { return dir() / "kalvor" / "inve1.dat"; }

  bool closed = false;
};

TEST_F(InventoryViewExportTest, EveryOperatorsLinesWhoeverExports) {
  lines();
  EXPECT_TRUE(exportAs(2).empty());
  EXPECT_TRUE(closed);
  const std::string expected =
      "80011111111110002\r\n"
      "80022222     0013\r\n"
      "80033333333330005\r\n"
      "80044444444441234\r\n";
  EXPECT_EQ(Contents(file()), expected);
  EXPECT_TRUE(exportAs(91).empty());
  EXPECT_EQ(Contents(file()), expected);
}

TEST_F(InventoryViewExportTest, AnEmptyTableEmptiesTheFile) {
  fs::create_directories(file().parent_path());
  Write(file(), "80011111111110002\r\n");
  EXPECT_EQ(exportAs(1), std::vector<std::string>{"64 []ATTENZIONE !!!. Non ci sono dati "});
  EXPECT_FALSE(closed);
  EXPECT_TRUE(fs::exists(file()));
  EXPECT_EQ(fs::file_size(file()), 0u);
}

TEST_F(InventoryViewExportTest, AFileThatCannotBeWrittenKeepsTheViewOpen) {
  lines();
  Write(dir() / "kalvor", "");
  const std::vector<std::string> boxes = exportAs(1);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].rfind(
                "16 []ATTENZIONE !!!. Impossibile scrivere il file C:\\kalvor\\inve1.dat (", 0),
            0u)
      << boxes[0];
  EXPECT_FALSE(closed);
}

}  // namespace
}  // namespace gw::inventory::test
