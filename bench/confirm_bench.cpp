// "Confermi Nuovo Ordine" on 1,000 working lines against the bare SQLite
// inserts of the same 1,000 order lines in one transaction. The screen's
// run reads each line's code and article, stamps the article, writes the
// line and deletes the working row, all in one transaction; the bare run
// only inserts the finished rows with one prepared statement. Both run in
// the same process on the same store file, set up again (untimed) before
// each run; the summary at the end prints both figures and their ratio.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/data_folder.h"
#include "core/db/engine.h"
#include "core/ui/terminal.h"
#include "core/vb/vb.h"
#include "orders/cnford.h"
#include "orders/order_screens.h"

namespace {

namespace db = gw::db;
namespace ui = gw::ui;
using gw::Value;

constexpr int kLines = 1000;
constexpr const char* kStore = "C:\\quib\\dati.mdb";

std::string Ean(int i) {
  char text[16];
  std::snprintf(text, sizeof text, "800%010d", i);
  return text;
}

gw::orders::WorkingLine Working(int i) {
  return {Ean(i), i, "ARTICOLO " + std::to_string(i), i % 10 ? "CT" : "PZ", 6, 10, ".", 2};
}

class FixedClock final : public ui::FrontEnd {
 public:
  int messageBox(const ui::MessageBoxRequest& box) override {
    std::fprintf(stderr, "unexpected message: %s\n", box.prompt.c_str());
    return ui::vbOK;
  }
  gw::DateTime now() override { return gw::vb::MakeDate(2026, 3, 2, 9, 15, 0); }
  void print(const std::string&) override {}
};

class Store {
 public:
  Store()
      : dir_(std::filesystem::temp_directory_path() /
             ("gw-confirm-bench-" + std::to_string(getpid()))) {
    gw::app::InitDataFolder(dir_);
    file_ = (dir_ / "quib" / "dati.mdb").string();
    connection_ = db::OpenSqlite(file_, false);
    connection_->execute(
        "INSERT INTO clienti (codcliente, dsccliente) VALUES (1, 'SUPERMERCATO ROSSI')");
    connection_->execute("BEGIN");
    auto article = connection_->prepare(
        "INSERT INTO articolo (codart, desart, imbart, przart, ivart, umart, desgru) "
        "VALUES (?, ?, 6, 1.5, 4, 'PZ', 'BEVANDE')");
    auto code = connection_->prepare("INSERT INTO codean (eanare, codare) VALUES (?, ?)");
    for (int i = 1; i <= kLines; ++i) {
      article->bind(1, Value(i));
      article->bind(2, Value("ARTICOLO " + std::to_string(i)));
      article->step();
      article->reset();
      code->bind(1, Value(Ean(i)));
      code->bind(2, Value(i));
      code->step();
      code->reset();
    }
    connection_->execute("COMMIT");
  }
  ~Store() {
    connection_.reset();
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }

  const std::filesystem::path& dir() const { return dir_; }
  const std::string& file() const { return file_; }

  // No order yet, and the 1,000 working lines of "T" waiting.
  void reset() {
    connection_->execute("DELETE FROM testa; DELETE FROM movimenti; DELETE FROM ordine;");
    connection_->execute("BEGIN");
    auto insert = connection_->prepare(
        "INSERT INTO ordine (eanrig, codcasa, descrizione, unitam, prezzo, colli, imballo, "
        "quantita, iva, desfor, desgru, tipord) VALUES (?, ?, ?, ?, 1.65, ?, ?, ?, ?, '.', ?, "
        "'T')");
    for (int i = 1; i <= kLines; ++i) {
      gw::orders::WorkingLine row = Working(i);
      Value values[] = {row.eanrig, row.codcasa, row.descrizione,         row.unitam,
                        row.colli,  row.imballo, row.colli * row.imballo, row.iva,
                        row.desgru};
      for (int k = 0; k < 9; ++k) insert->bind(k + 1, values[k]);
      insert->step();
      insert->reset();
    }
    connection_->execute("COMMIT");
  }

  int lines() {
    auto count = connection_->prepare("SELECT count(*) FROM movimenti");
    count->step();
    return static_cast<int>(count->column(0).integer());
  }

