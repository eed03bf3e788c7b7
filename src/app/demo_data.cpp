// The demo food store: articles built from tables of departments, kinds,
// brands and sizes with a fixed-seed generator, so that every run gives the
// same store. Only the offer windows, the counters' year and the dates of the
// supplier orders follow the day of creation.
#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/data_folder.h"
#include "core/db/engine.h"
#include "core/db/paths.h"
#include "core/db/schema.h"

namespace gw::app {
namespace {

namespace chr = std::chrono;

// splitmix64: small, fast and the same on every platform.
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}
  uint64_t next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int below(int n) { return static_cast<int>(next() % static_cast<uint64_t>(n)); }
  int between(int low, int high) { return low + below(high - low + 1); }
  bool chance(int percent) { return below(100) < percent; }
  template <typename T>
  const T& pick(const std::vector<T>& items) {
    return items[below(static_cast<int>(items.size()))];
  }

 private:
  uint64_t state_;
};

constexpr uint64_t kSeed = 20260302;

// ---- The store's words -----------------------------------------------------

struct Kind {
  const char* name;
  std::vector<const char*> variants;     // "" for none
  std::vector<const char*> sizes;        // smallest first; "" for loose goods
  int minCost, maxCost;                  // cents, for the smallest size
  std::vector<const char*> brands = {};  // replaces the department's brands
};

struct Department {
  const char* group;         // desgru
  int vat;                   // ivart: a rate below 50, a code from 50 up
  const char* unit;          // umart
  bool weighed;              // sold by weight under in-store codes
  int articles;              // at most: as many as its words make up to that
  int minMargin, maxMargin;  // percent of the sale price
  std::vector<int> packs;
  std::vector<int> suppliers;  // indexes into kSuppliers
  std::vector<const char*> brands;
  std::vector<Kind> kinds;
};

const std::vector<const char*> kSuppliers = {
    "DISTRIBUZIONE ALIMENTARE SUD SRL",
    "F.LLI ROSSI INGROSSO SPA",
    "PASTIFICI RIUNITI CAMPANI SRL",
    "CONSERVE ITALIA DISTRIBUZIONE",
    "OLEIFICIO SANT'ANDREA SRL",
    "CASEIFICIO VALLE VERDE SCA",
    "CENTRALE DEL LATTE DI ROMA SPA",
    "SALUMIFICIO DEL MONTE SPA",
    "DOLCIARIA MERIDIONALE SRL",
    "TORREFAZIONE ADRIATICA SRL",
    "BEVANDE CENTRO ITALIA SRL",
    "CANTINE E BIRRE DELL'ADRIATICO",
    "SURGELATI ITALIA SPA",
    "DETERGENZA LOMBARDA SRL",
    "IGIENE CASA DISTRIBUZIONE SNC",
    "PET FOOD ITALIA SRL",
    "ORTOFRUTTA BIANCHI SNC",
    "CARNI SCELTE MARCHE SRL",
    "PANIFICIO LA SPIGA D'ORO",
    "DISTRIBUZIONE EDITORIALE SRL",
};
constexpr int kFirstSupplierCode = 101;

// The store's own brand, whose articles carry short EAN-8 codes.
constexpr const char* kStoreBrand = "VORSA";

