// The window services: the description store, the loaded windows with their properties, the
// event bindings and the program's end. Everything runs on the GUI thread.
#include "ui/window_services.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <system_error>
#include <tuple>
#include <utility>

#include "ui/platform_binding.h"
#include "ui/run_time_error.h"
#include "ui/services_messages.h"
#include "ui/value_memory.h"
#include "ui/window_layer.h"

namespace quorvel {
namespace {

using EventKey = std::tuple<std::uint32_t, std::uint32_t, std::int32_t>;

struct LayerState {
  const ProgramDescription* source = nullptr;    // what PrepareProgram takes in
  const ProgramDescription* prepared = nullptr;  // taken in, until discarded at the end
  std::map<EventKey, Routine> handlers;
  std::map<std::uint32_t, std::unique_ptr<LoadedWindow>> windows;
  PlatformBinding* binding = nullptr;
  Routine exit_routine = nullptr;
  bool loading = false;
  bool ending = false;
  bool handler_running = false;
  std::vector<Routine> waiting_handlers;
};

LayerState& State() {
  static LayerState state;
  return state;
}

// A description takes in when every window entry is a window, every control is not, no
// identifier repeats and every control's properties build.
bool DescriptionReadable(const ProgramDescription& description) {
  std::set<std::uint32_t> window_ids;
  for (const WindowDescription& window : description.windows) {
    if (window.window.kind != ControlKind::kWindow) return false;
    if (!window_ids.insert(window.window.id).second) return false;
    if (!BuildProperties(window.window)) return false;
    std::set<std::uint32_t> ids{window.window.id};
    for (const ControlDescription& control : window.controls) {
      if (control.kind == ControlKind::kWindow) return false;
      if (!ids.insert(control.id).second) return false;
      if (!BuildProperties(control)) return false;
    }
  }
  return true;
}

void BindEvents(const ControlDescription& control, std::uint32_t window_id) {
  for (const EventBinding& binding : control.events) {
    if (binding.handler != nullptr) {
      State().handlers[{window_id, control.id, binding.event}] = binding.handler;
    }
  }
}

void EnterProgramFolder() {
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) std::filesystem::current_path(executable.parent_path(), error);
  if (error) RaiseRunTimeError(messages::kCannotEnterProgramFolder);
}

void PrepareProgram() {
  LayerState& state = State();
  if (state.source == nullptr || !DescriptionReadable(*state.source)) {
    RaiseRunTimeError(messages::kDescriptionUnreadable);
  }
  state.prepared = state.source;
  state.handlers.clear();
  for (const WindowDescription& window : state.prepared->windows) {
    BindEvents(window.window, window.window.id);
    for (const ControlDescription& control : window.controls) {
      BindEvents(control, window.window.id);
    }
  }
  state.ending = false;
  EnterProgramFolder();
}

void RegisterExitRoutine(Routine routine) { State().exit_routine = routine; }

LoadedControl MakeLoadedControl(const ControlDescription& description) {
  // The description was checked when it was taken in, so its properties build.
  return LoadedControl{&description, BuildProperties(description).value()};
}

void LoadWindow(std::uint32_t window_id) {
  LayerState& state = State();
  if (state.prepared == nullptr || state.binding == nullptr) {
    RaiseRunTimeError(messages::kLoadWindowFailed);
  }
  const auto entry =
      std::find_if(state.prepared->windows.begin(), state.prepared->windows.end(),
                   [window_id](const WindowDescription& w) { return w.window.id == window_id; });
  if (entry == state.prepared->windows.end()) RaiseRunTimeError(messages::kLoadWindowFailed);
  const auto existing = state.windows.find(window_id);
  if (existing != state.windows.end() && existing->second->alive) return;  // already there

  auto loaded = std::make_unique<LoadedWindow>();
  loaded->window = MakeLoadedControl(entry->window);
  for (const ControlDescription& control : entry->controls) {
    loaded->controls.push_back(MakeLoadedControl(control));
  }
  loaded->tab_order = ComputeTabOrder(*entry);

  // Start position 1 centres the window on the whole primary screen; otherwise it stands at
  // its stored place.
  std::int32_t left = loaded->window.Integer(kLeft);
  std::int32_t top = loaded->window.Integer(kTop);
  constexpr std::int32_t kStartPosition = 18;
  if (loaded->window.Integer(kStartPosition) == 1) {
    const ScreenGeometry screen = state.binding->PrimaryScreen();
    left = CentredStart(screen.left, screen.width, loaded->window.Integer(kWidth));
    top = CentredStart(screen.top, screen.height, loaded->window.Integer(kHeight));
  }
  loaded->window.properties[kLeft] = left;
  loaded->window.properties[kTop] = top;

  LoadedWindow& window = *loaded;
  state.windows[window_id] = std::move(loaded);
  state.loading = true;
  PlatformBinding& binding = *state.binding;
  if (!binding.CreateWindow(window, left, top, state.prepared->default_icon_xpm)) {
    RaiseRunTimeError(messages::kLoadWindowFailed);
  }
  for (std::size_t i = window.controls.size(); i-- > 0;) {
    if (!binding.CreateControl(window, window.controls[i])) {
      RaiseRunTimeError(messages::kLoadWindowFailed);
    }
  }
  binding.StackControls(window);
  for (const LoadedControl& control : window.controls) {
    if (control.Integer(kVisible) != 0) binding.ShowControl(window, control);
  }
  if (window.window.Integer(kVisible) != 0) binding.ShowWindow(window);
  state.loading = false;
}

bool AnyWindowAlive() {
  return std::any_of(State().windows.begin(), State().windows.end(),
                     [](const auto& entry) { return entry.second->alive; });
}

int RunMessageLoop() {
  LayerState& state = State();
  if (!AnyWindowAlive() || state.binding == nullptr) return 0;
  return state.binding->RunLoop();
}

// The window and control a property reference names, after the checks every access makes.
struct PropertyTarget {
  LoadedWindow* window;
  LoadedControl* control;
};

PropertyTarget FindTarget(std::uint32_t window_id, std::uint32_t control_id,
                          std::int32_t property) {
  LayerState& state = State();
  const auto entry = state.windows.find(window_id);
  if (entry == state.windows.end()) RaiseRunTimeError(messages::kPropertyWindowNotLoaded);
  LoadedWindow& window = *entry->second;
  auto* control = const_cast<LoadedControl*>(window.Find(control_id));
  if (control == nullptr) RaiseRunTimeError(messages::UnknownControl(control_id));
  if (property < 0 || property >= PropertyCount(control->kind())) {
    RaiseRunTimeError(messages::MissingProperty(property));
  }
  // The common properties stay with the layer after the window is gone; the kind's own ones
  // live in the platform's control.
  if (property >= kFirstKindProperty && !window.alive) RaiseRunTimeError(messages::kWindowGone);
  return {&window, control};
}

PropertyWord TextWord(std::string_view text) {
  if (text.empty()) return 0;
  return reinterpret_cast<PropertyWord>(CopyToValue(text));
}

PropertyWord FontMemberWord(const std::optional<Font>& stored, std::int32_t member) {
  const Font font = stored.value_or(Font{});
  switch (member) {
    case kFontFace:
      return TextWord(font.face_gbk);
    case kFontHeight:
      return font.height;
    case kFontWidth:
      return font.width;
    case kFontEscapement:
      return font.escapement;
    case kFontOrientation:
      return font.orientation;
    case kFontWeight:
      return font.weight;
    case kFontItalic:
      return font.italic ? 1 : 0;
    case kFontUnderline:
      return font.underline ? 1 : 0;
    case kFontStrikeOut:
      return font.strike_out ? 1 : 0;
    case kFontCharSet:
      return font.char_set;
    default:
      RaiseRunTimeError(messages::MissingMember(member));
  }
}

PropertyWord FontWord(const std::optional<Font>& font) {
  if (!font) return 0;
  FontRecord record{};
  record.height = font->height;
  record.width = font->width;
  record.escapement = font->escapement;
  record.orientation = font->orientation;
  record.weight = font->weight;
  record.italic = font->italic ? 1 : 0;
  record.underline = font->underline ? 1 : 0;
  record.strike_out = font->strike_out ? 1 : 0;
  record.char_set = font->char_set;
  const std::size_t face_length = std::min(font->face_gbk.size(), record.face_gbk.size() - 1);
  std::memcpy(record.face_gbk.data(), font->face_gbk.data(), face_length);
  char* value = AllocateValue(sizeof record);
  std::memcpy(value, &record, sizeof record);
  return reinterpret_cast<PropertyWord>(value);
}

PropertyWord BytesWord(const Bytes& bytes) {
  if (bytes.empty()) return 0;
  const auto length = static_cast<std::uint32_t>(bytes.size());
  char* value = AllocateValue(sizeof length + bytes.size());
  const std::array<std::uint8_t, 4> prefix = {
      static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8),
      static_cast<std::uint8_t>(length >> 16), static_cast<std::uint8_t>(length >> 24)};
  std::memcpy(value, prefix.data(), prefix.size());
  std::memcpy(value + prefix.size(), bytes.data(), bytes.size());
  return reinterpret_cast<PropertyWord>(value);
}

