// The web terminal's JSON: the front screen as the browser draws it, and the
// browser's requests checked field by field before anything is applied.
#include "web/screen_state.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <nlohmann/json.hpp>

namespace gw::web {
namespace {

using nlohmann::json;
using namespace ui;

std::string_view KindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::TextBox:
      return "textbox";
    case ControlKind::Button:
      return "button";
    case ControlKind::Label:
      return "label";
    case ControlKind::Frame:
      return "frame";
    case ControlKind::CheckBox:
      return "checkbox";
    case ControlKind::Image:
      return "image";
    case ControlKind::Grid:
      return "grid";
    case ControlKind::ProgressBar:
      return "progressbar";
    case ControlKind::DriveList:
      return "drivelist";
  }
  return "";
}

std::string_view AlignName(Align align) {
  switch (align) {
    case Align::Right:
      return "right";
    case Align::Center:
      return "center";
    default:
      return "left";
  }
}

std::string_view KeyboardName(Keyboard keyboard) {
  switch (keyboard) {
    case Keyboard::Numeric:
      return "numeric";
    case Keyboard::Text:
      return "text";
    default:
      return "scan";
  }
}

std::string_view PictureName(Picture picture) {
  switch (picture) {
    case Picture::Exit:
      return "exit";
    case Picture::Confirm:
      return "confirm";
    case Picture::Back:
      return "back";
    case Picture::View:
      return "view";
    case Picture::Print:
      return "print";
    case Picture::Delete:
      return "delete";
    case Picture::Plus:
      return "plus";
    case Picture::Minus:
      return "minus";
    case Picture::Search:
      return "search";
    case Picture::Logo:
      return "logo";
    default:
      return "";
  }
}

json GridJson(const Grid& grid) {
  json widths = json::array();
  json cells = json::array();
  for (int c = 0; c < grid.Cols(); ++c) widths.push_back(grid.ColWidth(c));
  for (int r = 0; r < grid.Rows(); ++r) {
    json row = json::array();
    for (int c = 0; c < grid.Cols(); ++c) row.push_back(grid.TextMatrix(r, c));
    cells.push_back(std::move(row));
  }
  return {{"rows", grid.Rows()}, {"cols", grid.Cols()}, {"row", grid.Row},
          {"col", grid.Col},     {"widths", widths},    {"cells", cells}};
}

json ControlJson(const Control& control) {
  json out = {
      {"name", control.name()},
      {"kind", KindName(control.kind())},
      {"left", control.Left},
      {"top", control.Top},
      {"width", control.Width},
      {"height", control.Height},
      {"back", CssColor(control.BackColor)},
      {"fore", CssColor(control.ForeColor)},
      {"font",
       {{"name", control.font.name}, {"size", control.font.size}, {"bold", control.font.bold}}},
      {"visible", control.Visible},
      {"shown", control.shown()},
      {"enabled", control.Enabled},
      {"usable", control.usable()},
      {"container", control.container() ? json(control.container()->name()) : json(nullptr)},
      {"tooltip", control.ToolTipText},
      {"dblclick", static_cast<bool>(control.DblClick)},
  };
  if (auto* box = dynamic_cast<const TextBox*>(&control)) {
    out["text"] = box->Text();
    out["locked"] = box->Locked;
    out["maxlength"] = box->MaxLength;
    out["align"] = AlignName(box->Alignment);
    out["keyboard"] = KeyboardName(box->keyboard);
  } else if (auto* button = dynamic_cast<const Button*>(&control)) {
    out["caption"] = button->Caption;
    out["picture"] = PictureName(button->picture);
    out["cancel"] = button->Cancel;
  } else if (auto* label = dynamic_cast<const Label*>(&control)) {
    out["caption"] = label->Caption;
    out["align"] = AlignName(label->Alignment);
  } else if (auto* frame = dynamic_cast<const Frame*>(&control)) {
    out["caption"] = frame->Caption;
  } else if (auto* check = dynamic_cast<const CheckBox*>(&control)) {
    out["caption"] = check->Caption;
    out["value"] = check->Value();
  } else if (auto* image = dynamic_cast<const Image*>(&control)) {
    out["picture"] = PictureName(image->picture);
  } else if (auto* grid = dynamic_cast<const Grid*>(&control)) {
    out.update(GridJson(*grid));
  } else if (auto* bar = dynamic_cast<const ProgressBar*>(&control)) {
    out["min"] = bar->Min;
    out["max"] = bar->Max;
    out["value"] = bar->Value;
  }
  return out;
}