const std::vector<Department>& Departments() {
  static const std::vector<Department> departments = {
      {"PASTA",
       4,
       "PZ",
       false,
       160,
       18,
       30,
       {12, 20, 24},
       {2, 0, 1},
       {"DE CECCO", "BARILLA", "GAROFALO", "RUMMO", "VOIELLO", "DIVELLA", "LA MOLISANA", "VORSA"},
       {{"PASTA",
         {"SPAGHETTI", "SPAGHETTINI", "PENNE RIGATE", "PENNE LISCE", "FUSILLI", "RIGATONI",
          "LINGUINE", "FARFALLE", "ORECCHIETTE", "MEZZE MANICHE", "TORTIGLIONI", "PACCHERI",
          "BUCATINI", "DITALINI", "STELLINE", "CONCHIGLIE"},
         {"500G", "1KG"},
         45,
         95},
        {"PASTA INTEGRALE", {"SPAGHETTI", "PENNE", "FUSILLI"}, {"500G"}, 70, 120},
        {"PASTA ALL'UOVO",
         {"TAGLIATELLE", "FETTUCCINE", "PAPPARDELLE", "LASAGNE", "TAGLIOLINI"},
         {"250G", "500G"},
         90,
         160}}},
      {"RISO E FARINE",
       4,
       "PZ",
       false,
       80,
       18,
       30,
       {10, 12},
       {0, 1},
       {"SCOTTI", "GALLO", "CURTIRISO", "FLORIANI", "CAPUTO", "VORSA"},
       {{"RISO",
         {"CARNAROLI", "ARBORIO", "BASMATI", "PARBOILED", "ORIGINARIO", "VENERE", "ROMA"},
         {"500G", "1KG"},
         90,
         220},
        {"FARINA",
         {"TIPO 00", "TIPO 0", "MANITOBA", "INTEGRALE", "DI SEMOLA", "DI MAIS"},
         {"1KG"},
         55,
         120},
        {"POLENTA", {"ISTANTANEA", "BRAMATA"}, {"500G", "1KG"}, 80, 150}}},
      {"CONSERVE",
       4,
       "PZ",
       false,
       110,
       20,
       32,
       {12, 24},
       {3, 0},
       {"MUTTI", "CIRIO", "DE RICA", "LA DORIA", "VALFRUTTA", "STAR", "VORSA"},
       {{"PASSATA DI POMODORO", {"", "RUSTICA", "CON BASILICO"}, {"500G", "700G"}, 50, 110},
        {"POLPA DI POMODORO", {"FINE", "A PEZZETTONI"}, {"400G", "3X400G"}, 40, 80},
        {"PELATI", {"", "SAN MARZANO DOP"}, {"400G", "800G"}, 45, 110},
        {"CONCENTRATO DI POMODORO", {"DOPPIO", "TRIPLO"}, {"130G", "200G"}, 50, 90},
        {"CECI", {"LESSATI", "BIO"}, {"400G", "3X400G"}, 45, 90},
        {"FAGIOLI", {"BORLOTTI", "CANNELLINI", "NERI"}, {"400G", "3X400G"}, 45, 90},
        {"LENTICCHIE", {"LESSATE", "BIO"}, {"400G"}, 50, 95},
        {"PISELLI", {"FINI", "EXTRAFINI"}, {"400G"}, 50, 90},
        {"MAIS", {"DOLCE"}, {"160G", "3X160G"}, 45, 80}}},
      {"PESCE IN SCATOLA",
       10,
       "PZ",
       false,
       90,
       20,
       30,
       {12, 24, 48},
       {3, 1},
       {"RIO MARE", "CALLIPO", "NOSTROMO", "ASDOMAR", "MARUZZELLA", "VORSA"},
       {{"TONNO",
         {"ALL'OLIO D'OLIVA", "AL NATURALE", "IN OLIO EVO", "LEGGERO"},
         {"80G", "3X80G", "4X80G", "2X160G"},
         90,
         160},
        {"FILETTI D'ACCIUGA", {"ALL'OLIO", "PICCANTI"}, {"46G", "100G"}, 150, 300},
        {"SGOMBRO", {"ALL'OLIO", "AL NATURALE"}, {"125G", "3X125G"}, 110, 180},
        {"SALMONE", {"AL NATURALE", "AFFUMICATO"}, {"150G"}, 250, 380}}},
      {"OLIO E ACETO",
       4,
       "PZ",
       false,
       70,
       15,
       25,
       {6, 12},
       {4, 0},
       {"CARAPELLI", "MONINI", "BERTOLLI", "SASSO", "FARCHIONI", "DE CECCO", "L'ANTICO FRANTOIO",
        "VORSA"},
       {{"OLIO EXTRA VERGINE",
         {"", "CLASSICO", "FRUTTATO", "BIO", "100% ITALIANO"},
         {"500ML", "750ML", "1L"},
         350,
         600},
        {"OLIO D'OLIVA", {"", "CLASSICO", "DELICATO"}, {"1L"}, 400, 520},
        {"OLIO DI SEMI", {"GIRASOLE", "ARACHIDI", "MAIS", "VARI"}, {"1L"}, 130, 300},
        {"ACETO",
         {"DI VINO BIANCO", "DI VINO ROSSO", "DI MELE", "BALSAMICO DI MODENA"},
         {"250ML", "500ML", "1L"},
         60,
         300}}},
      {"LATTE E YOGURT",
       4,
       "PZ",
       false,
       110,
       18,
       28,
       {6, 12},
       {6, 5},
       {"GRANAROLO", "PARMALAT", "STERILGARDA", "MILA", "MUKKI", "YOMO", "MULLER", "VORSA"},
       {{"LATTE",
         {"INTERO", "PARZ. SCREMATO", "SCREMATO", "ALTA QUALITA'", "SENZA LATTOSIO", "UHT INTERO"},
         {"500ML", "1L"},
         55,
         110},
        {"YOGURT",
         {"BIANCO", "MAGRO", "ALLA FRAGOLA", "ALL'ALBICOCCA", "AI FRUTTI DI BOSCO", "GRECO",
          "ALLA VANIGLIA"},
         {"125G", "2X125G", "500G"},
         30,
         60},
        {"PANNA", {"DA CUCINA", "FRESCA", "SPRAY"}, {"200ML", "500ML"}, 60, 140},
        {"BURRO", {"", "SENZA LATTOSIO"}, {"125G", "250G"}, 110, 260}}},
      {"FORMAGGI",
       4,
       "PZ",
       false,
       90,
       20,
       32,
       {6, 10},
       {5, 1},
       {"GALBANI", "PARMAREGGIO", "BELGIOIOSO", "ZANETTI", "GRANAROLO", "NONNO NANNI", "VORSA"},
       {{"MOZZARELLA",
         {"", "FIOR DI LATTE", "LIGHT", "DI BUFALA"},
         {"125G", "3X100G", "250G"},
         60,
         200},
        {"PARMIGIANO REGGIANO", {"24 MESI", "30 MESI", "GRATTUGIATO"}, {"100G", "200G"}, 200, 380},
        {"GRANA PADANO", {"DOP", "GRATTUGIATO"}, {"100G", "200G"}, 180, 320},
        {"STRACCHINO", {"", "CLASSICO"}, {"100G", "250G"}, 90, 150},
        {"RICOTTA", {"VACCINA", "LIGHT"}, {"250G"}, 90, 140},
        {"MASCARPONE", {""}, {"250G", "500G"}, 130, 200},
        {"GORGONZOLA", {"DOLCE", "PICCANTE"}, {"150G"}, 150, 230}}},
      {"SALUMI",
       10,
       "PZ",
       false,
       100,
       22,
       34,
       {10},
       {7},
       {"CITTERIO", "FIORUCCI", "RIGAMONTI", "ROVAGNATI", "VILLANI", "NEGRONI", "BECHER", "VORSA"},
       {{"PROSCIUTTO COTTO", {"", "ALTA QUALITA'", "SCELTO"}, {"100G", "150G"}, 150, 260},
        {"PROSCIUTTO CRUDO", {"", "DI PARMA", "SAN DANIELE"}, {"80G", "100G"}, 200, 380},
        {"SALAME", {"MILANO", "NAPOLI", "UNGHERESE", "FELINO"}, {"100G"}, 150, 280},
        {"BRESAOLA", {"", "PUNTA D'ANCA"}, {"80G"}, 250, 400},
        {"SPECK", {"", "ALTO ADIGE"}, {"100G"}, 200, 320},
        {"WURSTEL", {"DI SUINO", "DI POLLO"}, {"250G", "3X100G"}, 90, 180},
        {"MORTADELLA", {"", "CON PISTACCHIO"}, {"100G"}, 110, 180}}},
      {"PANE E SOSTITUTI",
       4,
       "PZ",
       false,
       80,
       20,
       32,
       {10, 12, 20},
       {8, 0},
       {"MULINO BIANCO", "HARRY'S", "PAVESI", "GRISSIN BON", "VORSA"},
       {{"PAN BAULETTO", {"BIANCO", "INTEGRALE", "AI CEREALI"}, {"400G"}, 110, 170},
        {"PANCARRE'", {"BIANCO", "INTEGRALE", "SENZA CROSTA"}, {"400G", "800G"}, 100, 170},
        {"FETTE BISCOTTATE", {"CLASSICHE", "INTEGRALI", "DORATE"}, {"315G", "630G"}, 90, 150},
        {"CRACKERS",
         {"SALATI", "NON SALATI", "INTEGRALI", "AI CEREALI"},
         {"250G", "500G"},
         80,
         140},
        {"GRISSINI", {"TORINESI", "INTEGRALI", "AL SESAMO"}, {"125G", "250G"}, 70, 130},
        {"PIADINA", {"CLASSICA", "SFOGLIATA"}, {"3PZ", "5PZ"}, 90, 150}}},
      {"BISCOTTI E DOLCI",
       10,
       "PZ",
       false,
       140,
       20,
       32,
       {10, 12, 20},
       {8, 1},
       {"MULINO BIANCO", "PAVESI", "BALOCCO", "GENTILINI", "LAGO", "DORIA", "LOACKER", "VORSA"},
       {{"BISCOTTI",
         {"FROLLINI", "INTEGRALI", "AL CACAO", "AL BURRO", "SECCHI", "CON GOCCE", "AI CEREALI"},
         {"350G", "700G"},
         120,
         250},
        {"MERENDINE",
         {"AL CIOCCOLATO", "ALL'ALBICOCCA", "AL LATTE", "AL CACAO"},
         {"8PZ", "10PZ"},
         150,
         250},
        {"WAFER", {"NOCCIOLA", "CACAO", "LIMONE"}, {"45G", "175G"}, 60, 160},
        {"CIOCCOLATO",
         {"FONDENTE", "AL LATTE", "BIANCO", "ALLE NOCCIOLE"},
         {"100G", "3X100G"},
         90,
         180},
        {"CROSTATINE", {"ALBICOCCA", "CACAO", "CILIEGIA"}, {"6PZ", "10PZ"}, 150, 230},
        {"CREMA SPALMABILE", {"NOCCIOLA", "CACAO E NOCCIOLE"}, {"400G", "750G"}, 200, 380}}},
      {"CAFFE' E TE'",
       22,
       "PZ",
       false,
       90,
       18,
       28,
       {10, 20},
       {9, 0},
       {"LAVAZZA", "KIMBO", "ILLY", "SEGAFREDO", "PELLINI", "BORBONE", "VERGNANO", "VORSA"},
       {{"CAFFE'",
         {"MACINATO", "MOKA", "ESPRESSO", "DECAFFEINATO", "IN GRANI", "QUALITA' ORO", "CLASSICO"},
         {"250G", "2X250G", "4X250G", "1KG"},
         250,
         480},
        {"CAFFE' CAPSULE",
         {"ESPRESSO", "INTENSO", "DECAFFEINATO", "CREMOSO"},
         {"10PZ", "16PZ", "30PZ"},
         250,
         400},
        {"TE'",
         {"NERO", "VERDE", "ALLA PESCA", "AL LIMONE", "DETEINATO"},
         {"20 FILTRI", "50 FILTRI"},
         120,
         220,
         {"TWININGS", "LIPTON", "STAR", "VORSA"}},
        {"CAMOMILLA",
         {"SETACCIATA", "SOLUBILE"},
         {"20 FILTRI", "50 FILTRI"},
         110,
         200,
         {"BONOMELLI", "STAR", "VORSA"}},
        {"ORZO",
         {"SOLUBILE", "MACINATO"},
         {"120G", "500G"},
         150,
         260,
         {"ORZO BIMBO", "CRASTAN", "VORSA"}}}},
      {"ACQUA E BIBITE",
       22,
       "PZ",
       false,
       100,
       20,
       35,
       {1, 6},
       {10},
       {"SAN BENEDETTO", "SAN PELLEGRINO", "LEVISSIMA", "FERRARELLE", "ULIVETO", "SANT'ANNA",
        "ROCCHETTA", "VORSA"},
       {{"ACQUA",
         {"NATURALE", "FRIZZANTE", "LEGG. FRIZZANTE", "OLIGOMINERALE"},
         {"50CL", "1,5L", "6X50CL", "6X1,5L"},
         12,
         30},
        {"BIBITA",
         {"COLA", "ARANCIATA", "LIMONATA", "CHINOTTO", "TONICA", "GASSOSA"},
         {"33CL", "1,5L", "6X33CL"},
         30,
         80,
         {"COCA-COLA", "FANTA", "SPRITE", "SAN PELLEGRINO", "LURISIA", "VORSA"}},
        {"THE FREDDO",
         {"PESCA", "LIMONE"},
         {"50CL", "1,5L"},
         50,
         110,
         {"SAN BENEDETTO", "LIPTON", "ESTATHE'", "VORSA"}},
        {"SUCCO DI FRUTTA",
         {"PESCA", "PERA", "ALBICOCCA", "ACE", "ARANCIA ROSSA", "MIRTILLO"},
         {"3X200ML", "1L"},
         70,
         150,
         {"SANTAL", "YOGA", "SKIPPER", "DERBY BLUE", "VORSA"}}}},
      {"BIRRE E VINI",
       22,
       "PZ",
       false,
       90,
       20,
       32,
       {6, 12, 24},
       {11, 10},
       {"VORSA"},
       {{"BIRRA",
         {"LAGER", "DOPPIO MALTO", "ROSSA", "NON FILTRATA"},
         {"33CL", "66CL", "3X33CL"},
         50,
         150,
         {"PERONI", "MORETTI", "MENABREA", "ICHNUSA", "NASTRO AZZURRO", "FORST", "VORSA"}},
        {"VINO",
         {"ROSSO", "BIANCO", "ROSATO", "CHIANTI DOCG", "MONTEPULCIANO DOC", "LAMBRUSCO",
          "NERO D'AVOLA"},
         {"75CL", "1L", "1,5L"},
         180,
         700,
         {"TAVERNELLO", "ZONIN", "CAVIT", "SANTA CRISTINA", "CANTINA D'ABRUZZO", "VORSA"}},
        {"SPUMANTE",
         {"BRUT", "DOLCE", "PROSECCO DOC", "EXTRA DRY"},
         {"75CL"},
         400,
         1400,
         {"MARTINI", "FERRARI", "BERLUCCHI", "ZONIN", "VALDO"}}}},
      {"SURGELATI",
       10,
       "PZ",
       false,
       110,
       22,
       34,
       {10, 12},
       {12},
       {"FINDUS", "ORO SAGRA", "BUITONI", "VALFRUTTA", "VORSA"},
       {{"PISELLI", {"FINISSIMI", "PRIMAVERA"}, {"450G", "1KG"}, 110, 200},
        {"SPINACI", {"IN FOGLIA", "A CUBETTI"}, {"450G", "1KG"}, 100, 190},
        {"MINESTRONE", {"TRADIZIONALE", "12 VERDURE"}, {"750G"}, 150, 250},
        {"BASTONCINI DI MERLUZZO", {""}, {"10PZ", "18PZ"}, 200, 330},
        {"PIZZA",
         {"MARGHERITA", "PROSCIUTTO", "4 FORMAGGI", "DIAVOLA", "CAPRICCIOSA"},
         {"1PZ", "2PZ"},
         150,
         300},
        {"PATATE FRITTE", {"CLASSICHE", "STICK"}, {"750G", "1KG"}, 130, 220},
        {"GELATO",
         {"VANIGLIA", "CIOCCOLATO", "STRACCIATELLA", "NOCCIOLA", "PISTACCHIO"},
         {"500G", "750G"},
         200,
         350,
         {"ALGIDA", "SAMMONTANA", "MOTTA", "VORSA"}},
        {"CONO GELATO",
         {"CIOCCOLATO", "PANNA", "FIOR DI LATTE"},
         {"4PZ", "6PZ"},
         200,
         320,
         {"ALGIDA", "SAMMONTANA", "MOTTA"}}}},
      {"SNACK E PATATINE",
       10,
       "PZ",
       false,
       70,
       25,
       38,
       {12, 20},
       {8, 0},
       {"SAN CARLO", "PAI", "AMICA CHIPS", "PRINGLES", "CRIK CROK", "VORSA"},
       {{"PATATINE",
         {"CLASSICHE", "RUSTICHE", "ALLA PAPRIKA", "AL ROSMARINO", "LIGHT"},
         {"40G", "150G", "250G"},
         40,
         90},
        {"POPCORN", {"SALATI", "DOLCI"}, {"100G"}, 60, 110},
        {"ARACHIDI", {"TOSTATE", "SALATE"}, {"200G"}, 80, 140},
        {"TARALLI", {"CLASSICI", "AL FINOCCHIO", "ALLA CIPOLLA"}, {"250G"}, 80, 140}}},
      {"DETERSIVI",
       22,
       "PZ",
       false,
       90,
       22,
       35,
       {6, 12},
       {13, 14},
       {"DASH", "DIXAN", "AJAX", "SVELTO", "NELSEN", "CHANTECLAIR", "SOLE", "SMAC", "VORSA"},
       {{"DETERSIVO LAVATRICE", {"LIQUIDO", "POLVERE", "CAPSULE"}, {"20 LAV", "40 LAV"}, 350, 900},
        {"DETERSIVO PIATTI", {"LIMONE", "ACETO", "CLASSICO"}, {"1L"}, 90, 190},
        {"SGRASSATORE", {"UNIVERSALE", "MARSIGLIA", "LIMONE"}, {"600ML"}, 120, 230},
        {"AMMORBIDENTE", {"CLASSICO", "CONCENTRATO", "TALCO"}, {"1L", "2L"}, 120, 250},
        {"CANDEGGINA", {"DELICATA", "CLASSICA"}, {"2L"}, 80, 150},
        {"PAVIMENTI", {"LAVANDA", "MUSCHIO BIANCO", "MARSIGLIA"}, {"1L"}, 100, 200},
        {"LAVASTOVIGLIE", {"TUTTO IN 1", "LIMONE"}, {"26PZ", "40PZ"}, 350, 700}}},
      {"IGIENE PERSONA",
       22,
       "PZ",
       false,
       110,
       25,
       38,
       {6, 12},
       {14, 13},
       {"PALMOLIVE", "DOVE", "NIVEA", "COLGATE", "AZ", "MENTADENT", "NEUTRO ROBERTS",
        "FELCE AZZURRA", "VIDAL", "VORSA"},
       {{"SHAMPOO",
         {"CAPELLI NORMALI", "ANTIFORFORA", "NUTRIENTE", "DELICATO"},
         {"250ML", "400ML"},
         120,
         260},
        {"BAGNOSCHIUMA", {"CLASSICO", "IDRATANTE", "AL TALCO"}, {"500ML", "750ML"}, 120, 250},
        {"DENTIFRICIO",
         {"SBIANCANTE", "PROTEZIONE CARIE", "SENSITIVE"},
         {"75ML", "2X75ML"},
         90,
         200},
        {"SAPONE LIQUIDO", {"NEUTRO", "ALOE", "MARSIGLIA"}, {"250ML", "500ML"}, 80, 180},
        {"DEODORANTE", {"SPRAY", "ROLL-ON", "STICK"}, {"50ML", "150ML"}, 150, 280},
        {"SPAZZOLINO", {"MEDIO", "MORBIDO"}, {"1PZ", "2PZ"}, 80, 200}}},
      {"CARTA E CASA",
       22,
       "PZ",
       false,
       70,
       22,
       34,
       {6, 10},
       {14},
       {"SCOTTEX", "REGINA", "FOXY", "TEMPO", "CUKI", "DOMOPAK", "VORSA"},
       {{"CARTA IGIENICA", {"2 VELI", "3 VELI"}, {"4 ROTOLI", "8 ROTOLI", "12 ROTOLI"}, 150, 280},
        {"ASCIUGATUTTO", {"2 VELI", "3 VELI"}, {"2 ROTOLI", "4 ROTOLI"}, 120, 220},
        {"FAZZOLETTI", {"CLASSICI", "BALSAMICI"}, {"10PZ", "150 VELI"}, 90, 180},
        {"TOVAGLIOLI", {"BIANCHI", "COLORATI"}, {"50PZ", "100PZ"}, 70, 150},
        {"ALLUMINIO", {"", "ALTO"}, {"16M", "30M"}, 100, 200},
        {"PELLICOLA", {"TRASPARENTE"}, {"30M", "50M"}, 90, 180},
        {"SACCHETTI GELO", {"PICCOLI", "GRANDI"}, {"30PZ"}, 80, 150}}},
      {"ALIMENTI ANIMALI",
       22,
       "PZ",
       false,
       70,
       22,
       34,
       {12, 24},
       {15},
       {"FRISKIES", "WHISKAS", "PURINA ONE", "MONGE", "FELIX", "GOURMET", "VORSA"},
       {{"CIBO GATTO",
         {"MANZO", "POLLO", "TONNO", "SALMONE", "TACCHINO"},
         {"85G", "4X85G", "400G"},
         50,
         120},
        {"CIBO CANE", {"MANZO", "POLLO", "AGNELLO"}, {"400G", "1,5KG", "3KG"}, 90, 200},
        {"CROCCANTINI GATTO", {"POLLO", "SALMONE"}, {"400G", "1,5KG"}, 200, 400}}},
      {"DROGHERIA",
       10,
       "PZ",
       false,
       100,
       18,
       30,
       {10, 12, 20},
       {0, 1},
       {"VORSA"},
       {{"ZUCCHERO",
         {"SEMOLATO", "DI CANNA", "A VELO"},
         {"500G", "1KG"},
         60,
         120,
         {"ERIDANIA", "ITALIA ZUCCHERI", "VORSA"}},
        {"SALE",
         {"FINO", "GROSSO", "IODATO"},
         {"1KG"},
         25,
         60,
         {"ITALKALI", "GEMMA DI MARE", "VORSA"}},
        {"UOVA",
         {"FRESCHE", "BIOLOGICHE", "DA ALLEV. A TERRA"},
         {"6PZ", "10PZ"},
         120,
         220,
         {"AIA", "LE NATURELLE", "FATTORIE", "VORSA"}},
        {"MIELE",
         {"MILLEFIORI", "ACACIA", "CASTAGNO", "AGRUMI"},
         {"250G", "500G"},
         250,
         450,
         {"AMBROSOLI", "RIGONI", "VORSA"}},
        {"CONFETTURA",
         {"ALBICOCCHE", "FRAGOLE", "CILIEGIE", "PESCHE", "FRUTTI DI BOSCO"},
         {"340G"},
         120,
         250,
         {"ZUEGG", "RIGONI", "CIRIO", "VORSA"}},
        {"BRODO",
         {"DI CARNE", "VEGETALE", "DI POLLO"},
         {"10 DADI", "20 DADI"},
         80,
         160,
         {"STAR", "KNORR", "VORSA"}},
        {"MAIONESE",
         {"CLASSICA", "LIGHT"},
         {"225ML", "500ML"},
         100,
         220,
         {"CALVE'", "KRAFT", "VORSA"}}}},
      {"EDICOLA",
       74,
       "PZ",
       false,
       15,
       8,
       12,
       {1},
       {19},
       {},
       {{"QUOTIDIANO",
         {"CORRIERE DELLA SERA", "LA REPUBBLICA", "LA STAMPA", "IL MESSAGGERO",
          "GAZZETTA DELLO SPORT", "IL SOLE 24 ORE", "AVVENIRE", "IL RESTO DEL CARLINO"},
         {""},
         130,
         220},
        {"SETTIMANALE",
         {"TV SORRISI E CANZONI", "FAMIGLIA CRISTIANA", "DIPIU'", "OGGI", "CHI", "GENTE",
          "SETTIMANA ENIGMISTICA"},
         {""},
         150,
         300}}},
      {"ORTOFRUTTA",
       4,
       "KG",
       true,
       60,
       25,
       40,
       {1},
       {16},
       {},
       {{"MELE",
         {"GOLDEN", "FUJI", "RENETTE", "STARK", "GRANNY SMITH", "PINK LADY"},
         {"", "TRENTINO", "VALTELLINA"},
         90,
         180},
        {"PERE", {"WILLIAMS", "ABATE", "KAISER", "CONFERENCE"}, {"", "EMILIA"}, 120, 200},
        {"ARANCE", {"TAROCCO", "NAVEL", "VALENCIA"}, {"", "SICILIA"}, 80, 150},
        {"LIMONI", {""}, {"", "AMALFI", "SICILIA"}, 120, 220},
        {"BANANE", {""}, {"", "BIO"}, 90, 150},
        {"KIWI", {""}, {"", "LATINA"}, 130, 220},
        {"UVA", {"ITALIA", "BIANCA", "NERA"}, {""}, 150, 260},
        {"POMODORI",
         {"CILIEGINI", "DATTERINI", "RAMATI", "CUORE DI BUE", "SAN MARZANO"},
         {""},
         120,
         280},
        {"PATATE", {"GIALLE", "ROSSE", "NOVELLE"}, {""}, 50, 110},
        {"CIPOLLE", {"DORATE", "ROSSE DI TROPEA", "BIANCHE"}, {""}, 60, 160},
        {"CAROTE", {""}, {""}, 50, 100},
        {"ZUCCHINE", {"", "ROMANESCHE"}, {""}, 110, 220},
        {"MELANZANE", {"", "TONDE"}, {""}, 100, 200},
        {"PEPERONI", {"GIALLI", "ROSSI", "VERDI"}, {""}, 150, 280},
        {"FINOCCHI", {""}, {""}, 90, 160},
        {"CARCIOFI", {"ROMANESCHI", "SPINOSI"}, {""}, 200, 350},
        {"FRAGOLE", {""}, {""}, 300, 500},
        {"PESCHE", {"GIALLE", "NETTARINE"}, {""}, 150, 260}}},
      {"MACELLERIA",
       10,
       "KG",
       true,
       30,
       25,
       35,
       {1},
       {17},
       {},
       {{"BISTECCA", {"DI MANZO", "DI VITELLO", "DI SUINO"}, {""}, 900, 1800},
        {"FETTINE", {"DI MANZO", "DI VITELLO", "DI TACCHINO", "DI POLLO"}, {""}, 700, 1600},
        {"MACINATO", {"DI MANZO", "MISTO", "DI SUINO"}, {""}, 600, 1000},
        {"SPEZZATINO", {"DI MANZO", "DI VITELLO"}, {""}, 800, 1300},
        {"ARROSTO", {"DI VITELLO", "DI TACCHINO", "DI SUINO"}, {""}, 800, 1500},
        {"PETTO", {"DI POLLO", "DI TACCHINO"}, {""}, 700, 1100},
        {"COSCE", {"DI POLLO"}, {""}, 400, 700},
        {"ALI", {"DI POLLO"}, {""}, 300, 550},
        {"SALSICCIA", {"DI SUINO", "DI POLLO", "PICCANTE"}, {""}, 500, 900},
        {"COSTINE", {"DI SUINO"}, {""}, 500, 800},
        {"LONZA", {"DI SUINO"}, {""}, 600, 900},
        {"HAMBURGER", {"DI MANZO", "DI POLLO"}, {""}, 800, 1300}}},
      {"GASTRONOMIA",
       10,
       "KG",
       true,
       28,
       25,
       38,
       {1},
       {7, 5},
       {},
       {{"PROSCIUTTO COTTO", {"ALTA QUALITA'", "ARROSTO", "ALLE ERBE"}, {""}, 1000, 1700},
        {"PROSCIUTTO CRUDO", {"DI PARMA", "SAN DANIELE", "TOSCANO"}, {""}, 1600, 2600},
        {"MORTADELLA", {"BOLOGNA IGP", "CON PISTACCHIO"}, {""}, 800, 1300},
        {"SALAME", {"MILANO", "FELINO", "NAPOLI"}, {""}, 1200, 1900},
        {"PANCETTA", {"ARROTOLATA", "AFFUMICATA"}, {""}, 900, 1400},
        {"PARMIGIANO REGGIANO", {"24 MESI", "36 MESI"}, {""}, 1500, 2400},
        {"GRANA PADANO", {"DOP"}, {""}, 1200, 1700},
        {"PECORINO", {"ROMANO", "SARDO", "TOSCANO"}, {""}, 1200, 2000},
        {"PROVOLONE", {"DOLCE", "PICCANTE"}, {""}, 900, 1400},
        {"ASIAGO", {"FRESCO", "STAGIONATO"}, {""}, 900, 1500},
        {"OLIVE", {"VERDI", "NERE", "TAGGIASCHE"}, {""}, 600, 1500}}},
      {"PANETTERIA",
       4,
       "KG",
       true,
       12,
       30,
       45,
       {1},
       {18},
       {},
       {{"PANE",
         {"COMUNE", "INTEGRALE", "DI SEMOLA", "ALL'OLIO", "DI ALTAMURA DOP", "AI CEREALI"},
         {""},
         150,
         300},
        {"FOCACCIA", {"GENOVESE", "ALLA CIPOLLA", "AL ROSMARINO"}, {""}, 400, 700},
        {"PIZZA", {"BIANCA", "ROSSA"}, {""}, 400, 650}}},
  };
  return departments;
}

