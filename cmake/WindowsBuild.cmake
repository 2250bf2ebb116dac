# The native Windows build: the program and the class library on the real
# desktop API, with the Windows entry and driver; resources compiled by
# windres from a script written at build time from res/.
enable_language(RC)

# The resource script comes from the same data the Linux build reads, by a
# small tool built for the machine that builds.
find_program(DOTWISE_HOST_CXX NAMES c++ g++ clang++ REQUIRED)
set(DOTWISE_RESOURCE_TOOL_SOURCES
  ${CMAKE_SOURCE_DIR}/tools/write_resource_script.cpp
  ${CMAKE_SOURCE_DIR}/tools/ResourceScript.cpp
  ${CMAKE_SOURCE_DIR}/badge/BadgeImage.cpp
  ${CMAKE_SOURCE_DIR}/res/DotwiseResources.cpp
  ${CMAKE_SOURCE_DIR}/res/IconImages.cpp
  ${CMAKE_SOURCE_DIR}/platform/window_system/Resources.cpp)
set(DOTWISE_RC_DIR ${CMAKE_BINARY_DIR}/resources)
add_custom_command(
  OUTPUT ${DOTWISE_RC_DIR}/dotwise.rc ${DOTWISE_RC_DIR}/Dotwise.ico
  COMMAND ${CMAKE_COMMAND} -E make_directory ${DOTWISE_RC_DIR}
  COMMAND ${DOTWISE_HOST_CXX} -std=c++20 -O1 -I${CMAKE_SOURCE_DIR} -I${CMAKE_SOURCE_DIR}/platform/win32
          ${DOTWISE_RESOURCE_TOOL_SOURCES} -o ${CMAKE_BINARY_DIR}/write_resource_script_host
  COMMAND ${CMAKE_BINARY_DIR}/write_resource_script_host ${DOTWISE_RC_DIR}
  DEPENDS ${DOTWISE_RESOURCE_TOOL_SOURCES}
  COMMENT "Writing the resource script from res/")
# The script the build compiles: the program's resources and the manifest.
configure_file(${CMAKE_SOURCE_DIR}/platform/windows/dotwise.manifest ${DOTWISE_RC_DIR}/dotwise.manifest COPYONLY)
file(WRITE ${DOTWISE_RC_DIR}/main.rc
  "#include \"dotwise.rc\"\n// The manifest: UTF-8 as the code page of the A functions, and how the program meets the display's scale.\n1 24 \"dotwise.manifest\"\n")
set_source_files_properties(${DOTWISE_RC_DIR}/main.rc PROPERTIES OBJECT_DEPENDS "${DOTWISE_RC_DIR}/dotwise.rc;${DOTWISE_RC_DIR}/Dotwise.ico;${DOTWISE_RC_DIR}/dotwise.manifest")
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001 -I${DOTWISE_RC_DIR}")

add_executable(dotwise WIN32
  ${DOTWISE_PROGRAM_SOURCES}
  ${DOTWISE_CLASS_LIBRARY_SOURCES}
  platform/headless/DriverScript.cpp
  platform/windows/LocaleOverride.cpp
  platform/windows/ProgramEntry.cpp
  platform/windows/WindowsDriver.cpp
  ${DOTWISE_RC_DIR}/main.rc
)
target_include_directories(dotwise PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(dotwise PRIVATE ${DOTWISE_WARNINGS})
# The API's min and max macros would hide the standard library's.
target_compile_definitions(dotwise PRIVATE NOMINMAX WIN32_LEAN_AND_MEAN DOTWISE_VERSION="${PROJECT_VERSION}")
# One file to copy: the C++ runtime and the threads library go inside.
target_link_options(dotwise PRIVATE -static -static-libgcc -static-libstdc++)
target_link_libraries(dotwise PRIVATE comctl32 user32 gdi32 kernel32)

# The badges' icons through the platform's own CreateIconFromResourceEx, run under Wine by the tests.
add_executable(badge_icon_check tests/windows/BadgeIconCheck.cpp badge/BadgeImage.cpp badge/BadgePictures.cpp)
target_include_directories(badge_icon_check PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(badge_icon_check PRIVATE ${DOTWISE_WARNINGS})
target_compile_definitions(badge_icon_check PRIVATE NOMINMAX WIN32_LEAN_AND_MEAN)
target_link_options(badge_icon_check PRIVATE -static -static-libgcc -static-libstdc++)
target_link_libraries(badge_icon_check PRIVATE user32 gdi32)
