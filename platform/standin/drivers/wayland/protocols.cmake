# The Wayland protocols the wayland driver speaks beyond the core, as C code
# that wayland-scanner generates at build time from Debian's
# wayland-protocols into the build tree: rollbox_wayland_protocols.
pkg_check_modules(WAYLAND_PROTOCOLS REQUIRED wayland-protocols)
pkg_get_variable(WAYLAND_PROTOCOLS_DIR wayland-protocols pkgdatadir)
pkg_check_modules(WAYLAND_SCANNER REQUIRED wayland-scanner)
pkg_get_variable(WAYLAND_SCANNER wayland-scanner wayland_scanner)

set(ROLLBOX_PROTOCOLS
  stable/xdg-shell/xdg-shell.xml
  unstable/xdg-decoration/xdg-decoration-unstable-v1.xml)
set(generated_dir ${CMAKE_CURRENT_BINARY_DIR}/wayland-protocols)
set(generated_sources)
foreach(protocol ${ROLLBOX_PROTOCOLS})
  get_filename_component(name ${protocol} NAME_WE)
  set(xml ${WAYLAND_PROTOCOLS_DIR}/${protocol})
  add_custom_command(OUTPUT ${generated_dir}/${name}-client-protocol.h ${generated_dir}/${name}-protocol.c
    COMMAND ${CMAKE_COMMAND} -E make_directory ${generated_dir}
    COMMAND ${WAYLAND_SCANNER} client-header ${xml} ${generated_dir}/${name}-client-protocol.h
    COMMAND ${WAYLAND_SCANNER} private-code ${xml} ${generated_dir}/${name}-protocol.c
    DEPENDS ${xml} VERBATIM)
  list(APPEND generated_sources ${generated_dir}/${name}-client-protocol.h ${generated_dir}/${name}-protocol.c)
endforeach()

add_library(rollbox_wayland_protocols STATIC ${generated_sources})
set_target_properties(rollbox_wayland_protocols PROPERTIES LINKER_LANGUAGE C POSITION_INDEPENDENT_CODE ON)
target_include_directories(rollbox_wayland_protocols SYSTEM PUBLIC ${generated_dir}) # generated: not held to our warnings
target_link_libraries(rollbox_wayland_protocols PUBLIC PkgConfig::WAYLAND)
