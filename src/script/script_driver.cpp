// Script lines are read one by one; each command acts on the front screen
// of the one terminal session, and what happens is printed one fact a line.
#include "script/script_driver.h"

#include <chrono>
#include <ctime>
#include <fstream>
#include <istream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "core/vb/vb.h"

namespace gw::script {
namespace {

constexpr int kEnter = 13;
constexpr int kDown = 40;

struct ScriptError {
  std::string reason;
};

std::string Quote(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

// Splits a line into words; a word with blanks is written in double quotes,
// with \" for a quote and \\ for a backslash.
std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
      ++i;
      continue;
    }
    std::string word;
    if (line[i] == '"') {
      ++i;
      bool closed = false;
      while (i < line.size()) {
        char c = line[i++];
        if (c == '\\' && i < line.size()) {
          char next = line[i++];
          word += next == 'n' ? '\n' : next;
        } else if (c == '"') {
          closed = true;
          break;
        } else {
          word += c;
        }
      }
      if (!closed) throw ScriptError{"unterminated quoted word"};
    } else {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
        word += line[i++];
    }
    words.push_back(std::move(word));
  }
  return words;
}

bool Skipped(const std::string& line) {
  size_t first = line.find_first_not_of(" \t\r");
  return first == std::string::npos || line[first] == '#';
}

DateTime SystemNow() {
  std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  return vb::MakeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                      local.tm_min, local.tm_sec);
}

class ScriptRun final : public ui::FrontEnd {
 public:
  ScriptRun(std::istream& script, std::ostream& out, const ScriptOptions& options,
            const ui::ScreenRegistry& screens)
      : out_(out), options_(options), terminal_(*this, screens, options.data_dir) {
    std::string line;
    while (std::getline(script, line)) lines_.push_back(line);
  }

  int run() {
    while (next_ < lines_.size()) {
      size_t number = next_ + 1;
      const std::string& line = lines_[next_++];
      if (Skipped(line)) continue;
      try {
        execute(Words(line));
      } catch (const ScriptError& error) {
        out_ << "error " << number << ": " << error.reason << "\n";
        return kScriptError;
      } catch (const ui::Abandon&) {
        out_ << "error " << (abandon_line_ ? abandon_line_ : number) << ": " << abandon_reason_
             << "\n";
        return kScriptError;
      }
    }
    return failed_ ? kExpectFailed : kAllHeld;
  }

  int messageBox(const ui::MessageBoxRequest& box) override {
    bool yes_no = (box.buttons & 7) == ui::vbYesNo || (box.buttons & 7) == 3;
    std::string answer = "OK";
    int result = ui::vbOK;
    if (yes_no) {
      while (next_ < lines_.size() && Skipped(lines_[next_])) ++next_;
      std::vector<std::string> words;
      if (next_ < lines_.size()) {
        try {
          words = Words(lines_[next_]);
        } catch (const ScriptError&) {
          words.clear();
        }
      }
      if (words.size() != 2 || words[0] != "answer" || (words[1] != "Yes" && words[1] != "No")) {
        abandon_line_ = next_ < lines_.size() ? next_ + 1 : 0;
        abandon_reason_ = "a Yes/No box without an answer line: " + Quote(box.prompt);
        out_ << "msgbox " << box.buttons << " " << Quote(box.title) << " " << Quote(box.prompt)
             << " -> ?\n";
        throw ui::Abandon{};
      }
      ++next_;
      answer = words[1];
      result = answer == "Yes" ? ui::vbYes : ui::vbNo;
    }
    out_ << "msgbox " << box.buttons << " " << Quote(box.title) << " " << Quote(box.prompt)
         << " -> " << answer << "\n";
    return result;
  }

  DateTime now() override { return clock_ ? *clock_ : SystemNow(); }

  void print(const std::string& bytes) override {
    ++jobs_;
    if (options_.spool_dir) {
      std::filesystem::create_directories(*options_.spool_dir);
      char name[32];
      std::snprintf(name, sizeof name, "job-%04d.prn", jobs_);
      std::ofstream file(*options_.spool_dir / name, std::ios::binary);
      file << bytes;
    }
    out_ << "print " << jobs_ << " " << bytes.size() << "\n";
  }

