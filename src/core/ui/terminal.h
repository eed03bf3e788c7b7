// One terminal session: the session record, the databases it has open, the
// stack of screens, the focus, and the user actions a front end (script
// driver, web terminal, tests) delivers. Handlers run one at a time to
// their end; an error a handler raises (from the database engine or a
// conversion) is shown to the clerk in a message box and the screen stays
// usable.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/db/database.h"
#include "core/session/session_context.h"
#include "core/ui/screen.h"
#include "core/vb/value.h"

namespace gw::ui {

struct MessageBoxRequest {
  std::string prompt;
  int buttons = 0;
  std::string title;
};

// What the front end supplies to a session.
class FrontEnd {
 public:
  virtual ~FrontEnd() = default;
  // Shows a message box and returns the answer (vbOK, vbYes, vbNo).
  virtual int messageBox(const MessageBoxRequest& request) = 0;
  virtual DateTime now() = 0;
  // A finished print job, byte for byte.
  virtual void print(const std::string& bytes) = 0;
};

// Thrown by a front end to abandon the running handler (the script cannot
// answer a question, the session is closing). Not an error of the program.
struct Abandon {};

// Which screens a session can open, by name.
class ScreenRegistry {
 public:
  using Factory = std::function<std::unique_ptr<Screen>(Terminal&)>;
  void add(std::string_view name, Factory factory);
  const Factory* find(std::string_view name) const;

 private:
  std::map<std::string, Factory, std::less<>> factories_;
};

class Terminal {
 public:
  Terminal(FrontEnd& front_end, const ScreenRegistry& registry, std::filesystem::path data_dir);
  ~Terminal();
  Terminal(const Terminal&) = delete;
  Terminal& operator=(const Terminal&) = delete;

  SessionContext session;
  db::DatabasePool& databases() { return databases_; }
  FrontEnd& frontEnd() { return front_end_; }

  // Switches the terminal on: the start screen is loaded and shown.
  void start(std::string_view start_screen = "morvim");
  // The start screen has closed.
  bool ended() const { return ended_; }
  Screen* front() const { return stack_.empty() ? nullptr : stack_.back(); }
  Control* focused() const;
  // Screens open, the front one last.
  const std::vector<Screen*>& stack() const { return stack_; }

  // --- Runtime, for the screens -------------------------------------
  // Opens `name` in front (loading it and running its Load on first use).
  // A screen that this build does not have is not opened.
  void show(std::string_view name);
  void unload(Screen& screen);
  void setFocus(Control& control);
  int messageBox(std::string_view prompt, int buttons, std::string_view title);
  DateTime now() { return front_end_.now(); }
  // The current drive of the terminal, letter and colon.
  std::string drive() const { return "C:"; }

  // --- User actions, from the front end ------------------------------
  // Each runs the handlers it triggers, then settles the focus. The caller
  // makes sure the control is usable (see Control::usable()).
  void click(Control& control);
  void dblClick(Control& control);
  void focus(Control& control);
  // Presses each character in turn: KeyDown, KeyPress, then (unless the key
  // was cancelled) the character replaces the selection within MaxLength
  // and Change runs.
  void type(TextBox& box, std::string_view text);
  // Replaces the whole text at once, as a paste does: one Change.
  void paste(TextBox& box, std::string text);
  // Enter (13) or Down (40) on a control; Enter on a button clicks it.
  void pressKey(Control& control, int key_code);
  // Esc: the front screen's Cancel button, if it has a usable one.
  void escape();
  void cellClick(Grid& grid, int row, int col);

 private:
  friend class Screen;
  // Runs a handler; an error it raises is shown in a message box.
  void run(const std::function<void()>& handler);
  void fire(const std::function<void()>& event);
  void settle();
  void pressCharacter(std::string_view character);
  Screen* loaded(std::string_view name) const;

  FrontEnd& front_end_;
  const ScreenRegistry& registry_;
  db::DatabasePool databases_;
  std::vector<std::unique_ptr<Screen>> loaded_;
  std::vector<std::unique_ptr<Screen>> closed_;  // unloaded during a handler, freed after it
  std::vector<Screen*> stack_;
  Screen* start_screen_ = nullptr;
  Screen* activated_ = nullptr;
  int depth_ = 0;
  bool ended_ = false;
};

}  // namespace gw::ui
