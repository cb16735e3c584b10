// The window layer's entry points besides the services table: what the process start-up
// hands to the layer and how it ends, and the calls through which a platform binding reports
// back (clicks, destroyed windows).
#pragma once

#include <cstdint>
#include <vector>

#include "ui/platform_binding.h"
#include "ui/window_description.h"

namespace quorvel {

// The description that PrepareProgram takes in. It must outlive the program's run; null
// leaves nothing to take in, which PrepareProgram reports as unreadable description data.
void SetProgramDescription(const ProgramDescription* description);

// The binding through which windows are made; null for none (then no window can load).
// Returns the previous binding.
PlatformBinding* InstallPlatformBinding(PlatformBinding* binding);

// The orderly end after StartProgram has returned `status`: discards the descriptions, calls
// the exit routine once, releases the binding's resources and returns `status`. The layer is
// then ready for another PrepareProgram.
int EndProgram(int status);

// A control raised `event`: calls the handler bound to (window, control, event), if any.
// Events raised while a window loads, while a run-time error is being reported or after the
// program has begun to end are dropped; one raised while a handler runs waits for its end.
void DeliverEvent(std::uint32_t window_id, std::uint32_t control_id, std::int32_t event);

// The platform window has been destroyed. When no loaded window is left, the message loop is
// asked to quit with code 0.
void WindowDestroyed(std::uint32_t window_id);

// The loaded window with this identifier, alive or destroyed; null if it was never loaded.
const LoadedWindow* FindLoadedWindow(std::uint32_t window_id);

// The controls that take the focus (visible, enabled, takes-focus flag set), sorted by
// tab-order number; equal numbers follow the reverse of the stored order.
std::vector<std::uint32_t> ComputeTabOrder(const WindowDescription& window);

// Where a window of `size` pixels starts when centred on a screen of `screen_size` pixels
// that starts at `screen_start`; the division truncates toward zero.
std::int32_t CentredStart(std::int32_t screen_start, std::int32_t screen_size, std::int32_t size);

}  // namespace quorvel
