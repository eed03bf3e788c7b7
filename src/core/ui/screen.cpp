// Screens: their controls and the runtime routines their handlers call.
#include "core/ui/screen.h"

#include "core/db/paths.h"
#include "core/ui/terminal.h"
#include "core/vb/vb.h"

namespace gw::ui {

Screen::Screen(Terminal& terminal, const FormSpec& spec)
    : Caption(spec.caption),
      BackColor(spec.back),
      Width(spec.width),
      Height(spec.height),
      terminal_(terminal),
      name_(spec.name),
      full_screen_(spec.full_screen) {}

Control* Screen::find(std::string_view name) const {
  std::string wanted = vb::UCase(name);
  for (Control* control : controls_)
    if (vb::UCase(control->name()) == wanted) return control;
  return nullptr;
}

Button* Screen::cancelButton() const {
  for (Control* control : controls_) {
    auto* button = dynamic_cast<Button*>(control);
    if (button && button->Cancel && button->shown()) return button;
  }
  return nullptr;
}

SessionContext& Screen::session() const {
  return terminal_.session;
}
db::DatabasePool& Screen::databases() const {
  return terminal_.databases();
}

int Screen::MsgBox(std::string_view prompt, int buttons, std::string_view title) {
  return terminal_.messageBox(prompt, buttons, title);
}

void Screen::Show(std::string_view screen) {
  terminal_.show(screen);
}
void Screen::Unload() {
  terminal_.unload(*this);
}
DateTime Screen::Now() const {
  return terminal_.now();
}
DateTime Screen::Today() const {
  return vb::DateOnly(terminal_.now());
}
int Screen::CurrentYear() const {
  return vb::Year(terminal_.now());
}

std::filesystem::path Screen::MapPath(std::string_view program_path) const {
  return db::MapProgramPath(terminal_.databases().dataDir(), program_path);
}

bool Screen::FileExists(std::string_view program_path) const {
  std::error_code ec;
  return std::filesystem::is_regular_file(MapPath(program_path), ec);
}

}  // namespace gw::ui