json FormJson(const Screen& screen) {
  json controls = json::array();
  for (const Control* control : screen.controls()) controls.push_back(ControlJson(*control));
  return {{"name", screen.name()},
          {"caption", screen.Caption},
          {"width", screen.Width},
          {"height", screen.Height},
          {"back", CssColor(screen.BackColor)},
          {"fullscreen", screen.fullScreen()},
          {"controls", std::move(controls)}};
}

// Texts from the databases may hold bytes that are not UTF-8: they are
// replaced rather than failing the whole state.
std::string Dump(const json& value) {
  return value.dump(-1, ' ', false, json::error_handler_t::replace);
}

// --- Requests -------------------------------------------------------------

// Reads one field; false, with the reason in `error`, when it is missing
// (and required) or of another type.
bool String(const json& object, const char* key, bool required, size_t max_length, std::string& out,
            std::string& error) {
  auto it = object.find(key);
  if (it == object.end()) {
    if (required) error = std::string("missing \"") + key + "\"";
    return !required;
  }
  if (!it->is_string()) {
    error = std::string("\"") + key + "\" is not a string";
    return false;
  }
  out = it->get<std::string>();
  if (out.size() > max_length) {
    error = std::string("\"") + key + "\" is too long";
    return false;
  }
  return true;
}

bool Integer(const json& object, const char* key, int64_t min, int64_t max, int64_t& out,
             std::string& error) {
  auto it = object.find(key);
  if (it == object.end() || !it->is_number_integer()) {
    error = std::string("\"") + key + "\" is not a whole number";
    return false;
  }
  out = it->get<int64_t>();
  if (out < min || out > max) {
    error = std::string("\"") + key + "\" is out of range";
    return false;
  }
  return true;
}

constexpr int64_t kMaxSeq = int64_t(1) << 52;  // exact in a JavaScript number
constexpr size_t kMaxSessionLength = 64;

std::optional<json> ParseObject(std::string_view body, std::string& error) {
  json value = json::parse(body, nullptr, false);
  if (value.is_discarded()) {
    error = "malformed JSON";
    return std::nullopt;
  }
  if (!value.is_object()) {
    error = "the request is not a JSON object";
    return std::nullopt;
  }
  return value;
}

bool ParseEvent(const json& item, Event& event, std::string& error) {
  if (!item.is_object()) {
    error = "an event is not an object";
    return false;
  }
  if (!Integer(item, "seq", 1, kMaxSeq, event.seq, error)) return false;
  std::string type;
  if (!String(item, "type", true, 16, type, error)) return false;
  static const std::pair<std::string_view, Event::Kind> kKinds[] = {
      {"click", Event::Kind::Click}, {"dblclick", Event::Kind::DblClick},
      {"focus", Event::Kind::Focus}, {"type", Event::Kind::Type},
      {"key", Event::Kind::Key},     {"escape", Event::Kind::Escape},
      {"cell", Event::Kind::Cell}};
  auto kind = std::find_if(std::begin(kKinds), std::end(kKinds),
                           [&](const auto& k) { return k.first == type; });
  if (kind == std::end(kKinds)) {
    error = "unknown event type \"" + type + "\"";
    return false;
  }
  event.kind = kind->second;
  bool named = event.kind != Event::Kind::Escape && event.kind != Event::Kind::Type &&
               event.kind != Event::Kind::Key;
  if (!String(item, "name", named, kMaxNameLength, event.control, error)) return false;
  switch (event.kind) {
    case Event::Kind::Type:
      if (!String(item, "text", true, kMaxTextLength, event.text, error)) return false;
      if (event.text.empty()) {
        error = "\"text\" is empty";
        return false;
      }
      break;
    case Event::Kind::Key: {
      int64_t code = 0;
      if (!Integer(item, "code", 0, 255, code, error)) return false;
      if (code != 13 && code != 40) {
        error = "\"code\" is neither 13 nor 40";
        return false;
      }
      event.code = static_cast<int>(code);
      break;
    }
    case Event::Kind::Cell: {
      int64_t row = 0, col = 0;
      if (!Integer(item, "row", 0, 1 << 30, row, error) ||
          !Integer(item, "col", 0, 1 << 30, col, error))
        return false;
      event.row = static_cast<int>(row);
      event.col = static_cast<int>(col);
      break;
    }
    default:
      break;
  }
  auto texts = item.find("texts");
  if (texts != item.end()) {
    if (!texts->is_object() || texts->size() > kMaxTextsPerEvent) {
      error = "\"texts\" is not an object of a few texts";
      return false;
    }
    for (const auto& [name, text] : texts->items()) {
      if (name.size() > kMaxNameLength || !text.is_string() ||
          text.get_ref<const std::string&>().size() > kMaxTextLength) {
        error = "\"texts\" holds a bad entry";
        return false;
      }
      event.texts.emplace_back(name, text.get<std::string>());
    }
  }
  return true;
}

}  // namespace

