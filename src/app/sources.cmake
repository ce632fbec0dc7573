# The desktop program: main window, its dialogs and the start-up sequence.
target_sources(trk5120gui PRIVATE
  app/AboutWindow.cpp
  app/AboutWindow.h
  app/Artwork.cpp
  app/Artwork.h
  app/ChildWindows.cpp
  app/ChildWindows.h
  app/EditorWindows.cpp
  app/FileChooser.cpp
  app/FileChooser.h
  app/LanguageWindow.cpp
  app/LanguageWindow.h
  app/MainWindow.cpp
  app/MainWindow.h
  app/MessageBoxPrompt.cpp
  app/MessageBoxPrompt.h
  app/ModMain.cpp
  app/ModMain.h
  app/PortWindow.cpp
  app/PortWindow.h
  app/ProgressWindow.cpp
  app/ProgressWindow.h
)
set_source_files_properties(app/AboutWindow.cpp PROPERTIES
  COMPILE_DEFINITIONS TRK_VERSION_TEXT="${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}")

add_executable(trk5120 app/main.cpp)
target_link_libraries(trk5120 PRIVATE trk5120gui)
trk_program(trk5120)

# The frame's background pictures are drawn by the program's own code at build time.
add_executable(trk5120-make-pictures app/MakePictures.cpp)
target_link_libraries(trk5120-make-pictures PRIVATE trk5120gui)
set(TRK_PICTURES ${TRK_STAGE_DIR}/${TRK_PROGRAM_DIR}/PIC/BK_1.jpg ${TRK_STAGE_DIR}/${TRK_PROGRAM_DIR}/PIC/BK_2.jpg)
add_custom_command(OUTPUT ${TRK_PICTURES}
  COMMAND trk5120-make-pictures ${TRK_STAGE_DIR}/${TRK_PROGRAM_DIR}/PIC
  DEPENDS trk5120-make-pictures
  COMMENT "Drawing the background pictures")
add_custom_target(trk5120-pictures ALL DEPENDS ${TRK_PICTURES})
install(FILES ${TRK_PICTURES} DESTINATION ${TRK_PROGRAM_DIR}/PIC)

# Desktop integration: the launcher entry and its icon, beside the program.
configure_file(app/trk5120.svg ${TRK_STAGE_DIR}/${TRK_PROGRAM_DIR}/trk5120.svg COPYONLY)
configure_file(app/trk5120.desktop ${TRK_STAGE_DIR}/${TRK_PROGRAM_DIR}/trk5120.desktop COPYONLY)
install(FILES app/trk5120.svg app/trk5120.desktop DESTINATION ${TRK_PROGRAM_DIR})

# Documentation tool behind scripts/screenshot.sh; not installed.
add_executable(trk5120-screenshot app/Screenshot.cpp)
target_link_libraries(trk5120-screenshot PRIVATE trk5120gui)
