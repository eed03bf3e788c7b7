// Web terminal sessions: the session thread's loop, its front end (message
// boxes answered by the browser, the system clock, print jobs kept), and the
// table that hands sessions out by ID and ends the idle ones.
#include "web/web_session.h"

#include <algorithm>
#include <ctime>
#include <random>

#include "core/vb/vb.h"
#include "web/screen_state.h"

namespace gw::web {
namespace {

using namespace ui;

constexpr size_t kKeptPrintJobs = 16;
// States kept for answering with their changes: a browser holds the one of
// its last answer, so a few cover an answer lost on the way and a second
// tab on the same session; an older one gets the full state.
constexpr size_t kKeptStates = 8;
// An ended session keeps showing "ended" to its tab for this long.
constexpr auto kEndedKeep = std::chrono::minutes(10);

std::string NewSessionId() {
  static std::mutex mutex;
  static std::random_device device;
  std::lock_guard lock(mutex);
  static const char kHex[] = "0123456789abcdef";
  std::string id;
  for (int i = 0; i < 4; ++i) {  // 128 bits
    unsigned value = device();
    for (int j = 0; j < 4; ++j, value >>= 8) {
      id += kHex[(value >> 4) & 0xF];
      id += kHex[value & 0xF];
    }
  }
  return id;
}

}  // namespace

bool AnswerFits(int buttons, int answer) {
  constexpr int vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5;
  switch (buttons & 7) {
    case 0:
      return answer == vbOK;
    case 1:
      return answer == vbOK || answer == vbCancel;
    case 2:
      return answer == vbAbort || answer == vbRetry || answer == vbIgnore;
    case 3:
      return answer == vbYes || answer == vbNo || answer == vbCancel;
    case 4:
      return answer == vbYes || answer == vbNo;
    case 5:
      return answer == vbRetry || answer == vbCancel;
    default:
      return false;
  }
}

// --- WebSession -----------------------------------------------------------

WebSession::WebSession(std::string id, const ScreenRegistry& screens,
                       std::filesystem::path data_dir)
    : id_(std::move(id)),
      screens_(screens),
      data_dir_(std::move(data_dir)),
      last_use_(Clock::now()) {
  states_.push_back(TakeSnapshot(nullptr, {.session = id_}, ++last_version_));
  thread_ = std::thread([this] { run(); });
}

WebSession::~WebSession() {
  stop();
  thread_.join();
}

void WebSession::stop() {
  std::lock_guard lock(mutex_);
  stopping_ = true;
  changed_.notify_all();
}

bool WebSession::ended() const {
  std::lock_guard lock(mutex_);
  return state_ended_;
}

WebSession::Clock::time_point WebSession::lastUse() const {
  std::lock_guard lock(mutex_);
  return last_use_;
}

std::vector<std::string> WebSession::printJobs() const {
  std::lock_guard lock(mutex_);
  return print_jobs_;
}

std::string WebSession::post(std::vector<Event> events, std::chrono::milliseconds wait,
                             int64_t have) {
  std::unique_lock lock(mutex_);
  last_use_ = Clock::now();
  for (Event& event : events) {
    if (finished_ || event.seq != received_ + 1) continue;
    queue_.push_back(std::move(event));
    ++received_;
  }
  changed_.notify_all();
  return waitForState(lock, 0, wait, have);
}

std::optional<std::string> WebSession::answer(int box, int answer, std::chrono::milliseconds wait,
                                              int64_t have) {
  std::unique_lock lock(mutex_);
  last_use_ = Clock::now();
  if (box_ && box_->id == box && !answer_) {
    if (!AnswerFits(box_->request.buttons, answer)) return std::nullopt;
    answer_ = answer;
    changed_.notify_all();
  }
  return waitForState(lock, box, wait, have);
}

std::string WebSession::waitForState(std::unique_lock<std::mutex>& lock, int answered_box,
                                     std::chrono::milliseconds wait, int64_t have) {
  // The session thread publishes when its queue has run dry or a message
  // box waits, so a state that no longer shows the box just answered and
  // shows either a box or every event applied is the one to give.
  const int64_t target = received_;
  changed_.wait_for(lock, wait, [&] {
    if (finished_ || state_ended_) return true;
    if (answered_box && state_box_ == answered_box) return false;
    return state_box_ != 0 || state_seq_ >= target;
  });
  const int64_t received = received_;
  std::shared_ptr<const Snapshot> state = states_.back(), base;
  for (const auto& kept : states_)
    if (have > 0 && kept->version == have) base = kept;
  lock.unlock();
  // Written outside the lock: the session thread goes on meanwhile.
  return StateJson(*state, base.get(), received);
}

void WebSession::publish(const Terminal* terminal) {
  std::optional<Box> box;
  StateInfo info{.session = id_};
  {
    std::lock_guard lock(mutex_);
    box = box_;
    info.seq = applied_;
    info.ended = !terminal || terminal->ended();
  }
  if (box) {
    info.box_id = box->id;
    info.box = &box->request;
  }
  std::shared_ptr<const Snapshot> state = TakeSnapshot(terminal, info, ++last_version_);
  std::lock_guard lock(mutex_);
  states_.push_back(std::move(state));
  if (states_.size() > kKeptStates) states_.pop_front();
  state_seq_ = info.seq;
  state_box_ = info.box_id;
  state_ended_ = info.ended;
  changed_.notify_all();
}

void WebSession::run() {
  try {
    Terminal terminal(*this, screens_, data_dir_);
    terminal_ = &terminal;
    terminal.start();
    publish(&terminal);
    while (!terminal.ended()) {
      Event event;
      {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return stopping_ || !queue_.empty(); });
        if (stopping_) break;
        event = std::move(queue_.front());
        queue_.pop_front();
      }
      apply(terminal, event);
      bool idle;
      {
        std::lock_guard lock(mutex_);
        applied_ = event.seq;
        idle = queue_.empty();
      }
      if (idle || terminal.ended()) publish(&terminal);
    }
  } catch (const Abandon&) {
    // The session is being ended while a message box waited.
  } catch (...) {
    // A failure the toolkit could not show as a message box ends this
    // session only; the tab is told that the program ended.
  }
  terminal_ = nullptr;
  {
    std::lock_guard lock(mutex_);
    box_.reset();
    applied_ = received_;
    queue_.clear();
  }
  publish(nullptr);
  std::lock_guard lock(mutex_);
  finished_ = true;
  changed_.notify_all();
}

