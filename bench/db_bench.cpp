// Seek on table recordsets against the bare SQLite work it stands on: the
// same indexed SELECT, prepared once, bound, stepped, every column read and
// reset through the sqlite3 C API. Both run in the same process on the same
// file, a store of 200,000 articles in "listi01" and 300,000 codes in
// "codean" generated once in a temporary folder; the summary at the end
// prints both figures and their ratio.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/db/database.h"
#include "core/db/engine.h"
#include "core/db/paths.h"
#include "core/db/schema.h"

namespace {

using gw::Value;
namespace db = gw::db;

constexpr int kArticles = 200000;
constexpr int kCodes = 300000;
constexpr int kProbes = 8192;
constexpr int kHotProbes = 32;
constexpr const char* kWorking = "\\vorsa\\dati.mdb";

// The statements TableRecordset::seek runs, one per index.
constexpr const char* kSeekCode =
    "SELECT rowid, * FROM \"codean\" WHERE \"eanare\" = ?1 ORDER BY \"eanare\", rowid LIMIT 1";
constexpr const char* kSeekArticle =
    "SELECT rowid, * FROM \"listi01\" WHERE \"codart\" = ?1 ORDER BY \"codart\", rowid LIMIT 1";

// A fixed pseudo-random sequence, so every run builds the same store.
struct Random {
  uint64_t state = 0x9E3779B97F4A7C15ull;
  uint64_t next() {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return state;
  }
};

std::string Ean(int i) {
  char text[16];
  std::snprintf(text, sizeof text, "80%011lld",
                static_cast<long long>((static_cast<uint64_t>(i) * 2654435761u) % 100000000000ull));
  return text;
}

std::string Description(Random& random) {
  static const char* const kWords[] = {"PASTA", "OLIO",  "EXTRAVERGINE", "BISCOTTI", "LATTE",
                                       "CAFFE", "RISO",  "PASSATA",      "TONNO",    "ACQUA",
                                       "VINO",  "BIRRA", "FORMAGGIO",    "YOGURT",   "MIELE"};
  std::string out;
  while (out.size() < 30) {
    if (!out.empty()) out += ' ';
    out += kWords[random.next() % 15];
  }
  return out.substr(0, 35);
}

// The store's text order, as the layer installs it on its connections, so
// that the bare connection compares index keys the same way.
int CompareStoreText(void*, int len_a, const void* a, int len_b, const void* b) {
  auto* pa = static_cast<const unsigned char*>(a);
  auto* pb = static_cast<const unsigned char*>(b);
  while (len_a > 0 && pa[len_a - 1] == ' ') --len_a;
  while (len_b > 0 && pb[len_b - 1] == ' ') --len_b;
  int n = len_a < len_b ? len_a : len_b;
  for (int i = 0; i < n; ++i) {
    int ca = pa[i], cb = pb[i];
    if (ca >= 'A' && ca <= 'Z') ca += 'a' - 'A';
    if (cb >= 'A' && cb <= 'Z') cb += 'a' - 'A';
    if (ca != cb) return ca - cb;
  }
  return len_a - len_b;
}

class Store {
 public:
  Store()
      : dir_(std::filesystem::temp_directory_path() / ("gw-db-bench-" + std::to_string(getpid()))),
        pool_(dir_) {
    std::filesystem::path file = db::MapProgramPath(dir_, kWorking);
    std::filesystem::create_directories(file.parent_path());
    db::CreateSchema(*db::OpenSqlite(file.string(), true), db::DatabaseKind::Store);
    fill();
    file_ = file.string();
  }
  ~Store() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }

  db::Database& database() { return pool_.open(kWorking); }
  const std::string& file() const { return file_; }
  const std::vector<std::string>& codes() const { return code_probes_; }
  const std::vector<int>& articles() const { return article_probes_; }