PropertyWord ToWord(const PropertyValue& value, std::int32_t member) {
  if (const auto* font = std::get_if<std::optional<Font>>(&value)) {
    return member == kWholeValue ? FontWord(*font) : FontMemberWord(*font, member);
  }
  if (member != kWholeValue) RaiseRunTimeError(messages::MissingMember(member));
  if (const auto* integer = std::get_if<std::int32_t>(&value)) return *integer;
  if (const auto* text = std::get_if<std::string>(&value)) return TextWord(*text);
  if (const auto* items = std::get_if<TextList>(&value)) {
    std::string joined;
    for (std::size_t i = 0; i < items->size(); ++i) {
      if (i > 0) joined += "\r\n";
      joined += (*items)[i];
    }
    return TextWord(joined);
  }
  return BytesWord(std::get<Bytes>(value));
}

PropertyWord ReadProperty(std::uint32_t window_id, std::uint32_t control_id, std::int32_t property,
                          std::int32_t member) {
  const PropertyTarget target = FindTarget(window_id, control_id, property);
  std::optional<PropertyValue> live;
  if (target.window->alive && State().binding != nullptr) {
    live = State().binding->ReadLive(*target.window, *target.control, property);
  }
  return ToWord(live ? *live : target.control->properties[static_cast<std::size_t>(property)],
                member);
}

