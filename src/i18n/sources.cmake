target_sources(trk5120core PRIVATE
  i18n/ChannelTexts.cpp
  i18n/DiffTexts.cpp
  i18n/EditTexts.cpp
  i18n/EditTexts.h
  i18n/ExchangeTexts.cpp
  i18n/FeatureTexts.cpp
  i18n/FeatureTexts.h
  i18n/LinkTexts.cpp
  i18n/LinkTexts.h
  i18n/SafeguardTexts.cpp
  i18n/SafeguardTexts.h
  i18n/Texts.cpp
)
