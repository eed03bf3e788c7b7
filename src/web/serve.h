// The web terminal: serves the browser client and one terminal session per
// browser tab until the process is asked to stop (SIGINT or SIGTERM).
#pragma once

#include <chrono>
#include <filesystem>
#include <string>

#include "core/ui/terminal.h"

namespace gw::web {

struct ServeOptions {
  std::filesystem::path data_dir;
  std::string host = "127.0.0.1";
  int port = 8080;  // 0: any free port
  // A session the browser has not used for this long is ended.
  std::chrono::hours idle_limit{12};
};

// Serves until SIGINT or SIGTERM; prints the address to open on standard
// output. Returns the process exit status: 0 after a stop, 1 when the
// address cannot be bound.
int Serve(const ServeOptions& options, const ui::ScreenRegistry& screens);

}  // namespace gw::web
