# The small tool that writes the program's resources out as a resource script
# and an icon file (tools/write_resource_script.cpp), built for the machine
# that builds, from the same data the Linux build reads. The Windows build
# compiles its script; the page takes its icon.
find_program(DOTWISE_HOST_CXX NAMES c++ g++ clang++ REQUIRED)
set(DOTWISE_RESOURCE_TOOL_SOURCES
  ${CMAKE_SOURCE_DIR}/tools/write_resource_script.cpp
  ${CMAKE_SOURCE_DIR}/tools/ResourceScript.cpp
  ${CMAKE_SOURCE_DIR}/badge/BadgeImage.cpp
  ${CMAKE_SOURCE_DIR}/res/DotwiseResources.cpp
  ${CMAKE_SOURCE_DIR}/res/IconImages.cpp
  ${CMAKE_SOURCE_DIR}/platform/window_system/Resources.cpp
  ${CMAKE_SOURCE_DIR}/platform/window_system/InterfaceLanguage.cpp)
