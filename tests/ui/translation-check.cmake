# Fails when the English translation misses a text of the sources (new or changed)
# or keeps one that no source holds any more: lupdate refreshes a copy of it, and
# no message may come out unfinished, vanished or empty.
#   cmake -DLUPDATE=<lupdate> -DTS=<.ts> -DSOURCES=<list file> -DWORK=<dir> -P translation-check.cmake
set(copy ${WORK}/translation-check_en.ts)
configure_file(${TS} ${copy} COPYONLY)
execute_process(
  COMMAND ${LUPDATE} @${SOURCES} -source-language ru -target-language en -locations none
          -ts ${copy}
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lupdate failed:\n${output}")
endif()
file(READ ${copy} text)
# CMake lists split at ";" and keep "[...]" whole: neither may stay in the texts.
string(REGEX REPLACE "[][;]" "_" text "${text}")
string(REGEX MATCHALL
  "<source>[^<]*</source>[ \n]*(<comment>[^<]*</comment>[ \n]*)?<translation( type=\"[a-z]+\")?>[^<]*</translation>"
  messages "${text}")
set(wrong "")
set(count 0)
foreach(message IN LISTS messages)
  math(EXPR count "${count} + 1")
  if(message MATCHES "type=\"(unfinished|vanished|obsolete)\"" OR message MATCHES "<translation></translation>")
    string(APPEND wrong "\n${message}")
  endif()
endforeach()
if(count EQUAL 0)
  message(FATAL_ERROR "no message found in ${TS}")
endif()
if(NOT wrong STREQUAL "")
  message(FATAL_ERROR "The English translation is not complete. Refresh it with the build "
                      "target ui_support_lupdate and translate or drop these messages:${wrong}")
endif()
message(STATUS "${count} messages, all translated")
