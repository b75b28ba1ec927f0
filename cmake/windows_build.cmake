# Beside the Linux build: the picture set drawn by our GDI, and, when MinGW-w64 is
# installed, the Windows program, its installer and the same picture set cross-built in
# <build>/windows (the tests run them under Wine).
add_executable(gdi-pictures tools/gdi_pictures/main.cpp tools/gdi_pictures/pictures.cpp)
target_compile_options(gdi-pictures PRIVATE ${QUORVEL_WARNINGS})
target_link_libraries(gdi-pictures PRIVATE quorvel_win32)

# The Wine tests need it, so it goes with the tests by default.
option(QUORVEL_WINDOWS "Cross-build the Windows program with MinGW-w64 beside this build" ${QUORVEL_TESTS})
find_program(QUORVEL_MINGW_CXX x86_64-w64-mingw32-g++-posix)
if(QUORVEL_WINDOWS AND QUORVEL_MINGW_CXX)
  include(ExternalProject)
  set(QUORVEL_WINDOWS_DIR ${CMAKE_BINARY_DIR}/windows)
  set(launchers)
  foreach(language C CXX)
    if(CMAKE_${language}_COMPILER_LAUNCHER)
      list(APPEND launchers -DCMAKE_${language}_COMPILER_LAUNCHER=${CMAKE_${language}_COMPILER_LAUNCHER})
    endif()
  endforeach()
  ExternalProject_Add(quorvel_windows
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${QUORVEL_WINDOWS_DIR}
    CMAKE_GENERATOR ${CMAKE_GENERATOR}
    CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-w64-x86_64.cmake
               -DCMAKE_BUILD_TYPE=Release ${launchers}
    BUILD_ALWAYS TRUE
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${QUORVEL_WINDOWS_DIR}/quorvel.exe ${QUORVEL_WINDOWS_DIR}/gdi-pictures.exe
                     ${QUORVEL_WINDOWS_DIR}/${QUORVEL_INSTALLER_NAME})
endif()
