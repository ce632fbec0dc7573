target_sources(trk5120core PRIVATE
  files/DataFile.cpp
  files/DocumentDiff.cpp
  files/DocumentDiff.h
  files/ChannelCsv.cpp
  files/DocumentJson.cpp
  files/FileAccess.cpp
  files/FileAccess.h
  files/ImageBackup.cpp
  files/ImageBackup.h
  files/SystemProgramLauncher.cpp
  files/VersionTable.cpp
)
