# Writes the service worker of the web folder once every other file is in
# it: the list of the files to keep offline, and a version made of their
# contents, so that any change of a file makes a new cache.
#
#   cmake -DFOLDER=<web folder> -DTEMPLATE=<service-worker.js.in>
#         -DVERSION=<program version> -P service_worker.cmake
file(GLOB_RECURSE files RELATIVE ${FOLDER} ${FOLDER}/*)
list(REMOVE_ITEM files service-worker.js)
# The font's licence and read-me go with the folder; the page needs neither.
list(FILTER files EXCLUDE REGEX "\\.txt$")
list(SORT files)
set(contents "")
set(entries "\"./\"")
foreach(file IN LISTS files)
  file(SHA256 ${FOLDER}/${file} hash)
  string(APPEND contents "${file} ${hash}\n")
  string(APPEND entries ", \"${file}\"")
endforeach()
string(SHA256 build "${contents}")
string(SUBSTRING ${build} 0 12 build)
set(TAVRI_WEB_VERSION "${VERSION}-${build}")
set(TAVRI_WEB_FILES "${entries}")
configure_file(${TEMPLATE} ${FOLDER}/service-worker.js @ONLY)
