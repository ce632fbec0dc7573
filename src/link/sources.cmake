# Serial port layer, port numbering and the clone engine.
target_sources(trk5120core PRIVATE
  link/CloneEngine.cpp
  link/CloneEngine.h
  link/LinkFrames.cpp
  link/LinkFrames.h
  link/LinkProgress.h
  link/LinkTimer.cpp
  link/LinkTimer.h
  link/PortDirectory.cpp
  link/PortDirectory.h
  link/QtSerialLink.cpp
  link/QtSerialLink.h
  link/SerialLink.h
)
