target_sources(trk5120core PRIVATE
  i18n/ChannelTexts.cpp
  i18n/Texts.cpp
)
