# Runs lupdate over the sources into copies of the .ts files and fails when a
# copy would gain an unfinished entry (a text nobody translated) or a vanished
# one (a translation whose text is gone). The sources stay untouched.
# Expects LUPDATE, SOURCE_DIR, WORK_DIR, SOURCE_LANG (file name) and TRANSLATED (list).
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
set(failed "")
foreach(name IN LISTS SOURCE_LANG TRANSLATED)
  file(COPY "${SOURCE_DIR}/lang/${name}.ts" DESTINATION "${WORK_DIR}")
  set(extra "")
  if(name STREQUAL SOURCE_LANG)
    set(extra -pluralonly)
  endif()
  execute_process(
    COMMAND "${LUPDATE}" -silent -locations none ${extra} "${SOURCE_DIR}/src" "${SOURCE_DIR}/osd"
            -ts "${WORK_DIR}/${name}.ts"
    RESULT_VARIABLE rc ERROR_VARIABLE err OUTPUT_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "lupdate failed on ${name}.ts: ${err}")
  endif()
  if(err MATCHES "cannot be called without context|Discarding unconsumed")
    list(APPEND failed "${name}: lupdate reports texts it cannot place:\n${err}")
  endif()
  file(READ "${WORK_DIR}/${name}.ts" ts)
  # A ';' (as in "&amp;") would split the list of matches.
  string(REPLACE ";" "," ts "${ts}")
  string(REGEX MATCHALL "<source>[^<]*</source>[ \n]*<translation type=\"(unfinished|vanished|obsolete)\"" bad "${ts}")
  foreach(entry IN LISTS bad)
    string(REGEX REPLACE "<source>([^<]*)</source>.*type=\"([a-z]+)\"" "\\2: \\1" entry "${entry}")
    list(APPEND failed "${name}: ${entry}")
  endforeach()
endforeach()
if(failed)
  string(REPLACE ";" "\n" failed "${failed}")
  message(FATAL_ERROR "Translations out of date; run the lupdate target and translate:\n${failed}")
endif()
message(STATUS "Every text is translated in ${SOURCE_LANG} ${TRANSLATED}")
