include(editors/channels/sources.cmake)
