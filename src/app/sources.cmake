target_sources(trk5120core PRIVATE
  app/IniFile.cpp
  app/Settings.cpp
  app/NewDocument.cpp
)