std::string WordText(PropertyWord word) {
  return word == 0 ? std::string() : std::string(reinterpret_cast<const char*>(word));
}

TextList SplitItems(const std::string& joined) {
  TextList items;
  if (joined.empty()) return items;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = joined.find("\r\n", start);
    items.push_back(joined.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 2;
  }
  return items;
}

std::optional<Font> FontFromRecord(PropertyWord word) {
  if (word == 0) return std::nullopt;
  FontRecord record{};
  std::memcpy(&record, reinterpret_cast<const void*>(word), sizeof record);
  Font font;
  font.face_gbk.assign(record.face_gbk.data(),
                       strnlen(record.face_gbk.data(), record.face_gbk.size()));
  font.height = record.height;
  font.width = record.width;
  font.escapement = record.escapement;
  font.orientation = record.orientation;
  font.weight = record.weight;
  font.italic = record.italic != 0;
  font.underline = record.underline != 0;
  font.strike_out = record.strike_out != 0;
  font.char_set = record.char_set;
  return font;
}

// A font member written to a control without a font starts from an empty font: face "" and
// height 0 mean the default GUI font's face and height.
std::optional<Font> WithFontMember(const std::optional<Font>& stored, std::int32_t member,
                                   PropertyWord word) {
  Font font = stored.value_or(Font{});
  const auto integer = static_cast<std::int32_t>(word);
  switch (member) {
    case kFontFace:
      font.face_gbk = WordText(word);
      break;
    case kFontHeight:
      font.height = integer;
      break;
    case kFontWidth:
      font.width = integer;
      break;
    case kFontEscapement:
      font.escapement = integer;
      break;
    case kFontOrientation:
      font.orientation = integer;
      break;
    case kFontWeight:
      font.weight = integer;
      break;
    case kFontItalic:
      font.italic = integer != 0;
      break;
    case kFontUnderline:
      font.underline = integer != 0;
      break;
    case kFontStrikeOut:
      font.strike_out = integer != 0;
      break;
    case kFontCharSet:
      font.char_set = static_cast<std::uint8_t>(integer);
      break;
    default:
      RaiseRunTimeError(messages::MissingMember(member));
  }
  return font;
}

Bytes BytesFromWord(PropertyWord word) {
  if (word == 0) return {};
  const auto* data = reinterpret_cast<const std::uint8_t*>(word);
  std::uint32_t length = 0;
  for (int i = 3; i >= 0; --i) length = (length << 8U) | data[i];
  return {data + 4, data + 4 + length};
}

PropertyValue FromWord(const PropertyValue& stored, std::int32_t member, PropertyWord word) {
  if (const auto* font = std::get_if<std::optional<Font>>(&stored)) {
    return member == kWholeValue ? FontFromRecord(word) : WithFontMember(*font, member, word);
  }
  if (member != kWholeValue) RaiseRunTimeError(messages::MissingMember(member));
  switch (static_cast<ValueType>(stored.index())) {
    case ValueType::kInteger:
      return static_cast<std::int32_t>(word);
    case ValueType::kText:
      return WordText(word);
    case ValueType::kTextList:
      return SplitItems(WordText(word));
    default:
      return BytesFromWord(word);
  }
}

void WriteProperty(std::uint32_t window_id, std::uint32_t control_id, std::int32_t property,
                   std::int32_t member, PropertyWord value, std::uint32_t /*high_word*/) {
  const PropertyTarget target = FindTarget(window_id, control_id, property);
  PropertyValue& slot = target.control->properties[static_cast<std::size_t>(property)];
  slot = FromWord(slot, member, value);
  if (target.window->alive && State().binding != nullptr) {
    State().binding->Apply(*target.window, *target.control, property);
  }
}

