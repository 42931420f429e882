// What the layers below the shell get from it: graphics and the island model
// keep the window alive through the main-loop step, drop queued input and
// end on a fatal error through FatalExit; the cursor shows the hand while
// the current mode's hot button asks for it.
#pragma once

// Connects graphics and the island model to the shell. The start-up does it
// first; tests of the shell's behaviour do it too.
void ConnectShellServices();
