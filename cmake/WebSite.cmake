# Assembles the page's folder from the program's files as the link left them
# (its script and WebAssembly, and the driven build's): each copied under a
# name that carries its content's hash, index.html naming them, and the
# service worker listing the page's files (the driven build's are not kept for
# use offline) under a version made from all of their hashes. Run after each build:
#   cmake -DPROGRAM=FOLDER -DSITE=FOLDER -DSOURCE=platform/web -P cmake/WebSite.cmake
foreach(name PROGRAM SITE SOURCE)
  if(NOT DEFINED ${name})
    message(FATAL_ERROR "WebSite.cmake needs -D${name}=...")
  endif()
endforeach()

function(hashed_copy file stem extension out_name)
  file(SHA256 ${PROGRAM}/${file} hash)
  string(SUBSTRING ${hash} 0 12 short)
  set(name ${stem}.${short}.${extension})
  if(NOT EXISTS ${SITE}/${name})
    file(COPY_FILE ${PROGRAM}/${file} ${SITE}/${name})
  endif()
  set(${out_name} ${name} PARENT_SCOPE)
endfunction()

file(MAKE_DIRECTORY ${SITE})
hashed_copy(dotwise.js dotwise js DOTWISE_JS)
hashed_copy(dotwise.wasm dotwise wasm DOTWISE_WASM)
# The driven program, fetched only where the address asks for the driver.
hashed_copy(dotwise-driven.js dotwise-driven js DOTWISE_DRIVEN_JS)
hashed_copy(dotwise-driven.wasm dotwise-driven wasm DOTWISE_DRIVEN_WASM)
# An earlier build's program files are not this one's.
file(GLOB earlier ${SITE}/dotwise.*.js ${SITE}/dotwise.*.wasm ${SITE}/dotwise-driven.*.js ${SITE}/dotwise-driven.*.wasm)
list(REMOVE_ITEM earlier ${SITE}/${DOTWISE_JS} ${SITE}/${DOTWISE_WASM} ${SITE}/${DOTWISE_DRIVEN_JS} ${SITE}/${DOTWISE_DRIVEN_WASM})
if(earlier)
  file(REMOVE ${earlier})
endif()
configure_file(${SOURCE}/index.html ${SITE}/index.html @ONLY)
configure_file(${SOURCE}/manifest.webmanifest ${SITE}/manifest.webmanifest COPYONLY)

set(files index.html ${DOTWISE_JS} ${DOTWISE_WASM} manifest.webmanifest favicon.ico dotwise-192.png dotwise-512.png dotwise-song-latin.woff2 dotwise-song-cjk.woff2)
set(listed "")
set(contents "")
foreach(file ${files})
  if(EXISTS ${SITE}/${file})
    file(SHA256 ${SITE}/${file} hash)
    string(APPEND contents ${hash})
    list(APPEND listed "\"${file}\"")
  endif()
endforeach()
string(SHA256 version "${contents}")
string(SUBSTRING ${version} 0 12 DOTWISE_VERSION)
list(JOIN listed ", " DOTWISE_FILES)
configure_file(${SOURCE}/sw.js ${SITE}/sw.js @ONLY)