void RunHandler(Routine handler) {
  LayerState& state = State();
  if (state.handler_running) {
    state.waiting_handlers.push_back(handler);
    return;
  }
  // The running mark is cleared however the handlers end.
  struct ClearOnExit {
    bool& flag;
    ~ClearOnExit() { flag = false; }
  };
  state.handler_running = true;
  const ClearOnExit clear{state.handler_running};
  handler();
  while (!state.waiting_handlers.empty()) {
    const Routine next = state.waiting_handlers.front();
    state.waiting_handlers.erase(state.waiting_handlers.begin());
    next();
  }
}

}  // namespace

std::int32_t LoadedControl::Integer(std::int32_t number) const {
  return std::get<std::int32_t>(properties.at(static_cast<std::size_t>(number)));
}

const std::string& LoadedControl::Text(std::int32_t number) const {
  return std::get<std::string>(properties.at(static_cast<std::size_t>(number)));
}

const std::optional<Font>& LoadedControl::FontAt(std::int32_t number) const {
  return std::get<std::optional<Font>>(properties.at(static_cast<std::size_t>(number)));
}

const TextList& LoadedControl::Items(std::int32_t number) const {
  return std::get<TextList>(properties.at(static_cast<std::size_t>(number)));
}

const LoadedControl* LoadedWindow::Find(std::uint32_t control_id) const {
  if (control_id == window.id()) return &window;
  for (const LoadedControl& control : controls) {
    if (control.id() == control_id) return &control;
  }
  return nullptr;
}

void SetProgramDescription(const ProgramDescription* description) { State().source = description; }

PlatformBinding* InstallPlatformBinding(PlatformBinding* binding) {
  return std::exchange(State().binding, binding);
}

int EndProgram(int status) {
  LayerState& state = State();
  state.ending = true;
  state.prepared = nullptr;
  state.handlers.clear();
  if (const Routine exit_routine = std::exchange(state.exit_routine, nullptr)) exit_routine();
  if (state.binding != nullptr) state.binding->Release();
  state.windows.clear();
  state.waiting_handlers.clear();
  return status;
}

void DeliverEvent(std::uint32_t window_id, std::uint32_t control_id, std::int32_t event) {
  LayerState& state = State();
  if (state.loading || state.ending || ReportingRunTimeError()) return;
  const auto entry = state.windows.find(window_id);
  if (entry == state.windows.end() || !entry->second->alive) {
    RaiseRunTimeError(messages::kEventWindowNotFound);
  }
  const LoadedControl* control = entry->second->Find(control_id);
  if (control == nullptr) RaiseRunTimeError(messages::kEventControlNotFound);
  if (!KindRaisesEvents(control->kind())) RaiseRunTimeError(messages::kEventControlInvalid);
  const auto handler = state.handlers.find({window_id, control_id, event});
  if (handler != state.handlers.end()) RunHandler(handler->second);
}

void WindowDestroyed(std::uint32_t window_id) {
  LayerState& state = State();
  const auto entry = state.windows.find(window_id);
  if (entry == state.windows.end() || !entry->second->alive) return;
  entry->second->alive = false;
  if (!AnyWindowAlive() && state.binding != nullptr) state.binding->Quit(0);
}

const LoadedWindow* FindLoadedWindow(std::uint32_t window_id) {
  const auto entry = State().windows.find(window_id);
  return entry == State().windows.end() ? nullptr : entry->second.get();
}

std::vector<std::uint32_t> ComputeTabOrder(const WindowDescription& window) {
  std::vector<const ControlDescription*> focusable;
  for (std::size_t i = window.controls.size(); i-- > 0;) {
    const ControlDescription& control = window.controls[i];
    if (control.takes_focus && control.visible && !control.disabled) focusable.push_back(&control);
  }
  std::stable_sort(focusable.begin(), focusable.end(),
                   [](const ControlDescription* a, const ControlDescription* b) {
                     return a->tab_number < b->tab_number;
                   });
  std::vector<std::uint32_t> order;
  order.reserve(focusable.size());
  for (const ControlDescription* control : focusable) order.push_back(control->id);
  return order;
}

std::int32_t CentredStart(std::int32_t screen_start, std::int32_t screen_size, std::int32_t size) {
  return screen_start + (screen_size - size) / 2;
}

WindowServices& Services() {
  static WindowServices services = {
      .PrepareProgram = PrepareProgram,
      .RegisterExitRoutine = RegisterExitRoutine,
      .LoadWindow = LoadWindow,
      .RunMessageLoop = RunMessageLoop,
      .ReadProperty = ReadProperty,
      .WriteProperty = WriteProperty,
      .ReleaseValue = ReleaseValue,
  };
  return services;
}

}  // namespace quorvel
