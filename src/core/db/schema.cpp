// The tables of the three file families and the code that builds them in an
// SQLite file. Field order is the order other programs and the full-table
// queries ("SELECT * FROM inventario") see; widths are those the screens cut
// and pad texts to.
#include "core/db/schema.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "core/db/engine.h"

namespace gw::db {
namespace {

FieldDef Integer(std::string_view name) {
  return {name, FieldType::Integer};
}
FieldDef Long(std::string_view name) {
  return {name, FieldType::Long};
}
FieldDef Currency(std::string_view name) {
  return {name, FieldType::Currency};
}
FieldDef Number(std::string_view name) {
  return {name, FieldType::Number};
}
FieldDef Text(std::string_view name, int width = 0) {
  return {name, FieldType::Text, width};
}
FieldDef Date(std::string_view name) {
  return {name, FieldType::Date};
}

IndexDef Index(std::string_view name, std::string_view field) {
  return {name, field};
}

std::vector<TableDef> ConfigurationTables() {
  return {
      {"società", {Text("database")}, {}},
  };
}

std::vector<TableDef> StoreTables() {
  return {
      // EAN and in-store codes of the articles, with the label marks, the
      // per-code prices and stock figures.
      {"codean",
       {Text("eanare", 13), Long("codare"), Text("desart"), Text("flagean", 1), Text("sta_eti", 1),
        Number("neti"), Integer("taglia"), Text("aggi", 1), Number("prezzo"), Integer("pezzix"),
        Number("prezzox"), Text("nseq"), Text("codbil"), Number("eres"), Number("einv"),
        Number("eacq"), Number("even"), Number("egia")},
       {Index("keyean", "eanare"), Index("codare", "codare")}},

      // Article master of a store. The time of the last order is kept as the
      // text the transmission wrote, since it is shown as stored.
      {"articolo",
       {Long("codart"), Text("desart", 35), Number("imbart"), Currency("przart"), Integer("ivart"),
        Text("umart", 2), Text("desgru", 20), Number("quantiuo"), Number("colliuo"), Date("datauo"),
        Text("orauo", 8)},
       {Index("primary", "codart")}},

      // Price list 01, one row per article. The price lookup by supplier
      // code matches trim(codafo), which its own index serves.
      {"listi01",
       {Long("codart"),     Text("codafo"),   Text("desart", 35), Text("desfor"),
        Text("desgru", 20), Text("umart", 2), Number("imbart"),   Number("ivart"),
        Number("cofart"),   Number("przart"), Number("cosiva"),   Number("przpub"),
        Number("marg"),     Number("przsal"), Number("cosoff"),   Date("data1"),
        Date("data2"),      Number("cosmp"),  Number("qinv"),     Number("qacq"),
        Number("qres"),     Number("qven"),   Number("qgia"),     Number("valgia"),
        Number("colliuo"),  Date("datauo")},
       {Index("primary", "codart")},
       {{"codafo", "trim(codafo)"}}},

      // Order lines being entered: department orders (tipord) or, in the
      // supplier database, supplier orders (codfor).
      {"ordine",
       {Text("eanrig", 13), Long("codcasa"), Text("descrizione", 35), Text("unitam", 2),
        Number("prezzo"), Number("colli"), Number("imballo"), Number("quantita"), Integer("iva"),
        Text("desfor", 35), Integer("codfor"), Text("desgru", 20), Text("tipord", 1)},
       {Index("ean", "eanrig")}},

      // Department order headers and lines. The order date is the text the
      // clerk typed, read as a date.
      {"testa",
       {Long("anno"), Long("numero"), Date("dataor"), Text("dsccliente", 35), Integer("cliente"),
        Text("codlis", 2), Text("fl3ts", 1)},
       {}},
      {"movimenti",
       {Long("bannoc"), Long("bnumer"), Integer("bns"), Date("bdator"), Long("articoli"),
        Text("eanrig", 13), Text("descrizione", 35), Text("unitam", 2), Number("imballo"),
        Currency("prezzo"), Number("colli"), Number("quantita"), Integer("iva"), Text("desgru", 20),
        Number("totrig")},
       {}},

      // Document numbering: last number per user, series and year; the
      // document types with their series.
      {"numeri", {Integer("codutente"), Text("tipo", 2), Long("anno"), Long("ultnum")}, {}},
      {"tipodoc", {Text("coddoc", 12), Text("numeratore", 2), Text("dscdoc")}, {}},

      // Customers (row 1 is the store itself) and suppliers.
      {"clienti",
       {Integer("codcliente"), Text("dsccliente", 35), Text("codfat", 3)},
       {Index("primary", "codcliente")}},
      {"fornitori", {Integer("codfornitore"), Text("dscfornitore")}, {}},

      // Goods-received work table: only the supplier of its first row is
      // read, so only those fields are declared.
      {"carico", {Integer("codfor"), Text("desfor", 45)}, {}},

      // Counted lines of inventories and stock-out documents, per operator
      // slot; its field order is the one the full-table list shows.
      {"inventario",
       {Long("codcasa"), Text("eanrig", 13), Text("descrizione", 35), Text("unitam", 2),
        Number("prezzo"), Number("colli"), Number("quantita"), Number("imballo"), Number("iva"),
        Text("desfor", 35), Text("desgru", 20), Integer("oper")},
       {}},

      // Inventory and stock-out documents handed to the back office. The
      // fields written empty (commesso, bflag1) take the types the other
      // document tables give them.
      {"invte",
       {Long("anno"), Long("numero"), Integer("codutente"), Date("dataor"), Text("dsccliente"),
        Integer("cliente"), Integer("codsede"), Text("dscsede"), Text("regis"), Number("commesso"),
        Text("codlis", 2), Text("tipodoc", 12), Integer("agente"), Text("causa"), Integer("bolli")},
       {}},
      {"invmo",
       {Integer("bns"),     Long("bannoc"),      Long("bnumer"),     Long("articoli"),
        Number("quantita"), Text("unitam", 2),   Number("Colli"),    Text("tipmov"),
        Number("totrig"),   Text("descrizione"), Text("iva", 2),     Integer("codute"),
        Text("eanrig", 13), Currency("costof"),  Currency("prezzo"), Number("cosmp"),
        Text("bflag1", 1),  Text("dsccolore"),   Text("taglia"),     Text("desfor", 35),
        Text("desgru", 20), Number("commesso"),  Text("tipodoc", 12)},
       {}},

      // Receipts waiting for a till: a header row (codope 13) and one row per
      // code (codope 2) under the receipt number in oper.
      {"scontrini",
       {Integer("oper"), Text("eanrig", 13), Long("codcasa"), Text("descrizione", 35),
        Text("desfor", 35), Integer("codope"), Date("data"), Number("quantita"), Number("colli"),
        Number("prezzo"), Text("unitam", 2), Number("imballo"), Number("iva"), Text("desgru", 20),
        Text("trx", 1)},
       {}},

      // The store's tills. The program reads only the till number and its
      // database path, so only those are declared.
      {"casse", {Integer("numero"), Text("percorsoint")}, {}},

      // Supplier returns: working lines, note headers and note lines.
      {"resi",
       {Long("codcasa"), Text("eanrig", 13), Text("descrizione", 35), Text("unitam", 2),
        Currency("prezzo"), Number("colli"), Number("quantita"), Number("imballo"), Integer("iva"),
        Text("desfor", 35), Integer("codfor"), Text("desgru", 20)},
       {Index("ean", "eanrig")}},
      {"reste",
       {Integer("codutente"), Long("anno"), Long("numero"), Date("dataor"), Text("dsccliente", 35),
        Integer("cliente"), Text("codlis", 2), Text("fl1ts", 1), Text("regis", 1), Date("datafa"),
        Text("tipodoc", 12), Text("codtipdoc", 2)},
       {}},
      {"resmo",
       {Integer("codutente"), Long("bannoc"),          Long("bnumer"),     Integer("bns"),
        Text("codtipdoc", 2), Date("bdator"),          Long("articoli"),   Text("unitam", 2),
        Number("imballo"),    Currency("costof"),      Currency("prezzo"), Number("colli"),
        Number("quantita"),   Text("descrizione", 35), Integer("iva"),     Text("desgru", 20),
        Text("eanrig", 13),   Text("tipmov", 2),       Text("bflag1", 1),  Currency("totrig")},
       {}},

      // Supplier orders: headers and lines. dsccliente of the header is only
      // the list's sort column; no screen writes it.
      {"testao",
       {Integer("codutente"), Long("anno"), Long("numero"), Date("dataor"),
        Text("dscfornitore", 35), Integer("codfor"), Text("codlis", 2), Text("fl1ts", 1),
        Text("fl2ts", 1), Text("fl3ts", 1), Date("dataco"), Text("tipodoc"), Number("commesso"),
        Text("dsccliente", 35)},
       {}},
      {"ordini",
       {Integer("codutente"), Long("bannoc"),     Long("bnumer"),          Integer("bns"),
        Date("bdator"),       Long("articoli"),   Text("unitam", 2),       Number("imballo"),
        Currency("costob"),   Currency("costof"), Number("quantita"),      Number("colli"),
        Number("quanci"),     Number("collic"),   Text("descrizione", 35), Integer("iva"),
        Text("desgru", 20),   Text("eanrig", 13), Text("tipmov", 2),       Currency("totrig"),
        Text("bflag1", 1),    Text("lotto", 15)},
       {}},

      // Article master as the supplier screens read it: description for the
      // labels, packing and stock on hand; only those fields are declared.
      {"articoli",
       {Long("codart"), Text("desart", 35), Number("imbart"), Number("cgia")},
       {Index("primary", "codart")}},
  };
}

std::vector<TableDef> TillTables() {
  return {
      // Receipt records taken over by the till program: the header record
      // (tiporecord 13) and one record per line. Only the fields this program
      // writes are declared.
      {"movimentiT",
       {Integer("codutente"),  Integer("tiporecord"), Integer("numcassa"),
        Long("bannoc"),        Long("bnumer"),        Integer("bns"),
        Date("bdator"),        Date("bora"),          Currency("prezzo"),
        Number("quantita"),    Text("bflag1", 1),     Text("bflag2", 1),
        Text("bflag3", 1),     Integer("operatore"),  Text("descrizione", 35),
        Currency("totrig"),    Text("eanrig", 13),    Currency("sconto"),
        Integer("codrep"),     Text("desrep"),        Long("codofferta"),
        Text("desoff"),        Text("tessera"),       Long("progressivo"),
        Text("iva", 2),        Currency("valorenom"), Long("numscoalt"),
        Long("nrriferimento"), Text("tipobattuta", 1)},
       {}},
  };
}

char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return LowerAscii(x) == LowerAscii(y);
         });
}

