# The native Windows build: the program and the class library on the real
# desktop API, with the Windows entry and driver; resources compiled by
# windres from a script written at build time from res/.
enable_language(RC)

# The resource script comes from the same data the Linux build reads.
include(${CMAKE_SOURCE_DIR}/cmake/ResourceTool.cmake)
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
  ${DOTWISE_DRIVER_SOURCES}
  platform/windows/AccessibleControls.cpp
  platform/windows/AccessibleProxy.cpp
  platform/accessibility/FieldLabel.cpp
  platform/windows/DriverPump.cpp
  platform/windows/LocaleOverride.cpp
  platform/windows/ProgramEntry.cpp
  ${DOTWISE_RC_DIR}/main.rc
)
target_include_directories(dotwise PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(dotwise PRIVATE dotwise_warnings)
# The API's min and max macros would hide the standard library's.
target_compile_definitions(dotwise PRIVATE NOMINMAX WIN32_LEAN_AND_MEAN DOTWISE_VERSION="${PROJECT_VERSION}")
# One file to copy: the C++ runtime and the threads library go inside.
target_link_options(dotwise PRIVATE -static -static-libgcc -static-libstdc++)
target_link_libraries(dotwise PRIVATE comctl32 user32 gdi32 kernel32)

# The badges' icons through the platform's own CreateIconFromResourceEx, run under Wine by the tests.
add_executable(badge_icon_check tests/windows/BadgeIconCheck.cpp badge/BadgeImage.cpp badge/BadgePictures.cpp)
target_include_directories(badge_icon_check PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(badge_icon_check PRIVATE dotwise_warnings)
target_compile_definitions(badge_icon_check PRIVATE NOMINMAX WIN32_LEAN_AND_MEAN)
target_link_options(badge_icon_check PRIVATE -static -static-libgcc -static-libstdc++)
target_link_libraries(badge_icon_check PRIVATE user32 gdi32)

# What a screen reader reads of the running program through MSAA, run under Wine by the tests.
add_executable(accessible_probe tests/windows/AccessibleProbe.cpp)
target_link_libraries(accessible_probe PRIVATE dotwise_warnings)
target_compile_definitions(accessible_probe PRIVATE NOMINMAX WIN32_LEAN_AND_MEAN)
target_link_options(accessible_probe PRIVATE -static -static-libgcc -static-libstdc++)
target_link_libraries(accessible_probe PRIVATE oleacc oleaut32 ole32 user32)

# What a Windows user downloads: a zip to unpack anywhere and an installer,
# each with the stripped program, a README for Windows users and the licence,
# both with the line ends Windows editors expect.
foreach(pair "res/package/README-windows.txt;README.txt" "LICENSE;LICENSE.txt")
  list(GET pair 0 source)
  list(GET pair 1 target)
  configure_file(${CMAKE_SOURCE_DIR}/${source} ${CMAKE_BINARY_DIR}/package/${target} @ONLY NEWLINE_STYLE CRLF)
endforeach()
install(TARGETS dotwise RUNTIME DESTINATION .)
install(FILES ${CMAKE_BINARY_DIR}/package/README.txt ${CMAKE_BINARY_DIR}/package/LICENSE.txt DESTINATION .)

set(CPACK_PACKAGE_NAME Dotwise)
set(CPACK_PACKAGE_VENDOR "Dotwise developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME dotwise-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Dotwise)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Dotwise)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_BINARY_DIR}/package/LICENSE.txt)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
# The installer: per machine for an administrator, else for the user alone;
# a Start-menu shortcut with the program's icon, and an uninstaller listed
# with the version and publisher among the installed programs.
set(CPACK_PACKAGE_EXECUTABLES dotwise Dotwise)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_PACKAGE_NAME Dotwise)
set(CPACK_NSIS_DISPLAY_NAME Dotwise)
set(CPACK_NSIS_MUI_ICON ${DOTWISE_RC_DIR}/Dotwise.ico)
set(CPACK_NSIS_MUI_UNIICON ${DOTWISE_RC_DIR}/Dotwise.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME dotwise.exe)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
# A 64-bit installer for a 64-bit program: it runs where the program runs
# (a 64-bit system may lack the 32-bit layer), into the 64-bit Program Files.
# It asks for an administrator's rights only of an administrator: anyone else
# installs for themselves, into a folder of their own.
set(CPACK_NSIS_DEFINES "Target amd64-unicode\nRequestExecutionLevel highest")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
# One install at a time: an earlier one, wherever it is, is uninstalled first,
# so that a second install into another folder leaves no copy listed nowhere.
# Its uninstaller runs in place and cannot remove itself: it goes afterwards.
set(CPACK_NSIS_EXTRA_PREINSTALL_COMMANDS [=[
  ReadRegStr $R0 SHCTX "Software\Microsoft\Windows\CurrentVersion\Uninstall\Dotwise" "UninstallString"
  StrCmp $R0 "" +14
  StrCpy $R1 $R0 1
  StrCmp $R1 '"' 0 +2
  StrCpy $R0 $R0 -1 1
  StrCpy $R1 $R0 -14
  IfFileExists $R0 0 +9
  ClearErrors
  ExecWait '"$R0" /S _?=$R1' $R2
  IfErrors +2
  IntCmp $R2 0 +3
  MessageBox MB_OK|MB_ICONSTOP "The Dotwise already installed in $R1 could not be removed: close it, then install again." /SD IDOK
  Abort
  Delete $R0
  RMDir $R1
  SetOutPath "$INSTDIR"
]=])
# A running program cannot be removed: the uninstaller says so and removes nothing.
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS [=[
  IfFileExists "$INSTDIR\dotwise.exe" 0 +7
  ClearErrors
  FileOpen $R0 "$INSTDIR\dotwise.exe" a
  IfErrors 0 +3
  MessageBox MB_OK|MB_ICONSTOP "Dotwise is running: close it, then uninstall again." /SD IDOK
  Abort
  FileClose $R0
]=])
# The NSIS commands above hold quotes and backslashes that must reach the script as written.
set(CPACK_VERBATIM_VARIABLES ON)
include(CPack)
