# What `cmake --install` puts where, and the Debian package made of it (`cpack -G DEB`). The
# program finds the module relative to itself: lib/kestrel/kestrel.arx beside bin/.
set(KESTREL_DOC_DIR share/doc/kestrel)

install(TARGETS kestrel RUNTIME DESTINATION bin)
install(TARGETS kestrel_module LIBRARY DESTINATION lib/kestrel)
install(FILES examples/office-plan.dxf examples/office.prc examples/office-bom.scr
              examples/make_office_plan.py
        DESTINATION ${KESTREL_DOC_DIR}/examples)
install(FILES docs/guide.md DESTINATION ${KESTREL_DOC_DIR})
install(DIRECTORY docs/pictures DESTINATION ${KESTREL_DOC_DIR})

# Manual pages are kept compressed; -n leaves the time out, so the same page makes the same
# package.
set(KESTREL_MAN_PAGE ${PROJECT_BINARY_DIR}/kestrel.1.gz)
add_custom_command(OUTPUT ${KESTREL_MAN_PAGE}
  COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/docs/kestrel.1 > ${KESTREL_MAN_PAGE}
  DEPENDS ${PROJECT_SOURCE_DIR}/docs/kestrel.1 VERBATIM)
add_custom_target(kestrel_man_page ALL DEPENDS ${KESTREL_MAN_PAGE})
install(FILES ${KESTREL_MAN_PAGE} DESTINATION share/man/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kestrel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "bill of materials from the block references of CAD drawings")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Kestrel counts the block references of a DXF drawing per block name, prices them from a price list and shows the result in a report dialog; it exports the report as text and builds it as a table block in the drawing. A second dialog edits price lists. kestrel runs the dialogs headless from a script, in a window, or in one command (kestrel bom).")
set(CPACK_PACKAGE_CONTACT "Kestrel developers <kestrel@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# What the program and the module load, as Debian 12 names them, and the fonts the dialogs are
# drawn with.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6 (>= 2.36), libstdc++6 (>= 12), libgcc-s1 (>= 3.0), libcairo2 (>= 1.16), libfreetype6 (>= 2.12), libsdl2-2.0-0 (>= 2.26), fonts-dejavu-core")
include(CPack)