std::string UpperAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

std::string Quoted(std::string_view name) {
  std::string out = "\"";
  for (char c : name) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

bool IsText(FieldType type) {
  return type == FieldType::Text || type == FieldType::Memo;
}

std::string ColumnDefinition(const FieldDef& field) {
  std::string sql = Quoted(field.name) + " ";
  if (field.type == FieldType::Text && field.width > 0)
    sql += "VARCHAR(" + std::to_string(field.width) + ")";
  else
    sql += DeclaredType(field.type);
  if (IsText(field.type)) sql += " COLLATE NOCASE";
  return sql;
}

// The lower-cased names of the columns a table has; empty when the table
// does not exist.
std::set<std::string> ExistingColumns(Connection& connection, std::string_view table) {
  std::set<std::string> names;
  auto statement = connection.prepare("SELECT name FROM pragma_table_info(?)");
  statement->bind(1, Value(table));
  while (statement->step()) {
    std::string name = statement->column(0).text();
    std::transform(name.begin(), name.end(), name.begin(), LowerAscii);
    names.insert(name);
  }
  statement->reset();
  return names;
}

void CreateTable(Connection& connection, const TableDef& table) {
  std::set<std::string> existing = ExistingColumns(connection, table.name);
  if (existing.empty()) {
    std::string sql = "CREATE TABLE IF NOT EXISTS " + Quoted(table.name) + " (";
    for (size_t i = 0; i < table.fields.size(); ++i) {
      if (i > 0) sql += ", ";
      sql += ColumnDefinition(table.fields[i]);
    }
    connection.execute(sql + ")");
  } else {
    for (const FieldDef& field : table.fields) {
      std::string name(field.name);
      std::transform(name.begin(), name.end(), name.begin(), LowerAscii);
      if (existing.count(name)) continue;
      connection.execute("ALTER TABLE " + Quoted(table.name) + " ADD COLUMN " +
                         ColumnDefinition(field));
    }
  }
  for (const IndexDef& index : table.indexes) {
    connection.execute(std::string("CREATE ") + (index.unique ? "UNIQUE " : "") +
                       "INDEX IF NOT EXISTS " + Quoted(SqlIndexName(table.name, index.name)) +
                       " ON " + Quoted(table.name) + " (" + Quoted(index.field) + ")");
  }
  for (const QueryIndexDef& index : table.query_indexes) {
    connection.execute("CREATE INDEX IF NOT EXISTS " +
                       Quoted(SqlIndexName(table.name, index.name)) + " ON " + Quoted(table.name) +
                       " (" + std::string(index.expression) + ")");
  }
}

// Rolls the schema change back unless it was committed; does nothing when
// the caller already holds a transaction.
class SchemaTransaction {
 public:
  explicit SchemaTransaction(Connection& connection)
      : connection_(connection), owned_(!connection.inTransaction()) {
    if (owned_) connection_.execute("BEGIN");
  }
  ~SchemaTransaction() {
    if (owned_ && connection_.inTransaction()) {
      try {
        connection_.execute("ROLLBACK");
      } catch (const Error&) {
        // The engine has already ended the transaction.
      }
    }
  }
  SchemaTransaction(const SchemaTransaction&) = delete;
  SchemaTransaction& operator=(const SchemaTransaction&) = delete;

  void commit() {
    if (owned_) connection_.execute("COMMIT");
    owned_ = false;
  }

 private:
  Connection& connection_;
  bool owned_;
};

}  // namespace

