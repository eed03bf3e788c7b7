// The order entry's scan handler (Enter in eanw: code resolution, anagr and
// l_prezzo) on a store of 200,000 articles, driven through a terminal like
// any front end, against the bare indexed lookups the same scan needs, run
// on the same files in the same run. Prints both and their ratio.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/data_folder.h"
#include "core/db/engine.h"
#include "core/ui/terminal.h"
#include "core/vb/vb.h"
#include "orders/morvi02.h"
#include "support/temp_dir.h"

namespace {

using namespace gw;

constexpr int kArticles = 200000;
constexpr int kFirstArticle = 1000000;
constexpr int kInStoreEvery = 100;  // one weighed article in a hundred
constexpr int kOrderLines = 300;
constexpr int kCodes = 4096;  // codes scanned, in turn

std::string CheckedEan(const std::string& twelve) {
  int sum = 0;
  for (size_t i = 0; i < 12; ++i) sum += (twelve[i] - '0') * (i % 2 == 1 ? 3 : 1);
  return twelve + static_cast<char>('0' + (10 - sum % 10) % 10);
}

std::string ArticleEan(int i) {
  char twelve[16];
  std::snprintf(twelve, sizeof twelve, "800%09d", i);
  return CheckedEan(twelve);
}

// The label of a weighed article: its seven-digit code and a price.
std::string InStoreCode(int i, int cents) {
  char twelve[16];
  std::snprintf(twelve, sizeof twelve, "2%06d%05d", i / kInStoreEvery, cents);
  return CheckedEan(twelve);
}

class Statement {
 public:
  Statement(db::Connection& connection, const char* sql) : statement_(connection.prepare(sql)) {}
  void run(std::initializer_list<Value> values) {
    int index = 1;
    for (const Value& v : values) statement_->bind(index++, v);
    while (statement_->step()) {
    }
    statement_->reset();
  }

 private:
  std::shared_ptr<db::Statement> statement_;
};

// The store: articles, their codes and the in-store codes in the store
// database; the same codes and the price list in the working database; a few
// order lines. Each file is written in one transaction.
class Store {
 public:
  Store() {
    app::InitDataFolder(dir_.path());
    auto store = db::OpenSqlite((dir_.path() / "quib/dati.mdb").string(), false);
    auto work = db::OpenSqlite((dir_.path() / "vorsa/dati.mdb").string(), false);
    store->execute("BEGIN");
    work->execute("BEGIN");
    Statement articolo(*store,
                       "INSERT INTO articolo (codart, desart, imbart, przart, ivart, quantiuo, "
                       "colliuo, datauo, orauo) VALUES (?, ?, 12, ?, 10, 0, 24, '2026-02-20', "
                       "'18:30:00')");
    Statement store_code(*store, "INSERT INTO codean (eanare, codare) VALUES (?, ?)");
    Statement work_code(*work, "INSERT INTO codean (eanare, codare) VALUES (?, ?)");
    Statement listi01(*work,
                      "INSERT INTO listi01 (codart, codafo, desart, przpub, ivart, cofart, "
                      "przsal, cosoff, data1, data2, cosiva) VALUES (?, ?, ?, ?, 10, ?, ?, ?, "
                      "'2026-03-01', '2026-03-15', ?)");
    char name[40], codafo[16];
    for (int i = 0; i < kArticles; ++i) {
      const int codart = kFirstArticle + i;
      const double cost = 0.5 + (i % 500) / 100.0;
      std::snprintf(name, sizeof name, "ARTICOLO %06d", i);
      std::snprintf(codafo, sizeof codafo, "%09d", codart);
      articolo.run({Value(codart), Value(name), Value(cost)});
      store_code.run({Value(ArticleEan(i)), Value(codart)});
      work_code.run({Value(ArticleEan(i)), Value(codart)});
      if (i % kInStoreEvery == 0) store_code.run({Value(InStoreCode(i, 0)), Value(codart)});
      const bool offer = i % 7 == 0;
      listi01.run({Value(codart), Value(codafo), Value(name), Value(cost * 1.6), Value(cost),
                   offer ? Value(cost * 1.4) : Value(), offer ? Value(cost * 0.9) : Value(),
                   Value(cost * 1.1)});
    }
    Statement ordine(*store,
                     "INSERT INTO ordine (eanrig, codcasa, descrizione, colli, tipord) "
                     "VALUES (?, ?, 'RIGA', 3, 'T')");
    for (int i = 0; i < kOrderLines; ++i)
      ordine.run({Value(ArticleEan(i * 613)), Value(kFirstArticle + i * 613)});
    store->execute("COMMIT");
    work->execute("COMMIT");

    uint32_t seed = 12345;
    for (int n = 0; n < kCodes; ++n) {
      seed = seed * 1103515245u + 12345u;
      const int i = static_cast<int>((seed >> 8) % kArticles);
      eans_.push_back(ArticleEan(i));
      in_store_.push_back(InStoreCode(i - i % kInStoreEvery, 100 + i % 2000));
    }
  }

  const std::filesystem::path& dir() const { return dir_.path(); }
  const std::vector<std::string>& eans() const { return eans_; }
  const std::vector<std::string>& inStore() const { return in_store_; }

