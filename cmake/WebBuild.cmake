# The page: the program, the class library and our window system compiled to
# WebAssembly by Emscripten, on the web back end, with the renderer the Linux
# window draws with. The build's site/ folder is all a static web server needs:
# index.html, the program's script and WebAssembly (named by their content's
# hash), the same with the driver for the page's tests and automation (loaded
# only where the address asks, with ?driver), the icons, the web app manifest
# and the service worker that keeps the page's files for use offline.
set(DOTWISE_SITE_DIR ${CMAKE_BINARY_DIR}/site)
set(DOTWISE_PROGRAM_DIR ${CMAKE_BINARY_DIR}/program)
# Compiled once for both builds of the page: the one people load, and the
# driven one that also has the driver, for the page's tests and automation.
add_library(dotwise_page OBJECT
  ${DOTWISE_PROGRAM_SOURCES}
  ${DOTWISE_CLASS_LIBRARY_SOURCES}
  ${DOTWISE_WINDOW_SYSTEM_SOURCES}
  res/DotwiseResources.cpp
  res/IconImages.cpp
  platform/gui/DrawnDialogs.cpp
  platform/gui/Renderer.cpp
  platform/web/AriaMirror.cpp
  platform/web/BrowserFont.cpp
  platform/web/BrowserLocaleSource.cpp
  platform/web/CanvasContext.cpp
  platform/web/ProgramEntry.cpp
  platform/web/WebBackend.cpp
)
# Asyncify instruments every function that may be on the stack when the program
# waits, and as it cannot see where an indirect call leads, every function that
# makes one, and their callers. These library functions make indirect calls that
# never reach the program: operator new calls the new-handler, and the program
# installs none; RTTI's casts call type_info's own virtual functions; printf and
# strtod write and read a string or a stream through their FILE's functions; the
# string search calls char_traits. So nothing that waits can be above them on the
# stack, and they are left as they are: left in, nearly every function that
# allocates was instrumented, 10 KB of the module's 97 KB compressed. The driven
# page checks the claim: each function left out traps if a wait passes through it.
set(DOTWISE_NEVER_WAITS
  "operator new*" "std::__2::__libcpp_allocate*"
  "__dynamic_cast" "__cxxabiv1::*"
  "*printf*" "out" "pop_arg" "fmt_fp" "__shgetc"
  "*__str_find_first_of*")
list(JOIN DOTWISE_NEVER_WAITS "\", \"" DOTWISE_NEVER_WAITS_JSON)
# Written only when it changes, so that configuring again relinks nothing.
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/never-waits.json CONTENT "[\"${DOTWISE_NEVER_WAITS_JSON}\"]\n" @ONLY)
function(dotwise_page_program target output_name)
  set_target_properties(${target} PROPERTIES OUTPUT_NAME ${output_name}
    RUNTIME_OUTPUT_DIRECTORY ${DOTWISE_PROGRAM_DIR} SUFFIX .js
    LINK_DEPENDS "${CMAKE_SOURCE_DIR}/platform/web/page.js;${CMAKE_BINARY_DIR}/never-waits.json")
  target_link_libraries(${target} PRIVATE dotwise_page dotwise_warnings)
  # The program waits for input in its own loops; Asyncify lets each wait hand
  # the browser back its turn and resume where it stood.
  # The desktop API tells a resource's number from its name's address by the
  # address's high bits (IS_INTRESOURCE): the program's data and stack start
  # above the first 64 KiB, where a WebAssembly module would put them low.
  target_link_options(${target} PRIVATE -sGLOBAL_BASE=65536 -sTOTAL_STACK=1048576
    -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536 -sASYNCIFY_REMOVE=@${CMAKE_BINARY_DIR}/never-waits.json
    -sALLOW_MEMORY_GROWTH=1 -sENVIRONMENT=web -sEXIT_RUNTIME=0 -sMALLOC=emmalloc -Os
    --pre-js ${CMAKE_SOURCE_DIR}/platform/web/page.js)
endfunction()
# The driver reports a bad command by throwing, as everywhere; the rest is built
# without exceptions. Each function that can unwind goes through a JavaScript
# trampoline (invoke_), which Asyncify must take for a wait: with exceptions
# everywhere it instruments nearly a thousand functions and doubles the module.
# The headers, the floating-point conversions this C++ library lacks, and the build
# for size go to both programs' own sources too. For size: a visitor waits for every
# byte, and the program spends its time in the browser's drawing, not its own loops.
target_include_directories(dotwise_page PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/platform/win32)
target_link_libraries(dotwise_page PRIVATE dotwise_warnings)
target_compile_options(dotwise_page PUBLIC -include ${CMAKE_SOURCE_DIR}/platform/web/FloatingCharconv.h -Os PRIVATE -fno-exceptions)
# The page people load: no driver, and nothing built with exceptions.
add_executable(dotwise platform/web/PageWithoutDriver.cpp)
dotwise_page_program(dotwise dotwise)
target_compile_options(dotwise PRIVATE -fno-exceptions)
# The driven page: the same, with the driver and its exceptions.
add_executable(dotwise_driven ${DOTWISE_DRIVER_SOURCES} platform/web/PageDriver.cpp)
dotwise_page_program(dotwise_driven dotwise-driven)
target_compile_options(dotwise_driven PRIVATE -fexceptions)
target_link_options(dotwise_driven PRIVATE -fexceptions -sBINARYEN_EXTRA_PASSES=--pass-arg=asyncify-asserts)
# The page's icon is the program's: the icon file a native build writes from
# res/, by the same small tool.
include(${CMAKE_SOURCE_DIR}/cmake/ResourceTool.cmake)
set(DOTWISE_WEB_ICON_TOOL_SOURCES
  ${CMAKE_SOURCE_DIR}/tools/write_web_icons.cpp
  ${CMAKE_SOURCE_DIR}/platform/gui/PngWriter.cpp
  ${CMAKE_SOURCE_DIR}/res/DotwiseResources.cpp
  ${CMAKE_SOURCE_DIR}/res/IconImages.cpp
  ${CMAKE_SOURCE_DIR}/platform/window_system/Resources.cpp
  ${CMAKE_SOURCE_DIR}/platform/window_system/InterfaceLanguage.cpp)
