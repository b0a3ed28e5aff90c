# Refuses a file of the suite that includes a header of the host's internals, naming the file
# and line. Run at build time: cmake -DSOURCE_DIR=<tree> -P check_suite_includes.cmake
#
# The suite reaches a host only through what works the same for a host in this process and
# one in another: the late-bound automation interface, its typed wrappers, the table of running
# hosts, and the picture codecs the API passes on. So a file of the suite may include, of the
# host's headers, only these:
#
#   host/automation/*               Variant, Dispatch and member tables (the add-ins' own
#                                   objects), host errors, events, add-in workbooks
#   host/xl/*                       the typed wrappers (host_api)
#   host/running/*                  the table of running hosts, which finds the host to attach to
#   host/imaging/emf.h              the picture codecs host_api re-exports: EMF reading and
#   host/imaging/gif_writer.h       writing, the GIF writer, the JPEG and PNG encoders
#   host/imaging/picture_codecs.h
#   host/imaging/shooting_date.h    and the photographs' own dates from their EXIF blocks
#
# and never host/model, host/xlsx, host/render, host/objects or another host/imaging header.
# The folders of the suite: the main program, the add-ins and the suite's macro workbook.

cmake_policy(VERSION 3.25)

set(suite_folders main menu_addin ribbon_addin macro_workbook)
set(allowed_folders host/automation/ host/xl/ host/running/)
set(allowed_headers host/imaging/emf.h host/imaging/gif_writer.h host/imaging/picture_codecs.h
  host/imaging/shooting_date.h)

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "check_suite_includes: SOURCE_DIR is not set")
endif()

set(offences "")
foreach(folder IN LISTS suite_folders)
  file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${SOURCE_DIR}
    ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.hpp ${SOURCE_DIR}/${folder}/*.cpp
    ${SOURCE_DIR}/${folder}/*.cc ${SOURCE_DIR}/${folder}/*.in)
  foreach(file IN LISTS files)
    file(READ ${SOURCE_DIR}/${file} text)
    string(REGEX MATCHALL "#[ \t]*include[ \t]*[\"<]host/[^\">\n]*" includes "${text}")
    foreach(include IN LISTS includes)
      string(REGEX REPLACE "^#[ \t]*include[ \t]*[\"<]" "" header "${include}")
      set(allowed FALSE)
      foreach(prefix IN LISTS allowed_folders)
        string(FIND "${header}" "${prefix}" at)
        if(at EQUAL 0)
          set(allowed TRUE)
        endif()
      endforeach()
      if(header IN_LIST allowed_headers)
        set(allowed TRUE)
      endif()
      if(NOT allowed)
        string(FIND "${text}" "${include}" position)
        string(SUBSTRING "${text}" 0 ${position} before)
        string(REGEX MATCHALL "\n" breaks "${before}")
        list(LENGTH breaks line)
        math(EXPR line "${line} + 1")
        string(APPEND offences
          "  ${file}:${line}: includes ${header}, a header of the host's internals\n")
      endif()
    endforeach()
  endforeach()
endforeach()

if(offences)
  message(FATAL_ERROR
    "The suite uses a host only through host/automation, host/xl, host/running and the picture "
    "codecs of host_api (cmake/check_suite_includes.cmake lists them):\n${offences}")
endif()
