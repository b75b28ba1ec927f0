# Fails unless CHANGELOG.md's newest release is the version of project() and Debian's
# changelog (assets/changelog) lists the same releases with the same dates.
# Run as: cmake -DSOURCE_DIR=<repo> -DVERSION=<package version> -P cmake/release_check.cmake
include(${CMAKE_CURRENT_LIST_DIR}/release_notes.cmake)
quorvel_read_changelog(${SOURCE_DIR}/CHANGELOG.md notes)

list(GET notes_VERSIONS 0 newest)
if(NOT newest STREQUAL VERSION)
  message(FATAL_ERROR "CHANGELOG.md's newest release is ${newest}, the project's version ${VERSION}")
endif()

# Debian's entries: "quorvel (VERSION) ..." and " -- NAME <MAIL>  Day, DD Mon YYYY ...".
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
set(debian)
file(STRINGS ${SOURCE_DIR}/assets/changelog lines)
foreach(line IN LISTS lines)
  if(line MATCHES "^quorvel \\(([^)]+)\\)")
    set(version ${CMAKE_MATCH_1})
  elseif(line MATCHES "^ -- .*>  [A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9]+) ")
    list(FIND months ${CMAKE_MATCH_2} month)
    math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
    if(month LESS 10)
      set(month 0${month})
    endif()
    list(APPEND debian "${version} ${CMAKE_MATCH_3}-${month}-${CMAKE_MATCH_1}")
  endif()
endforeach()

set(expected)
foreach(version date IN ZIP_LISTS notes_VERSIONS notes_DATES)
  list(APPEND expected "${version} ${date}")
endforeach()
if(NOT debian STREQUAL expected)
  message(FATAL_ERROR "assets/changelog lists ${debian}; CHANGELOG.md lists ${expected}")
endif()
message(STATUS "releases: ${expected}")
