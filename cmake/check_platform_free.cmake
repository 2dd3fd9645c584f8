# Fails when a source under DIR includes a Windows header: the code there must
# build and run on any platform. Usage: cmake -DDIR=... -P check_platform_free.cmake
file(GLOB_RECURSE files ${DIR}/*.h ${DIR}/*.cpp)
set(found "")
foreach(file IN LISTS files)
  file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]([Ww]indows|[Ww]in[a-z0-9]*|[a-z]*api|commctrl|tchar)\\.h[>\"]")
  foreach(line IN LISTS lines)
    list(APPEND found "${file}: ${line}")
  endforeach()
endforeach()
if(found)
  list(JOIN found "\n  " text)
  message(FATAL_ERROR "the platform-free core includes Windows headers:\n  ${text}")
endif()
