// The toolkit's rules, through a small pair of test screens: the screen
// stack, the focus, key events and cancelled keys, MaxLength and Locked,
// Esc, message-box answers and errors raised by handlers.
#include "core/ui/terminal.h"

#include <gtest/gtest.h>

#include <deque>
#include <stdexcept>

#include "core/db/engine.h"
#include "support/temp_dir.h"

namespace gw::ui {
namespace {

class FakeFrontEnd final : public FrontEnd {
 public:
  int messageBox(const MessageBoxRequest& box) override {
    boxes.push_back(std::to_string(box.buttons) + " " + box.title + ": " + box.prompt);
    if (answers.empty()) return vbOK;
    int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  DateTime now() override { return DateTime{46083.5}; }
  void print(const std::string&) override {}

  std::vector<std::string> boxes;
  std::deque<int> answers;
};

std::string* g_log = nullptr;
void Log(const std::string& what) {
  *g_log += what + " ";
}

constexpr FormSpec kFirst{.name = "first"};
constexpr ControlSpec kCode{.name = "code", .max_length = 5};
constexpr ControlSpec kShown{.name = "shown", .locked = true};
constexpr ControlSpec kPanel{.name = "panel"};
constexpr ControlSpec kInside{.name = "inside", .container = "panel"};
constexpr ControlSpec kFlag{.name = "flag"};
constexpr ControlSpec kOpen{.name = "open", .caption = "Apri"};
constexpr ControlSpec kQuit{.name = "quit", .caption = "Esci", .cancel = true};

class First final : public Screen {
 public:
  explicit First(Terminal& t)
      : Screen(t, kFirst),
        code(*this, kCode),
        shown(*this, kShown),
        panel(*this, kPanel),
        inside(*this, kInside),
        flag(*this, kFlag),
        open(*this, kOpen),
        quit(*this, kQuit) {
    code.GotFocus = [] { Log("code.GotFocus"); };
    code.LostFocus = [] { Log("code.LostFocus"); };
    code.KeyDown = [](int& k, int) { Log("KeyDown" + std::to_string(k)); };
    code.KeyPress = [this](int& k) {
      Log("KeyPress" + std::to_string(k));
      if (k == '*') k = 0;
      if (k >= 'a' && k <= 'z') k -= 'a' - 'A';
      if (k == 13) code.setText("");
    };
    code.Change = [this] { Log("Change=" + code.Text()); };
    shown.GotFocus = [] { Log("shown.GotFocus"); };
    shown.Change = [] { Log("shown.Change"); };
    inside.GotFocus = [] { Log("inside.GotFocus"); };
    flag.Click = [this] { Log("flag=" + std::to_string(flag.Value())); };
    open.GotFocus = [] { Log("open.GotFocus"); };
    open.Click = [this] {
      Log("open.Click");
      Show("second");
      Log("after Show");
    };
    quit.Click = [this] {
      if (MsgBox("Uscire?", vbYesNo + vbQuestion + vbDefaultButton2, "Fine") == vbYes) Unload();
    };
  }
  void Form_Load() override { Log("first.Load"); }

  TextBox code, shown;
  Frame panel;
  TextBox inside;
  CheckBox flag;
  Button open, quit;
};

constexpr FormSpec kSecond{.name = "second"};
constexpr ControlSpec kField{.name = "field"};
constexpr ControlSpec kClose{.name = "close", .cancel = true};
constexpr ControlSpec kHide{.name = "hide"};
constexpr ControlSpec kFail{.name = "fail"};

class Second final : public Screen {
 public:
  explicit Second(Terminal& t)
      : Screen(t, kSecond),
        field(*this, kField),
        close(*this, kClose),
        hide(*this, kHide),
        fail(*this, kFail) {
    field.GotFocus = [] { Log("field.GotFocus"); };
    close.GotFocus = [] { Log("close.GotFocus"); };
    close.Click = [this] { Unload(); };
    hide.Click = [this] { hide.Visible = false; };
    fail.Click = [] { throw std::runtime_error("Overflow"); };
  }
  void Form_Load() override { Log("second.Load"); }
  void Form_Unload() override { Log("second.Unload"); }

  TextBox field;
  Button close, hide, fail;
};

class TerminalTest : public testing::Test {
 protected:
  TerminalTest() {
    g_log = &log;
    registry.add("first", [](Terminal& t) { return std::make_unique<First>(t); });
    registry.add("second", [](Terminal& t) { return std::make_unique<Second>(t); });
    terminal.start("first");
  }
  ~TerminalTest() override { g_log = nullptr; }

  First& first() { return *dynamic_cast<First*>(terminal.stack().front()); }
  Second& second() { return *dynamic_cast<Second*>(terminal.front()); }
  std::string take() { return std::exchange(log, ""); }

