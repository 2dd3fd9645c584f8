# What `cmake --install` puts where, and how CPack packs it.
# - Windows builds: the zip for Windows users, Tolvane-<version>-win32.zip (or
#   -win64): both programs, README.txt and LICENSE.txt with CR LF line ends.
# - Native builds: tolvane-cli with its man page and bash completion (component
#   "cli", the Debian package tolvane-cli); and, when TOLVANE_WINDOWS_EXE names
#   a built Tolvane.exe, the window program under Wine with its launcher,
#   desktop entry and icon (component "wine", the Debian package tolvane).
include(GNUInstallDirs)

set(TOLVANE_HOMEPAGE "https://tolvane.example.org")
set(TOLVANE_MAINTAINER "the Tolvane developers <dev@tolvane.example.org>")
set(tolvane_packaging ${PROJECT_SOURCE_DIR}/packaging)
set(tolvane_generated ${CMAKE_BINARY_DIR}/packaging)

set(CPACK_PACKAGE_NAME tolvane)
set(CPACK_PACKAGE_VENDOR "the Tolvane developers")
set(CPACK_PACKAGE_CONTACT "${TOLVANE_MAINTAINER}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_HOMEPAGE_URL ${TOLVANE_HOMEPAGE})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/dist)

if(WIN32)
  install(TARGETS Tolvane tolvane-cli RUNTIME DESTINATION .)
  configure_file(${tolvane_packaging}/README-windows.txt ${tolvane_generated}/README.txt
                 @ONLY NEWLINE_STYLE CRLF)
  configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${tolvane_generated}/LICENSE.txt
                 @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${tolvane_generated}/README.txt ${tolvane_generated}/LICENSE.txt DESTINATION .)

  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(CPACK_PACKAGE_FILE_NAME Tolvane-${PROJECT_VERSION}-win64)
  else()
    set(CPACK_PACKAGE_FILE_NAME Tolvane-${PROJECT_VERSION}-win32)
  endif()
  set(CPACK_GENERATOR ZIP)
  include(CPack)
  return()
endif()

set(TOLVANE_WINDOWS_EXE "" CACHE FILEPATH
    "A built 32-bit Tolvane.exe, for the Debian package tolvane (the window program under Wine)")

# Files Debian wants compressed: gzip -9n keeps no name and no time in them.
find_program(TOLVANE_GZIP gzip REQUIRED)
function(tolvane_gzip source output)
  add_custom_command(OUTPUT ${output}
    COMMAND ${TOLVANE_GZIP} -9nc ${source} > ${output}
    DEPENDS ${source} VERBATIM)
  list(APPEND tolvane_gzipped ${output})
  set(tolvane_gzipped ${tolvane_gzipped} PARENT_SCOPE)
endfunction()

# The Debian copyright file: LICENSE's text in the machine-readable format.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE license)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" _ "${license}")
set(TOLVANE_COPYRIGHT_YEARS_HOLDER "${CMAKE_MATCH_1}")
string(REGEX REPLACE "^.*Copyright \\(c\\) [^\n]*\n\n" "" license "${license}")
string(REGEX REPLACE "\n+$" "" license "${license}")
string(REGEX REPLACE "\n\n" "\n.\n" license "${license}")
string(REPLACE "\n" "\n " license "${license}")
set(TOLVANE_LICENSE_TEXT " ${license}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)
configure_file(${tolvane_packaging}/copyright.in ${tolvane_generated}/copyright @ONLY)
configure_file(${tolvane_packaging}/changelog.in ${tolvane_generated}/changelog @ONLY)

tolvane_gzip(${tolvane_generated}/changelog ${tolvane_generated}/changelog.gz)
tolvane_gzip(${tolvane_packaging}/tolvane-cli.1 ${tolvane_generated}/tolvane-cli.1.gz)

# tolvane-cli
install(TARGETS tolvane-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT cli)
# A stripped install (CPack's) also drops the compilers' notes, as Debian's own
# packages do.
install(CODE "if(CMAKE_INSTALL_DO_STRIP)
  execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment --remove-section=.note
    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/tolvane-cli\" COMMAND_ERROR_IS_FATAL ANY)
endif()" COMPONENT cli)
install(FILES ${tolvane_generated}/tolvane-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT cli)
install(FILES ${tolvane_packaging}/tolvane-cli.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME tolvane-cli COMPONENT cli)
install(FILES ${tolvane_generated}/copyright ${tolvane_generated}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tolvane-cli COMPONENT cli)
set(CPACK_COMPONENTS_ALL cli)

# tolvane: Tolvane.exe under Wine
if(TOLVANE_WINDOWS_EXE AND NOT EXISTS ${TOLVANE_WINDOWS_EXE})
  message(STATUS "${TOLVANE_WINDOWS_EXE} is not built yet: the package tolvane is left out "
                 "(build the win32 preset, then configure again)")
elseif(TOLVANE_WINDOWS_EXE)
  configure_file(${tolvane_packaging}/tolvane.in ${tolvane_generated}/tolvane @ONLY)
  tolvane_gzip(${tolvane_packaging}/tolvane.1 ${tolvane_generated}/tolvane.1.gz)
  install(FILES ${TOLVANE_WINDOWS_EXE} DESTINATION ${CMAKE_INSTALL_DATADIR}/tolvane RENAME Tolvane.exe COMPONENT wine)
  install(PROGRAMS ${tolvane_generated}/tolvane DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT wine)
  install(FILES ${tolvane_generated}/tolvane.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT wine)
  install(FILES ${tolvane_packaging}/tolvane.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT wine)
  install(FILES ${PROJECT_SOURCE_DIR}/res/tolvane.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps COMPONENT wine)
  install(FILES ${tolvane_generated}/copyright ${tolvane_generated}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tolvane COMPONENT wine)
  list(APPEND CPACK_COMPONENTS_ALL wine)
endif()
add_custom_target(tolvane_packaging_files ALL DEPENDS ${tolvane_gzipped})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SOURCE tolvane)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TOLVANE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_DEBIAN_CLI_PACKAGE_NAME tolvane-cli)
set(CPACK_DEBIAN_CLI_PACKAGE_SHLIBDEPS ON)
# relayout --auto reads the English word list /usr/share/dict/words.
set(CPACK_DEBIAN_CLI_PACKAGE_RECOMMENDS "wamerican | wordlist")
set(CPACK_DEBIAN_CLI_DESCRIPTION "convert Thai text between TIS-620 and UTF-8
tolvane-cli moves Thai text in files and pipes between its legacy byte form,
TIS-620 (Windows code page 874), and UTF-8. It also writes and reads numeric
character references and percent escapes, repairs garbled Thai, and puts back
text typed with the wrong keyboard layout.")

set(CPACK_DEBIAN_WINE_PACKAGE_NAME tolvane)
set(CPACK_DEBIAN_WINE_PACKAGE_ARCHITECTURE all)
set(CPACK_DEBIAN_WINE_PACKAGE_DEPENDS "wine, fonts-thai-tlwg")
set(CPACK_DEBIAN_WINE_PACKAGE_SECTION text)
set(CPACK_DEBIAN_WINE_DESCRIPTION "Thai text converter, a Windows program run with Wine
Tolvane is a window with one big text box and a row of buttons that convert
its Thai text between TIS-620 (Windows code page 874) and Unicode, tone-mark
elevation for old fonts, numeric character references and percent escapes.
.
This package runs the Windows program under Wine, in a Wine prefix of each
user's own, with its font mapped to a Thai font from fonts-thai-tlwg, and puts
Tolvane in the desktop's menu.")

include(CPack)