 private:
  std::filesystem::path dir_;
  std::string file_;
  std::unique_ptr<db::Connection> connection_;
};

Store& TheStore() {
  static Store store;
  return store;
}

const ui::ScreenRegistry& Screens() {
  static const ui::ScreenRegistry registry = [] {
    ui::ScreenRegistry r;
    gw::orders::RegisterOrderScreens(r);
    return r;
  }();
  return registry;
}

void BM_ConfirmNewOrder(benchmark::State& state) {
  Store& store = TheStore();
  FixedClock clock;
  for (auto _ : state) {
    state.PauseTiming();
    store.reset();
    auto terminal = std::make_unique<ui::Terminal>(clock, Screens(), store.dir());
    gw::SessionContext& s = terminal->session;
    s.pathdati = s.pathdati2 = kStore;
    s.codcliente = 1;
    s.tipord = "T";
    terminal->start("cnford");
    auto& screen = dynamic_cast<gw::orders::cnford&>(*terminal->front());
    state.ResumeTiming();

    terminal->click(screen.Command1);

    state.PauseTiming();
    terminal.reset();
    if (store.lines() != kLines) state.SkipWithError("the order does not hold every line");
    state.ResumeTiming();
  }
}

// The same 1,000 order lines, finished, inserted with one prepared statement.
void BM_BareInserts(benchmark::State& state) {
  Store& store = TheStore();
  std::vector<gw::orders::OrderLine> lines;
  gw::orders::ArticleData article{"", 6, 1.5, 4, "PZ", "BEVANDE"};
  for (int i = 1; i <= kLines; ++i) {
    article.desart = "ARTICOLO " + std::to_string(i);
    lines.push_back(
        gw::orders::BuildOrderLine(gw::orders::ConfirmMode::NewOrder, Working(i), i, &article));
  }
  sqlite3* bare = nullptr;
  sqlite3_open_v2(store.file().c_str(), &bare, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                  nullptr);
  sqlite3_busy_timeout(bare, 15000);
  sqlite3_stmt* insert = nullptr;
  sqlite3_prepare_v3(bare,
                     "INSERT INTO movimenti (bannoc, bnumer, bns, bdator, articoli, eanrig, "
                     "descrizione, unitam, imballo, prezzo, colli, quantita, iva, desgru, totrig) "
                     "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
                     -1, SQLITE_PREPARE_PERSISTENT, &insert, nullptr);
  auto text = [&](int index, const std::string& value) {
    sqlite3_bind_text(insert, index, value.data(), static_cast<int>(value.size()), SQLITE_STATIC);
  };
  for (auto _ : state) {
    state.PauseTiming();
    store.reset();
    state.ResumeTiming();

    sqlite3_exec(bare, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    int bns = 0;
    for (const gw::orders::OrderLine& line : lines) {
      sqlite3_bind_int(insert, 1, 2026);
      sqlite3_bind_int(insert, 2, 1);
      sqlite3_bind_int(insert, 3, ++bns);
      text(4, "2026-03-02");
      sqlite3_bind_int(insert, 5, line.articoli);
      text(6, line.eanrig);
      text(7, line.descrizione);
      text(8, line.unitam);
      sqlite3_bind_double(insert, 9, line.imballo);
      sqlite3_bind_double(insert, 10, line.prezzo);
      sqlite3_bind_double(insert, 11, line.colli);
      sqlite3_bind_double(insert, 12, line.quantita);
      sqlite3_bind_int(insert, 13, line.iva);
      text(14, line.desgru);
      sqlite3_bind_double(insert, 15, line.totrig);
      sqlite3_step(insert);
      sqlite3_reset(insert);
    }
    sqlite3_exec(bare, "COMMIT", nullptr, nullptr, nullptr);

    state.PauseTiming();
    if (store.lines() != kLines) state.SkipWithError("the bare run lost lines");
    state.ResumeTiming();
  }
  sqlite3_finalize(insert);
  sqlite3_close_v2(bare);
}

BENCHMARK(BM_ConfirmNewOrder)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BareInserts)->Unit(benchmark::kMillisecond)->UseRealTime();

// Keeps each benchmark's time per run for the summary.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration && !run.error_occurred)
        ms_[run.benchmark_name()] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }

  void printSummary() const {
    auto screen = ms_.find("BM_ConfirmNewOrder/real_time");
    auto bare = ms_.find("BM_BareInserts/real_time");
    if (screen == ms_.end() || bare == ms_.end()) return;
    std::printf("\nConfirming %d working lines against the bare inserts of its lines (ms):\n",
                kLines);
    std::printf("  screen %7.2f   bare %7.2f   ratio %.2f\n", screen->second, bare->second,
                screen->second / bare->second);
  }

 private:
  std::map<std::string, double> ms_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  TheStore();
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printSummary();
  benchmark::Shutdown();
  return 0;
}
