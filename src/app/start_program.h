// The application's start routine and its two routines of the program's life.
#pragma once

namespace quorvel {

// Prepares the window layer, resets the floating-point unit, shows MainWindow and runs the
// event loop until the window is closed; returns 0.
int StartProgram();

// Runs after the floating-point reset, before the window loads. This program has nothing
// to do there.
void InitRoutine();

// Runs once at an orderly end, after the event loop. This program has nothing to do there.
void ExitRoutine();

}  // namespace quorvel