 private:
  void fill() {
    db::Database& database = pool_.open(kWorking);
    db::Connection& c = database.connection();
    Random random;
    db::Transaction transaction(database);
    {
      // Articles in an order that is not their code order, as a price list
      // loaded over the years would hold them.
      auto insert = c.prepare(
          "INSERT INTO listi01 VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
      for (int i = 0; i < kArticles; ++i) {
        int code = static_cast<int>((static_cast<int64_t>(i) * 7919) % kArticles) + 1;
        double cost = static_cast<double>(random.next() % 5000) / 100 + 0.5;
        Value row[] = {code,
                       std::to_string(code + 100000000).substr(0, 9),
                       Description(random),
                       "FORNITORE " + std::to_string(code % 300),
                       "GRUPPO " + std::to_string(code % 40),
                       "PZ",
                       static_cast<int>(random.next() % 24) + 1,
                       10,
                       cost,
                       cost,
                       cost * 1.1,
                       cost * 1.4,
                       27.3,
                       cost * 1.2,
                       cost * 0.9,
                       "2024-01-01",
                       "2024-01-15",
                       cost,
                       12,
                       30,
                       0,
                       25,
                       17,
                       17 * cost,
                       2,
                       "2024-01-10"};
        for (int k = 0; k < 26; ++k) insert->bind(k + 1, row[k]);
        insert->step();
        insert->reset();
        if (i % (kArticles / kProbes) == 0) article_probes_.push_back(code);
      }
    }
    {
      auto insert = c.prepare(
          "INSERT INTO codean (eanare, codare, desart, flagean, neti, taglia, prezzo, pezzix, "
          "prezzox, egia) VALUES (?,?,?,?,?,?,?,?,?,?)");
      for (int i = 0; i < kCodes; ++i) {
        std::string ean = Ean(i);
        Value row[] = {ean,
                       static_cast<int>(i % kArticles) + 1,
                       Description(random),
                       i % 50 == 0 ? Value("S") : Value(),
                       0,
                       0,
                       static_cast<double>(random.next() % 5000) / 100,
                       1,
                       static_cast<double>(random.next() % 5000) / 100,
                       static_cast<int>(random.next() % 100)};
        for (int k = 0; k < 10; ++k) insert->bind(k + 1, row[k]);
        insert->step();
        insert->reset();
        if (i % (kCodes / kProbes) == 0) code_probes_.push_back(ean);
      }
    }
    transaction.commit();
    Random shuffle;
    for (size_t i = code_probes_.size(); i > 1; --i)
      std::swap(code_probes_[i - 1], code_probes_[shuffle.next() % i]);
    for (size_t i = article_probes_.size(); i > 1; --i)
      std::swap(article_probes_[i - 1], article_probes_[shuffle.next() % i]);
    code_probes_.resize(kProbes);
    article_probes_.resize(kProbes);
  }

  std::filesystem::path dir_;
  db::DatabasePool pool_;
  std::string file_;
  std::vector<std::string> code_probes_;
  std::vector<int> article_probes_;
};

Store& TheStore() {
  static Store store;
  return store;
}

// A bare connection to the store's file with the same text order.
class BareConnection {
 public:
  explicit BareConnection(const std::string& file) {
    sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    sqlite3_create_collation(db_, "NOCASE", SQLITE_UTF8, nullptr, CompareStoreText);
  }
  ~BareConnection() { sqlite3_close_v2(db_); }
  BareConnection(const BareConnection&) = delete;
  BareConnection& operator=(const BareConnection&) = delete;

  sqlite3_stmt* prepare(const char* sql) {
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr) != SQLITE_OK)
      std::fprintf(stderr, "%s\n", sqlite3_errmsg(db_));
    return stmt;
  }

 private:
  sqlite3* db_ = nullptr;
};

// Steps once and reads every column of the row, as the layer's row does.
int64_t StepAndReadRow(sqlite3_stmt* stmt) {
  int64_t sum = 0;
  if (sqlite3_step(stmt) == SQLITE_ROW) {
    for (int i = 0, n = sqlite3_column_count(stmt); i < n; ++i) {
      switch (sqlite3_column_type(stmt, i)) {
        case SQLITE_INTEGER:
          sum += sqlite3_column_int64(stmt, i);
          break;
        case SQLITE_FLOAT:
          sum += static_cast<int64_t>(sqlite3_column_double(stmt, i));
          break;
        case SQLITE_TEXT:
          sum += sqlite3_column_text(stmt, i)[0] + sqlite3_column_bytes(stmt, i);
          break;
        default:
          break;
      }
    }
  }
  sqlite3_reset(stmt);
  return sum;
}

