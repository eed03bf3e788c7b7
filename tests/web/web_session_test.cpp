// The web terminal's session layer (events in order and once, message boxes
// answered by the browser, dropped events, idle sessions, answers carrying
// only what changed) and its HTTP calls on loopback.
#include "web/web_session.h"

#include <gtest/gtest.h>
#include <httplib.h>
#include <unistd.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <thread>

#include "test_screens.h"
#include "web/screen_state.h"
#include "web/server.h"

namespace gw::web {
namespace {

using nlohmann::json;
using namespace std::chrono_literals;

// Long enough never to be reached on a working session.
constexpr auto kWait = std::chrono::milliseconds(20s);

Event Click(int64_t seq, std::string name) {
  return {.seq = seq, .kind = Event::Kind::Click, .control = std::move(name)};
}
Event Focus(int64_t seq, std::string name) {
  return {.seq = seq, .kind = Event::Kind::Focus, .control = std::move(name)};
}
Event Type(int64_t seq, std::string text) {
  return {.seq = seq, .kind = Event::Kind::Type, .text = std::move(text)};
}
Event Key(int64_t seq, int code) {
  return {.seq = seq, .kind = Event::Kind::Key, .code = code};
}
Event Cell(int64_t seq, int row, int col) {
  return {.seq = seq, .kind = Event::Kind::Cell, .control = "flex1", .row = row, .col = col};
}
Event Escape(int64_t seq) {
  return {.seq = seq, .kind = Event::Kind::Escape};
}

const json& ControlOf(const json& state, std::string_view name) {
  for (const json& control : state.at("form").at("controls"))
    if (control.at("name") == name) return control;
  throw std::out_of_range(std::string(name));
}

// A property of a control as one line: "Label1.caption=800123".
std::string Show(const json& state, std::string_view name, const char* property) {
  const json& value = ControlOf(state, name).at(property);
  return std::string(name) + "." + property + "=" +
         (value.is_string() ? value.get<std::string>() : value.dump());
}

// The state a browser holding `held` draws after `answer`: the answer
// itself when it is a full state, else `held` with the changes applied.
json Apply(const json& held, const json& answer) {
  if (!answer.contains("changes")) return answer;
  EXPECT_EQ(answer.at("base"), held.at("version"));
  json state = answer;
  state.erase("changes");
  state.erase("base");
  json form = held.at("form");
  const json& changes = answer.at("changes");
  for (const auto& [key, value] : changes.at("form").items()) form[key] = value;
  for (json& control : form.at("controls")) {
    auto changed = changes.at("controls").find(control.at("name").get<std::string>());
    if (changed == changes.at("controls").end()) continue;
    for (const auto& [key, value] : changed->items()) control[key] = value;
  }
  state["form"] = std::move(form);
  return state;
}

class WebSessionTest : public ::testing::Test {
 protected:
  WebSessionTest() {
    webtest::AddTestScreen(screens_, "morvim");
    std::filesystem::create_directories(dir_);
  }
  ~WebSessionTest() override { std::filesystem::remove_all(dir_); }

  json post(WebSession& session, std::vector<Event> events, int64_t have = 0) {
    return json::parse(session.post(std::move(events), kWait, have));
  }
  json answer(WebSession& session, int box, int value, int64_t have = 0) {
    auto state = session.answer(box, value, kWait, have);
    EXPECT_TRUE(state.has_value());
    return state ? json::parse(*state) : json();
  }

