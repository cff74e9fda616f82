# torvane_assetgen <repo-root> [<output-root>]: renders assets-src/ into src/assets/files/ and
# docs/contact-sheet.png below the output root (the repository itself when none is given).
find_package(Qt6 REQUIRED COMPONENTS Gui Svg)

add_executable(torvane_assetgen
  ${CMAKE_CURRENT_LIST_DIR}/main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_formats.cpp
  ${CMAKE_CURRENT_LIST_DIR}/render.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cursors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/toolbar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/penguin.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gif_writer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sounds.cpp
  ${CMAKE_CURRENT_LIST_DIR}/contact_sheet.cpp)
target_include_directories(torvane_assetgen PRIVATE ${CMAKE_CURRENT_LIST_DIR} ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(torvane_assetgen PRIVATE Qt6::Gui Qt6::Svg torvane_ms_adpcm)