const FieldDef* TableDef::field(std::string_view name) const {
  for (const FieldDef& f : fields)
    if (SameName(f.name, name)) return &f;
  return nullptr;
}

const IndexDef* TableDef::index(std::string_view name) const {
  for (const IndexDef& i : indexes)
    if (SameName(i.name, name)) return &i;
  return nullptr;
}

const std::vector<TableDef>& Tables(DatabaseKind kind) {
  static const std::vector<TableDef> configuration = ConfigurationTables();
  static const std::vector<TableDef> store = StoreTables();
  static const std::vector<TableDef> till = TillTables();
  switch (kind) {
    case DatabaseKind::Configuration:
      return configuration;
    case DatabaseKind::Store:
      return store;
    case DatabaseKind::Till:
      break;
  }
  return till;
}

const TableDef* FindTable(std::string_view name) {
  for (DatabaseKind kind : {DatabaseKind::Store, DatabaseKind::Configuration, DatabaseKind::Till})
    for (const TableDef& table : Tables(kind))
      if (SameName(table.name, name)) return &table;
  return nullptr;
}

std::string_view DeclaredType(FieldType type) {
  switch (type) {
    case FieldType::Integer:
      return "SMALLINT";
    case FieldType::Long:
      return "INTEGER";
    case FieldType::Currency:
      return "CURRENCY";
    case FieldType::Number:
      return "DOUBLE";
    case FieldType::Text:
      return "TEXT";
    case FieldType::Date:
      return "DATETIME";
    case FieldType::Memo:
      break;
  }
  return "LONGTEXT";
}

