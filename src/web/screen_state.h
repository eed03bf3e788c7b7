// The JSON the web terminal speaks: the state of a session's front screen,
// which the browser draws, and the requests the browser sends.
//
// State:
//   {"received": N,            highest event sequence number received
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
#pragma once

#include <cstdint>
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

// The state of `terminal`'s front screen; no form when `terminal` is null.
// Without its "received" field (see WithReceived).
std::string StateJson(const ui::Terminal* terminal, const StateInfo& info);
// `state` (from StateJson) with the "received" field put in front.
std::string WithReceived(std::string_view state, int64_t received);

// &H00BBGGRR& as "#rrggbb"; system colours &H800000nn& as the classic
// desktop scheme shows them.
std::string CssColor(ui::Color color);

struct SessionRequest {
  std::string session;  // empty: start a new session
};
struct EventsRequest {
  std::string session;
  std::vector<Event> events;
};
struct AnswerRequest {
  std::string session;
  int box = 0;
  int answer = 0;
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