 private:
  test::TempDir dir_;
  std::vector<std::string> eans_, in_store_;
};

Store& TheStore() {
  static Store store;
  return store;
}

class Clerk final : public ui::FrontEnd {
 public:
  int messageBox(const ui::MessageBoxRequest&) override { return ui::vbOK; }
  DateTime now() override { return vb::MakeDate(2026, 3, 2, 9, 15, 0); }
  void print(const std::string&) override {}
};

// The order entry screen of department "T", alone on a terminal.
struct OrderEntry {
  OrderEntry() : terminal(clerk, registry, TheStore().dir()) {
    registry.add("morvi02", [](ui::Terminal& t) { return std::make_unique<orders::morvi02>(t); });
    terminal.session.pathdati = "\\quib\\dati.mdb";
    terminal.session.pathlavoro = "\\vorsa\\dati.mdb";
    terminal.session.tipord = "T";
    terminal.start("morvi02");
    screen = static_cast<orders::morvi02*>(terminal.front());
  }
  void scan(const std::string& code) {
    terminal.paste(screen->eanw, code);
    terminal.pressKey(screen->eanw, 13);
  }

  Clerk clerk;
  ui::ScreenRegistry registry;
  ui::Terminal terminal;
  orders::morvi02* screen = nullptr;
};

void RunScans(benchmark::State& state, const std::vector<std::string>& codes) {
  OrderEntry entry;
  size_t n = 0;
  for (auto _ : state) entry.scan(codes[n++ % codes.size()]);
  benchmark::DoNotOptimize(entry.screen->descrw.Text());
}

// What a scan of an EAN reads, as single indexed statements.
struct BareLookups {
  BareLookups()
      : store(db::OpenSqlite((TheStore().dir() / "quib/dati.mdb").string(), false)),
        work(db::OpenSqlite((TheStore().dir() / "vorsa/dati.mdb").string(), false)),
        line(*store, "SELECT * FROM ordine WHERE eanrig = ?"),
        code(*store, "SELECT codare FROM codean WHERE eanare = ?"),
        article(*store, "SELECT * FROM articolo WHERE codart = ?"),
        in_store(*store, "SELECT codare FROM codean WHERE eanare >= ? AND eanare < ?"),
        work_code(*work, "SELECT codare FROM codean WHERE eanare = ?"),
        price(*work, "SELECT * FROM listi01 WHERE codart = ?") {}

  std::unique_ptr<db::Connection> store, work;
  Statement line, code, article, in_store, work_code, price;
};

void BM_ScanEan(benchmark::State& state) {
  RunScans(state, TheStore().eans());
}

void BM_BareEan(benchmark::State& state) {
  BareLookups bare;
  const auto& codes = TheStore().eans();
  size_t n = 0;
  for (auto _ : state) {
    const std::string& ean = codes[n++ % codes.size()];
    const Value codart(static_cast<int64_t>(kFirstArticle + std::stoi(ean.substr(3, 9))));
    bare.line.run({Value(ean)});
    bare.code.run({Value(ean)});
    bare.article.run({codart});
    bare.work_code.run({Value(ean)});
    bare.price.run({codart});
  }
}

// A weighed article's label: its seven digits find the article; the label
// itself is in neither "codean", so the price comes by supplier code.
void BM_ScanInStore(benchmark::State& state) {
  RunScans(state, TheStore().inStore());
}

void BM_BareInStore(benchmark::State& state) {
  BareLookups bare;
  Statement by_supplier_code(*bare.work, "SELECT * FROM listi01 WHERE trim(codafo) = ?");
  const auto& codes = TheStore().inStore();
  size_t n = 0;
  for (auto _ : state) {
    const std::string& label = codes[n++ % codes.size()];
    const std::string prefix = label.substr(0, 7);
    std::string after = prefix;
    ++after.back();
    const int codart = kFirstArticle + std::stoi(label.substr(1, 6)) * kInStoreEvery;
    char codafo[16];
    std::snprintf(codafo, sizeof codafo, "%09d", codart);
    bare.in_store.run({Value(prefix), Value(after)});
    bare.line.run({Value(label)});
    bare.article.run({Value(codart)});
    bare.code.run({Value(label)});
    bare.work_code.run({Value(label)});
    by_supplier_code.run({Value(codafo)});
  }
}

BENCHMARK(BM_ScanEan)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BareEan)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScanInStore)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BareInStore)->Unit(benchmark::kMicrosecond);

// Keeps each benchmark's time per scan for the ratios printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  RatioReporter() : ConsoleReporter(OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration)
        times_[run.benchmark_name()] = run.GetAdjustedRealTime();
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const char* kind : {"Ean", "InStore"}) {
      const std::string scan = std::string("BM_Scan") + kind;
      const std::string bare = std::string("BM_Bare") + kind;
      if (!times_.count(scan) || !times_.count(bare)) continue;
      std::printf("%-8s scan %9.1f us   bare lookups %9.1f us   ratio %.2f\n", kind, times_[scan],
                  times_[bare], times_[scan] / times_[bare]);
    }
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  TheStore();
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
