# Installs a text file that starts the program (desktop file, D-Bus service, file managers'
# actions) with @QB_PROGRAM@ replaced by the program's absolute path in the installed tree.
# The path is worked out when installing, not when configuring: `cmake --install --prefix`
# and the package both put the program somewhere else than the configured prefix, and the
# D-Bus daemon runs only an absolute path.
#   qb_install_naming_program(SOURCE DESTINATION [COMPONENT name])
function(qb_install_naming_program source destination)
  cmake_parse_arguments(ARG "" "COMPONENT" "" ${ARGN})
  get_filename_component(source "${source}" ABSOLUTE)
  get_filename_component(name "${source}" NAME)
  set(component)
  if(ARG_COMPONENT)
    set(component COMPONENT ${ARG_COMPONENT})
  endif()
  install(CODE "
    set(bindir \"${CMAKE_INSTALL_BINDIR}\")
    if(NOT IS_ABSOLUTE \"\${bindir}\")
      set(bindir \"\${CMAKE_INSTALL_PREFIX}/\${bindir}\")
    endif()
    set(QB_PROGRAM \"\${bindir}/quillbrook\")
    set(destination \"${destination}\")
    if(NOT IS_ABSOLUTE \"\${destination}\")
      set(destination \"\${CMAKE_INSTALL_PREFIX}/\${destination}\")
    endif()
    set(target \"\$ENV{DESTDIR}\${destination}/${name}\")
    message(STATUS \"Installing: \${target}\")
    configure_file(\"${source}\" \"\${target}\" @ONLY)
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${target}\")
  " ${component})
endfunction()