// The article under which every scale ticket ("99" code) is registered, and
// its one code: the prefix 990000000000 and its check digit.
constexpr int32_t kScaleArticle = 990000;
constexpr const char* kScaleCode = "9900000000004";

// ---- Codes -------------------------------------------------------------------

char CheckDigit(std::string_view digits) {
  // GS1 weights from the right: 3, 1, 3, 1 ...
  int sum = 0;
  int weight = 3;
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    sum += (*it - '0') * weight;
    weight = 4 - weight;
  }
  return static_cast<char>('0' + (10 - sum % 10) % 10);
}

std::string Digits(long long value, int width) {
  std::string text = std::to_string(value);
  return std::string(width > static_cast<int>(text.size()) ? width - text.size() : 0, '0') + text;
}

std::string Ean13(std::string_view twelve) {
  return std::string(twelve) + CheckDigit(twelve);
}

// An EAN-8 as the store keeps it: left-padded with "0" to 13 characters.
std::string StoredEan8(std::string_view seven) {
  return "00000" + std::string(seven) + CheckDigit(seven);
}

// In-store code of a weighed article: "2", the six digits of its code, five
// digits of price or weight (zero here) and the check digit.
std::string InStoreCode(int32_t article) {
  return Ean13("2" + Digits(article, 6) + "00000");
}

