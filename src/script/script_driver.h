// The headless driver: one terminal session run from a script of user
// actions, printing a transcript. Serves acceptance tests, support (replaying
// what a clerk did) and training; its command language and output are a
// contract that scripts rely on.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>

#include "core/ui/terminal.h"

namespace gw::script {

struct ScriptOptions {
  std::filesystem::path data_dir;
  std::optional<std::filesystem::path> spool_dir;  // where print jobs are written
};

// Exit codes of a run.
inline constexpr int kAllHeld = 0;
inline constexpr int kExpectFailed = 1;
inline constexpr int kScriptError = 2;

int RunScript(std::istream& script, std::ostream& transcript, const ScriptOptions& options,
              const ui::ScreenRegistry& screens);

}  // namespace gw::script
