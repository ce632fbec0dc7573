#include "app/ChildWindows.h"

#include "editors/channels/ChannelWindow.h"

// The editor windows the main window can open. The optional-features, DTMF and roger-beep
// editors add their entries here as they are written; until then their commands open nothing.
void RegisterEditorWindows(ChildWindows& windows) {
    windows.add(ChildKind::ChannelInfo, {[](EditorServices& services) -> QWidget* {
                                             return new ChannelWindow(services.app, services.prompt,
                                                                      services.events);
                                         },
                                         [](QWidget* window) {
                                             if (auto* channels = qobject_cast<ChannelWindow*>(window))
                                                 channels->SaveShowGridData();
                                         }});
}
