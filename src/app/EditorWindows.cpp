#include "app/ChildWindows.h"

#include "editors/features/AudioTonePlayer.h"
#include "editors/features/DtmfWindow.h"
#include "editors/features/OptionFeaturesWindow.h"
#include "editors/features/RogerBeepWindow.h"

// The channel, optional-features, DTMF and roger-beep editors add their entries here
// as they are written; until then their commands open nothing.
void RegisterEditorWindows(ChildWindows& windows)
{
    windows.add(ChildKind::OptFeatures,
                {[](EditorServices& s) -> QWidget* { return new OptionFeaturesWindow(s.app, s.events); },
                 [](QWidget* window) {
                     if (auto* features = qobject_cast<OptionFeaturesWindow*>(window))
                         features->commitPendingEdits();
                 }});
    windows.add(ChildKind::DTMF, {[](EditorServices& s) -> QWidget* { return new DtmfWindow(s.app, s.events); }, {}});
    windows.add(ChildKind::ToneTips, {[](EditorServices& s) -> QWidget* {
                                          TonePlayer* player = s.makeTonePlayer ? s.makeTonePlayer(nullptr)
                                                                                : new AudioTonePlayer;
                                          return new RogerBeepWindow(s.app, s.events, player);
                                      },
                                      {}});
}
