// The HTTP side of the web terminal, for Serve() and for the tests and the
// benchmark that run a server inside their own process.
//
//   GET  /, /client.js, /client.css   the browser client
//   POST /api/session  {"session": ID?}                   resume ID or start
//   POST /api/events   {"session": ID, "events": [...]}   apply, then state
//   POST /api/answer   {"session": ID, "box": N, "answer": A}
//
// Every POST answers with the state of the session's front screen (see
// screen_state.h); an unknown or expired ID gets a fresh session, whose new
// ID the state carries. A malformed request gets 400, an oversized one 413,
// and changes nothing.
#pragma once

#include <memory>

#include "web/serve.h"

namespace gw::web {

class SessionTable;

class WebServer {
 public:
  WebServer(const ServeOptions& options, const ui::ScreenRegistry& screens);
  ~WebServer();
  WebServer(const WebServer&) = delete;
  WebServer& operator=(const WebServer&) = delete;

  // Binds the listening socket; returns the port, or -1 when it cannot.
  int bind();
  // Serves on the bound socket until stop(). REQUIRES: bind() succeeded.
  void run();
  // Safe from any thread.
  void stop();

  SessionTable& sessions();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace gw::web
