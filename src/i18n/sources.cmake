target_sources(trk5120core PRIVATE
  i18n/Texts.cpp
)
# The language window.
target_sources(trk5120gui PRIVATE
  i18n/FrmSetLanguage.cpp
  i18n/FrmSetLanguage.h
)
