// A terminal session of the web front end and the table of all of them.
//
// Each session owns a thread that owns its ui::Terminal: the thread takes the
// browser's events from the session's queue and applies them one at a time,
// in sequence order, each to its end. The HTTP threads only queue events and
// read the state the session thread published after its last event. A
// message box publishes itself and blocks the session thread until the
// browser answers it, as a modal box blocks its handler.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "core/ui/terminal.h"

namespace gw::web {

struct Snapshot;

// One user action of the browser, numbered by the browser from 1 on.
struct Event {
  enum class Kind { Click, DblClick, Focus, Type, Key, Escape, Cell };
  int64_t seq = 0;
  Kind kind = Kind::Click;
  // The control acted on; empty for Type and Key means the focused control.
  std::string control = {};
  std::string text = {};  // Type: the characters pressed, in order
  int code = 0;           // Key: 13 (Enter) or 40 (Down)
  int row = 0, col = 0;   // Cell
  // Text boxes edited in the browser since the previous event (on-screen
  // keyboard, paste): each is set as a paste would, before the event.
  std::vector<std::pair<std::string, std::string>> texts = {};
};

// The answers a message box of this buttons code accepts.
bool AnswerFits(int buttons, int answer);

class WebSession final : private ui::FrontEnd {
 public:
  using Clock = std::chrono::steady_clock;

  // Starts the session's thread, which switches the terminal on.
  WebSession(std::string id, const ui::ScreenRegistry& screens, std::filesystem::path data_dir);
  // Ends the session (see stop()) and waits for its thread.
  ~WebSession() override;
  WebSession(const WebSession&) = delete;
  WebSession& operator=(const WebSession&) = delete;

  const std::string& id() const { return id_; }

  // Queues the events that follow the last one received (a sequence number
  // already received is skipped, so a resent event is applied once), then
  // waits at most `wait` until every queued event is applied, a message box
  // waits for its answer or the session has ended. Returns the state JSON:
  // the changes since state `have` when the session still keeps that state
  // (see screen_state.h), else the full state.
  std::string post(std::vector<Event> events, std::chrono::milliseconds wait, int64_t have = 0);
  // Answers message box `box` when it is the one waiting, then waits as
  // post() does. nullopt, changing nothing, when the answer is none of the
  // box's buttons. An answer to another box is ignored.
  std::optional<std::string> answer(int box, int answer, std::chrono::milliseconds wait,
                                    int64_t have = 0);

  // Asks the session to end: a waiting message box gives up (ui::Abandon) and
  // the thread stops after the event it is applying.
  void stop();
  // The start screen has closed, or the session has stopped.
  bool ended() const;
  Clock::time_point lastUse() const;
  // Print jobs the screens sent, the most recent last (a few are kept).
  std::vector<std::string> printJobs() const;

 private:
  int messageBox(const ui::MessageBoxRequest& request) override;
  DateTime now() override;
  void print(const std::string& bytes) override;

  void run();
  void apply(ui::Terminal& terminal, const Event& event);
  // Publishes the state of `terminal` (nullptr once it is gone).
  void publish(const ui::Terminal* terminal);
  // Waits until the state answers what the caller sent, then writes it
  // against state `have`. REQUIRES: lock held; releases it.
  std::string waitForState(std::unique_lock<std::mutex>& lock, int answered_box,
                           std::chrono::milliseconds wait, int64_t have);

  const std::string id_;
  const ui::ScreenRegistry& screens_;
  const std::filesystem::path data_dir_;

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  // Guarded by mutex_.
  std::deque<Event> queue_;
  int64_t received_ = 0;  // highest sequence number queued
  int64_t applied_ = 0;   // highest sequence number applied
  struct Box {
    int id;
    ui::MessageBoxRequest request;
  };
  std::optional<Box> box_;  // the message box waiting for its answer
  std::optional<int> answer_;
  int last_box_ = 0;
  bool stopping_ = false;
  bool finished_ = false;  // the thread has published its last state
  Clock::time_point last_use_;
  std::vector<std::string> print_jobs_;
  // The states published last, the newest last, and what the newest shows.
  std::deque<std::shared_ptr<const Snapshot>> states_;
  int64_t state_seq_ = -1;
  int state_box_ = 0;
  bool state_ended_ = false;

  // Touched by the session thread only (and the constructor, before it).
  const ui::Terminal* terminal_ = nullptr;
  int64_t last_version_ = 0;
  std::thread thread_;
};

// All sessions of a server, by ID. Sessions idle longer than the limit are
// ended by a sweep that runs every minute.
class SessionTable {
 public:
  SessionTable(const ui::ScreenRegistry& screens, std::filesystem::path data_dir,
               WebSession::Clock::duration idle_limit);
  // Ends every session.
  ~SessionTable();
  SessionTable(const SessionTable&) = delete;
  SessionTable& operator=(const SessionTable&) = delete;

  // A new session with a fresh ID, or nullptr when the table is full.
  std::shared_ptr<WebSession> create();
  // The session with that ID, or nullptr when it is unknown or was ended.
  std::shared_ptr<WebSession> find(std::string_view id) const;
  // Ends the sessions idle longer than the limit at `now` (ended ones after
  // a shorter time). Returns how many were ended.
  size_t sweep(WebSession::Clock::time_point now);
  size_t size() const;

  static constexpr size_t kMaxSessions = 256;

 private:
  void sweepEveryMinute();

  const ui::ScreenRegistry& screens_;
  const std::filesystem::path data_dir_;
  const WebSession::Clock::duration idle_limit_;
  mutable std::mutex mutex_;
  std::condition_variable stop_;
  bool stopping_ = false;
  std::map<std::string, std::shared_ptr<WebSession>, std::less<>> sessions_;
  std::thread sweeper_;
};

}  // namespace gw::web