  std::string log;
  test::TempDir dir;
  FakeFrontEnd front_end;
  ScreenRegistry registry;
  Terminal terminal{front_end, registry, dir.path()};
};

TEST_F(TerminalTest, StartLoadsTheStartScreenAndFocusesItsFirstControl) {
  EXPECT_EQ(take(), "first.Load code.GotFocus ");
  EXPECT_EQ(terminal.front()->name(), "first");
  EXPECT_EQ(terminal.focused()->name(), "code");
}

TEST_F(TerminalTest, ShowRunsLoadOnceAndTheOpenerComesBackWithItsFocus) {
  terminal.click(first().open);
  EXPECT_EQ(take(),
            "first.Load code.GotFocus code.LostFocus open.GotFocus open.Click "
            "second.Load after Show field.GotFocus ");
  EXPECT_EQ(terminal.front()->name(), "second");
  ASSERT_EQ(terminal.stack().size(), 2u);

  terminal.escape();
  EXPECT_EQ(take(), "second.Unload open.GotFocus ");
  EXPECT_EQ(terminal.front()->name(), "first");

  terminal.click(first().open);
  EXPECT_EQ(take(), "open.Click second.Load after Show field.GotFocus ");
}

TEST_F(TerminalTest, TypedKeysRunKeyDownKeyPressAndChangeUnlessCancelled) {
  take();
  terminal.type(first().code, "1a*2");
  EXPECT_EQ(take(),
            "KeyDown49 KeyPress49 Change=1 KeyDown65 KeyPress97 Change=1A KeyDown0 "
            "KeyPress42 KeyDown50 KeyPress50 Change=1A2 ");
  EXPECT_EQ(first().code.Text(), "1A2");
}

TEST_F(TerminalTest, MaxLengthStopsTypingAndASelectionIsReplaced) {
  terminal.type(first().code, "1234567");
  EXPECT_EQ(first().code.Text(), "12345");
  first().code.SelStart = 1;
  first().code.SelLength = 3;
  terminal.type(first().code, "9");
  EXPECT_EQ(first().code.Text(), "195");
  first().code.selectAll();
  terminal.type(first().code, "7");
  EXPECT_EQ(first().code.Text(), "7");
}

TEST_F(TerminalTest, LockedBoxTakesTheFocusAndKeysButNoText) {
  take();
  terminal.type(first().shown, "12");
  EXPECT_EQ(take(), "code.LostFocus shown.GotFocus ");
  EXPECT_EQ(first().shown.Text(), "");
  EXPECT_EQ(terminal.focused()->name(), "shown");
}

TEST_F(TerminalTest, EnterAndDownReachTheFocusedControl) {
  terminal.type(first().code, "12");
  take();
  terminal.pressKey(first().code, 13);
  EXPECT_EQ(take(), "KeyDown13 KeyPress13 Change= ");
  terminal.pressKey(first().code, 40);
  EXPECT_EQ(take(), "KeyDown40 ");
  terminal.pressKey(first().open, 13);
  EXPECT_EQ(take(),
            "code.LostFocus open.GotFocus open.Click second.Load after Show "
            "field.GotFocus ");
}

TEST_F(TerminalTest, ControlsInAHiddenFrameAreNotUsable) {
  EXPECT_TRUE(first().inside.usable());
  first().panel.Visible = false;
  EXPECT_FALSE(first().inside.shown());
  EXPECT_FALSE(first().inside.usable());
  first().inside.SetFocus();
  EXPECT_EQ(terminal.focused()->name(), "code");
}

TEST_F(TerminalTest, AFocusedControlThatHidesPassesTheFocusOnInTabOrder) {
  terminal.click(first().open);
  terminal.click(second().hide);
  EXPECT_EQ(terminal.focused()->name(), "fail");
}

TEST_F(TerminalTest, CheckBoxClickTogglesBeforeClickRuns) {
  take();
  terminal.click(first().flag);
  terminal.click(first().flag);
  EXPECT_EQ(take(), "code.LostFocus flag=1 flag=0 ");
  first().flag.setValue(1);
  EXPECT_EQ(take(), "flag=1 ");
}

TEST_F(TerminalTest, EscAnswersWithTheCancelButtonAndYesNoAnswersCount) {
  front_end.answers = {vbNo, vbYes};
  terminal.escape();
  EXPECT_FALSE(terminal.ended());
  terminal.escape();
  EXPECT_TRUE(terminal.ended());
  EXPECT_EQ(terminal.front(), nullptr);
  ASSERT_EQ(front_end.boxes.size(), 2u);
  EXPECT_EQ(front_end.boxes[0], "292 Fine: Uscire?");
}

TEST_F(TerminalTest, AnErrorInAHandlerIsShownAndTheScreenStaysUsable) {
  terminal.click(first().open);
  terminal.click(second().fail);
  ASSERT_EQ(front_end.boxes.size(), 1u);
  EXPECT_EQ(front_end.boxes[0], "16 Errore: Overflow");
  terminal.click(second().close);
  EXPECT_EQ(terminal.front()->name(), "first");
}

TEST_F(TerminalTest, ADatabaseErrorBecomesAMessageBox) {
  terminal.click(first().open);
  second().fail.Click = [this] { terminal.databases().open("\\quib\\dati.mdb"); };
  terminal.click(second().fail);
  ASSERT_EQ(front_end.boxes.size(), 1u);
  EXPECT_EQ(front_end.boxes[0], "16 Errore: Impossibile trovare il file '\\quib\\dati.mdb'.");
}

}  // namespace
}  // namespace gw::ui
