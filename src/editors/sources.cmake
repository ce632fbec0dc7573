# Editor windows: each kind lists its own sources.
include(${CMAKE_CURRENT_LIST_DIR}/channels/sources.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/features/sources.cmake)
