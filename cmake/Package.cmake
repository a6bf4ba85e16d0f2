# The download for Windows users: a ZIP made by CPack
# (cmake --build build/win --target package) holding one folder with the
# program, its help file beside it, a read-me and the licence.
#
# The program is the tree's own optimised build, the one every test runs;
# CPack installs it stripped of its debug information with the toolchain's
# strip. Only the component "Program" goes into the package, so install
# rules added elsewhere do not end up in it by accident.
set(TINTROVER_PACKAGE_NAME tintrover-${PROJECT_VERSION}-win64)
set(TINTROVER_PACKAGE_ZIP ${PROJECT_BINARY_DIR}/${TINTROVER_PACKAGE_NAME}.zip)

set(package_texts ${PROJECT_BINARY_DIR}/package)
configure_file(${PROJECT_SOURCE_DIR}/docs/package/README.txt ${package_texts}/README.txt
               @ONLY NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${package_texts}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)

install(TARGETS tintrover RUNTIME DESTINATION . COMPONENT Program)
install(FILES ${PROJECT_BINARY_DIR}/app/tintrover.chm ${package_texts}/README.txt
              ${package_texts}/LICENSE.txt
        DESTINATION . COMPONENT Program)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Tintrover)
set(CPACK_PACKAGE_VENDOR "The Tintrover developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME ${TINTROVER_PACKAGE_NAME})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};Tintrover;Program;/")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CHECKSUM SHA256)
include(CPack)
