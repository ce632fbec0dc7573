#include "app/ChildWindows.h"

// The channel, optional-features, DTMF and roger-beep editors add their entries here
// as they are written; until then their commands open nothing.
void RegisterEditorWindows(ChildWindows& windows)
{
    (void)windows;
}
