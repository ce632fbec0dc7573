target_sources(trk5120core PRIVATE
  image/MemoryImage.cpp
)
