# The display-free cores (records, files, rules, file operations, the
# link's records) must not reach up into the frame, the dialogs or a
# screen. Every file under src/ is a core except the frame, the dialogs,
# the screens and the screen-side operations.
#   cmake -DSOURCE_DIR=<repo>/src -P core_includes.cmake
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.cpp ${SOURCE_DIR}/*.h)
set(screen_side "_screen\\.(h|cpp)$|_operations\\.(h|cpp)$|password_lockout\\.(h|cpp)$")
set(forbidden "^(frame|entry)/|_screen\\.h$|_operations\\.h$|password_lockout\\.h$")
set(faults "")
foreach(source ${sources})
  if(source MATCHES "^(frame|entry)/" OR source MATCHES "${screen_side}" OR source MATCHES "^main_")
    continue()
  endif()
  file(STRINGS ${SOURCE_DIR}/${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line ${lines})
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" header "${line}")
    if(header MATCHES "${forbidden}")
      string(APPEND faults "  ${source} includes ${header}\n")
    endif()
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "Cores that include the frame, a dialog or a screen:\n${faults}")
endif()
list(LENGTH sources count)
message(STATUS "${count} files checked")
