// The terminal session's event loop in miniature: every user action runs
// its handlers to their end, errors become message boxes, and the focus is
// settled afterwards (a screen brought to the front gives the focus to its
// active control; a focused control that was hidden passes it on in tab
// order).
#include "core/ui/terminal.h"

#include <algorithm>

#include "core/vb/vb.h"

namespace gw::ui {
namespace {

constexpr int kEnter = 13;
constexpr int kBackspace = 8;

// Decodes one UTF-8 character at the front of `text`.
std::string_view FirstCharacter(std::string_view text) {
  size_t length = 1;
  unsigned char lead = static_cast<unsigned char>(text[0]);
  if (lead >= 0xF0)
    length = 4;
  else if (lead >= 0xE0)
    length = 3;
  else if (lead >= 0xC0)
    length = 2;
  return text.substr(0, std::min(length, text.size()));
}

int CodePoint(std::string_view ch) {
  unsigned char lead = static_cast<unsigned char>(ch[0]);
  if (ch.size() == 1) return lead;
  int value = lead & (0xFF >> (ch.size() + 1));
  for (size_t i = 1; i < ch.size(); ++i) value = (value << 6) | (ch[i] & 0x3F);
  return value;
}

std::string Encode(int code) {
  std::string out;
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
  return out;
}

// The key code a key press of this character reports in KeyDown.
int KeyCodeOf(int code) {
  if (code >= '0' && code <= '9') return code;
  if (code >= 'a' && code <= 'z') return code - 'a' + 'A';
  if (code >= 'A' && code <= 'Z') return code;
  switch (code) {
    case ' ':
      return 32;
    case ',':
      return 188;
    case '-':
      return 189;
    case '.':
      return 190;
    case kBackspace:
      return 8;
    default:
      return 0;
  }
}

Control* NextUsable(const Screen& screen, const Control* after) {
  const auto& controls = screen.controls();
  auto start = std::find(controls.begin(), controls.end(), after);
  size_t from = start == controls.end() ? 0 : size_t(start - controls.begin()) + 1;
  for (size_t i = 0; i < controls.size(); ++i) {
    Control* candidate = controls[(from + i) % controls.size()];
    if (candidate->takesFocus() && candidate->usable()) return candidate;
  }
  return nullptr;
}

}  // namespace

void ScreenRegistry::add(std::string_view name, Factory factory) {
  factories_[std::string(name)] = std::move(factory);
}

const ScreenRegistry::Factory* ScreenRegistry::find(std::string_view name) const {
  auto it = factories_.find(name);
  return it == factories_.end() ? nullptr : &it->second;
}

Terminal::Terminal(FrontEnd& front_end, const ScreenRegistry& registry,
                   std::filesystem::path data_dir)
    : front_end_(front_end), registry_(registry), databases_(std::move(data_dir)) {}

Terminal::~Terminal() {
  stack_.clear();
  loaded_.clear();
  closed_.clear();
}

Control* Terminal::focused() const {
  Screen* screen = front();
  return screen ? screen->active_ : nullptr;
}

Screen* Terminal::loaded(std::string_view name) const {
  for (const auto& screen : loaded_)
    if (screen->name() == name) return screen.get();
  return nullptr;
}

void Terminal::start(std::string_view start_screen) {
  run([&] {
    show(start_screen);
    start_screen_ = loaded(start_screen);
  });
}

void Terminal::show(std::string_view name) {
  if (ended_) return;
  if (Screen* screen = loaded(name)) {
    stack_.erase(std::find(stack_.begin(), stack_.end(), screen));
    stack_.push_back(screen);
    return;
  }
  const ScreenRegistry::Factory* factory = registry_.find(name);
  if (!factory) return;
  loaded_.push_back((*factory)(*this));
  Screen* screen = loaded_.back().get();
  stack_.push_back(screen);
  screen->Form_Load();
}

void Terminal::unload(Screen& screen) {
  auto it = std::find_if(loaded_.begin(), loaded_.end(),
                         [&](const auto& s) { return s.get() == &screen; });
  if (it == loaded_.end()) return;
  screen.Form_Unload();
  it = std::find_if(loaded_.begin(), loaded_.end(),
                    [&](const auto& s) { return s.get() == &screen; });
  if (it == loaded_.end()) return;
  closed_.push_back(std::move(*it));
  loaded_.erase(it);
  stack_.erase(std::remove(stack_.begin(), stack_.end(), &screen), stack_.end());
  if (activated_ == &screen) activated_ = nullptr;
  if (&screen == start_screen_) {
    ended_ = true;
    stack_.clear();
    for (auto& other : loaded_) closed_.push_back(std::move(other));
    loaded_.clear();
    activated_ = nullptr;
  }
  if (depth_ == 0) closed_.clear();
}

void Terminal::setFocus(Control& control) {
  if (!control.takesFocus()) return;
  Screen& screen = control.screen();
  if (&screen != front() || activated_ != &screen) {
    screen.active_ = &control;
    return;
  }
  if (screen.active_ == &control || !control.usable()) return;
  Control* old = screen.active_;
  screen.active_ = &control;
  if (old && old->LostFocus) old->LostFocus();
  if (screen.active_ == &control && control.GotFocus) control.GotFocus();
}

int Terminal::messageBox(std::string_view prompt, int buttons, std::string_view title) {
  return front_end_.messageBox({std::string(prompt), buttons, std::string(title)});
}

void Terminal::fire(const std::function<void()>& event) {
  if (!event) return;
  try {
    event();
  } catch (const Abandon&) {
    throw;
  } catch (const std::exception& error) {
    front_end_.messageBox({error.what(), vbCritical, "Errore"});
  }
}

void Terminal::run(const std::function<void()>& handler) {
  ++depth_;
  try {
    fire(handler);
    if (depth_ == 1) settle();
  } catch (...) {
    --depth_;
    if (depth_ == 0) closed_.clear();
    throw;
  }
  --depth_;
  if (depth_ == 0) closed_.clear();
}

void Terminal::settle() {
  // Each round hands the focus on once; handlers of GotFocus may move it
  // again, so a few rounds may be needed, and a screen that keeps moving
  // it cannot hold the terminal.
  for (int round = 0; round < 16; ++round) {
    Screen* screen = front();
    if (!screen) return;
    if (activated_ != screen) {
      activated_ = screen;
      Control* target = screen->active_;
      if (!target || !target->usable()) target = NextUsable(*screen, nullptr);
      screen->active_ = target;
      if (target) fire(target->GotFocus);
      continue;
    }
    Control* active = screen->active_;
    if (active && active->usable()) return;
    Control* target = NextUsable(*screen, active);
    if (!target) return;
    screen->active_ = target;
    if (active) fire(active->LostFocus);
    if (screen->active_ == target) fire(target->GotFocus);
  }
}

void Terminal::click(Control& control) {
  run([&] {
    setFocus(control);
    if (!control.usable()) return;
    if (auto* check = dynamic_cast<CheckBox*>(&control)) check->toggle();
    if (control.Click) control.Click();
  });
}

void Terminal::dblClick(Control& control) {
  run([&] {
    setFocus(control);
    if (!control.usable()) return;
    if (control.Click) control.Click();
    if (!control.usable()) return;
    if (control.kind() == ControlKind::Button) {
      if (control.Click) control.Click();
    } else if (control.DblClick) {
      control.DblClick();
    }
  });
}

void Terminal::focus(Control& control) {
  run([&] { setFocus(control); });
}

void Terminal::pressCharacter(std::string_view character) {
  auto* box = dynamic_cast<TextBox*>(focused());
  if (!box || !box->usable()) return;
  int code = CodePoint(character);
  int key_code = KeyCodeOf(code);
  if (box->KeyDown) box->KeyDown(key_code, 0);
  if (focused() != box) return;
  int key_ascii = code;
  if (box->KeyPress) box->KeyPress(key_ascii);
  if (key_ascii == 0 || box->Locked || focused() != box) return;

  std::string text = box->Text();
  size_t length = vb::Len(text);
  size_t start = std::min<size_t>(std::max(box->SelStart, 0), length);
  size_t selected = box->SelLength > 0 ? std::min<size_t>(box->SelLength, length - start) : 0;
  if (selected == 0) start = length;
  std::string before = vb::Left(text, start);
  std::string after = vb::Mid(text, start + selected + 1);
  std::string updated;
  if (key_ascii == kBackspace) {
    if (selected == 0 && !before.empty()) before = vb::Left(before, vb::Len(before) - 1);
    updated = before + after;
  } else {
    if (box->MaxLength > 0 && length - selected + 1 > size_t(box->MaxLength)) return;
    updated = before + Encode(key_ascii) + after;
  }
  box->setText(std::move(updated));
}

void Terminal::type(TextBox& box, std::string_view text) {
  run([&] {
    setFocus(box);
    while (!text.empty()) {
      std::string_view character = FirstCharacter(text);
      text.remove_prefix(character.size());
      pressCharacter(character);
    }
  });
}

void Terminal::paste(TextBox& box, std::string text) {
  run([&] {
    setFocus(box);
    if (box.usable()) box.setText(std::move(text));
  });
}

void Terminal::pressKey(Control& control, int key_code) {
  run([&] {
    setFocus(control);
    if (!control.usable()) return;
    int code = key_code;
    if (control.KeyDown) control.KeyDown(code, 0);
    if (key_code != kEnter || focused() != &control || !control.usable()) return;
    if (control.kind() == ControlKind::Button) {
      if (control.Click) control.Click();
      return;
    }
    int key_ascii = kEnter;
    if (control.KeyPress) control.KeyPress(key_ascii);
  });
}

void Terminal::escape() {
  run([&] {
    Screen* screen = front();
    Button* button = screen ? screen->cancelButton() : nullptr;
    if (button && button->usable() && button->Click) button->Click();
  });
}

void Terminal::cellClick(Grid& grid, int row, int col) {
  run([&] {
    setFocus(grid);
    if (!grid.usable()) return;
    grid.MouseRow = row;
    grid.MouseCol = col;
    grid.Row = row;
    grid.Col = col;
    if (grid.Click) grid.Click();
  });
}

}  // namespace gw::ui