  std::filesystem::path dir_ = std::filesystem::path(::testing::TempDir()) /
                               ("web-" + std::to_string(::getpid()) + "-" +
                                ::testing::UnitTest::GetInstance()->current_test_info()->name());
  ui::ScreenRegistry screens_;
};

TEST_F(WebSessionTest, StateDescribesTheFrontScreen) {
  WebSession session("s1", screens_, dir_);
  json state = post(session, {});
  EXPECT_EQ(state.at("session"), "s1");
  EXPECT_EQ(state.at("seq"), 0);
  EXPECT_EQ(state.at("received"), 0);
  EXPECT_EQ(state.at("ended"), false);
  EXPECT_EQ(state.at("focus"), "eanw");
  EXPECT_TRUE(state.at("box").is_null());
  const json& form = state.at("form");
  EXPECT_EQ(form.at("name"), "morvim");
  EXPECT_EQ(form.at("caption"), "Prova terminale");
  EXPECT_EQ(form.at("width"), 9000);
  EXPECT_EQ(form.at("back"), "#c0ffc0");
  EXPECT_EQ(Show(state, "eanw", "keyboard"), "eanw.keyboard=scan");
  EXPECT_EQ(Show(state, "eanw", "maxlength"), "eanw.maxlength=13");
  EXPECT_EQ(Show(state, "eanw", "back"), "eanw.back=#ffffff");
  EXPECT_EQ(Show(state, "quanw", "keyboard"), "quanw.keyboard=numeric");
  EXPECT_EQ(Show(state, "quanw", "align"), "quanw.align=right");
  EXPECT_EQ(Show(state, "Command1", "picture"), "Command1.picture=confirm");
  EXPECT_EQ(Show(state, "Command1", "back"), "Command1.back=#d4d0c8");
  EXPECT_EQ(Show(state, "Command5", "cancel"), "Command5.cancel=true");
  EXPECT_EQ(Show(state, "Command4", "container"), "Command4.container=Frame1");
  EXPECT_EQ(Show(state, "Command4", "visible"), "Command4.visible=true");
  EXPECT_EQ(Show(state, "Command4", "shown"), "Command4.shown=false");
  EXPECT_EQ(Show(state, "Command4", "usable"), "Command4.usable=false");
  EXPECT_EQ(Show(state, "Check1", "value"), "Check1.value=0");
  EXPECT_EQ(Show(state, "flex1", "widths"), "flex1.widths=[0,2000,5000]");
  EXPECT_EQ(Show(state, "flex1", "cells"),
            R"(flex1.cells=[["","Codice","Descrizione"],["","101","Pane"],["","102","Latte"],)"
            R"(["","103","Mele"]])");
  EXPECT_EQ(Show(state, "Label1", "font"), R"(Label1.font={"bold":true,"name":"Arial","size":14})");
}

TEST_F(WebSessionTest, EventsApplyInOrderAndEachNumberOnce) {
  WebSession session("s1", screens_, dir_);
  std::vector<Event> burst = {Type(1, "800"), Type(2, "1234567890"), Key(3, 13), Type(4, "999"),
                              Key(5, 13)};
  json state = post(session, burst);
  EXPECT_EQ(Show(state, "Label1", "caption"), "Label1.caption=8001234567890,999");
  EXPECT_EQ(state.at("seq"), 5);

  // The batch sent again after a lost answer, with what was typed since.
  burst.push_back(Type(6, "7"));
  burst.push_back(Key(7, 13));
  state = post(session, burst);
  EXPECT_EQ(Show(state, "Label1", "caption"), "Label1.caption=8001234567890,999,7");
  EXPECT_EQ(state.at("seq"), 7);

  // A number beyond the next one is not taken: it would skip events.
  state = post(session, {Type(9, "1"), Key(10, 13)});
  EXPECT_EQ(Show(state, "Label1", "caption"), "Label1.caption=8001234567890,999,7");
  EXPECT_EQ(state.at("received"), 7);
}

TEST_F(WebSessionTest, MessageBoxBlocksItsHandlerUntilAnswered) {
  struct Case {
    int answer;
    const char* shown;
  };
  for (Case c : {Case{ui::vbYes, "Label2.caption=sì"}, Case{ui::vbNo, "Label2.caption=no"}}) {
    SCOPED_TRACE(c.answer);
    WebSession session("s1", screens_, dir_);
    // Typed ahead of the box: applied once the handler has its answer.
    json state = post(session, {Click(1, "Command1"), Focus(2, "eanw"), Type(3, "42"), Key(4, 13)});
    ASSERT_FALSE(state.at("box").is_null());
    EXPECT_EQ(state.at("box").at("buttons"), 276);
    EXPECT_EQ(state.at("box").at("title"), "Conferma");
    EXPECT_EQ(state.at("box").at("prompt"), "Confermi la riga?");
    EXPECT_EQ(state.at("seq"), 0);
    EXPECT_EQ(Show(state, "Label2", "caption"), "Label2.caption=");
    int box = state.at("box").at("id");

    EXPECT_FALSE(session.answer(box, ui::vbOK, kWait).has_value());  // not a button of the box
    state = answer(session, box, c.answer);
    EXPECT_TRUE(state.at("box").is_null());
    EXPECT_EQ(Show(state, "Label2", "caption"), c.shown);
    EXPECT_EQ(Show(state, "Label1", "caption"), "Label1.caption=42");
    EXPECT_EQ(state.at("seq"), 4);

    // The same answer sent again changes nothing.
    state = answer(session, box, ui::vbYes);
    EXPECT_EQ(Show(state, "Label2", "caption"), c.shown);
  }
}

TEST_F(WebSessionTest, EventsOnControlsNoLongerUsableAreDropped) {
  struct Case {
    std::vector<Event> events;
    std::string expected;
  };
  const Case cases[] = {
      {{Click(1, "Command2"), Click(2, "Command2")}, "Label3.caption=registrato 1"},
      {{Click(1, "Command4")}, "Label2.caption="},
      {{Click(1, "Check1"), Click(2, "Command4")}, "Label2.caption=riquadro"},
      {{Click(1, "nessuno"), Cell(2, 7, 1)}, "Label2.caption="},
      {{Cell(1, 2, 1)}, "Label2.caption=cella 2,1"},
      {{Click(1, "Label1"), Type(2, "5")}, "eanw.text=5"},
  };
  for (const Case& c : cases) {
    WebSession session("s1", screens_, dir_);
    json state = post(session, c.events);
    std::string control = c.expected.substr(0, c.expected.find('.'));
    std::string property =
        c.expected.substr(control.size() + 1, c.expected.find('=') - control.size() - 1);
    EXPECT_EQ(Show(state, control, property.c_str()), c.expected);
    EXPECT_EQ(state.at("seq"), c.events.back().seq);
  }
}

TEST_F(WebSessionTest, EnterOnAFocusedButtonPressesItOnce) {
  WebSession session("s1", screens_, dir_);
  json state = post(session, {Focus(1, "quanw"), Type(2, "5"), Key(3, 13)});
  EXPECT_EQ(state.at("focus"), "Command2");
  state = post(session, {Key(4, 13)});
  EXPECT_EQ(Show(state, "Label3", "caption"), "Label3.caption=registrato 1");
  EXPECT_EQ(state.at("focus"), "Command6");
}

TEST_F(WebSessionTest, EditedTextsAreSetBeforeTheEvent) {
  WebSession session("s1", screens_, dir_);
  Event enter = Key(2, 13);
  enter.texts = {{"quanw", "3,5"}, {"Label2", "x"}, {"nessuno", "y"}};
  json state = post(session, {Focus(1, "quanw"), enter});
  EXPECT_EQ(Show(state, "quanw", "text"), "quanw.text=3,5");
  EXPECT_EQ(Show(state, "Label2", "caption"), "Label2.caption=quantità 3,5");
}

TEST_F(WebSessionTest, HandlerErrorShowsABoxAndTheSessionGoesOn) {
  WebSession session("s1", screens_, dir_);
  json state = post(session, {Click(1, "Command3")});
  ASSERT_FALSE(state.at("box").is_null());
  EXPECT_EQ(state.at("box").at("buttons"), ui::vbCritical);
  EXPECT_EQ(state.at("box").at("prompt"), "Impossibile aprire il database di prova");
  answer(session, state.at("box").at("id"), ui::vbOK);
  state = post(session, {Focus(2, "eanw"), Type(3, "12"), Key(4, 13)});
  EXPECT_EQ(Show(state, "Label1", "caption"), "Label1.caption=12");
}

TEST_F(WebSessionTest, EscPressesTheCancelButton) {
  WebSession session("s1", screens_, dir_);
  json state = post(session, {Escape(1)});
  EXPECT_EQ(state.at("ended"), true);
  EXPECT_TRUE(state.at("form").is_null());
  EXPECT_TRUE(session.ended());
  state = post(session, {Click(2, "Command2")});
  EXPECT_EQ(state.at("ended"), true);
}

TEST_F(WebSessionTest, EndingASessionGivesUpItsWaitingBox) {
  auto session = std::make_unique<WebSession>("s1", screens_, dir_);
  json state = post(*session, {Click(1, "Command1")});
  ASSERT_FALSE(state.at("box").is_null());
  session->stop();
  session.reset();  // joins the session's thread
}

TEST_F(WebSessionTest, AnswersCarryWhatChangedSinceTheStateHeld) {
  WebSession session("s1", screens_, dir_);
  json held = post(session, {});
  ASSERT_TRUE(held.contains("form"));

  json delta = post(session, {Type(1, "80")}, held.at("version"));
  EXPECT_EQ(delta.at("base"), held.at("version"));
  EXPECT_FALSE(delta.contains("form"));
  EXPECT_EQ(delta.at("changes"), json::parse(R"({"form":{},"controls":{"eanw":{"text":"80"}}})"));
  EXPECT_EQ(delta.at("seq"), 1);
  EXPECT_EQ(delta.at("focus"), "eanw");
  held = Apply(held, delta);

  // Step by step, the state held with the changes applied is the full state.
  std::vector<std::vector<Event>> steps = {
      {Type(2, "1234567890"), Key(3, 13)},
      {Focus(4, "quanw"), Type(5, "3,5"), Key(6, 13)},
      {Click(7, "Check1")},
      {Cell(8, 2, 1)},
      {Click(9, "Command2")},
      {Click(10, "Command1")},
  };
  for (auto& events : steps) {
    SCOPED_TRACE(events.front().seq);
    delta = post(session, std::move(events), held.at("version"));
    ASSERT_TRUE(delta.contains("changes"));
    held = Apply(held, delta);
    EXPECT_EQ(held, post(session, {}));
  }
  // The grid's rows travel only when they change.
  EXPECT_FALSE(delta.at("changes").at("controls").contains("flex1"));
  ASSERT_FALSE(held.at("box").is_null());
  delta = answer(session, held.at("box").at("id"), ui::vbYes, held.at("version"));
  held = Apply(held, delta);
  EXPECT_EQ(held, post(session, {}));
  EXPECT_EQ(Show(held, "Label2", "caption"), "Label2.caption=sì");
  EXPECT_LT(delta.dump().size() * 4, held.dump().size());
}

TEST_F(WebSessionTest, TheFullStateWhenTheStateHeldIsUnknown) {
  WebSession session("s1", screens_, dir_);
  json first = post(session, {});
  // A version never given, and one given too many states ago.
  EXPECT_TRUE(post(session, {}, 9999).contains("form"));
  for (int seq = 1; seq <= 20; ++seq) post(session, {Type(seq, "1")});
  json state = post(session, {}, first.at("version"));
  EXPECT_FALSE(state.contains("base"));
  EXPECT_EQ(Show(state, "eanw", "text"), "eanw.text=1111111111111");

  // The program ended: no screen to change.
  state = post(session, {Escape(21)}, state.at("version"));
  EXPECT_FALSE(state.contains("changes"));
  EXPECT_TRUE(state.at("form").is_null());
}

// A start screen that opens the test screen.
class Opener final : public ui::Screen {
 public:
  explicit Opener(ui::Terminal& terminal)
      : Screen(terminal, {.name = "morvim"}), Command1(*this, {.name = "Command1"}) {
    Command1.Click = [this] { Show("MainOrd"); };
  }
  ui::Button Command1;
};

TEST_F(WebSessionTest, AnotherScreenTravelsWhole) {
  ui::ScreenRegistry screens;
  screens.add("morvim", [](ui::Terminal& t) { return std::make_unique<Opener>(t); });
  webtest::AddTestScreen(screens, "MainOrd");
  WebSession session("s1", screens, dir_);
  json held = post(session, {});
  json state = post(session, {Click(1, "Command1")}, held.at("version"));
  EXPECT_FALSE(state.contains("changes"));
  EXPECT_EQ(state.at("form").at("name"), "MainOrd");
  state = post(session, {Click(2, "Command5")}, state.at("version"));
  EXPECT_FALSE(state.contains("changes"));
  EXPECT_EQ(state.at("form").at("name"), "morvim");
}

TEST_F(WebSessionTest, TextsThatAreNotUtf8StillMakeAState) {
  WebSession session("s1", screens_, dir_);
  json held = post(session, {});
  Event enter = Key(1, 13);
  enter.texts = {{"eanw", "a\xFF\"\\\x01\xE0\x80"}};
  json state = Apply(held, post(session, {enter}, held.at("version")));
  EXPECT_EQ(Show(state, "Label1", "caption"), "Label1.caption=a\uFFFD\"\\\x01\uFFFD\uFFFD");
}

TEST_F(WebSessionTest, IdleSessionsAreEnded) {
  SessionTable table(screens_, dir_, 12h);
  auto first = table.create();
  auto second = table.create();
  ASSERT_TRUE(first && second);
  EXPECT_NE(first->id(), second->id());
  EXPECT_EQ(table.sweep(WebSession::Clock::now()), 0u);
  EXPECT_EQ(table.find(first->id()), first);
  EXPECT_EQ(table.sweep(WebSession::Clock::now() + 13h), 2u);
  EXPECT_EQ(table.find(first->id()), nullptr);
  EXPECT_EQ(table.size(), 0u);
}

TEST(CssColorTest, ScreenColoursBecomeCssColours) {
  const std::pair<ui::Color, const char*> cases[] = {
      {0x0000FFFF, "#ffff00"}, {0x00FFC0C0, "#c0c0ff"}, {0x000000FF, "#ff0000"},
      {0x00FF8080, "#8080ff"}, {0x80000005, "#ffffff"}, {0x8000000F, "#d4d0c8"},
      {0x8000000A, "#c0c0c0"}, {0x80000008, "#000000"}, {0x80000012, "#000000"},
      {0x800000FF, "#d4d0c8"},
  };
  for (auto [color, css] : cases) EXPECT_EQ(CssColor(color), css) << std::hex << color;
}

// --- HTTP on loopback -------------------------------------------------------

class WebServerTest : public WebSessionTest {
 protected:
  void SetUp() override {
    server_ = std::make_unique<WebServer>(
        ServeOptions{.data_dir = dir_, .host = "127.0.0.1", .port = 0}, screens_);
    port_ = server_->bind();
    ASSERT_GT(port_, 0);
    thread_ = std::thread([this] { server_->run(); });
  }
  void TearDown() override {
    server_->stop();
    thread_.join();
    server_.reset();
  }

