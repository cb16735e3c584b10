// The static description of a program's windows: each window entry with its controls, in
// stored order, and the property settings that differ from the defaults of their kind.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "ui/window_services.h"

namespace quorvel {

enum class ControlKind : std::uint8_t {
  kWindow,    // 窗口
  kEditBox,   // 编辑框
  kComboBox,  // 组合框
  kButton,    // 按钮
  kLabel,     // 标签
};

// A font as stored in a description: face name (GBK), character height in pixels (internal
// leading excluded), weight and the three style flags. Width, escapement, orientation and
// character set are kept so that they read back, but fonts are always created with the
// defaults for them.
struct Font {
  std::string face_gbk;
  std::int32_t height = 0;
  std::int32_t width = 0;
  std::int32_t escapement = 0;
  std::int32_t orientation = 0;
  std::int32_t weight = 400;
  bool italic = false;
  bool underline = false;
  bool strike_out = false;
  std::uint8_t char_set = 1;  // the platform's default character set

  bool operator==(const Font&) const = default;
};

// The members of a font that a property reference can pick; kWholeValue takes all of them.
enum FontMember : std::int32_t {
  kFontFace = 0,         // text: face name
  kFontHeight = 1,       // integer: character height in pixels
  kFontWidth = 2,        // integer: average character width, 0 for the default
  kFontEscapement = 3,   // integer: tenths of a degree
  kFontOrientation = 4,  // integer: tenths of a degree
  kFontWeight = 5,       // integer: 100 to 900, 400 normal, 700 bold
  kFontItalic = 6,       // integer: 0 or 1
  kFontUnderline = 7,    // integer: 0 or 1
  kFontStrikeOut = 8,    // integer: 0 or 1
  kFontCharSet = 9,      // integer: character set number
  kFontMemberCount = 10,
};

// The whole font as a read with member -1 hands it out (a value from the value memory that
// the caller releases with ReleaseValue) and as a write with member -1 takes it.
struct FontRecord {
  std::int32_t height;
  std::int32_t width;
  std::int32_t escapement;
  std::int32_t orientation;
  std::int32_t weight;
  std::uint8_t italic;
  std::uint8_t underline;
  std::uint8_t strike_out;
  std::uint8_t char_set;
  std::array<char, 32> face_gbk;  // NUL-terminated
};

// Bytes of a picture, a piece of music or the item numbers of a combo box. A read hands out
// null for none, else a value holding a 4-byte little-endian length and then the bytes.
using Bytes = std::vector<std::uint8_t>;

// The item texts of a combo box. A read hands out the items joined by CR LF (null for none),
// and a write takes them in the same form.
using TextList = std::vector<std::string>;

// One stored property. A font that is absent means the platform's default GUI font.
using PropertyValue = std::variant<std::int32_t, std::string, std::optional<Font>, TextList, Bytes>;

// A colour: red in the low byte, then green, then blue. kNoColour stands for the platform's
// button-face colour.
constexpr std::int32_t Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return red | (green << 8) | (blue << 16);
}
inline constexpr std::int32_t kNoColour = static_cast<std::int32_t>(0xFF000000U);

enum class ValueType : std::uint8_t { kInteger, kText, kFont, kTextList, kBytes };

// Numbers 0 to 7 mean the same for every kind.
enum CommonProperty : std::int32_t {
  kLeft = 0,
  kTop = 1,
  kWidth = 2,
  kHeight = 3,
  kTag = 4,
  kVisible = 5,
  kDisabled = 6,
  kMousePointer = 7,
  kFirstKindProperty = 8,
};

struct PropertySetting {
  std::int32_t number;
  PropertyValue value;
};

struct EventBinding {
  std::int32_t event;
  Routine handler;
};

struct ControlDescription {
  ControlKind kind = ControlKind::kLabel;
  std::uint32_t id = 0;
  std::string name_gbk;
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  bool visible = true;
  bool disabled = false;
  bool takes_focus = false;
  std::int32_t tab_number = 0;
  std::int32_t mouse_pointer = 0;  // 0: the usual pointer of the kind
  std::string tag_gbk;
  std::vector<EventBinding> events;
  std::vector<PropertySetting> settings;  // the kind's own properties that differ from defaults
};

struct WindowDescription {
  ControlDescription window;  // kind kWindow; its own position, size, flags and properties
  std::vector<ControlDescription> controls;  // in stored order; parent is always the window
};

// Everything PrepareProgram takes in: the windows and the program's own icon, DEFAULT_ICON,
// as XPM images (smallest first).
struct ProgramDescription {
  std::vector<WindowDescription> windows;
  std::vector<const char* const*> default_icon_xpm;
};

// A visible, enabled control entry with the kind's defaults, tab number 0 and no events.
ControlDescription MakeControl(ControlKind kind, std::uint32_t id, std::string name_gbk,
                               std::int32_t left, std::int32_t top, std::int32_t width,
                               std::int32_t height, bool takes_focus);

// How many properties a kind numbers (32, 29, 25, 14, 29).
std::int32_t PropertyCount(ControlKind kind);

// The type of property `number` of `kind`; number must be below PropertyCount(kind).
ValueType PropertyType(ControlKind kind, std::int32_t number);

// Whether controls of the kind raise events. Labels are drawn by the layer and raise none.
bool KindRaisesEvents(ControlKind kind);

// The full property list of a control: the common properties from its entry, the kind's
// defaults and then its settings. Returns nothing when a setting is out of range or of the
// wrong type.
std::optional<std::vector<PropertyValue>> BuildProperties(const ControlDescription& control);

}  // namespace quorvel
