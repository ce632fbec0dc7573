# Serial port layer and clone engine (core); progress and port windows (gui).
target_sources(trk5120core PRIVATE
  link/CloneEngine.cpp
  link/CloneEngine.h
  link/LinkFrames.cpp
  link/LinkFrames.h
  link/LinkProgress.h
  link/LinkTexts.cpp
  link/LinkTexts.h
  link/PortDirectory.cpp
  link/PortDirectory.h
  link/QtSerialLink.cpp
  link/QtSerialLink.h
  link/SerialLink.h
)
# The progress and port windows.
target_sources(trk5120gui PRIVATE
  link/FrmComSet.cpp
  link/FrmComSet.h
  link/FrmProgress.cpp
  link/FrmProgress.h
)
