# Optional features, DTMF codes and roger-beep tones: the rules and the tone synthesis in the
# core, the windows and the sound output in the GUI.
target_sources(trk5120core PRIVATE
  editors/features/DtmfRules.cpp
  editors/features/DtmfRules.h
  editors/features/OptionFeatureRules.cpp
  editors/features/OptionFeatureRules.h
  editors/features/RogerBeepRules.cpp
  editors/features/RogerBeepRules.h
  editors/features/RogerPlayback.cpp
  editors/features/RogerPlayback.h
  editors/features/TonePlayer.cpp
  editors/features/TonePlayer.h
  editors/features/ToneSynthesis.cpp
  editors/features/ToneSynthesis.h
)
target_sources(trk5120gui PRIVATE
  editors/features/AudioTonePlayer.cpp
  editors/features/AudioTonePlayer.h
  editors/features/DtmfWindow.cpp
  editors/features/DtmfWindow.h
  editors/features/FeatureForm.cpp
  editors/features/FeatureForm.h
  editors/features/OptionFeaturesWindow.cpp
  editors/features/OptionFeaturesWindow.h
  editors/features/RogerBeepWindow.cpp
  editors/features/RogerBeepWindow.h
)
