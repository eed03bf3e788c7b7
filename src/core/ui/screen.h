// A screen of the terminal: its design (caption, size, colour) and its
// controls in tab order, the handlers that its class wires to them, and the
// runtime routines the handlers call (message boxes, opening and closing
// screens, the clock, the printer).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/ui/control.h"
#include "core/vb/value.h"

namespace gw {
struct SessionContext;
namespace db {
class DatabasePool;
}
}  // namespace gw

namespace gw::ui {

class Terminal;

struct FormSpec {
  std::string_view name = {};
  std::string_view caption = {};
  int width = 9000;
  int height = 11490;
  Color back = kButtonFace;
  bool full_screen = true;  // maximized; otherwise a small fixed window
};

// Message box codes: buttons plus icon.
inline constexpr int vbOKOnly = 0;
inline constexpr int vbYesNo = 4;
inline constexpr int vbCritical = 16;
inline constexpr int vbQuestion = 32;
inline constexpr int vbExclamation = 48;
inline constexpr int vbInformation = 64;
inline constexpr int vbDefaultButton2 = 256;
// The question the store's screens ask before deleting or confirming:
// Yes/No with No as default, under the code 276 they have always used.
inline constexpr int kYesNoNoDefault = vbYesNo + vbCritical + vbDefaultButton2;
// Answers.
inline constexpr int vbOK = 1;
inline constexpr int vbYes = 6;
inline constexpr int vbNo = 7;

class Screen {
 public:
  Screen(Terminal& terminal, const FormSpec& spec);
  virtual ~Screen() = default;
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;

  const std::string& name() const { return name_; }
  std::string Caption;
  Color BackColor;
  int Width, Height;
  bool fullScreen() const { return full_screen_; }

  // The controls in tab order (the order of the layout table).
  const std::vector<Control*>& controls() const { return controls_; }
  Control* find(std::string_view name) const;
  // The first control Esc presses (a visible button marked Cancel).
  Button* cancelButton() const;

  Terminal& terminal() const { return terminal_; }

  virtual void Form_Load() {}
  virtual void Form_Unload() {}

 protected:
  SessionContext& session() const;
  db::DatabasePool& databases() const;

  int MsgBox(std::string_view prompt, int buttons = vbOKOnly, std::string_view title = "");
  // Opens a screen by name (loading it on first use) in front of this one.
  void Show(std::string_view screen);
  // Closes this screen; the one beneath comes to the front.
  void Unload();
  // The terminal's clock: now, today and the current year.
  DateTime Now() const;
  DateTime Today() const;
  int CurrentYear() const;
  // Files at program paths ("\\tolv\\vorsa.mdb"), under the data folder.
  std::filesystem::path MapPath(std::string_view program_path) const;
  bool FileExists(std::string_view program_path) const;

 private:
  friend class Control;
  friend class Terminal;
  void add(Control* control) { controls_.push_back(control); }

  Terminal& terminal_;
  std::string name_;
  bool full_screen_;
  std::vector<Control*> controls_;
  Control* active_ = nullptr;  // the control with the focus when the screen is in front
};

}  // namespace gw::ui