// ---- The generated store ---------------------------------------------------

double Cents(double amount) {
  return std::round(amount * 100) / 100;
}
double Grams(double amount) {
  return std::round(amount * 1000) / 1000;
}

struct Code {
  std::string ean;
  bool ownPrice = false;       // a multipack EAN that carries its own price
  std::string scaleCode = "";  // codbil, for weighed goods
};

struct Offer {
  double price = 0, cost = 0;
  int startDay = 0, endDay = 0;  // days from the day of creation
};

struct Article {
  int32_t code = 0;
  std::string description;
  std::string group, unit;
  int vat = 0;
  int pack = 1;
  double cost = 0, costVat = 0, price = 0, margin = 0;
  int supplier = 0;
  std::vector<Code> codes;
  bool hasOffer = false;
  Offer offer;
  double inventoried = 0, bought = 0, returned = 0, sold = 0;
  int lastOrderPacks = 0;  // 0: never ordered
  std::string lastOrderDate, lastOrderTime;

  double stock() const { return Grams(inventoried + bought - returned - sold); }
};

// A shelf price ending in 9 cents, at least the amount.
double ShelfPrice(double amount) {
  double tenths = std::ceil(amount * 10 - 1e-9);
  return std::max(0.19, (tenths * 10 - 1) / 100);
}