FieldType TypeFromDeclared(std::string_view declared) {
  std::string type = UpperAscii(declared);
  std::string base = type.substr(0, type.find('('));
  while (!base.empty() && std::isspace(static_cast<unsigned char>(base.back()))) base.pop_back();
  while (!base.empty() && std::isspace(static_cast<unsigned char>(base.front())))
    base.erase(base.begin());

  if (base == "SMALLINT" || base == "TINYINT" || base == "SHORT" || base == "BYTE")
    return FieldType::Integer;
  if (base == "CURRENCY" || base == "MONEY") return FieldType::Currency;
  if (base == "DATETIME" || base == "DATE" || base == "TIME" || base == "TIMESTAMP")
    return FieldType::Date;
  if (base == "LONGTEXT" || base == "MEMO" || base == "CLOB" || base == "BLOB")
    return FieldType::Memo;
  // Other names by the engine's own affinity rules.
  if (base.find("INT") != std::string::npos || base == "LONG") return FieldType::Long;
  if (base.find("CHAR") != std::string::npos || base.find("TEXT") != std::string::npos)
    return FieldType::Text;
  if (base.empty()) return FieldType::Text;
  return FieldType::Number;
}

std::string SqlIndexName(std::string_view table, std::string_view index) {
  return std::string(table) + "_" + std::string(index);
}

void CreateSchema(Connection& connection, DatabaseKind kind) {
  SchemaTransaction transaction(connection);
  for (const TableDef& table : Tables(kind)) CreateTable(connection, table);
  transaction.commit();
}

}  // namespace gw::db
