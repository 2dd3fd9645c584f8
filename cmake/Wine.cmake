# Windows programs built here run their tests under Wine, in a prefix of the
# build folder's own, so that a test run touches nothing outside it.
math(EXPR TOLVANE_BITS "${CMAKE_SIZEOF_VOID_P} * 8")
set(TOLVANE_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/cmake/wine-run.sh;${TOLVANE_WINEPREFIX};${TOLVANE_BITS})
