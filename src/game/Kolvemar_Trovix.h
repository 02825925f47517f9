// The program driver: starts every module in order and runs the game from the
// intro to the farewell.
#pragma once

namespace Kolvemar_Trovix {

// The whole program; returns the process exit code.
int Main();

} // namespace Kolvemar_Trovix
