#pragma once

namespace zor {

// Starts the viewer and runs its event loop; returns the exit status.
int RunGui(int argc, char** argv);

}  // namespace zor
