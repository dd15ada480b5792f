# The Windows game as one zip: `cpack -G ZIP` in the build folder makes
# tarnwick-VERSION-windows-x86_64.zip with tarnwick.exe, README.md and LICENSE in a folder
# of the same name. The game is linked statically: the .exe is all a player needs.
install(TARGETS tarnwick RUNTIME DESTINATION .)
install(FILES "${PROJECT_SOURCE_DIR}/README.md" "${PROJECT_SOURCE_DIR}/LICENSE" DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME tarnwick)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_FILE_NAME "tarnwick-${PROJECT_VERSION}-windows-x86_64")
set(CPACK_STRIP_FILES ON)
include(CPack)