void WebSession::apply(Terminal& terminal, const Event& event) {
  // Edited texts first, as the clerk left them before this action.
  for (const auto& [name, text] : event.texts) {
    Screen* front = terminal.front();
    if (!front || terminal.ended()) return;
    auto* box = dynamic_cast<TextBox*>(front->find(name));
    if (box && box->usable() && !box->Locked && box->Text() != text) terminal.paste(*box, text);
  }
  Screen* front = terminal.front();
  if (!front || terminal.ended()) return;
  if (event.kind == Event::Kind::Escape) {
    terminal.escape();
    return;
  }
  // An event on a control that is gone, hidden or disabled by now is
  // dropped: a second tap on a button that hid itself does nothing.
  Control* control = event.control.empty() ? terminal.focused() : front->find(event.control);
  if (!control || !control->usable()) return;
  switch (event.kind) {
    case Event::Kind::Click:
      terminal.click(*control);
      break;
    case Event::Kind::DblClick:
      terminal.dblClick(*control);
      break;
    case Event::Kind::Focus:
      if (control->takesFocus()) terminal.focus(*control);
      break;
    case Event::Kind::Type:
      if (auto* box = dynamic_cast<TextBox*>(control)) terminal.type(*box, event.text);
      break;
    case Event::Kind::Key:
      terminal.pressKey(*control, event.code);
      break;
    case Event::Kind::Cell:
      if (auto* grid = dynamic_cast<Grid*>(control);
          grid && event.row < grid->Rows() && event.col < grid->Cols())
        terminal.cellClick(*grid, event.row, event.col);
      break;
    case Event::Kind::Escape:
      break;
  }
}

int WebSession::messageBox(const MessageBoxRequest& request) {
  {
    std::lock_guard lock(mutex_);
    if (stopping_) throw Abandon{};
    box_ = Box{++last_box_, request};
    answer_.reset();
  }
  publish(terminal_);
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return stopping_ || answer_.has_value(); });
  if (stopping_) throw Abandon{};
  int answer = *answer_;
  answer_.reset();
  box_.reset();
  return answer;
}

DateTime WebSession::now() {
  std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  return vb::MakeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                      local.tm_min, local.tm_sec);
}

void WebSession::print(const std::string& bytes) {
  std::lock_guard lock(mutex_);
  print_jobs_.push_back(bytes);
  if (print_jobs_.size() > kKeptPrintJobs) print_jobs_.erase(print_jobs_.begin());
}

// --- SessionTable ---------------------------------------------------------

SessionTable::SessionTable(const ScreenRegistry& screens, std::filesystem::path data_dir,
                           WebSession::Clock::duration idle_limit)
    : screens_(screens), data_dir_(std::move(data_dir)), idle_limit_(idle_limit) {
  sweeper_ = std::thread([this] { sweepEveryMinute(); });
}

SessionTable::~SessionTable() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    stop_.notify_all();
  }
  sweeper_.join();
  std::map<std::string, std::shared_ptr<WebSession>, std::less<>> sessions;
  {
    std::lock_guard lock(mutex_);
    sessions.swap(sessions_);
  }
  for (auto& [id, session] : sessions) session->stop();
}

std::shared_ptr<WebSession> SessionTable::create() {
  std::lock_guard lock(mutex_);
  if (sessions_.size() >= kMaxSessions) return nullptr;
  std::string id = NewSessionId();
  auto session = std::make_shared<WebSession>(id, screens_, data_dir_);
  sessions_.emplace(std::move(id), session);
  return session;
}

std::shared_ptr<WebSession> SessionTable::find(std::string_view id) const {
  std::lock_guard lock(mutex_);
  auto it = sessions_.find(id);
  return it == sessions_.end() ? nullptr : it->second;
}

size_t SessionTable::size() const {
  std::lock_guard lock(mutex_);
  return sessions_.size();
}

size_t SessionTable::sweep(WebSession::Clock::time_point now) {
  std::vector<std::shared_ptr<WebSession>> ended;
  {
    std::lock_guard lock(mutex_);
    for (auto it = sessions_.begin(); it != sessions_.end();) {
      auto idle = now - it->second->lastUse();
      bool over = idle > idle_limit_ || (it->second->ended() && idle > kEndedKeep);
      if (over) {
        ended.push_back(std::move(it->second));
        it = sessions_.erase(it);
      } else {
        ++it;
      }
    }
  }
  // Stopped and joined outside the lock: a handler may take a moment to end.
  for (auto& session : ended) session->stop();
  return ended.size();
}

void SessionTable::sweepEveryMinute() {
  std::unique_lock lock(mutex_);
  while (!stop_.wait_for(lock, std::chrono::minutes(1), [&] { return stopping_; })) {
    lock.unlock();
    sweep(WebSession::Clock::now());
    lock.lock();
  }
}

}  // namespace gw::web