  httplib::Result postJson(const std::string& path, const std::string& body) {
    httplib::Client client("127.0.0.1", port_);
    client.set_read_timeout(30, 0);
    return client.Post(path.c_str(), body, "application/json");
  }
  json call(const std::string& path, const json& body) {
    auto result = postJson(path, body.dump());
    EXPECT_TRUE(result && result->status == 200) << path;
    return result ? json::parse(result->body) : json();
  }

  std::unique_ptr<WebServer> server_;
  std::thread thread_;
  int port_ = 0;
};

TEST_F(WebServerTest, MalformedOrOversizedRequestsChangeNothing) {
  json state = call("/api/session", json::object());
  std::string id = state.at("session");
  auto events = [&](const std::string& list) {
    return R"({"session":")" + id + R"(","events":)" + list + "}";
  };
  const std::pair<std::string, std::string> bad[] = {
      {"/api/events", "{"},
      {"/api/events", "[]"},
      {"/api/events", R"({"session":")" + id + R"("})"},
      {"/api/events", events(R"([{"seq":1,"type":"explode","name":"eanw"}])")},
      {"/api/events", events(R"([{"seq":0,"type":"type","text":"1"}])")},
      {"/api/events", events(R"([{"seq":1,"type":"key","code":65}])")},
      {"/api/events", events(R"([{"seq":1,"type":"type","text":""}])")},
      {"/api/events", events(R"([{"seq":1,"type":"click"}])")},
      {"/api/events",
       events(R"([{"seq":1,"type":"type","text":"1"},{"seq":3,"type":"key","code":13}])")},
      {"/api/events", events(R"([{"seq":1,"type":"type","text":"1","texts":{"eanw":5}}])")},
      {"/api/events", R"({"session":")" + id + R"(","have":"3","events":[]})"},
      {"/api/answer", R"({"session":")" + id + R"(","box":"1","answer":6})"},
      {"/api/session", R"({"session":7})"},
  };
  for (const auto& [path, body] : bad) {
    auto result = postJson(path, body);
    ASSERT_TRUE(result) << body;
    EXPECT_EQ(result->status, 400) << body;
  }
  std::string huge =
      events(R"([{"seq":1,"type":"type","text":")" + std::string(300000, '1') + R"("}])");
  auto result = postJson("/api/events", huge);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->status, 413);

