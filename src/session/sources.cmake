# Program-wide state, settings and the question interface: the session every window,
# the command-line tool and the tests are handed.
target_sources(trk5120core PRIVATE
  session/AppState.h
  session/DocumentEvents.h
  session/DocumentHistory.cpp
  session/DocumentHistory.h
  session/IniFile.cpp
  session/IniFile.h
  session/NewDocument.cpp
  session/RadioOperation.cpp
  session/RadioOperation.h
  session/Settings.cpp
  session/Settings.h
  session/SettingsLocation.cpp
  session/SettingsLocation.h
  session/TransferSafeguards.cpp
  session/TransferSafeguards.h
  session/UserPrompt.h
)
