# The plot library from web/node_modules (npm ci in web/, from the lock file) with its
# licence, and the list of the example lessons the page offers.
if(EXISTS ${UPLOT}/dist/uPlot.iife.min.js)
    file(COPY ${UPLOT}/dist/uPlot.iife.min.js ${UPLOT}/dist/uPlot.min.css ${UPLOT}/LICENSE
         DESTINATION ${SITE}/vendor/uplot)
else()
    message(WARNING "uPlot is missing (run npm ci in web/): the BER Curve page has no plot")
endif()
file(GLOB lessons RELATIVE ${LESSONS} ${LESSONS}/*.json)
list(SORT lessons)
set(names "")
foreach(lesson ${lessons})
    string(APPEND names "\"${lesson}\",")
endforeach()
string(REGEX REPLACE ",$" "" names "${names}")
file(WRITE ${SITE}/lessons/index.json "[${names}]\n")

# The program's icon, for the tab and an installed page.
file(COPY_FILE ${ICON} ${SITE}/icon.svg ONLY_IF_DIFFERENT)

# The service worker with the list of every file of the site and a cache named after their
# contents: a build that changes any file gives a new worker, which replaces the cache.
file(GLOB_RECURSE site_files RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM site_files service-worker.js)
list(FILTER site_files EXCLUDE REGEX "(^|/)\\.")
list(SORT site_files)
set(digests "")
set(SITE_FILES "'./'")
foreach(f ${site_files})
    file(SHA256 ${SITE}/${f} digest)
    string(APPEND digests ${digest})
    string(APPEND SITE_FILES ", '${f}'")
endforeach()
string(SHA256 all "${digests}")
string(SUBSTRING ${all} 0 16 SITE_VERSION)
configure_file(${WORKER_TEMPLATE} ${SITE}/service-worker.js @ONLY)