void BM_SeekKeyean(benchmark::State& state) {
  Store& store = TheStore();
  std::vector<Value> keys(store.codes().begin(), store.codes().begin() + state.range(0));
  db::TableRecordset rs = store.database().openTable("codean");
  rs.setIndex("keyean");
  size_t i = 0;
  for (auto _ : state) {
    rs.seek(keys[i++ % keys.size()]);
    benchmark::DoNotOptimize(rs.noMatch());
  }
  if (rs.noMatch()) state.SkipWithError("a probe was not found");
}

void BM_BareKeyean(benchmark::State& state) {
  Store& store = TheStore();
  BareConnection bare(store.file());
  sqlite3_stmt* stmt = bare.prepare(kSeekCode);
  std::vector<std::string> keys(store.codes().begin(), store.codes().begin() + state.range(0));
  size_t i = 0;
  for (auto _ : state) {
    const std::string& key = keys[i++ % keys.size()];
    sqlite3_bind_text(stmt, 1, key.data(), static_cast<int>(key.size()), SQLITE_STATIC);
    benchmark::DoNotOptimize(StepAndReadRow(stmt));
  }
  sqlite3_finalize(stmt);
}

void BM_SeekPrimary(benchmark::State& state) {
  Store& store = TheStore();
  std::vector<Value> keys(store.articles().begin(), store.articles().begin() + state.range(0));
  db::TableRecordset rs = store.database().openTable("listi01");
  rs.setIndex("primary");
  size_t i = 0;
  for (auto _ : state) {
    rs.seek(keys[i++ % keys.size()]);
    benchmark::DoNotOptimize(rs.noMatch());
  }
  if (rs.noMatch()) state.SkipWithError("a probe was not found");
}

void BM_BarePrimary(benchmark::State& state) {
  Store& store = TheStore();
  BareConnection bare(store.file());
  sqlite3_stmt* stmt = bare.prepare(kSeekArticle);
  std::vector<int> keys(store.articles().begin(), store.articles().begin() + state.range(0));
  size_t i = 0;
  for (auto _ : state) {
    sqlite3_bind_int64(stmt, 1, keys[i++ % keys.size()]);
    benchmark::DoNotOptimize(StepAndReadRow(stmt));
  }
  sqlite3_finalize(stmt);
}

// What a handler does: open the table, choose the index, Seek once.
void BM_OpenAndSeekKeyean(benchmark::State& state) {
  Store& store = TheStore();
  std::vector<Value> keys(store.codes().begin(), store.codes().begin() + state.range(0));
  db::Database& database = store.database();
  size_t i = 0;
  for (auto _ : state) {
    db::TableRecordset rs = database.openTable("codean");
    rs.setIndex("keyean");
    rs.seek(keys[i++ % keys.size()]);
    benchmark::DoNotOptimize(rs.noMatch());
  }
}

// The argument is the number of distinct keys sought in turn: a few dozen
// stay in the connection's page cache, so the layer's own cost shows; 8192
// spread over the whole file, so most Seeks read pages from the file.
BENCHMARK(BM_SeekKeyean)->Arg(kHotProbes)->Arg(kProbes);
BENCHMARK(BM_BareKeyean)->Arg(kHotProbes)->Arg(kProbes);
BENCHMARK(BM_SeekPrimary)->Arg(kHotProbes)->Arg(kProbes);
BENCHMARK(BM_BarePrimary)->Arg(kHotProbes)->Arg(kProbes);
BENCHMARK(BM_OpenAndSeekKeyean)->Arg(kHotProbes);

// Keeps each benchmark's time per iteration for the summary.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration && !run.error_occurred)
        ns_[run.benchmark_name()] = run.GetAdjustedCPUTime();
    ConsoleReporter::ReportRuns(runs);
  }

  void printSummary() const {
    std::printf("\nSeek through the layer against the bare indexed SELECT (CPU ns per Seek):\n");
    for (const char* index : {"Keyean", "Primary"}) {
      for (int keys : {kHotProbes, kProbes}) {
        std::string suffix = std::string(index) + "/" + std::to_string(keys);
        auto l = ns_.find("BM_Seek" + suffix), b = ns_.find("BM_Bare" + suffix);
        if (l == ns_.end() || b == ns_.end()) continue;
        std::printf("  %-8s %5d keys   layer %7.0f   bare %7.0f   ratio %.2f\n", index, keys,
                    l->second, b->second, l->second / b->second);
      }
    }
  }

 private:
  std::map<std::string, double> ns_;
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
