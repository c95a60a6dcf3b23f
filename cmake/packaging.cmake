# Installation, desktop integration and the Debian package.
# Included last from the top-level CMakeLists.txt, when the program targets exist.

get_filename_component(CORVANE_SOURCE_ROOT "${CMAKE_CURRENT_LIST_DIR}" DIRECTORY)

# The tracker finds its user guide in the install tree, or in the source tree when it runs
# from a build that was never installed.
if(TARGET tracker_lib)
  target_compile_definitions(tracker_lib PRIVATE
    CORVANE_DATADIR="${CMAKE_INSTALL_FULL_DATADIR}"
    CORVANE_SOURCE_DOCDIR="${CORVANE_SOURCE_ROOT}/docs")
endif()

# The tracker starts the bid agent from its own folder, so both go to the same place.
foreach(program corvane kestrin)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  else()
    message(WARNING "Program target ${program} is missing; it is left out of the install")
  endif()
endforeach()

# Started from the desktop, the tracker runs in a folder of its own under the user's data
# folder, where its grid, settings and job files live.
install(PROGRAMS "${CORVANE_SOURCE_ROOT}/packaging/corvane-launch" DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES "${CORVANE_SOURCE_ROOT}/docs/Corvane.html" DESTINATION ${CMAKE_INSTALL_DATADIR}/corvane)
install(FILES "${CORVANE_SOURCE_ROOT}/packaging/corvane.desktop" DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES "${CORVANE_SOURCE_ROOT}/packaging/corvane.png"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvane)
set(CPACK_PACKAGE_VENDOR "Corvane")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desktop auction sniper for eBay")
set(CPACK_PACKAGE_DESCRIPTION "Corvane keeps a grid of the auctions you want to win, each with its
maximum bid, and its bid agent places that bid by itself a few seconds
before the auction closes. The package holds the tracker corvane, the
bid agent kestrin, a desktop entry and the user guide.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Corvane developers <corvane@corvane.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://www.corvane.example")
# The libraries come from dpkg-shlibdeps; Debian's Qt WebEngine library brings in the
# package of its helper process with it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
include(CPack)
