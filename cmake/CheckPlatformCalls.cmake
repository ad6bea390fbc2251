# The platform check: the libraries that link no Qt build for Windows as well, so none
# of them but src/platform includes a system header (POSIX's or Windows'), branches on
# the system, or uses M_PI (POSIX, not C++). Run as
#   cmake -DMAP=<build>/plain_folders.cmake -DSOURCE_DIR=<source> -P cmake/CheckPlatformCalls.cmake
# (ctest runs it as the test "platform_calls").
cmake_minimum_required(VERSION 3.25)
include(${MAP})

set(system_header "^[ \t]*#[ \t]*include[ \t]*<(unistd|fcntl|termios|pthread|poll|dirent|pwd|grp|dlfcn|spawn|sched|semaphore|strings|syslog|libgen|glob|fnmatch|utime|netdb|windows|io|direct|process|winsock2|ws2tcpip)\\.h>")
set(system_folder "^[ \t]*#[ \t]*include[ \t]*<(sys|netinet|arpa|linux)/")
set(branch "(_WIN32|__linux__|__APPLE__|__unix__|_POSIX_VERSION)")

set(violations "")
set(count 0)
foreach(folder ${TAVOKIT_PLAIN_FOLDERS})
  if(folder STREQUAL "src/platform")
    continue()
  endif()
  file(GLOB files ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
  foreach(file ${files})
    math(EXPR count "${count} + 1")
    file(RELATIVE_PATH shown ${SOURCE_DIR} ${file})
    file(STRINGS ${file} lines REGEX "#[ \t]*include|M_PI|${branch}")
    foreach(line ${lines})
      if(line MATCHES "${system_header}" OR line MATCHES "${system_folder}")
        list(APPEND violations "${shown}: ${line}")
      elseif(line MATCHES "(^|[^A-Za-z0-9_])M_PI([^A-Za-z0-9_]|$)")
        list(APPEND violations "${shown}: M_PI (use std::numbers::pi): ${line}")
      elseif(line MATCHES "^[ \t]*#.*${branch}")
        list(APPEND violations "${shown}: a platform branch: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()

if(count EQUAL 0)
  message(FATAL_ERROR "Platform check: no source files found in ${TAVOKIT_PLAIN_FOLDERS}")
endif()
if(violations)
  list(JOIN violations "\n  " text)
  message(FATAL_ERROR "Platform check failed (move these to src/platform):\n  ${text}")
endif()
list(LENGTH TAVOKIT_PLAIN_FOLDERS folders)
message(STATUS "Platform check: ${count} files in ${folders} Qt-free folders, no system call outside src/platform")
