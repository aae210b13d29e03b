# Fails the build when an include crosses the layers the wrong way. The layer of a
# file is its top folder under src/:
#   ports/     -> ports/ (and the standard library)
#   core/      -> core/, ports/                     no Qt, no libcurl, libarchive or zlib, no POSIX header
#   adapters/  -> adapters/, core/, ports/          no Qt outside adapters/qt/
#   ui/        -> ui/, core/, ports/                never adapters/
#   cli/       -> cli/, core/, ports/, adapters/    not adapters/qt/, no Qt
#   program/   -> anything (it builds the adapters and hands them to the windows)
# Nothing but program/ includes ui/; libcurl, libarchive and zlib headers appear only in adapters/.
#
# Inside core/ the subsystems stand on floors, the ground floor first. A subsystem
# includes its own folder and the folders of lower floors only; the folders of one
# floor know nothing of each other. A new subsystem gets a floor here.
#   1  text enabling
#   2  lang
#   3  catalogue settings net
#   4  likeness
#   5  browse player startup documents
#   6  search musicset
#   7  subscription
#   8  exports maintenance
#   9  app
# Inside ui/ the main window stands on top: ui/main/ may include every other window's
# folder, and no file outside ui/main/ includes ui/main/.
set(core_floors
  "text enabling"
  "lang"
  "catalogue settings net"
  "likeness"
  "browse player startup documents"
  "search musicset"
  "subscription"
  "exports maintenance"
  "app")

# The floor of each core subsystem, as core_floor_<name>.
set(floor 0)
foreach(names IN LISTS core_floors)
  math(EXPR floor "${floor} + 1")
  string(REPLACE " " ";" names "${names}")
  foreach(name IN LISTS names)
    set(core_floor_${name} ${floor})
  endforeach()
endforeach()

# Headers of the operating system's POSIX interface: core reaches the system through a port instead.
set(posix_headers "unistd|fcntl|dirent|pthread|poll|pwd|grp|termios|dlfcn|glob|fnmatch|spawn|netdb|ifaddrs|syslog")
string(APPEND posix_headers "|utime|libgen|strings|sched|semaphore|wordexp|sys/[^>]+|netinet/[^>]+|arpa/[^>]+")
string(APPEND posix_headers "|net/[^>]+|linux/[^>]+")

file(GLOB_RECURSE sources "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp" "${SOURCE_DIR}/*.h.in")
set(offenders "")
foreach(f IN LISTS sources)
  file(RELATIVE_PATH rel "${SOURCE_DIR}" "${f}")
  string(REGEX MATCH "^[^/]+" layer "${rel}")
  if(layer STREQUAL "program" OR NOT rel MATCHES "/")
    continue()
  endif()
  set(allowed "${layer}")
  set(qt_allowed FALSE)
  set(libs_allowed FALSE)
  set(own_floor "")
  if(layer STREQUAL "core")
    list(APPEND allowed ports)
    if(rel MATCHES "^core/([^/]+)/")
      set(own "${CMAKE_MATCH_1}")
      set(own_floor "${core_floor_${own}}")
    endif()
    if(own_floor STREQUAL "")
      list(APPEND offenders "${rel}: a core file outside the subsystems of the floor list")
      continue()
    endif()
  elseif(layer STREQUAL "adapters")
    list(APPEND allowed core ports)
    set(libs_allowed TRUE)
    if(rel MATCHES "^adapters/qt/")
      set(qt_allowed TRUE)
    endif()
  elseif(layer STREQUAL "ui")
    list(APPEND allowed core ports)
    set(qt_allowed TRUE)
  elseif(layer STREQUAL "cli")
    list(APPEND allowed core ports adapters)
  endif()
  file(STRINGS "${f}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(line IN LISTS lines)
    if(line MATCHES "#[ \t]*include[ \t]*\"([^/\"]+)/")
      set(target "${CMAKE_MATCH_1}")
      list(FIND allowed "${target}" at)
      if(at LESS 0 OR (layer STREQUAL "cli" AND line MATCHES "\"adapters/qt/"))
        list(APPEND offenders "${rel}: ${line}")
      elseif(own_floor AND line MATCHES "\"core/([^/\"]+)/")
        set(other "${CMAKE_MATCH_1}")
        set(other_floor "${core_floor_${other}}")
        if(NOT other STREQUAL own AND (other_floor STREQUAL "" OR NOT other_floor LESS own_floor))
          list(APPEND offenders "${rel}: ${line}   (core/${own} is on floor ${own_floor}, core/${other} on floor ${other_floor})")
        endif()
      elseif(layer STREQUAL "ui" AND line MATCHES "\"ui/main/" AND NOT rel MATCHES "^ui/main/")
        list(APPEND offenders "${rel}: ${line}   (only the main window's folder includes ui/main/)")
      endif()
    elseif(line MATCHES "#[ \t]*include[ \t]*<(Q[A-Za-z]|qt)" AND NOT qt_allowed)
      list(APPEND offenders "${rel}: ${line}")
    elseif(line MATCHES "#[ \t]*include[ \t]*<(curl/|archive|zlib\\.h|zconf\\.h)" AND NOT libs_allowed)
      list(APPEND offenders "${rel}: ${line}")
    elseif(layer STREQUAL "core" AND line MATCHES "#[ \t]*include[ \t]*<(${posix_headers})\\.h>")
      list(APPEND offenders "${rel}: ${line}   (core reaches the system through a port)")
    endif()
  endforeach()
endforeach()
if(offenders)
  string(REPLACE ";" "\n  " text "${offenders}")
  message(FATAL_ERROR "Includes that cross the layers the wrong way:\n  ${text}")
endif()
