target_sources(trk5120core PRIVATE
  i18n/LinkTexts.cpp
  i18n/LinkTexts.h
  i18n/Texts.cpp
)
