// The JSON the web terminal speaks: the state of a session's front screen,
// which the browser draws, and the requests the browser sends.
//
// A full state:
//   {"received": N,            highest event sequence number received
//    "version": V,             the state's number within its session
//    "session": ID, "seq": N,  last event applied
//    "ended": bool, "focus": NAME | null,
//    "box": {"id", "prompt", "buttons", "title"} | null,
//    "form": {"name", "caption", "width", "height", "back", "fullscreen",
//             "controls": [...]} | null}
// Each control: name, kind (textbox, button, label, frame, checkbox, image,
// grid, progressbar, drivelist), left, top, width, height (twips, relative
// to the container frame), back, fore (CSS colours), font {name, size,
// bold}, visible, shown, enabled, usable, container (frame name or null),
// tooltip, dblclick (a DblClick handler is wired); and by kind: text,
// locked, maxlength, align, keyboard (scan, numeric, text); caption,
// picture, cancel; value (check box 0/1, progress bar); min, max; rows,
// cols, row, col, widths, cells (grid).
//
// A request may name the version the browser holds ("have"). When that
// state is still known and shows the same screen (same form, same
// controls), the answer carries only what changed since it:
//   {"received", "version", "base": V (= have), "session", "seq", "ended",
//    "focus", "box",
//    "changes": {"form": {changed form fields},
//                "controls": {NAME: {changed fields}, ...}}}
// The other fields travel whole. Any other case gets the full state.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ui/terminal.h"
#include "web/web_session.h"

namespace gw::web {

struct StateInfo {
  std::string_view session;
  int64_t seq = 0;
  int box_id = 0;  // 0: no message box
  const ui::MessageBoxRequest* box = nullptr;
  bool ended = false;
};

// One field of a state, its value written as JSON.
struct Field {
  std::string_view key;
  std::string json;
};

// A published state, kept as its fields written as JSON so that an answer
// is put together, or compared with an earlier state, without going through
// the screen again.
struct Snapshot {
  int64_t version = 0;
  std::string head;  // session, seq, ended, focus and box, as "key":value,...
  bool has_form = false;
  std::string form_name;
  std::string screen;  // the form's name and its controls' names
  std::vector<Field> form;
  struct Control {
    std::string name;
    std::vector<Field> fields;
  };
  std::vector<Control> controls;
};

// The state of `terminal`'s front screen; no form when `terminal` is null
// or `info.ended`.
std::shared_ptr<const Snapshot> TakeSnapshot(const ui::Terminal* terminal, const StateInfo& info,
                                             int64_t version);
// The answer showing `state`: the changes since `base` when it shows the
// same screen, else the full state (also when `base` is null).
std::string StateJson(const Snapshot& state, const Snapshot* base, int64_t received);

// &H00BBGGRR& as "#rrggbb"; system colours &H800000nn& as the classic
// desktop scheme shows them.
std::string CssColor(ui::Color color);

// `have`: the version of the state the browser holds, 0 for none.
struct SessionRequest {
  std::string session;  // empty: start a new session
};
struct EventsRequest {
  std::string session;
  std::vector<Event> events;
  int64_t have = 0;
};
struct AnswerRequest {
  std::string session;
  int box = 0;
  int answer = 0;
  int64_t have = 0;
};

// Each returns nullopt, with the reason in `error`, for a body that is not
// a well-formed request.
std::optional<SessionRequest> ParseSessionRequest(std::string_view body, std::string& error);
std::optional<EventsRequest> ParseEventsRequest(std::string_view body, std::string& error);
std::optional<AnswerRequest> ParseAnswerRequest(std::string_view body, std::string& error);

// {"error": message}
std::string ErrorJson(std::string_view message);

// Limits of a request.
inline constexpr size_t kMaxEventsPerRequest = 1000;
inline constexpr size_t kMaxNameLength = 64;
inline constexpr size_t kMaxTextLength = 4096;
inline constexpr size_t kMaxTextsPerEvent = 64;

}  // namespace gw::web
