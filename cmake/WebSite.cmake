# Assembles the page's folder from the program's two files as the link left
# them: each copied under a name that carries its content's hash, index.html
# naming them, and the service worker listing every file of the folder under
# a version made from all of their hashes. Run after each build:
#   cmake -DPROGRAM=FOLDER -DSITE=FOLDER -DSOURCE=platform/web -P cmake/WebSite.cmake
foreach(name PROGRAM SITE SOURCE)
  if(NOT DEFINED ${name})
    message(FATAL_ERROR "WebSite.cmake needs -D${name}=...")
  endif()
endforeach()

function(hashed_copy file extension out_name)
  file(SHA256 ${PROGRAM}/${file} hash)
  string(SUBSTRING ${hash} 0 12 short)
  set(name dotwise.${short}.${extension})
  if(NOT EXISTS ${SITE}/${name})
    file(COPY_FILE ${PROGRAM}/${file} ${SITE}/${name})
  endif()
  set(${out_name} ${name} PARENT_SCOPE)
endfunction()

file(MAKE_DIRECTORY ${SITE})
hashed_copy(dotwise.js js DOTWISE_JS)
hashed_copy(dotwise.wasm wasm DOTWISE_WASM)
# An earlier build's program files are not this one's.
file(GLOB earlier ${SITE}/dotwise.*.js ${SITE}/dotwise.*.wasm)
list(REMOVE_ITEM earlier ${SITE}/${DOTWISE_JS} ${SITE}/${DOTWISE_WASM})
if(earlier)
  file(REMOVE ${earlier})
endif()
configure_file(${SOURCE}/index.html ${SITE}/index.html @ONLY)
configure_file(${SOURCE}/manifest.webmanifest ${SITE}/manifest.webmanifest COPYONLY)

set(files index.html ${DOTWISE_JS} ${DOTWISE_WASM} manifest.webmanifest favicon.ico dotwise-192.png dotwise-512.png dotwise-song.woff2)
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
