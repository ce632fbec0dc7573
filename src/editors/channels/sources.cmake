# The channel editor: its rules over the document in the core, its window in the GUI.
target_sources(trk5120core PRIVATE
  editors/channels/ChannelRules.cpp
  editors/channels/ChannelRules.h
  editors/channels/FrequencyRules.cpp
  editors/channels/FrequencyRules.h
)
target_sources(trk5120gui PRIVATE
  editors/channels/ChannelDetailPanel.cpp
  editors/channels/ChannelDetailPanel.h
  editors/channels/ChannelWindow.cpp
  editors/channels/ChannelWindow.h
  editors/channels/FrequencyEditor.cpp
  editors/channels/FrequencyEditor.h
  editors/channels/GroupPanel.cpp
  editors/channels/GroupPanel.h
)
