# The user manual: docs/manual/manual.html and its pictures, turned into bin/Help.pdf beside
# TORVA_PicrowsMain (where the help command looks first) by LibreOffice Writer. Without Writer
# the build says so and goes on without the manual; install.cmake installs the PDF when it is
# built.
set(PICROWS_MANUAL_SOURCE ${CMAKE_SOURCE_DIR}/docs/manual/manual.html)
set(PICROWS_MANUAL_PDF "")

# soffice alone is not enough: the Calc-only packages bring it too, and without Writer an HTML
# page cannot be converted. Writer's core library lies beside the real soffice binary.
find_program(PICROWS_SOFFICE soffice)
set(PICROWS_MANUAL_WRITER OFF)
if(PICROWS_SOFFICE)
  get_filename_component(soffice_real "${PICROWS_SOFFICE}" REALPATH)
  get_filename_component(soffice_dir "${soffice_real}" DIRECTORY)
  if(EXISTS "${soffice_dir}/libswlo.so")
    set(PICROWS_MANUAL_WRITER ON)
  endif()
endif()

if(PICROWS_MANUAL_WRITER)
  set(PICROWS_MANUAL_PDF ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Help.pdf)
  file(GLOB manual_images CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/manual/images/*.png)
  add_custom_command(OUTPUT ${PICROWS_MANUAL_PDF}
    COMMAND ${CMAKE_COMMAND} -DSOFFICE=${PICROWS_SOFFICE} -DSOURCE=${PICROWS_MANUAL_SOURCE}
      -DOUTPUT=${PICROWS_MANUAL_PDF} -DWORK_DIR=${CMAKE_BINARY_DIR}/manual
      -P ${CMAKE_SOURCE_DIR}/cmake/build_manual.cmake
    DEPENDS ${PICROWS_MANUAL_SOURCE} ${manual_images} ${CMAKE_SOURCE_DIR}/cmake/build_manual.cmake
    COMMENT "Building the user manual Help.pdf with LibreOffice Writer"
    VERBATIM)
  add_custom_target(manual ALL DEPENDS ${PICROWS_MANUAL_PDF})
else()
  message(STATUS "LibreOffice Writer (soffice with Writer) not found: the user manual Help.pdf "
    "is not built (install libreoffice-writer-nogui)")
endif()
