// Web terminal under load: 20 terminals on loopback, each scanning codes
// (the characters and Enter in one request, as the browser sends a burst)
// into an entry screen as fast as the answers come back, each request naming
// the state of the previous answer as the browser does. Prints the round
// trip's median and 99th percentile next to those of the same HTTP library
// answering an empty handler, measured the same way in the same run.
//
//   web_bench [SCANS_PER_TERMINAL]   (default 250; each phase stops after 30 s)
#include <httplib.h>
#include <sys/socket.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/ui/control.h"
#include "core/ui/screen.h"
#include "core/ui/terminal.h"
#include "web/server.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace gw;

constexpr int kTerminals = 20;
constexpr int kWarmUp = 20;
constexpr auto kPhaseLimit = std::chrono::seconds(30);

// An entry screen of the usual size: a code field read on Enter and a
// score of labels and buttons around it.
class ScanScreen final : public ui::Screen {
 public:
  explicit ScanScreen(ui::Terminal& terminal)
      : Screen(terminal, {.name = "morvim"}),
        eanw(*this, {.name = "eanw",
                     .left = 120,
                     .top = 120,
                     .width = 6000,
                     .height = 600,
                     .max_length = 13}),
        descrw(*this, {.name = "descrw",
                       .left = 120,
                       .top = 840,
                       .width = 8760,
                       .height = 600,
                       .locked = true}) {
    static const char* const kNames[] = {"Label1",   "Label2",   "Label3",   "Label4",   "Label5",
                                         "Label6",   "Label7",   "Label8",   "Command1", "Command2",
                                         "Command3", "Command4", "Command5", "Command6"};
    int top = 1560;
    for (const char* name : kNames) {
      std::string_view n = name;
      ui::ControlSpec spec{
          .name = n, .caption = n, .left = 120, .top = top, .width = 4000, .height = 600};
      if (n.starts_with("Label"))
        labels.push_back(std::make_unique<ui::Label>(*this, spec));
      else
        buttons.push_back(std::make_unique<ui::Button>(*this, spec));
      top += 660;
    }
    eanw.KeyPress = [this](int& key) {
      if (key != 13) return;
      key = 0;
      descrw.setText("Articolo " + eanw.Text());
      labels[0]->Caption = std::to_string(++scans);
      eanw.setText("");
    };
  }

  ui::TextBox eanw, descrw;
  std::vector<std::unique_ptr<ui::Label>> labels;
  std::vector<std::unique_ptr<ui::Button>> buttons;
  int scans = 0;
};

struct Figures {
  std::vector<double> micros;
  bool complete = true;
};

double Percentile(std::vector<double>& v, double p) {
  if (v.empty()) return 0;
  size_t k = std::min(v.size() - 1, static_cast<size_t>(p * (v.size() - 1) + 0.5));
  std::nth_element(v.begin(), v.begin() + k, v.end());
  return v[k];
}

std::string Ean(int terminal, int scan) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "80%02d%09d", terminal, scan);
  return buffer;
}

// The session of a terminal and the version of the state it holds.
struct Terminal {
  std::string session;
  std::string version = "0";
};

// The text of a string or number field of an answer, empty when missing.
std::string FieldOf(const std::string& body, const std::string& key) {
  size_t at = body.find("\"" + key + "\":");
  if (at == std::string::npos) return {};
  at += key.size() + 3;
  if (body[at] == '"') {
    ++at;
    return body.substr(at, body.find('"', at) - at);
  }
  return body.substr(at, body.find_first_of(",}", at) - at);
}

// Runs `kTerminals` threads; each gets its own keep-alive connection and
// calls `scan(client, terminal, i)` for i = 1..scans, timing each call.
Figures Load(int port, int scans, const std::function<Terminal(httplib::Client&, int)>& open,
             const std::function<bool(httplib::Client&, Terminal&, int, int)>& scan) {
  std::vector<std::vector<double>> times(kTerminals);
  std::atomic<bool> complete = true;
  const auto deadline = Clock::now() + kPhaseLimit;
  std::vector<std::thread> threads;
  for (int t = 0; t < kTerminals; ++t) {
    threads.emplace_back([&, t] {
      httplib::Client client("127.0.0.1", port);
      client.set_keep_alive(true);
      client.set_tcp_nodelay(true);
      client.set_read_timeout(30, 0);
      Terminal terminal = open(client, t);
      for (int i = 1; i <= kWarmUp + scans && Clock::now() < deadline; ++i) {
        auto start = Clock::now();
        if (!scan(client, terminal, t, i)) {
          complete = false;
          return;
        }
        if (i > kWarmUp)
          times[t].push_back(
              std::chrono::duration<double, std::micro>(Clock::now() - start).count());
      }
      if (static_cast<int>(times[t].size()) < scans) complete = false;
    });
  }
  for (auto& thread : threads) thread.join();
  Figures figures;
  for (auto& v : times) figures.micros.insert(figures.micros.end(), v.begin(), v.end());
  figures.complete = complete;
  return figures;
}

