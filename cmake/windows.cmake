# The Windows program: the game against the real Win32, with its resources from
# app/quorvel.rc, linked statically so that it needs no DLL beyond Windows' own.
enable_language(RC)

# ANSI Win32 (no UNICODE), and no min/max macros from <windows.h>.
target_compile_definitions(quorvel_win32 INTERFACE NOMINMAX _WIN32_WINNT=0x0601)
target_compile_options(quorvel_win32 INTERFACE -UUNICODE -U_UNICODE)
# gdi32, user32 and kernel32 come by default; sound (winmm) and gamepads (XInput) are
# named here so that the game can call them.
target_link_libraries(quorvel_win32 INTERFACE gdi32 user32 kernel32 winmm xinput9_1_0)

set(QUORVEL_STATIC_RUNTIME -static -static-libgcc -static-libstdc++)

# ENet from its release sources, unmodified: third-party C, built without our warnings.
# On Windows it needs Winsock and the multimedia timer.
file(GLOB enet_sources ${CMAKE_CURRENT_SOURCE_DIR}/third_party/enet/*.c)
add_library(quorvel_third_party_enet STATIC ${enet_sources})
target_include_directories(quorvel_third_party_enet SYSTEM PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/third_party/enet/include)
target_compile_options(quorvel_third_party_enet PRIVATE -w)
target_link_libraries(quorvel_third_party_enet PUBLIC ws2_32 winmm)
target_link_libraries(quorvel_enet PUBLIC quorvel_third_party_enet)

# main() reads the command line and wires ENet, then hands over to WinMain in the app
# library, as on Linux.
add_executable(quorvel WIN32 app/windows_main.cpp app/quorvel.rc)
target_compile_options(quorvel PRIVATE ${QUORVEL_WARNINGS})
target_link_libraries(quorvel PRIVATE quorvel_app quorvel_enet)
target_link_options(quorvel PRIVATE ${QUORVEL_STATIC_RUNTIME} -mwindows)

# The GDI picture set, drawn by the real GDI (compared with ours under Wine).
add_executable(gdi-pictures tools/gdi_pictures/main.cpp tools/gdi_pictures/pictures.cpp)
target_include_directories(gdi-pictures PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_options(gdi-pictures PRIVATE ${QUORVEL_WARNINGS})
target_compile_definitions(gdi-pictures PRIVATE NOMINMAX)
target_link_libraries(gdi-pictures PRIVATE gdi32)
target_link_options(gdi-pictures PRIVATE ${QUORVEL_STATIC_RUNTIME})


# The installer (packaging/windows/quorvel.nsi), made with NSIS when makensis is there:
# <build>/quorvel-<version>-windows-x86_64-setup.exe. What it installs is gathered first
# in <build>/installer, with Windows' names for the texts.
find_program(QUORVEL_MAKENSIS makensis)
if(QUORVEL_MAKENSIS)
  set(staging ${CMAKE_BINARY_DIR}/installer)
  set(installer ${CMAKE_BINARY_DIR}/${QUORVEL_INSTALLER_NAME})
  set(texts LICENSE README.md CHANGELOG.md)
  set(copies)
  foreach(text ${texts})
    get_filename_component(name ${text} NAME_WE)
    list(APPEND copies COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/${text} ${staging}/${name}.txt)
  endforeach()
  foreach(licence ${QUORVEL_WINDOWS_LICENCES})
    list(APPEND texts ${licence})
    quorvel_licence_name(${licence} name)
    list(APPEND copies COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/${licence} ${staging}/${name}.txt)
  endforeach()
  list(TRANSFORM texts PREPEND ${PROJECT_SOURCE_DIR}/)
  add_custom_command(OUTPUT ${installer}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${staging}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${staging}
    COMMAND ${CMAKE_STRIP} -o ${staging}/quorvel.exe $<TARGET_FILE:quorvel>
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/assets/icons/quorvel.ico ${staging}/quorvel.ico
    ${copies}
    COMMAND ${QUORVEL_MAKENSIS} -V2 -DVERSION=${QUORVEL_PACKAGE_VERSION} -DCOPYRIGHT=${QUORVEL_LICENCE_LINE}
            -DHOMEPAGE=${QUORVEL_HOMEPAGE} -DFILES=${staging} -DOUTFILE=${installer}
            ${PROJECT_SOURCE_DIR}/packaging/windows/quorvel.nsi
    DEPENDS quorvel ${PROJECT_SOURCE_DIR}/packaging/windows/quorvel.nsi ${texts}
            ${PROJECT_SOURCE_DIR}/assets/icons/quorvel.ico
    COMMENT "Making the installer ${QUORVEL_INSTALLER_NAME}"
    VERBATIM)
  add_custom_target(installer ALL DEPENDS ${installer})
endif()
