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

// --- Writing JSON -----------------------------------------------------------

// `text` as a JSON string. Texts from the databases may hold bytes that are
// not UTF-8: each such byte becomes U+FFFD rather than failing the state.
void AppendString(std::string& out, std::string_view text) {
  static const char kHex[] = "0123456789abcdef";
  out += '"';
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      if (c == '"' || c == '\\') {
        out += '\\';
        out += static_cast<char>(c);
      } else if (c < 0x20) {
        out += "\\u00";
        out += kHex[c >> 4];
        out += kHex[c & 0xF];
      } else {
        out += static_cast<char>(c);
      }
      ++i;
      continue;
    }
    // The length of a well-formed sequence starting here, 0 when there is none.
    size_t length = c >= 0xC2 && c <= 0xDF   ? 2
                    : c >= 0xE0 && c <= 0xEF ? 3
                    : c >= 0xF0 && c <= 0xF4 ? 4
                                             : 0;
    if (length > text.size() - i) length = 0;
    for (size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      bool fits = (next & 0xC0) == 0x80;
      // The second byte also rules out overlong forms, surrogates and
      // code points beyond U+10FFFF.
      if (k == 1 && ((c == 0xE0 && next < 0xA0) || (c == 0xED && next > 0x9F) ||
                     (c == 0xF0 && next < 0x90) || (c == 0xF4 && next > 0x8F)))
        fits = false;
      if (!fits) length = 0;
    }
    if (length == 0) {
      out += "\\ufffd";
      ++i;
    } else {
      out.append(text.substr(i, length));
      i += length;
    }
  }
  out += '"';
}

std::string Quoted(std::string_view text) {
  std::string out;
  AppendString(out, text);
  return out;
}

std::string Bool(bool value) {
  return value ? "true" : "false";
}

std::string Number(int64_t value) {
  return std::to_string(value);
}

// The fields of one object, in the order they are added.
class Fields {
 public:
  void add(std::string_view key, std::string json) { fields_.push_back({key, std::move(json)}); }
  void text(std::string_view key, std::string_view value) { add(key, Quoted(value)); }
  void number(std::string_view key, int64_t value) { add(key, Number(value)); }
  void flag(std::string_view key, bool value) { add(key, Bool(value)); }
  std::vector<Field> take() { return std::move(fields_); }

 private:
  std::vector<Field> fields_;
};

// "key":value,... without the braces.
void AppendFields(std::string& out, const std::vector<Field>& fields, bool comma_first) {
  for (const Field& field : fields) {
    if (comma_first) out += ',';
    comma_first = true;
    AppendString(out, field.key);
    out += ':';
    out += field.json;
  }
}

// --- The screen's fields -----------------------------------------------------

void GridFields(const Grid& grid, Fields& out) {
  std::string widths = "[", cells = "[";
  for (int c = 0; c < grid.Cols(); ++c) {
    if (c) widths += ',';
    widths += Number(grid.ColWidth(c));
  }
  for (int r = 0; r < grid.Rows(); ++r) {
    cells += r ? ",[" : "[";
    for (int c = 0; c < grid.Cols(); ++c) {
      if (c) cells += ',';
      AppendString(cells, grid.TextMatrix(r, c));
    }
    cells += ']';
  }
  out.number("rows", grid.Rows());
  out.number("cols", grid.Cols());
  out.number("row", grid.Row);
  out.number("col", grid.Col);
  out.add("widths", widths + "]");
  out.add("cells", cells + "]");
}

std::vector<Field> ControlFields(const Control& control) {
  Fields out;
  out.text("kind", KindName(control.kind()));
  out.number("left", control.Left);
  out.number("top", control.Top);
  out.number("width", control.Width);
  out.number("height", control.Height);
  out.text("back", CssColor(control.BackColor));
  out.text("fore", CssColor(control.ForeColor));
  out.add("font", "{\"name\":" + Quoted(control.font.name) + ",\"size\":" +
                      Number(control.font.size) + ",\"bold\":" + Bool(control.font.bold) + "}");
  out.flag("visible", control.Visible);
  out.flag("shown", control.shown());
  out.flag("enabled", control.Enabled);
  out.flag("usable", control.usable());
  out.add("container", control.container() ? Quoted(control.container()->name()) : "null");
  out.text("tooltip", control.ToolTipText);
  out.flag("dblclick", static_cast<bool>(control.DblClick));
  if (auto* box = dynamic_cast<const TextBox*>(&control)) {
    out.text("text", box->Text());
    out.flag("locked", box->Locked);
    out.number("maxlength", box->MaxLength);
    out.text("align", AlignName(box->Alignment));
    out.text("keyboard", KeyboardName(box->keyboard));
  } else if (auto* button = dynamic_cast<const Button*>(&control)) {
    out.text("caption", button->Caption);
    out.text("picture", PictureName(button->picture));
    out.flag("cancel", button->Cancel);
  } else if (auto* label = dynamic_cast<const Label*>(&control)) {
    out.text("caption", label->Caption);
    out.text("align", AlignName(label->Alignment));
  } else if (auto* frame = dynamic_cast<const Frame*>(&control)) {
    out.text("caption", frame->Caption);
  } else if (auto* check = dynamic_cast<const CheckBox*>(&control)) {
    out.text("caption", check->Caption);
    out.number("value", check->Value());
  } else if (auto* image = dynamic_cast<const Image*>(&control)) {
    out.text("picture", PictureName(image->picture));
  } else if (auto* grid = dynamic_cast<const Grid*>(&control)) {
    GridFields(*grid, out);
  } else if (auto* bar = dynamic_cast<const ProgressBar*>(&control)) {
    out.number("min", bar->Min);
    out.number("max", bar->Max);
    out.number("value", bar->Value);
  }
  return out.take();
}

