target_sources(trk5120core PRIVATE
  document/Conversions.cpp
  document/RadioDocumentOps.cpp
  document/ToneCodes.cpp
)
