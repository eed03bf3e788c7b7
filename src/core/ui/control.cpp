// Controls: their properties as the handlers and front ends see them.
#include "core/ui/control.h"

#include <cstdio>
#include <stdexcept>

#include "core/db/datalink.h"
#include "core/ui/screen.h"
#include "core/ui/terminal.h"
#include "core/vb/vb.h"

namespace gw::ui {
namespace {

Color DefaultBack(ControlKind kind) {
  switch (kind) {
    case ControlKind::TextBox:
    case ControlKind::Grid:
      return kWindowBackground;
    default:
      return kButtonFace;
  }
}

Color DefaultFore(ControlKind kind) {
  return kind == ControlKind::Button ? kButtonText : kWindowText;
}

std::string BoolText(bool b) {
  return b ? "True" : "False";
}

std::string ColorText(Color c) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "&H%08X&", c);
  return buffer;
}

bool SameName(std::string_view a, std::string_view b) {
  return vb::UCase(a) == vb::UCase(b);
}

// "TextMatrix(1,2)" gives {1, 2}; "ColWidth(3)" gives {3}.
bool Arguments(std::string_view property, std::string_view name, std::vector<int>& out) {
  if (property.size() <= name.size() + 2 || !SameName(property.substr(0, name.size()), name) ||
      property[name.size()] != '(' || property.back() != ')')
    return false;
  std::string_view inside = property.substr(name.size() + 1, property.size() - name.size() - 2);
  out.clear();
  size_t start = 0;
  while (start <= inside.size()) {
    size_t comma = inside.find(',', start);
    std::string part = vb::Trim(inside.substr(
        start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
    if (part.empty() || part.find_first_not_of("0123456789-") != std::string::npos) return false;
    out.push_back(std::stoi(part));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return true;
}

}  // namespace

Control::Control(Screen& screen, ControlKind kind, const ControlSpec& spec)
    : Visible(spec.visible),
      Enabled(spec.enabled),
      Left(spec.left),
      Top(spec.top),
      Width(spec.width),
      Height(spec.height),
      BackColor(spec.back == kDefaultColor ? DefaultBack(kind) : spec.back),
      ForeColor(spec.fore == kDefaultColor ? DefaultFore(kind) : spec.fore),
      font(spec.font),
      ToolTipText(spec.tooltip),
      screen_(screen),
      kind_(kind),
      name_(spec.name),
      container_(nullptr) {
  if (!spec.container.empty()) {
    container_ = dynamic_cast<Frame*>(screen.find(spec.container));
    if (!container_)
      throw std::logic_error("layout of " + screen.name() + ": " + name_ +
                             " is in the unknown frame " + std::string(spec.container));
  }
  screen.add(this);
}

bool Control::shown() const {
  if (!Visible) return false;
  for (const Frame* f = container_; f; f = f->container())
    if (!f->Visible) return false;
  return true;
}

bool Control::usable() const {
  if (!shown() || !Enabled) return false;
  for (const Frame* f = container_; f; f = f->container())
    if (!f->Enabled) return false;
  return true;
}

bool Control::takesFocus() const {
  switch (kind_) {
    case ControlKind::TextBox:
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::Grid:
      return true;
    default:
      return false;
  }
}

void Control::SetFocus() {
  screen_.terminal().setFocus(*this);
}

std::optional<std::string> Control::property(std::string_view name) const {
  if (SameName(name, "Visible")) return BoolText(Visible);
  if (SameName(name, "Enabled")) return BoolText(Enabled);
  if (SameName(name, "Left")) return std::to_string(Left);
  if (SameName(name, "Top")) return std::to_string(Top);
  if (SameName(name, "Width")) return std::to_string(Width);
  if (SameName(name, "Height")) return std::to_string(Height);
  if (SameName(name, "BackColor")) return ColorText(BackColor);
  if (SameName(name, "ForeColor")) return ColorText(ForeColor);
  if (SameName(name, "ToolTipText")) return ToolTipText;
  return std::nullopt;
}

TextBox::TextBox(Screen& screen, const ControlSpec& spec)
    : Control(screen, ControlKind::TextBox, spec),
      Locked(spec.locked),
      MaxLength(spec.max_length),
      Alignment(spec.align),
      keyboard(spec.keyboard),
      text_(spec.caption) {}

void TextBox::setText(std::string text) {
  if (MaxLength > 0 && vb::Len(text) > size_t(MaxLength)) text = vb::Left(text, MaxLength);
  if (text == text_) return;
  text_ = std::move(text);
  SelStart = static_cast<int>(vb::Len(text_));
  SelLength = 0;
  if (Change) Change();
}

void TextBox::selectAll() {
  SelStart = 0;
  SelLength = static_cast<int>(vb::Len(text_));
}

std::optional<std::string> TextBox::property(std::string_view name) const {
  if (SameName(name, "Text")) return text_;
  if (SameName(name, "Locked")) return BoolText(Locked);
  if (SameName(name, "MaxLength")) return std::to_string(MaxLength);
  if (SameName(name, "SelStart")) return std::to_string(SelStart);
  if (SameName(name, "SelLength")) return std::to_string(SelLength);
  return Control::property(name);
}

Button::Button(Screen& screen, const ControlSpec& spec)
    : Control(screen, ControlKind::Button, spec),
      Caption(spec.caption),
      picture(spec.picture),
      Cancel(spec.cancel) {}

std::optional<std::string> Button::property(std::string_view name) const {
  if (SameName(name, "Caption")) return Caption;
  if (SameName(name, "Cancel")) return BoolText(Cancel);
  return Control::property(name);
}

Label::Label(Screen& screen, const ControlSpec& spec)
    : Control(screen, ControlKind::Label, spec), Caption(spec.caption), Alignment(spec.align) {}

std::optional<std::string> Label::property(std::string_view name) const {
  if (SameName(name, "Caption")) return Caption;
  return Control::property(name);
}

Frame::Frame(Screen& screen, const ControlSpec& spec)
    : Control(screen, ControlKind::Frame, spec), Caption(spec.caption) {}

std::optional<std::string> Frame::property(std::string_view name) const {
  if (SameName(name, "Caption")) return Caption;
  return Control::property(name);
}

CheckBox::CheckBox(Screen& screen, const ControlSpec& spec)
    : Control(screen, ControlKind::CheckBox, spec), Caption(spec.caption) {}

void CheckBox::setValue(int value) {
  if (value == value_) return;
  value_ = value;
  if (Click) Click();
}

std::optional<std::string> CheckBox::property(std::string_view name) const {
  if (SameName(name, "Caption")) return Caption;
  if (SameName(name, "Value")) return std::to_string(value_);
  return Control::property(name);
}

Image::Image(Screen& screen, const ControlSpec& spec)
    : Control(screen, ControlKind::Image, spec), picture(spec.picture) {}

ProgressBar::ProgressBar(Screen& screen, const ControlSpec& spec)
    : Control(screen, ControlKind::ProgressBar, spec) {}

std::optional<std::string> ProgressBar::property(std::string_view name) const {
  if (SameName(name, "Value")) return vb::NumberText(Value);
  if (SameName(name, "Min")) return vb::NumberText(Min);
  if (SameName(name, "Max")) return vb::NumberText(Max);
  return Control::property(name);
}

DriveList::DriveList(Screen& screen, const ControlSpec& spec)
    : Control(screen, ControlKind::DriveList, spec) {}

std::string DriveList::Drive() const {
  return screen().terminal().drive();
}

Grid::Grid(Screen& screen, const ControlSpec& spec)
    : Control(screen, ControlKind::Grid, spec),
      cells_(2, std::vector<std::string>(2)),
      widths_(2, kDefaultColWidth) {}

void Grid::bind(db::DataLink& link) {
  link.onRefresh([this, &link] { fill(link); });
}

// A refresh that lists the same fields keeps the widths the screen laid
// out: a header sort does not lay the grid out again, and its hidden
// column stays hidden. Other fields start from the default width.
void Grid::fill(db::DataLink& link) {
  db::QueryRecordset& rs = link.Recordset();
  std::vector<std::string> fields;
  for (int c = 0; c < rs.fieldCount(); ++c) fields.push_back(rs.fieldName(c));
  const bool same_fields = fields == fields_ && cols_ == static_cast<int>(fields_.size()) + 1;
  fields_ = std::move(fields);
  cols_ = rs.fieldCount() + 1;
  cells_.assign(1, std::vector<std::string>(cols_));
  for (int c = 1; c < cols_; ++c) cells_[0][c] = fields_[c - 1];
  if (!rs.eof()) {
    for (; !rs.eof(); rs.moveNext()) {
      std::vector<std::string> row(cols_);
      for (int c = 1; c < cols_; ++c) row[c] = rs.field(c - 1).toText();
      cells_.push_back(std::move(row));
    }
    rs.moveFirst();
  }
  if (!same_fields) widths_.assign(cols_, kDefaultColWidth);
  Row = Rows() > 1 ? 1 : 0;
  Col = cols_ > 1 ? 1 : 0;
}

void Grid::setRows(int rows) {
  cells_.resize(std::max(rows, 0), std::vector<std::string>(cols_));
  if (Row >= Rows()) Row = std::max(Rows() - 1, 0);
}

void Grid::setCols(int cols) {
  cols_ = std::max(cols, 0);
  for (auto& row : cells_) row.resize(cols_);
  widths_.resize(cols_, kDefaultColWidth);
  if (Col >= cols_) Col = std::max(cols_ - 1, 0);
}

std::string Grid::TextMatrix(int row, int col) const {
  if (row < 0 || col < 0 || row >= Rows() || col >= cols_) return "";
  return cells_[row][col];
}

void Grid::setTextMatrix(int row, int col, std::string text) {
  if (row < 0 || col < 0 || row >= Rows() || col >= cols_) return;
  cells_[row][col] = std::move(text);
}

int Grid::ColWidth(int col) const {
  return col >= 0 && col < cols_ ? widths_[col] : kDefaultColWidth;
}

void Grid::setColWidth(int col, int width) {
  if (col >= 0 && col < cols_) widths_[col] = width;
}

std::optional<std::string> Grid::property(std::string_view name) const {
  if (SameName(name, "Rows")) return std::to_string(Rows());
  if (SameName(name, "Cols")) return std::to_string(cols_);
  if (SameName(name, "Row")) return std::to_string(Row);
  if (SameName(name, "Col")) return std::to_string(Col);
  if (SameName(name, "MouseRow")) return std::to_string(MouseRow);
  if (SameName(name, "MouseCol")) return std::to_string(MouseCol);
  std::vector<int> args;
  if (Arguments(name, "TextMatrix", args) && args.size() == 2) return TextMatrix(args[0], args[1]);
  if (Arguments(name, "ColWidth", args) && args.size() == 1)
    return std::to_string(ColWidth(args[0]));
  return Control::property(name);
}

}  // namespace gw::ui
