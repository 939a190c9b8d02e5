# Installing beside other desktop programs, and the Debian package `make package` builds.
include(GNUInstallDirs)

set(data ${CMAKE_SOURCE_DIR}/data)
set(app_id org.linelab.LineLab)

if(TARGET linelab-batch)
    install(TARGETS linelab-batch RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET linelab)
    install(TARGETS linelab RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${data}/${app_id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${data}/${app_id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES ${data}/${app_id}.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    # The lesson type, so a double click on a lesson opens the window (the desktop entry
    # names the type). shared-mime-info's trigger on this folder updates the MIME cache.
    install(FILES ${data}/${app_id}.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
            RENAME ${app_id}.xml)
endif()

# Manual pages compressed as Debian ships them: -9 for size, -n so the archive holds no name
# or time stamp and the same page gives the same bytes.
set(man_pages linelab-batch.1)
if(TARGET linelab)
    list(APPEND man_pages linelab.1)
endif()
set(compressed_pages)
foreach(page ${man_pages})
    set(gz ${CMAKE_BINARY_DIR}/man/${page}.gz)
    add_custom_command(OUTPUT ${gz}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
        COMMAND gzip -9n -c ${data}/${page} > ${gz}
        DEPENDS ${data}/${page} VERBATIM)
    list(APPEND compressed_pages ${gz})
endforeach()
add_custom_target(linelab_man_pages ALL DEPENDS ${compressed_pages})
install(FILES ${compressed_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# The window's File > Examples lists this folder (found from the program's own folder).
install(DIRECTORY ${CMAKE_SOURCE_DIR}/lessons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/linelab/lessons
        FILES_MATCHING PATTERN "*.json")
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/linelab
        RENAME copyright)
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/linelab)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME linelab)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "teaching simulator of a digital line-transmission chain")
set(CPACK_PACKAGE_DESCRIPTION
    "LineLab shows data on its way through line codes, pulse formats, filters, a channel with
echoes and noise, and a receiver, with strips, eyes, spectra and a running bit error rate.
linelab-batch runs the same simulation from the command line.")
set(CPACK_PACKAGE_CONTACT "LineLab maintainers <maintainers@linelab.invalid>")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# The shared libraries the programs link decide the dependencies (Qt, the C++ runtime).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# No library names these: the window's platform plugins (xcb, wayland) are loaded at run
# time.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_STRIP_FILES ON)
include(CPack)