  state = call("/api/events", {{"session", id}, {"events", json::array()}});
  EXPECT_EQ(state.at("session"), id);
  EXPECT_EQ(state.at("received"), 0);
  EXPECT_EQ(Show(state, "eanw", "text"), "eanw.text=");
}

TEST_F(WebServerTest, UnknownOrExpiredSessionGetsAFreshStartScreen) {
  json click = {{"seq", 1}, {"type", "click"}, {"name", "Command2"}};
  json state = call("/api/events", {{"session", "deadbeef"}, {"events", {click}}});
  std::string id = state.at("session");
  EXPECT_NE(id, "deadbeef");
  EXPECT_EQ(state.at("form").at("name"), "morvim");
  EXPECT_EQ(Show(state, "Label3", "caption"), "Label3.caption=");

  server_->sessions().sweep(WebSession::Clock::now() + 13h);
  state = call("/api/answer", {{"session", id}, {"box", 1}, {"answer", 1}});
  EXPECT_NE(state.at("session"), id);
  EXPECT_EQ(state.at("seq"), 0);
}

TEST_F(WebServerTest, EventsAndAnswersTravelOverHttp) {
  std::string id = call("/api/session", json::object()).at("session");
  json events = json::array({{{"seq", 1}, {"type", "type"}, {"text", "8001234567890"}},
                             {{"seq", 2}, {"type", "key"}, {"code", 13}},
                             {{"seq", 3}, {"type", "click"}, {"name", "Command1"}}});
  json state = call("/api/events", {{"session", id}, {"events", events}});
  EXPECT_EQ(Show(state, "Label1", "caption"), "Label1.caption=8001234567890");
  ASSERT_FALSE(state.at("box").is_null());
  json changes = call("/api/answer", {{"session", id},
                                      {"have", state.at("version")},
                                      {"box", state.at("box").at("id")},
                                      {"answer", 6}});
  EXPECT_EQ(changes.at("base"), state.at("version"));
  state = Apply(state, changes);
  EXPECT_EQ(Show(state, "Label2", "caption"), "Label2.caption=sì");
  EXPECT_EQ(state.at("seq"), 3);

  auto bad = postJson("/api/answer", json{{"session", id}, {"box", 1}, {"answer", 3}}.dump());
  EXPECT_TRUE(bad && bad->status == 200);  // the box was answered already: ignored
}

TEST_F(WebServerTest, ServesTheBrowserClient) {
  httplib::Client client("127.0.0.1", port_);
  const std::tuple<const char*, int, const char*> cases[] = {
      {"/", 200, "text/html"},
      {"/client.js", 200, "text/javascript"},
      {"/client.css", 200, "text/css"},
      {"/nothing", 404, ""},
  };
  for (auto [path, status, type] : cases) {
    auto result = client.Get(path);
    ASSERT_TRUE(result) << path;
    EXPECT_EQ(result->status, status) << path;
    if (status == 200) {
      EXPECT_EQ(result->get_header_value("Content-Type").rfind(type, 0), 0u) << path;
    }
  }
  EXPECT_NE(client.Get("/")->body.find("/client.js"), std::string::npos);
}

}  // namespace
}  // namespace gw::web
