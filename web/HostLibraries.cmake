# The header-only libraries the core uses (Boost.Math, nlohmann/json), taken from the build
# machine's Debian packages for the browser build. Only their own folders are staged into one
# include folder: putting /usr/include itself on the path would put the C library's headers
# ahead of the browser's.
set(LINELAB_HOST_INCLUDE ${CMAKE_BINARY_DIR}/host-include)
file(MAKE_DIRECTORY ${LINELAB_HOST_INCLUDE})
foreach(dir boost nlohmann)
    if(NOT EXISTS /usr/include/${dir})
        message(FATAL_ERROR "/usr/include/${dir} is missing: scripts/install-deps.sh --web installs it")
    endif()
    if(NOT EXISTS ${LINELAB_HOST_INCLUDE}/${dir})
        file(CREATE_LINK /usr/include/${dir} ${LINELAB_HOST_INCLUDE}/${dir} SYMBOLIC)
    endif()
endforeach()
set(Boost_NO_BOOST_CMAKE ON)
set(Boost_INCLUDE_DIR ${LINELAB_HOST_INCLUDE} CACHE PATH "" FORCE)
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED GLOBAL)
target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${LINELAB_HOST_INCLUDE})

# GoogleTest built from Debian's sources with the same compiler. Each test program is one
# CTest test run by node on the real file system (the lesson tests read and write files).
macro(linelab_web_gtest)
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    find_program(LINELAB_NODE node REQUIRED NO_CMAKE_FIND_ROOT_PATH)
    # Node's fetch cannot read the module's file path; the loader falls back to the file system.
    function(gtest_discover_tests target)
        target_link_options(${target} PRIVATE -sNODERAWFS=1 -sEXIT_RUNTIME=1)
        add_test(NAME ${target} COMMAND ${LINELAB_NODE} --no-experimental-fetch $<TARGET_FILE:${target}>)
    endfunction()
endmacro()