std::string EventsBody(const Terminal& terminal_state, int terminal, int i) {
  return R"({"session":")" + terminal_state.session + R"(","have":)" + terminal_state.version +
         R"(,"events":[{"seq":)" + std::to_string(2 * i - 1) + R"(,"type":"type","text":")" +
         Ean(terminal, i) + R"("},{"seq":)" + std::to_string(2 * i) +
         R"(,"type":"key","code":13}]})";
}

void Print(const char* what, Figures& f) {
  size_t n = f.micros.size();
  double median = Percentile(f.micros, 0.5), p99 = Percentile(f.micros, 0.99);
  std::printf("%-28s %6zu round trips   median %8.1f us   p99 %8.1f us%s\n", what, n, median, p99,
              f.complete ? "" : "   (incomplete)");
}

}  // namespace

int main(int argc, char** argv) {
  int scans = argc > 1 ? std::max(1, std::atoi(argv[1])) : 250;
  std::filesystem::path dir = std::filesystem::temp_directory_path() / "gw-web-bench";
  std::filesystem::create_directories(dir);

  ui::ScreenRegistry screens;
  screens.add("morvim", [](ui::Terminal& t) { return std::make_unique<ScanScreen>(t); });
  web::WebServer server({.data_dir = dir, .host = "127.0.0.1", .port = 0}, screens);
  int port = server.bind();

  // The same library and settings with nothing behind the call (the
  // backlog raised as the web server does).
  httplib::Server bare;
  socket_t bare_socket = INVALID_SOCKET;
  bare.new_task_queue = [] { return new httplib::ThreadPool(64); };
  bare.set_keep_alive_max_count(100000);
  bare.set_tcp_nodelay(true);
  bare.set_socket_options([&](socket_t sock) {
    httplib::default_socket_options(sock);
    bare_socket = sock;
  });
  bare.Post("/api/events", [](const httplib::Request&, httplib::Response& response) {
    response.set_content("{}", "application/json");
  });
  int bare_port = bare.bind_to_any_port("127.0.0.1");
  if (bare_port > 0) ::listen(bare_socket, 128);
  if (port <= 0 || bare_port <= 0) {
    std::fprintf(stderr, "web_bench: cannot listen on loopback\n");
    return 1;
  }
  std::thread web_thread([&] { server.run(); });
  std::thread bare_thread([&] { bare.listen_after_bind(); });

  std::atomic<size_t> state_bytes = 0, full_bytes = 0;
  Figures web = Load(
      port, scans,
      [&](httplib::Client& client, int) {
        auto result = client.Post("/api/session", "{}", "application/json");
        if (!result) return Terminal{};
        full_bytes = result->body.size();
        return Terminal{FieldOf(result->body, "session"), FieldOf(result->body, "version")};
      },
      [&](httplib::Client& client, Terminal& terminal, int t, int i) {
        auto result = client.Post("/api/events", EventsBody(terminal, t, i), "application/json");
        if (!result || result->status != 200) return false;
        state_bytes = result->body.size();
        terminal.version = FieldOf(result->body, "version");
        // Every scan applied before the answer: the state shows its number.
        return result->body.find("\"seq\":" + std::to_string(2 * i) + ",") != std::string::npos;
      });
  Figures plain = Load(
      bare_port, scans, [](httplib::Client&, int) { return Terminal{"bare"}; },
      [](httplib::Client& client, Terminal& terminal, int t, int i) {
        auto result = client.Post("/api/events", EventsBody(terminal, t, i), "application/json");
        return result && result->status == 200;
      });

  server.stop();
  bare.stop();
  web_thread.join();
  bare_thread.join();
  std::filesystem::remove_all(dir);

  std::printf("%d terminals on loopback, one scan (13 characters and Enter) per request\n",
              kTerminals);
  Print("web terminal (scan applied)", web);
  Print("bare HTTP (empty handler)", plain);
  double web_median = Percentile(web.micros, 0.5), bare_median = Percentile(plain.micros, 0.5);
  double web_p99 = Percentile(web.micros, 0.99), bare_p99 = Percentile(plain.micros, 0.99);
  if (bare_median > 0 && bare_p99 > 0)
    std::printf("ratio web/bare               median %8.2f x     p99 %8.2f x\n",
                web_median / bare_median, web_p99 / bare_p99);
  std::printf("state answer size            %zu bytes (the whole state %zu bytes)\n",
              size_t(state_bytes), size_t(full_bytes));
  return web.complete && plain.complete ? 0 : 1;
}
