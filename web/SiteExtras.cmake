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
