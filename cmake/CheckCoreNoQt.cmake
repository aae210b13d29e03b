# Fails the build when a core source includes a Qt header.
# Core = everything under src/ except the platform adapters and the window units
# (files named ...unit / ...Unit, the program unit with its main among them).
file(GLOB_RECURSE sources "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp")
set(offenders "")
foreach(f IN LISTS sources)
  file(RELATIVE_PATH rel "${SOURCE_DIR}" "${f}")
  if(rel MATCHES "^platform/" OR rel MATCHES "[Uu]nit\\.(h|cpp)$")
    continue()
  endif()
  file(STRINGS "${f}" hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]|qt)")
  if(hits)
    list(APPEND offenders "${rel}: ${hits}")
  endif()
endforeach()
if(offenders)
  string(REPLACE ";" "\n  " text "${offenders}")
  message(FATAL_ERROR "Core sources must not include Qt headers:\n  ${text}")
endif()