add_custom_command(
  OUTPUT ${DOTWISE_SITE_DIR}/dotwise-192.png ${DOTWISE_SITE_DIR}/dotwise-512.png
  COMMAND ${CMAKE_COMMAND} -E make_directory ${DOTWISE_SITE_DIR}
  COMMAND ${DOTWISE_HOST_CXX} -std=c++20 -O1 -I${CMAKE_SOURCE_DIR} -I${CMAKE_SOURCE_DIR}/platform/win32
          ${DOTWISE_WEB_ICON_TOOL_SOURCES} -lpng -o ${CMAKE_BINARY_DIR}/write_web_icons_host
  COMMAND ${CMAKE_BINARY_DIR}/write_web_icons_host ${DOTWISE_SITE_DIR}
  DEPENDS ${DOTWISE_WEB_ICON_TOOL_SOURCES}
  COMMENT "Writing the page's app icons from res/")
add_custom_command(
  OUTPUT ${DOTWISE_SITE_DIR}/favicon.ico
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/resources
  COMMAND ${DOTWISE_HOST_CXX} -std=c++20 -O1 -I${CMAKE_SOURCE_DIR} -I${CMAKE_SOURCE_DIR}/platform/win32
          ${DOTWISE_RESOURCE_TOOL_SOURCES} -o ${CMAKE_BINARY_DIR}/write_resource_script_host
  COMMAND ${CMAKE_BINARY_DIR}/write_resource_script_host ${CMAKE_BINARY_DIR}/resources
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/resources/Dotwise.ico ${DOTWISE_SITE_DIR}/favicon.ico
  DEPENDS ${DOTWISE_RESOURCE_TOOL_SOURCES}
  COMMENT "Writing the page's icon from res/")
# The page's font: the dialog's face cut down to the characters the program can show,
# in two parts, its Latin and its Chinese, so that the page in English fetches no Chinese.
set(DOTWISE_FONT_TEXT_SOURCES
  ${CMAKE_SOURCE_DIR}/res/DotwiseResources.cpp
  ${CMAKE_SOURCE_DIR}/platform/window_system/Menu.cpp
  ${CMAKE_SOURCE_DIR}/platform/window_system/EditControl.cpp
  ${CMAKE_SOURCE_DIR}/platform/window_system/MessageDialog.cpp
  ${CMAKE_SOURCE_DIR}/platform/class_library/AfxStrings.cpp
  ${CMAKE_SOURCE_DIR}/badge/IconBadge.cpp)
add_custom_command(
  OUTPUT ${DOTWISE_SITE_DIR}/dotwise-song-latin.woff2 ${DOTWISE_SITE_DIR}/dotwise-song-cjk.woff2
  COMMAND ${CMAKE_COMMAND} -E make_directory ${DOTWISE_SITE_DIR}
  COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tools/web_font_subset.py
          ${DOTWISE_SITE_DIR}/dotwise-song-latin.woff2 ${DOTWISE_SITE_DIR}/dotwise-song-cjk.woff2 ${DOTWISE_FONT_TEXT_SOURCES}
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/web_font_subset.py ${DOTWISE_FONT_TEXT_SOURCES}
  COMMENT "Writing the page's font")

# The folder itself, after every build: the program's files under their hashes, and what names them.
add_custom_target(dotwise_site ALL
  COMMAND ${CMAKE_COMMAND} -DPROGRAM=${DOTWISE_PROGRAM_DIR} -DSITE=${DOTWISE_SITE_DIR} -DSOURCE=${CMAKE_SOURCE_DIR}/platform/web
          -P ${CMAKE_SOURCE_DIR}/cmake/WebSite.cmake
  COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tools/compress_site.py ${DOTWISE_SITE_DIR}
  DEPENDS ${DOTWISE_SITE_DIR}/favicon.ico ${DOTWISE_SITE_DIR}/dotwise-192.png ${DOTWISE_SITE_DIR}/dotwise-512.png
          ${DOTWISE_SITE_DIR}/dotwise-song-latin.woff2 ${DOTWISE_SITE_DIR}/dotwise-song-cjk.woff2
  COMMENT "Assembling the page's folder")
add_dependencies(dotwise_site dotwise dotwise_driven)

# The page benchmark's floor of an empty WebAssembly program, beside the site, not in it.
add_executable(web_floor_program bench/WebFloorProgram.cpp)
target_link_libraries(web_floor_program PRIVATE dotwise_warnings)
target_link_options(web_floor_program PRIVATE -sENVIRONMENT=web)
set_target_properties(web_floor_program PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench SUFFIX .js)
