# cmake --install: the suite in one folder, the programs a user starts in bin.
#
#   <prefix>/bin/picrows-host, <prefix>/bin/picrows
#   <prefix>/lib/picrows/      TORVA_PicrowsMain, TORVA_Picrows.so (the menu add-in), the ribbon
#                              add-in when built, the project's shared libraries and the user
#                              manual Help.pdf when built (cmake/manual.cmake)
#   <prefix>/share/applications/picrows-host.desktop (opens .xlsx files)
#   <prefix>/share/icons/hicolor/scalable/apps/picrows-host.svg
#
# The main program's path rules find the add-ins beside it, and the menu add-in's launcher
# finds the main program beside itself. Unless PICROWS_REGISTER_ADDINS is off or DESTDIR
# stages the install, the installed picrows-host then registers the add-ins for the user who
# installs (picrows-host --register-addins).
include(GNUInstallDirs)
option(PICROWS_REGISTER_ADDINS "Register the installed add-ins for the installing user" ON)
set(PICROWS_SUITE_DIR ${CMAKE_INSTALL_LIBDIR}/picrows)

# Every target of the project's own folders (tests, benchmarks and fuzz targets aside); of the
# executables only the deliverables are installed, not the developers' tools.
function(picrows_collect_targets dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    if(NOT sub MATCHES "/(tests|bench)(/|$)")
      picrows_collect_targets(${sub} more)
      list(APPEND targets ${more})
    endif()
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

picrows_collect_targets(${CMAKE_SOURCE_DIR} all_targets)
set(user_programs picrows-host picrows)
foreach(target IN LISTS all_targets)
  get_target_property(type ${target} TYPE)
  if(target IN_LIST user_programs)
    set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN/../${PICROWS_SUITE_DIR}")
    install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  elseif(type STREQUAL "SHARED_LIBRARY" OR type STREQUAL "MODULE_LIBRARY"
         OR target STREQUAL "TORVA_PicrowsMain")
    set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN")
    install(TARGETS ${target}
      RUNTIME DESTINATION ${PICROWS_SUITE_DIR}
      LIBRARY DESTINATION ${PICROWS_SUITE_DIR})
  endif()
endforeach()

# The help command opens Help.pdf beside the main program.
if(PICROWS_MANUAL_PDF)
  install(FILES ${PICROWS_MANUAL_PDF} DESTINATION ${PICROWS_SUITE_DIR})
endif()

install(FILES ${CMAKE_SOURCE_DIR}/host_app/app/picrows-host.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/host_app/app/picrows-host.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

if(PICROWS_REGISTER_ADDINS)
  install(CODE "
    if(\"\$ENV{DESTDIR}\" STREQUAL \"\")
      execute_process(COMMAND \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/picrows-host\" --register-addins
                      RESULT_VARIABLE registered)
      if(NOT registered EQUAL 0)
        message(WARNING \"picrows-host --register-addins failed: \${registered}\")
      endif()
    endif()")
endif()
