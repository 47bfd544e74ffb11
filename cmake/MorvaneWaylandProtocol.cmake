# morvane_wayland_protocol(TARGET NAME)
# A static library of the client code wayland-scanner writes for the
# protocol third_party/wlr-protocols/NAME.xml, with its header on the
# include path of whoever links it. Generated code is built apart from our
# own warnings. The caller's folder enables C (a folder's languages cannot
# be enabled from inside a function).
function(morvane_wayland_protocol target name)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(MORVANE_WAYLAND_CLIENT REQUIRED IMPORTED_TARGET wayland-client)
  find_program(MORVANE_WAYLAND_SCANNER wayland-scanner REQUIRED)
  set(xml ${PROJECT_SOURCE_DIR}/third_party/wlr-protocols/${name}.xml)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target})
  add_custom_command(
    OUTPUT ${out}/${name}-client-protocol.h ${out}/${name}-protocol.c
    COMMAND ${CMAKE_COMMAND} -E make_directory ${out}
    COMMAND ${MORVANE_WAYLAND_SCANNER} client-header ${xml} ${out}/${name}-client-protocol.h
    COMMAND ${MORVANE_WAYLAND_SCANNER} private-code ${xml} ${out}/${name}-protocol.c
    DEPENDS ${xml}
    VERBATIM)
  add_library(${target} STATIC ${out}/${name}-client-protocol.h ${out}/${name}-protocol.c)
  target_include_directories(${target} SYSTEM PUBLIC ${out})
  target_link_libraries(${target} PUBLIC PkgConfig::MORVANE_WAYLAND_CLIENT)
endfunction()
