// MainWindow, the calculator's only window: its description as the window services take it
// in, and the program description that carries it with the program's icon.
#pragma once

#include "ui/window_description.h"

namespace quorvel {

// The window entry and its seven controls in stored order; the button's click is bound to
// ComputeClicked.
const WindowDescription& MainWindowDescription();

// MainWindow and DEFAULT_ICON (16, 32 and 48 pixels): what PrepareProgram takes in.
const ProgramDescription& MainProgramDescription();

}  // namespace quorvel
