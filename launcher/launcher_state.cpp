// The launcher's state with its defaults, in place before WinMain runs.
#include "launcher_state.h"

LauncherState g_state = {1024, 768, 1, 2, 1, 1, 0, NULL, NULL, NULL};