uint32_t NameHash(std::string_view text) {
  uint32_t hash = 2166136261u;
  for (char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  return hash;
}

std::string Join(std::initializer_list<std::string_view> words) {
  std::string out;
  for (std::string_view word : words) {
    if (word.empty()) continue;
    if (!out.empty()) out += ' ';
    out += word;
  }
  return out;
}

std::string FixedDate(int dayOffset) {
  chr::sys_days day = chr::sys_days(chr::year{2026} / chr::January / 5) + chr::days(dayOffset);
  chr::year_month_day ymd(day);
  char text[11];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(ymd.year()),
                static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
  return text;
}

class StoreBuilder {
 public:
  StoreBuilder() : random_(kSeed) {}

  std::vector<Article> build() {
    const auto& departments = Departments();
    for (size_t d = 0; d < departments.size(); ++d) addDepartment(departments[d], d);
    addScaleArticle();
    return std::move(articles_);
  }

 private:
  void addDepartment(const Department& department, size_t index) {
    int32_t next = static_cast<int32_t>(100000 + 10000 * index);
    int made = 0;
    for (int attempt = 0; made < department.articles && attempt < department.articles * 40;
         ++attempt) {
      const Kind& kind = random_.pick(department.kinds);
      const auto& brands = kind.brands.empty() ? department.brands : kind.brands;
      std::string brand = brands.empty() || random_.chance(8) ? "" : random_.pick(brands);
      std::string variant = random_.pick(kind.variants);
      int sizeIndex = random_.below(static_cast<int>(kind.sizes.size()));
      std::string size = kind.sizes[sizeIndex];
      std::string description = Join({kind.name, brand, variant, size});
      if (description.size() > 35 || !descriptions_.insert(description).second) continue;

      Article article;
      article.code = ++next;
      article.description = description;
      article.group = department.group;
      article.vat = department.vat;
      article.unit = department.unit;
      if (!size.empty() && size.find('X') != std::string::npos && std::isdigit(size[0]))
        article.unit = "CF";
      article.pack = department.weighed ? 1 : random_.pick(department.packs);
      int baseCents = random_.between(kind.minCost, kind.maxCost);
      article.cost = Cents(baseCents * (1 + 0.9 * sizeIndex) / 100.0);
      article.costVat = article.vat < 50
                            ? Cents(article.cost + Cents(article.cost * article.vat / 100.0))
                            : article.cost;
      int margin = random_.between(department.minMargin, department.maxMargin);
      article.price = ShelfPrice(article.costVat * 100.0 / (100 - margin));
      article.margin = Cents((article.price - article.costVat) / article.price * 100);
      const auto& suppliers = department.suppliers;
      article.supplier = suppliers[NameHash(brand.empty() ? kind.name : brand) % suppliers.size()];
      addCodes(article, brand, department.weighed);
      addOffer(article, department.weighed);
      addStock(article, department.weighed);
      articles_.push_back(std::move(article));
      ++made;
    }
  }

  void addCodes(Article& article, const std::string& brand, bool weighed) {
    if (weighed) {
      article.codes.push_back({InStoreCode(article.code), false, Digits(article.code, 6)});
      return;
    }
    if (brand == kStoreBrand)
      article.codes.push_back({StoredEan8("80" + Digits(10000 + storeBrandItems_++, 5))});
    else
      article.codes.push_back({brandEan(brand)});
    if (article.pack > 1 && random_.chance(12)) article.codes.push_back({brandEan(brand), true});
    if (random_.chance(4))
      article.codes.push_back({StoredEan8("80" + Digits(50000 + oldItems_++, 5))});
  }

  // The next EAN-13 of a brand: "80", a company number of five digits and an
  // item number of five digits.
  std::string brandEan(const std::string& brand) {
    auto [it, added] = brandItems_.try_emplace(brand, 0);
    if (added) brandCompany_[brand] = 12000 + 331 * static_cast<int>(brandCompany_.size());
    return Ean13("80" + Digits(brandCompany_[brand], 5) + Digits(101 + it->second++, 5));
  }

  void addOffer(Article& article, bool weighed) {
    if (weighed || article.vat >= 50 || !random_.chance(15)) return;
    article.hasOffer = true;
    Offer& offer = article.offer;
    offer.price = ShelfPrice(article.price * random_.between(70, 88) / 100.0);
    if (offer.price >= article.price) offer.price = Cents(article.price - 0.10);
    offer.cost = Cents(article.cost * random_.between(80, 95) / 100.0);
    int kind = random_.below(100);
    if (kind < 60) {  // running
      offer.startDay = -random_.between(0, 10);
      offer.endDay = random_.between(0, 14);
    } else if (kind < 85) {  // expired
      offer.endDay = -random_.between(1, 30);
      offer.startDay = offer.endDay - random_.between(7, 14);
    } else {  // not yet started
      offer.startDay = random_.between(1, 10);
      offer.endDay = offer.startDay + random_.between(7, 14);
    }
  }

  void addStock(Article& article, bool weighed) {
    double unit = weighed ? 0.001 : 1;
    auto amount = [&](int low, int high) {
      return weighed ? Grams(random_.between(low * 1000, high * 1000) * unit)
                     : random_.between(low, high);
    };
    article.inventoried = amount(0, 40);
    article.bought = amount(0, 60);
    article.returned = random_.chance(5) ? amount(1, 2) : 0;
    double available = article.inventoried + article.bought - article.returned;
    article.sold = available > 0
                       ? Grams(std::floor(available * random_.between(0, 90) / 100 / unit) * unit)
                       : 0;
    if (!weighed && random_.chance(20)) {
      article.lastOrderPacks = random_.between(1, 10);
      article.lastOrderDate = FixedDate(random_.between(0, 60));
      article.lastOrderTime = Digits(random_.between(6, 11), 2) + ":" +
                              Digits(random_.between(0, 59), 2) + ":" +
                              Digits(random_.between(0, 59), 2);
    }
  }

  void addScaleArticle() {
    Article article;
    article.code = kScaleArticle;
    article.description = "ARTICOLI PESATI BILANCIA";
    article.group = "BILANCIA";
    article.unit = "PZ";
    article.vat = 10;
    article.supplier = 16;
    article.codes.push_back({kScaleCode});
    articles_.push_back(std::move(article));
  }

  Random random_;
  std::vector<Article> articles_;
  std::set<std::string> descriptions_;
  std::map<std::string, int> brandItems_, brandCompany_;
  int storeBrandItems_ = 0, oldItems_ = 0;
};

// ---- Writing ---------------------------------------------------------------

struct Today {
  chr::sys_days day;
  int year() const { return static_cast<int>(chr::year_month_day(day).year()); }
  std::string text(int offset = 0) const {
    chr::year_month_day ymd(day + chr::days(offset));
    char out[11];
    std::snprintf(out, sizeof out, "%04d-%02u-%02u", static_cast<int>(ymd.year()),
                  static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
    return out;
  }
  // A day this many days back, but not before the first of January.
  std::string textThisYear(int daysBack) const {
    chr::sys_days first = chr::sys_days(chr::year{year()} / chr::January / 1);
    int back = std::min<int>(daysBack, static_cast<int>((day - first).count()));
    return text(-back);
  }
};

Today LocalToday() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {chr::sys_days(chr::year{local.tm_year + 1900} /
                        chr::month{static_cast<unsigned>(local.tm_mon + 1)} /
                        chr::day{static_cast<unsigned>(local.tm_mday)})};
}

// A prepared INSERT of named fields of a declared table.
class Inserter {
 public:
  Inserter(db::Connection& connection, std::string_view table,
           std::initializer_list<std::string_view> fields)
      : count_(fields.size()) {
    const db::TableDef* def = db::FindTable(table);
    if (!def) throw std::logic_error("tabella non dichiarata: " + std::string(table));
    std::string names, marks;
    for (std::string_view field : fields) {
      if (!def->field(field))
        throw std::logic_error("campo non dichiarato: " + std::string(table) + "." +
                               std::string(field));
      names += (names.empty() ? "\"" : ", \"") + std::string(field) + "\"";
      marks += marks.empty() ? "?" : ", ?";
    }
    statement_ = connection.prepare("INSERT INTO \"" + std::string(def->name) + "\" (" + names +
                                    ") VALUES (" + marks + ")");
  }

  void add(std::initializer_list<Value> values) {
    if (values.size() != count_) throw std::logic_error("numero di valori errato");
    int index = 0;
    for (const Value& value : values) statement_->bind(++index, value);
    statement_->step();
    statement_->reset();
  }

 private:
  size_t count_;
  std::shared_ptr<db::Statement> statement_;
};

class Transaction {
 public:
  explicit Transaction(db::Connection& connection) : connection_(connection) {
    connection_.execute("BEGIN");
  }
  ~Transaction() {
    if (!committed_) {
      try {
        connection_.execute("ROLLBACK");
      } catch (const db::Error&) {
        // Nothing left to roll back.
      }
    }
  }
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  void commit() {
    connection_.execute("COMMIT");
    committed_ = true;
  }

 private:
  db::Connection& connection_;
  bool committed_ = false;
};

bool IsEmpty(db::Connection& connection, std::string_view table) {
  auto statement = connection.prepare("SELECT 1 FROM \"" + std::string(table) + "\" LIMIT 1");
  bool empty = !statement->step();
  statement->reset();
  return empty;
}

Value TextOrNull(const std::string& text) {
  return text.empty() ? Value() : Value(text);
}

std::string Padded(const std::string& text, size_t width) {
  return text.size() >= width ? text.substr(0, width)
                              : text + std::string(width - text.size(), ' ');
}

void WriteArticles(db::Connection& c, const std::vector<Article>& articles, const Today& today) {
  if (IsEmpty(c, "articolo")) {
    Inserter row(c, "articolo",
                 {"codart", "desart", "imbart", "przart", "ivart", "umart", "desgru", "quantiuo",
                  "colliuo", "datauo", "orauo"});
    for (const Article& a : articles) {
      bool ordered = a.lastOrderPacks > 0;
      row.add({a.code, a.description, a.pack, a.cost, a.vat, a.unit, a.group,
               ordered ? Value(a.lastOrderPacks) : Value(),
               ordered ? Value(a.lastOrderPacks) : Value(), TextOrNull(a.lastOrderDate),
               TextOrNull(a.lastOrderTime)});
    }
  }
  if (IsEmpty(c, "listi01")) {
    Inserter row(c, "listi01",
                 {"codart", "codafo", "desart", "desfor", "desgru", "umart",  "imbart", "ivart",
                  "cofart", "przart", "cosiva", "przpub", "marg",   "przsal", "cosoff", "data1",
                  "data2",  "cosmp",  "qinv",   "qacq",   "qres",   "qven",   "qgia",   "valgia"});
    for (const Article& a : articles) {
      double stock = a.stock();
      const Offer& o = a.offer;
      row.add({a.code,
               Digits(a.code, 9),
               a.description,
               kSuppliers[a.supplier],
               a.group,
               a.unit,
               a.pack,
               a.vat,
               a.cost,
               a.cost,
               a.costVat,
               a.price,
               a.margin,
               a.hasOffer ? Value(o.price) : Value(0.0),
               a.hasOffer ? Value(o.cost) : Value(0.0),
               a.hasOffer ? Value(today.text(o.startDay)) : Value(),
               a.hasOffer ? Value(today.text(o.endDay)) : Value(),
               a.cost,
               a.inventoried,
               a.bought,
               a.returned,
               a.sold,
               stock,
               Cents(stock * a.cost)});
    }
  }
  if (IsEmpty(c, "articoli")) {
    Inserter row(c, "articoli", {"codart", "desart", "imbart", "cgia"});
    for (const Article& a : articles) row.add({a.code, a.description, a.pack, a.stock()});
  }
  if (IsEmpty(c, "codean")) {
    Inserter row(c, "codean",
                 {"eanare", "codare", "desart", "aggi", "prezzo", "pezzix", "prezzox", "codbil",
                  "eres", "einv", "eacq", "even", "egia"});
    for (const Article& a : articles) {
      for (size_t i = 0; i < a.codes.size(); ++i) {
        const Code& code = a.codes[i];
        bool first = i == 0;
        double stock = a.stock();
        row.add({code.ean, a.code, a.description, code.ownPrice ? Value("A") : Value(),
                 code.ownPrice ? Value(a.price) : Value(), code.ownPrice ? Value(a.pack) : Value(),
                 code.ownPrice ? Value(Cents(a.pack * a.price)) : Value(),
                 TextOrNull(code.scaleCode), first ? a.returned : 0.0, first ? a.inventoried : 0.0,
                 first ? a.bought : 0.0, first ? a.sold : 0.0, first ? stock : 0.0});
      }
    }
  }
}

void WriteStoreTables(db::Connection& c, const char* storeName, const char* invoiceCode,
                      int supplierOrders, const Today& today) {
  if (IsEmpty(c, "clienti")) {
    Inserter(c, "clienti", {"codcliente", "dsccliente", "codfat"}).add({1, storeName, invoiceCode});
  }
  if (IsEmpty(c, "fornitori")) {
    Inserter row(c, "fornitori", {"codfornitore", "dscfornitore"});
    for (size_t i = 0; i < kSuppliers.size(); ++i)
      row.add({kFirstSupplierCode + static_cast<int>(i), kSuppliers[i]});
  }
  if (IsEmpty(c, "tipodoc")) {
    Inserter row(c, "tipodoc", {"coddoc", "numeratore", "dscdoc"});
    row.add({"INVENTARIO", "IN", "INVENTARIO DI MAGAZZINO"});
    row.add({"CASSONETTO", "CA", "DISTRUZIONE MERCE"});
    row.add({"ROTTAMAZIONE", "RO", "ROTTAMAZIONE MERCE"});
    row.add({"SCARTI", "SC", "SCARTI DI MERCE"});
    row.add({"AUTOCONSUMO", "AU", "AUTOCONSUMO"});
    row.add({"DDTRESFOR", "RF", "DDT RESO A FORNITORE"});
  }
  if (IsEmpty(c, "numeri")) {
    Inserter row(c, "numeri", {"codutente", "tipo", "anno", "ultnum"});
    for (const char* series : {"IN", "CA", "RO", "SC", "AU", "RF"})
      row.add({1, series, today.year(), 0});
    row.add({1, "OF", today.year(), supplierOrders});
  }
}

// A confirmed supplier order, to the supplier of the first article of a
// department, with every third of that supplier's articles.
struct SupplierOrder {
  const char* group;  // the department
  int lines;
  int received;  // lines already received ("C")
  int removed;   // lines removed from the order ("E"), after the received ones
  int daysBack;  // order date
};

const std::vector<SupplierOrder> kSupplierOrders = {
    {"PASTA", 8, 3, 0, 6},
    {"ACQUA E BIBITE", 5, 0, 0, 3},
    {"DETERSIVI", 6, 0, 1, 1},
};

int SupplierOf(const std::vector<Article>& articles, std::string_view group) {
  for (const Article& a : articles)
    if (a.group == group) return a.supplier;
  throw std::logic_error("reparto senza articoli: " + std::string(group));
}

void WriteSupplierOrders(db::Connection& c, const std::vector<Article>& articles,
                         const Today& today) {
  if (!IsEmpty(c, "testao") || !IsEmpty(c, "ordini")) return;
  Inserter header(c, "testao",
                  {"codutente", "anno", "numero", "dataor", "dscfornitore", "codfor", "codlis",
                   "fl1ts", "fl2ts", "fl3ts", "dataco", "tipodoc"});
  Inserter line(
      c, "ordini",
      {"codutente", "bannoc", "bnumer",   "bns",    "bdator", "articoli", "unitam",      "imballo",
       "costob",    "costof", "quantita", "colli",  "quanci", "collic",   "descrizione", "iva",
       "desgru",    "eanrig", "tipmov",   "totrig", "bflag1", "lotto"});
  int number = 0;
  for (const SupplierOrder& order : kSupplierOrders) {
    ++number;
    int supplier = SupplierOf(articles, order.group);
    std::string date = today.textThisYear(order.daysBack);
    header.add({1, today.year(), number, date, kSuppliers[supplier], kFirstSupplierCode + supplier,
                "01", " ", "O", "N", date, "ORDFOR"});
    int bns = 0;
    int seen = 0;
    for (const Article& a : articles) {
      if (bns == order.lines) break;
      if (a.supplier != supplier || seen++ % 3 != 0) continue;
      ++bns;
      int packs = 1 + (bns * 7) % 5;
      double quantity = a.pack * packs;
      bool received = bns <= order.received;
      bool removed = !received && bns <= order.received + order.removed;
      line.add({1,
                today.year(),
                number,
                bns,
                date,
                a.code,
                a.unit,
                a.pack,
                a.cost,
                a.cost,
                quantity,
                quantity,
                received ? quantity : 0.0,
                received ? packs : 0,
                Padded(a.description, 35),
                a.vat,
                a.group,
                a.codes.front().ean,
                "AR",
                Cents(quantity * a.cost),
                received  ? Value("C")
                : removed ? Value("E")
                          : Value(),
                received ? Value("L" + Digits(today.year() % 100, 2) + Digits(4100 + bns, 5))
                         : Value()});
    }
  }
}

struct StoreFile {
  const char* programPath;
  const char* name;
  const char* invoiceCode;
  bool working;  // the working and supplier database
};

constexpr StoreFile kStoreFiles[] = {
    {"\\vorsa\\dati.mdb", "VORSA ALIMENTARI - SEDE", "000", true},
    {"\\quib\\dati.mdb", "SUPERMERCATO VORSA CENTRO", "001", false},
    {"\\murantopexi\\dati.mdb", "SUPERMERCATO VORSA VIA ROMA", "002", false},
};

struct Till {
  int number;
  const char* programPath;
};
constexpr Till kTills[] = {{1, "\\casse\\cassa1.mdb"}, {2, "\\casse\\cassa2.mdb"}};

}  // namespace

