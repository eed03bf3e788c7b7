// The web terminal's HTTP server: the browser client's files and the three
// calls of the terminal sessions, on cpp-httplib. This is the only file that
// includes httplib.h.
//
// cpp-httplib gives every open connection a worker thread of its pool for as
// long as the connection is kept alive, and a browser keeps one or two open
// per tab. The pool is sized for the store's terminals, a few dozen at
// most, with room for tabs reloading and for desktop browsers.
#include "web/server.h"

#include <httplib.h>
#include <pthread.h>
#include <sys/socket.h>

#include <atomic>
#include <csignal>
#include <iostream>
#include <thread>

#include "web/assets.h"
#include "web/screen_state.h"
#include "web/web_session.h"

namespace gw::web {
namespace {

constexpr size_t kHttpThreads = 64;
// Debian's build of cpp-httplib listens with a backlog of 5: terminals
// connecting at the same moment beyond that have their connections reset.
// listen() again on the bound socket gives it room.
constexpr int kListenBacklog = 128;
constexpr size_t kMaxRequestBytes = 256 * 1024;
// How long a call waits for the session to apply its events before it
// answers with the state as it is (the browser then asks again).
constexpr std::chrono::milliseconds kStateWait{10000};

constexpr const char* kContentSecurityPolicy =
    "default-src 'self'; style-src 'self' 'unsafe-inline'; img-src 'self' data:; "
    "frame-ancestors 'none'";

void Json(httplib::Response& response, int status, const std::string& body) {
  response.status = status;
  response.set_header("Cache-Control", "no-store");
  response.set_content(body, "application/json");
}

}  // namespace

struct WebServer::Impl {
  Impl(const ServeOptions& options, const ui::ScreenRegistry& screens)
      : options(options), sessions(screens, options.data_dir, options.idle_limit) {}

  // The request's session; an unknown or expired ID gets a fresh one.
  // Answers 503 and returns nullptr when no more sessions can be opened.
  std::shared_ptr<WebSession> open(const std::string& id, httplib::Response& response) {
    std::shared_ptr<WebSession> session = id.empty() ? nullptr : sessions.find(id);
    if (!session) session = sessions.create();
    if (!session) Json(response, 503, ErrorJson("too many terminal sessions"));
    return session;
  }

  // A fresh session answers with its start screen: what was sent was meant
  // for another session's screens and is not applied.
  static bool Fresh(WebSession& session, const std::string& id, httplib::Response& response) {
    if (session.id() == id) return false;
    Json(response, 200, session.post({}, kStateWait));
    return true;
  }

  void onSession(const httplib::Request& request, httplib::Response& response) {
    std::string error;
    auto parsed = ParseSessionRequest(request.body, error);
    if (!parsed) return Json(response, 400, ErrorJson(error));
    if (auto session = open(parsed->session, response))
      Json(response, 200, session->post({}, kStateWait));
  }

  void onEvents(const httplib::Request& request, httplib::Response& response) {
    std::string error;
    auto parsed = ParseEventsRequest(request.body, error);
    if (!parsed) return Json(response, 400, ErrorJson(error));
    auto session = open(parsed->session, response);
    if (!session || Fresh(*session, parsed->session, response)) return;
    Json(response, 200, session->post(std::move(parsed->events), kStateWait, parsed->have));
  }

  void onAnswer(const httplib::Request& request, httplib::Response& response) {
    std::string error;
    auto parsed = ParseAnswerRequest(request.body, error);
    if (!parsed) return Json(response, 400, ErrorJson(error));
    auto session = open(parsed->session, response);
    if (!session || Fresh(*session, parsed->session, response)) return;
    auto state = session->answer(parsed->box, parsed->answer, kStateWait, parsed->have);
    if (!state) return Json(response, 400, ErrorJson("the answer is not a button of the box"));
    Json(response, 200, *state);
  }

  void routes() {
    for (const Asset& asset : Assets()) {
      http.Get(std::string(asset.path),
               [&asset](const httplib::Request&, httplib::Response& response) {
                 response.set_header("Cache-Control", "no-cache");
                 response.set_header("X-Content-Type-Options", "nosniff");
                 response.set_header("Content-Security-Policy", kContentSecurityPolicy);
                 response.set_content(asset.body.data(), asset.body.size(),
                                      std::string(asset.content_type).c_str());
               });
    }
    http.Post("/api/session",
              [this](const httplib::Request& rq, httplib::Response& rs) { onSession(rq, rs); });
    http.Post("/api/events",
              [this](const httplib::Request& rq, httplib::Response& rs) { onEvents(rq, rs); });
    http.Post("/api/answer",
              [this](const httplib::Request& rq, httplib::Response& rs) { onAnswer(rq, rs); });
    http.set_exception_handler(
        [](const httplib::Request&, httplib::Response& response, std::exception_ptr) {
          Json(response, 500, ErrorJson("internal error"));
        });
  }

  ServeOptions options;
  SessionTable sessions;
  httplib::Server http;  // stopped before the sessions go
  socket_t listening = INVALID_SOCKET;
};

WebServer::WebServer(const ServeOptions& options, const ui::ScreenRegistry& screens)
    : impl_(std::make_unique<Impl>(options, screens)) {
  httplib::Server& http = impl_->http;
  http.new_task_queue = [] { return new httplib::ThreadPool(kHttpThreads); };
  http.set_payload_max_length(kMaxRequestBytes);
  http.set_keep_alive_max_count(100000);
  http.set_tcp_nodelay(true);
  http.set_socket_options([impl = impl_.get()](socket_t sock) {
    httplib::default_socket_options(sock);
    impl->listening = sock;
  });
  http.set_read_timeout(10, 0);
  http.set_write_timeout(10, 0);
  impl_->routes();
}

WebServer::~WebServer() = default;

int WebServer::bind() {
  const ServeOptions& options = impl_->options;
  int port = options.port;
  if (port == 0) {
    port = impl_->http.bind_to_any_port(options.host);
  } else if (!impl_->http.bind_to_port(options.host, port)) {
    port = -1;
  }
  if (port > 0) ::listen(impl_->listening, kListenBacklog);
  return port;
}

void WebServer::run() {
  impl_->http.listen_after_bind();
}

void WebServer::stop() {
  impl_->http.stop();
}

SessionTable& WebServer::sessions() {
  return impl_->sessions;
}

int Serve(const ServeOptions& options, const ui::ScreenRegistry& screens) {
  // SIGINT and SIGTERM are taken by a thread of their own, so that every
  // thread the server starts inherits them blocked.
  sigset_t signals, previous;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, &previous);

  int status = 0;
  {
    WebServer server(options, screens);
    int port = server.bind();
    if (port < 0) {
      std::cerr << "gestione-wifi: cannot listen on " << options.host << ":" << options.port
                << "\n";
      status = 1;
    } else {
      std::cout << "gestione-wifi: serving " << options.data_dir.string() << " on http://"
                << options.host << ":" << port << "/" << std::endl;
      std::atomic<bool> signalled = false;
      std::thread watcher([&] {
        int signal = 0;
        sigwait(&signals, &signal);
        signalled = true;
        server.stop();
      });
      server.run();
      if (!signalled) pthread_kill(watcher.native_handle(), SIGTERM);
      watcher.join();
    }
  }
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  return status;
}

}  // namespace gw::web
