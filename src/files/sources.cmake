target_sources(trk5120core PRIVATE
  files/DataFile.cpp
  files/DocumentDiff.cpp
  files/SystemProgramLauncher.cpp
  files/VersionTable.cpp
)