void FillDemo(const std::filesystem::path& dir) {
  InitDataFolder(dir);
  for (const StoreFile& file : kStoreFiles) {
    auto connection = db::OpenSqlite(db::MapProgramPath(dir, file.programPath).string(), false);
    if (!IsEmpty(*connection, "articolo")) return;
  }

  const std::vector<Article> articles = StoreBuilder().build();
  const Today today = LocalToday();
  for (const StoreFile& file : kStoreFiles) {
    auto connection = db::OpenSqlite(db::MapProgramPath(dir, file.programPath).string(), false);
    db::Connection& c = *connection;
    Transaction transaction(c);
    WriteArticles(c, articles, today);
    int orders = 0;
    if (file.working) {
      WriteSupplierOrders(c, articles, today);
      orders = static_cast<int>(kSupplierOrders.size());
      if (IsEmpty(c, "casse")) {
        Inserter row(c, "casse", {"numero", "percorsoint"});
        for (const Till& till : kTills) row.add({till.number, till.programPath});
      }
    }
    WriteStoreTables(c, file.name, file.invoiceCode, orders, today);
    transaction.commit();
  }

  auto configuration = db::OpenSqlite(db::MapProgramPath(dir, "\\tolv\\vorsa.mdb").string(), false);
  if (IsEmpty(*configuration, "società"))
    Inserter(*configuration, "società", {"database"}).add({"\\vorsa\\dati.mdb"});

  // The tills just named in "casse" get their databases.
  InitDataFolder(dir);
}

}  // namespace gw::app
