#include "ui/window_description.h"

#include <cstddef>
#include <utility>

namespace quorvel {
namespace {

constexpr std::int32_t kGrey = Rgb(0x80, 0x80, 0x80);
constexpr std::int32_t kWhite = Rgb(0xFF, 0xFF, 0xFF);

// The kind's own properties (numbers 8 and up) with their defaults, in number order.
std::vector<PropertyValue> KindDefaults(ControlKind kind) {
  const std::optional<Font> default_gui_font;
  switch (kind) {
    case ControlKind::kWindow:
      return {
          std::string(),  //  8 title
          1,              //  9 border style
          kNoColour,      // 10 background colour
          Bytes(),        // 11 background picture
          1,              // 12 picture placement
          Bytes(),        // 13 background music
          0,              // 14 music repeat
          1,              // 15 control box
          1,              // 16 maximise button
          1,              // 17 minimise button
          0,              // 18 start position
          1,              // 19 movable
          Bytes(),        // 20 icon
          0,              // 21 Enter moves the focus
          0,              // 22 Esc closes the window
          0,              // 23 F1 opens help
          std::string(),  // 24 help file
          0,              // 25 help topic number
          1,              // 26 shown in the taskbar
          0,              // 27 dragged by any point
          0,              // 28 shape
          0,              // 29 always on top
          0,              // 30 title bar stays active
          std::string(),  // 31 platform class name
      };
    case ControlKind::kEditBox:
      return {
          std::string(),     //  8 content
          1,                 //  9 border: sunken
          Rgb(0, 0, 0),      // 10 text colour
          kWhite,            // 11 background colour
          default_gui_font,  // 12 font
          1,                 // 13 hide selection
          0,                 // 14 maximum length (0: the platform's limit)
          0,                 // 15 multi-line
          0,                 // 16 scroll bars
          0,                 // 17 alignment
          0,                 // 18 input mode
          std::string("*"),  // 19 mask character
          0,                 // 20 letter case
          0,                 // 21 spin buttons
          0,                 // 22 spin minimum
          100,               // 23 spin maximum
          0,                 // 24 selection start
          0,                 // 25 selection length
          std::string(),     // 26 selected text (asked of the live box)
          std::string(),     // 27 data source
          std::string(),     // 28 data column
      };
    case ControlKind::kComboBox:
      return {
          0,                 //  8 type: 0 drop-down, 1 simple, 2 drop-down list
          std::string(),     //  9 content
          0,                 // 10 maximum length
          0,                 // 11 text selection start
          0,                 // 12 text selection length
          std::string(),     // 13 selected text (asked of the live box)
          0,                 // 14 sorted
          0,                 // 15 line spacing
          Rgb(0, 0, 0),      // 16 text colour
          kWhite,            // 17 background colour
          default_gui_font,  // 18 font
          -1,                // 19 current selection
          TextList(),        // 20 items
          Bytes(),           // 21 item numbers
          std::string(),     // 22 data source
          std::string(),     // 23 data column
          0,                 // 24 data-binding option
      };
    case ControlKind::kButton:
      return {
          Bytes(),           //  8 picture
          0,                 //  9 type: 0 ordinary, 1 default button
          std::string(),     // 10 caption
          1,                 // 11 horizontal alignment: 0 left, 1 centre, 2 right
          1,                 // 12 vertical alignment: 0 top, 1 centre, 2 bottom
          default_gui_font,  // 13 font
      };
    case ControlKind::kLabel:
      return {
          std::string(),     //  8 text
          0,                 //  9 text effect
          0,                 // 10 border
          8,                 // 11 gradient frame width
          kGrey,             // 12 gradient frame colours
          kWhite,            // 13
          kGrey,             // 14
          default_gui_font,  // 15 font
          Rgb(0, 0, 0),      // 16 text colour
          kNoColour,         // 17 background colour
          Bytes(),           // 18 background picture
          1,                 // 19 picture placement
          0,                 // 20 gradient background
          kGrey,             // 21 gradient background colours
          kWhite,            // 22
          kGrey,             // 23
          0,                 // 24 horizontal alignment: 0 left, 1 centre, 2 right
          0,                 // 25 word wrap
          1,                 // 26 vertical alignment: 0 top, 1 centre, 2 bottom
          std::string(),     // 27 data source
          std::string(),     // 28 data column
      };
  }
  return {};
}

ValueType TypeOf(const PropertyValue& value) { return static_cast<ValueType>(value.index()); }

}  // namespace

std::int32_t PropertyCount(ControlKind kind) {
  return kFirstKindProperty + static_cast<std::int32_t>(KindDefaults(kind).size());
}

ValueType PropertyType(ControlKind kind, std::int32_t number) {
  if (number == kTag) return ValueType::kText;
  if (number < kFirstKindProperty) return ValueType::kInteger;
  return TypeOf(KindDefaults(kind).at(static_cast<std::size_t>(number - kFirstKindProperty)));
}

ControlDescription MakeControl(ControlKind kind, std::uint32_t id, std::string name_gbk,
                               std::int32_t left, std::int32_t top, std::int32_t width,
                               std::int32_t height, bool takes_focus) {
  ControlDescription control;
  control.kind = kind;
  control.id = id;
  control.name_gbk = std::move(name_gbk);
  control.left = left;
  control.top = top;
  control.width = width;
  control.height = height;
  control.takes_focus = takes_focus;
  return control;
}

bool KindRaisesEvents(ControlKind kind) { return kind != ControlKind::kLabel; }

std::optional<std::vector<PropertyValue>> BuildProperties(const ControlDescription& control) {
  std::vector<PropertyValue> properties = {
      control.left,
      control.top,
      control.width,
      control.height,
      control.tag_gbk,
      control.visible ? 1 : 0,
      control.disabled ? 1 : 0,
      control.mouse_pointer,
  };
  const std::vector<PropertyValue> defaults = KindDefaults(control.kind);
  properties.insert(properties.end(), defaults.begin(), defaults.end());
  for (const PropertySetting& setting : control.settings) {
    if (setting.number < kFirstKindProperty || setting.number >= PropertyCount(control.kind)) {
      return std::nullopt;
    }
    PropertyValue& slot = properties[static_cast<std::size_t>(setting.number)];
    if (slot.index() != setting.value.index()) return std::nullopt;
    slot = setting.value;
  }
  return properties;
}

}  // namespace quorvel
