# Windows programs built here run their tests under Wine, in a prefix of the
# build folder's own, so that a test run touches nothing outside it.
math(EXPR TOLVANE_BITS "${CMAKE_SIZEOF_VOID_P} * 8")
set(TOLVANE_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/cmake/wine-run.sh;${TOLVANE_WINEPREFIX};${TOLVANE_BITS})

# The processor of the build, as the file header (TOLVANE_MACHINE) and the
# manifest (TOLVANE_ASSEMBLY_ARCH for the program, TOLVANE_COMCTL_ARCH for the
# common controls it asks for; the x86 build keeps the upper-case X86 it has
# always had) name it. A 64-bit program that asks for the x86 common controls
# gets no controls at all.
if(TOLVANE_BITS EQUAL 64)
  set(TOLVANE_MACHINE amd64)
  set(TOLVANE_ASSEMBLY_ARCH amd64)
  set(TOLVANE_COMCTL_ARCH amd64)
else()
  set(TOLVANE_MACHINE i386)
  set(TOLVANE_ASSEMBLY_ARCH x86)
  set(TOLVANE_COMCTL_ARCH X86)
endif()