std::string CssColor(Color color) {
  // Indexes 0x00-0x18 of the system colours.
  static constexpr uint32_t kSystem[] = {
      0xc8c8c8,  // scroll bar
      0x3a6ea5,  // desktop
      0x0a246a,  // active caption
      0x808080,  // inactive caption
      0xd4d0c8,  // menu
      0xffffff,  // window background
      0x000000,  // window frame
      0x000000,  // menu text
      0x000000,  // window text
      0xffffff,  // caption text
      0xc0c0c0,  // active border
      0xd4d0c8,  // inactive border
      0x808080,  // application workspace
      0x0a246a,  // highlight
      0xffffff,  // highlight text
      0xd4d0c8,  // button face
      0x808080,  // button shadow
      0x808080,  // grey text
      0x000000,  // button text
      0xd4d0c8,  // inactive caption text
      0xffffff,  // button highlight
      0x404040,  // 3-D dark shadow
      0xd4d0c8,  // 3-D light
      0x000000,  // tooltip text
      0xffffe1,  // tooltip background
  };
  uint32_t rgb;
  if (color & 0x80000000) {
    uint32_t index = color & 0xFF;
    rgb = index < std::size(kSystem) ? kSystem[index] : kSystem[0x0F];
  } else {
    rgb = ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
  }
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%06x", rgb);
  return buffer;
}

std::string StateJson(const Terminal* terminal, const StateInfo& info) {
  const Screen* front = terminal ? terminal->front() : nullptr;
  const Control* focused = terminal ? terminal->focused() : nullptr;
  json state = {
      {"session", info.session},
      {"seq", info.seq},
      {"ended", info.ended},
      {"focus", focused ? json(focused->name()) : json(nullptr)},
      {"box", info.box ? json{{"id", info.box_id},
                              {"prompt", info.box->prompt},
                              {"buttons", info.box->buttons},
                              {"title", info.box->title}}
                       : json(nullptr)},
      {"form", front && !info.ended ? FormJson(*front) : json(nullptr)},
  };
  return Dump(state);
}

std::string WithReceived(std::string_view state, int64_t received) {
  std::string out = "{\"received\":" + std::to_string(received);
  if (state.size() > 2) out += ',';
  out.append(state.substr(1));
  return out;
}

std::optional<SessionRequest> ParseSessionRequest(std::string_view body, std::string& error) {
  auto object = ParseObject(body, error);
  if (!object) return std::nullopt;
  SessionRequest request;
  if (!String(*object, "session", false, kMaxSessionLength, request.session, error))
    return std::nullopt;
  return request;
}

std::optional<EventsRequest> ParseEventsRequest(std::string_view body, std::string& error) {
  auto object = ParseObject(body, error);
  if (!object) return std::nullopt;
  EventsRequest request;
  if (!String(*object, "session", true, kMaxSessionLength, request.session, error))
    return std::nullopt;
  auto events = object->find("events");
  if (events == object->end() || !events->is_array()) {
    error = "\"events\" is not an array";
    return std::nullopt;
  }
  if (events->size() > kMaxEventsPerRequest) {
    error = "too many events";
    return std::nullopt;
  }
  for (const json& item : *events) {
    Event event;
    if (!ParseEvent(item, event, error)) return std::nullopt;
    if (!request.events.empty() && event.seq != request.events.back().seq + 1) {
      error = "sequence numbers do not follow each other";
      return std::nullopt;
    }
    request.events.push_back(std::move(event));
  }
  return request;
}

std::optional<AnswerRequest> ParseAnswerRequest(std::string_view body, std::string& error) {
  auto object = ParseObject(body, error);
  if (!object) return std::nullopt;
  AnswerRequest request;
  int64_t box = 0, answer = 0;
  if (!String(*object, "session", true, kMaxSessionLength, request.session, error) ||
      !Integer(*object, "box", 1, INT32_MAX, box, error) ||
      !Integer(*object, "answer", 1, 7, answer, error))
    return std::nullopt;
  request.box = static_cast<int>(box);
  request.answer = static_cast<int>(answer);
  return request;
}

std::string ErrorJson(std::string_view message) {
  return Dump(json{{"error", message}});
}

}  // namespace gw::web