std::string HeadFields(const Terminal* terminal, const StateInfo& info) {
  const Control* focused = terminal ? terminal->focused() : nullptr;
  std::string head = "\"session\":" + Quoted(info.session) + ",\"seq\":" + Number(info.seq) +
                     ",\"ended\":" + Bool(info.ended) +
                     ",\"focus\":" + (focused ? Quoted(focused->name()) : "null") + ",\"box\":";
  if (info.box) {
    head += "{\"id\":" + Number(info.box_id) + ",\"prompt\":" + Quoted(info.box->prompt) +
            ",\"buttons\":" + Number(info.box->buttons) + ",\"title\":" + Quoted(info.box->title) +
            "}";
  } else {
    head += "null";
  }
  return head;
}

// The fields of `fields` whose value differs from the same field of `base`;
// both lists come from controls of the same kind, so their keys line up.
std::vector<const Field*> Changed(const std::vector<Field>& fields,
                                  const std::vector<Field>& base) {
  std::vector<const Field*> changed;
  for (size_t i = 0; i < fields.size(); ++i)
    if (i >= base.size() || fields[i].key != base[i].key || fields[i].json != base[i].json)
      changed.push_back(&fields[i]);
  return changed;
}

void AppendObject(std::string& out, const std::vector<const Field*>& fields) {
  out += '{';
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i) out += ',';
    AppendString(out, fields[i]->key);
    out += ':';
    out += fields[i]->json;
  }
  out += '}';
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

// The optional version of the state the browser holds.
bool Have(const json& object, int64_t& have, std::string& error) {
  return !object.contains("have") || Integer(object, "have", 0, kMaxSeq, have, error);
}
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

std::shared_ptr<const Snapshot> TakeSnapshot(const Terminal* terminal, const StateInfo& info,
                                             int64_t version) {
  auto state = std::make_shared<Snapshot>();
  state->version = version;
  state->head = HeadFields(terminal, info);
  const Screen* front = terminal && !info.ended ? terminal->front() : nullptr;
  if (!front) return state;
  state->has_form = true;
  state->form_name = front->name();
  state->screen = front->name();
  Fields form;
  form.text("caption", front->Caption);
  form.number("width", front->Width);
  form.number("height", front->Height);
  form.text("back", CssColor(front->BackColor));
  form.flag("fullscreen", front->fullScreen());
  state->form = form.take();
  state->controls.reserve(front->controls().size());
  for (const Control* control : front->controls()) {
    state->screen += '\n' + control->name();
    state->controls.push_back({control->name(), ControlFields(*control)});
  }
  return state;
}

std::string StateJson(const Snapshot& state, const Snapshot* base, int64_t received) {
  std::string out;
  out.reserve(base ? 512 : 8192);
  out += "{\"received\":" + Number(received) + ",\"version\":" + Number(state.version);
  const bool delta = base && base->has_form && state.has_form && base->screen == state.screen;
  if (delta) out += ",\"base\":" + Number(base->version);
  out += ',';
  out += state.head;
  if (delta) {
    out += ",\"changes\":{\"form\":";
    AppendObject(out, Changed(state.form, base->form));
    out += ",\"controls\":{";
    bool first = true;
    for (size_t i = 0; i < state.controls.size(); ++i) {
      std::vector<const Field*> changed =
          Changed(state.controls[i].fields, base->controls[i].fields);
      if (changed.empty()) continue;
      if (!first) out += ',';
      first = false;
      AppendString(out, state.controls[i].name);
      out += ':';
      AppendObject(out, changed);
    }
    out += "}}}";
    return out;
  }
  if (!state.has_form) {
    out += ",\"form\":null}";
    return out;
  }
  out += ",\"form\":{\"name\":";
  AppendString(out, state.form_name);
  AppendFields(out, state.form, true);
  out += ",\"controls\":[";
  for (size_t i = 0; i < state.controls.size(); ++i) {
    if (i) out += ',';
    out += "{\"name\":";
    AppendString(out, state.controls[i].name);
    AppendFields(out, state.controls[i].fields, true);
    out += '}';
  }
  out += "]}}";
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
  if (!Have(*object, request.have, error)) return std::nullopt;
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
      !Integer(*object, "answer", 1, 7, answer, error) || !Have(*object, request.have, error))
    return std::nullopt;
  request.box = static_cast<int>(box);
  request.answer = static_cast<int>(answer);
  return request;
}

std::string ErrorJson(std::string_view message) {
  return "{\"error\":" + Quoted(message) + "}";
}

}  // namespace gw::web