 private:
  void execute(const std::vector<std::string>& words) {
    const std::string& command = words[0];
    if (ended_) throw ScriptError{"a command after the program ended"};
    if (command == "clock") {
      arity(words, 2);
      DateTime at;
      if (!vb::ParseDate(words[1], at)) throw ScriptError{"not a date and time: " + words[1]};
      clock_ = at;
      return;
    }
    if (command == "start") {
      arity(words, 1);
      if (started_) throw ScriptError{"the terminal is already on"};
      started_ = true;
      act([&] { terminal_.start(); });
      return;
    }
    if (!started_) throw ScriptError{"the terminal is not on: start first"};
    if (command == "click") {
      arity(words, 2);
      ui::Control& control = usable(words[1]);
      act([&] { terminal_.click(control); });
    } else if (command == "dblclick") {
      arity(words, 2);
      ui::Control& control = usable(words[1]);
      act([&] { terminal_.dblClick(control); });
    } else if (command == "focus") {
      arity(words, 2);
      ui::Control& control = usable(words[1]);
      if (!control.takesFocus()) throw ScriptError{words[1] + " cannot take the focus"};
      act([&] { terminal_.focus(control); });
    } else if (command == "type" || command == "set") {
      arity(words, 3);
      auto* box = dynamic_cast<ui::TextBox*>(&usable(words[1]));
      if (!box) throw ScriptError{words[1] + " is not a text box"};
      if (command == "type")
        act([&] { terminal_.type(*box, words[2]); });
      else
        act([&] { terminal_.paste(*box, words[2]); });
    } else if (command == "key") {
      arity(words, 3);
      int code = words[2] == "Enter" ? kEnter : words[2] == "Down" ? kDown : 0;
      if (!code) throw ScriptError{"unknown key " + words[2]};
      ui::Control& control = usable(words[1]);
      act([&] { terminal_.pressKey(control, code); });
    } else if (command == "esc") {
      arity(words, 1);
      act([&] { terminal_.escape(); });
    } else if (command == "cell") {
      arity(words, 4);
      auto* grid = dynamic_cast<ui::Grid*>(&usable(words[1]));
      if (!grid) throw ScriptError{words[1] + " is not a grid"};
      int row = number(words[2]), col = number(words[3]);
      if (row < 0 || col < 0 || row >= grid->Rows() || col >= grid->Cols())
        throw ScriptError{"no cell " + words[2] + " " + words[3] + " in " + words[1]};
      act([&] { terminal_.cellClick(*grid, row, col); });
    } else if (command == "answer") {
      throw ScriptError{"answer without a Yes/No box"};
    } else if (command == "get") {
      arity(words, 2);
      out_ << words[1] << "=" << Quote(read(words[1])) << "\n";
    } else if (command == "expect") {
      arity(words, 3);
      std::string got = read(words[1]);
      if (got == words[2]) {
        out_ << "ok " << words[1] << "=" << Quote(got) << "\n";
      } else {
        failed_ = true;
        out_ << "FAIL " << words[1] << "=" << Quote(got) << " expected " << Quote(words[2]) << "\n";
      }
    } else {
      throw ScriptError{"unknown command " + command};
    }
  }

  // Runs a user action and reports what changed on the terminal.
  template <typename Action>
  void act(Action action) {
    std::string before = frontName();
    action();
    if (terminal_.ended()) {
      ended_ = true;
      out_ << "end\n";
      return;
    }
    std::string after = frontName();
    if (after != before) out_ << "front " << after << "\n";
  }

  std::string frontName() const {
    ui::Screen* front = terminal_.front();
    return front ? front->name() : "";
  }

  static void arity(const std::vector<std::string>& words, size_t count) {
    if (words.size() != count)
      throw ScriptError{words[0] + " takes " + std::to_string(count - 1) + " argument(s)"};
  }

  static int number(const std::string& word) {
    if (word.empty() || word.find_first_not_of("0123456789") != std::string::npos)
      throw ScriptError{"not a number: " + word};
    return std::stoi(word);
  }

  ui::Control& control(const std::string& name) const {
    ui::Screen* front = terminal_.front();
    ui::Control* found = front ? front->find(name) : nullptr;
    if (!found) throw ScriptError{"unknown control " + name};
    return *found;
  }

  ui::Control& usable(const std::string& name) const {
    ui::Control& found = control(name);
    if (!found.shown()) throw ScriptError{name + " is hidden"};
    if (!found.usable()) throw ScriptError{name + " is disabled"};
    return found;
  }

  std::string read(const std::string& what) const {
    if (what == "focus") {
      ui::Control* focused = terminal_.focused();
      return focused ? focused->name() : "";
    }
    if (what == "front") return frontName();
    // The property follows the last dot that is not inside brackets
    // ("flex1.TextMatrix(1,2)").
    size_t dot = what.find('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == what.size())
      throw ScriptError{"not NAME.PROPERTY: " + what};
    std::string owner = what.substr(0, dot), property = what.substr(dot + 1);
    if (owner == "session") {
      auto text = terminal_.session.fieldText(property);
      if (!text) throw ScriptError{"unknown session field " + property};
      return *text;
    }
    ui::Screen* front = terminal_.front();
    if (front && !front->find(owner) && vb::UCase(owner) == vb::UCase(front->name())) {
      std::string p = vb::UCase(property);
      if (p == "CAPTION") return front->Caption;
      if (p == "WIDTH") return std::to_string(front->Width);
      if (p == "HEIGHT") return std::to_string(front->Height);
      if (p == "BACKCOLOR") {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "&H%08X&", front->BackColor);
        return buffer;
      }
      throw ScriptError{"unknown property " + property + " of " + owner};
    }
    auto text = control(owner).property(property);
    if (!text) throw ScriptError{"unknown property " + property + " of " + owner};
    return *text;
  }

  std::ostream& out_;
  const ScriptOptions& options_;
  std::vector<std::string> lines_;
  size_t next_ = 0;
  std::optional<DateTime> clock_;
  ui::Terminal terminal_;
  bool started_ = false;
  bool ended_ = false;
  bool failed_ = false;
  int jobs_ = 0;
  size_t abandon_line_ = 0;
  std::string abandon_reason_;
};

}  // namespace

int RunScript(std::istream& script, std::ostream& transcript, const ScriptOptions& options,
              const ui::ScreenRegistry& screens) {
  ScriptRun run(script, transcript, options, screens);
  return run.run();
}

}  // namespace gw::script
