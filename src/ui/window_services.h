// The window services: the one table of operations through which the application makes
// every call into the window layer. Controls are reached by window identifier, control
// identifier and property number, never by object.
#pragma once

#include <cstdint>

namespace quorvel {

// A property value travels as one pointer-sized word: integers (coordinates, flags,
// colours, the combo box selection) sign-extended, texts as a TextValue (char*, GBK,
// NUL-terminated, null for no text). A text read hands out a new value that the caller
// releases with ReleaseValue; a text written is copied and stays the caller's.
using PropertyWord = std::intptr_t;

// Member selector: -1 takes the whole value; other members pick one part of a font.
inline constexpr std::int32_t kWholeValue = -1;

// An application routine bound to an event, or the exit routine.
using Routine = void (*)();

struct WindowServices {
  void (*PrepareProgram)();
  void (*RegisterExitRoutine)(Routine routine);
  void (*LoadWindow)(std::uint32_t window_id);
  int (*RunMessageLoop)();
  PropertyWord (*ReadProperty)(std::uint32_t window_id, std::uint32_t control_id,
                               std::int32_t property, std::int32_t member);
  void (*WriteProperty)(std::uint32_t window_id, std::uint32_t control_id, std::int32_t property,
                        std::int32_t member, PropertyWord value, std::uint32_t high_word);
  void (*ReleaseValue)(const void* value);
};

// The table the application calls. Tests may replace entries to observe the calls and
// must restore the table afterwards.
WindowServices& Services();

}  // namespace quorvel
