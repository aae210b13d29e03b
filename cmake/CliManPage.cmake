# Writes trakvella-cli's manual page (gzipped) from its template and what
# `trakvella-cli --help` prints, so the page lists the commands the program has.
# Arguments: -DCLI=program -DTEMPLATE=file.1.in -DOUTPUT=file.1.gz
#            -DPROJECT_VERSION=... -DTRAKVELLA_RELEASE_MONTH=...
execute_process(COMMAND ${CLI} --help OUTPUT_VARIABLE usage RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR usage STREQUAL "")
  message(FATAL_ERROR "${CLI} --help failed (${status})")
endif()
string(STRIP "${usage}" usage)
# Kept as typed in roff: a backslash is \e, a minus \-, and a line may not start a request.
string(REPLACE "\\" "\\e" usage "${usage}")
string(REPLACE "-" "\\-" usage "${usage}")
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" usage "${usage}")
set(TRAKVELLA_CLI_USAGE "${usage}")
get_filename_component(page "${OUTPUT}" NAME_WLE)
get_filename_component(folder "${OUTPUT}" DIRECTORY)
configure_file(${TEMPLATE} ${folder}/${page} @ONLY)
execute_process(COMMAND gzip -9nc ${folder}/${page} OUTPUT_FILE ${OUTPUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "gzip of ${page} failed")
endif()
