// The controls the screens are built from: text boxes, buttons, labels,
// frames, check boxes, images, the grid bound to a data link, the progress
// bar and the hidden drive list. Each control is a typed member of its
// screen, made from a row of the screen's layout table; its events are
// wired to the screen's handlers in the screen's constructor.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gw::db {
class DataLink;
}

namespace gw::ui {

class Screen;
class Frame;

// Colours as the screens store them: &H00BBGGRR&, or &H800000nn& for a
// system colour.
using Color = uint32_t;
inline constexpr Color kWindowBackground = 0x80000005;
inline constexpr Color kWindowText = 0x80000008;
inline constexpr Color kActiveBorder = 0x8000000A;
inline constexpr Color kButtonFace = 0x8000000F;
inline constexpr Color kButtonText = 0x80000012;
inline constexpr Color kYellow = 0x0000FFFF;
inline constexpr Color kRed = 0x000000FF;
inline constexpr Color kWhite = 0x00FFFFFF;
// In a layout row: the colour the kind of control has by default.
inline constexpr Color kDefaultColor = 0xFFFFFFFF;

enum class ControlKind {
  TextBox,
  Button,
  Label,
  Frame,
  CheckBox,
  Image,
  Grid,
  ProgressBar,
  DriveList
};
enum class Align { Left, Right, Center };

// The pictures of picture buttons and images.
enum class Picture { None, Exit, Confirm, Back, View, Print, Delete, Plus, Minus, Search, Logo };

// What a text box is typed with on the terminal: scanned codes and keypad
// digits need no on-screen keyboard; descriptions do.
enum class Keyboard { Scan, Numeric, Text };

struct Font {
  std::string_view name = "MS Sans Serif";
  int size = 8;
  bool bold = false;
};

// One row of a screen's layout table. Places and sizes in twips.
struct ControlSpec {
  std::string_view name = {};
  std::string_view caption = {};  // caption, or the initial text of a text box
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  Color back = kDefaultColor;
  Color fore = kDefaultColor;
  Font font{};
  bool visible = true;
  bool enabled = true;
  bool locked = false;
  bool cancel = false;  // a button that Esc presses
  int max_length = 0;   // 0: no limit
  Align align = Align::Left;
  std::string_view tooltip = {};
  Picture picture = Picture::None;
  std::string_view container = {};  // name of the frame holding the control (declared before it)
  Keyboard keyboard = Keyboard::Scan;
};

class Control {
 public:
  Control(Screen& screen, ControlKind kind, const ControlSpec& spec);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& name() const { return name_; }
  ControlKind kind() const { return kind_; }
  Screen& screen() const { return screen_; }
  Frame* container() const { return container_; }

  bool Visible;
  bool Enabled;
  int Left, Top, Width, Height;
  Color BackColor, ForeColor;
  Font font;
  std::string ToolTipText;

  // Visible, and every frame holding it visible.
  bool shown() const;
  // Shown and enabled, with every frame holding it enabled: a user can reach it.
  bool usable() const;
  // Text boxes, buttons, check boxes and grids take the focus.
  bool takesFocus() const;
  void SetFocus();

  std::function<void()> Click, DblClick, GotFocus, LostFocus;
  std::function<void(int& key_code, int shift)> KeyDown;
  std::function<void(int& key_ascii)> KeyPress;

  // A property by name as the script driver prints it (Text, Caption,
  // Visible, BackColor, TextMatrix(1,2), ...), or nullopt when the control
  // has no such property.
  virtual std::optional<std::string> property(std::string_view name) const;

 private:
  Screen& screen_;
  ControlKind kind_;
  std::string name_;
  Frame* container_;
};

class TextBox final : public Control {
 public:
  TextBox(Screen& screen, const ControlSpec& spec);

  const std::string& Text() const { return text_; }
  // Setting a different text runs Change, as typing does.
  void setText(std::string text);

  bool Locked;
  int MaxLength;
  Align Alignment;
  Keyboard keyboard;
  // Selection, in characters.
  int SelStart = 0;
  int SelLength = 0;
  void selectAll();

  std::function<void()> Change;

  std::optional<std::string> property(std::string_view name) const override;

 private:
  std::string text_;
};

class Button final : public Control {
 public:
  Button(Screen& screen, const ControlSpec& spec);
  std::string Caption;
  Picture picture;
  bool Cancel;
  std::optional<std::string> property(std::string_view name) const override;
};

class Label final : public Control {
 public:
  Label(Screen& screen, const ControlSpec& spec);
  std::string Caption;
  Align Alignment;
  std::optional<std::string> property(std::string_view name) const override;
};

class Frame final : public Control {
 public:
  Frame(Screen& screen, const ControlSpec& spec);
  std::string Caption;
  std::optional<std::string> property(std::string_view name) const override;
};

class CheckBox final : public Control {
 public:
  CheckBox(Screen& screen, const ControlSpec& spec);
  std::string Caption;
  int Value() const { return value_; }
  // Setting a different value runs Click, as a click does.
  void setValue(int value);
  // A click: toggles the value without running Click (the caller runs it).
  void toggle() { value_ = value_ ? 0 : 1; }
  std::optional<std::string> property(std::string_view name) const override;

 private:
  int value_ = 0;
};

class Image final : public Control {
 public:
  Image(Screen& screen, const ControlSpec& spec);
  Picture picture;
};

class ProgressBar final : public Control {
 public:
  ProgressBar(Screen& screen, const ControlSpec& spec);
  double Min = 0;
  double Max = 100;
  double Value = 0;
  std::optional<std::string> property(std::string_view name) const override;
};

class DriveList final : public Control {
 public:
  DriveList(Screen& screen, const ControlSpec& spec);
  // The current drive, letter and colon.
  std::string Drive() const;
};

// A grid bound to a data link: row 0 is the header (field names or
// aliases), column 0 a fixed empty column, the fields from column 1 on.
class Grid final : public Control {
 public:
  Grid(Screen& screen, const ControlSpec& spec);

  // Shows the link's rows after each of its refreshes.
  void bind(db::DataLink& link);

  int Rows() const { return static_cast<int>(cells_.size()); }
  int Cols() const { return cols_; }
  void setRows(int rows);
  void setCols(int cols);
  int Row = 0, Col = 0;
  int MouseRow = 0, MouseCol = 0;
  // Text of a cell; an empty text outside the grid.
  std::string TextMatrix(int row, int col) const;
  void setTextMatrix(int row, int col, std::string text);
  int ColWidth(int col) const;
  void setColWidth(int col, int width);

  std::optional<std::string> property(std::string_view name) const override;

  static constexpr int kDefaultColWidth = 960;

 private:
  void fill(db::DataLink& link);

  int cols_ = 2;
  std::vector<std::string> fields_;  // of the link's last refresh
  std::vector<std::vector<std::string>> cells_;
  std::vector<int> widths_;
};

}  // namespace gw::ui
