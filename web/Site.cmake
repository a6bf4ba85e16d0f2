# Lays out the static site: the page's own files, the module, the icons, the
# help pages, and a service worker whose cache is named after the build's
# version and the content of every file it caches, so that a new build
# replaces the old cache. Laid out afresh each time, so that it holds nothing
# an earlier build left.
file(REMOVE_RECURSE ${SITE})
file(MAKE_DIRECTORY ${SITE} ${SITE}/help)
file(GLOB pages ${SOURCES}/*)
list(FILTER pages EXCLUDE REGEX "sw\\.js$")
file(COPY ${pages} ${MODULE_DIR}/tintrover.js ${MODULE_DIR}/tintrover.wasm ${ICONS} DESTINATION ${SITE})
file(COPY_FILE ${ICON} ${SITE}/favicon.ico ONLY_IF_DIFFERENT)
file(COPY ${HELP} DESTINATION ${SITE}/help)

file(GLOB_RECURSE cached LIST_DIRECTORIES false RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM cached sw.js)
list(SORT cached)
set(digests "")
set(files_js "'./'")
foreach(f IN LISTS cached)
  file(SHA256 ${SITE}/${f} digest)
  string(APPEND digests "${digest}")
  string(APPEND files_js ", './${f}'")
endforeach()
string(SHA256 digest "${digests}")
string(SUBSTRING "${digest}" 0 12 digest)
set(SITE_VERSION "${VERSION}-${digest}")
set(SITE_FILES "${files_js}")
configure_file(${SOURCES}/sw.js ${SITE}/sw.js @ONLY)
