# Flags every target of the project shares.
add_library(picrows_flags INTERFACE)
target_compile_features(picrows_flags INTERFACE cxx_std_20)
target_compile_options(picrows_flags INTERFACE
  -Wall -Wextra -Wpedantic -Werror -Wno-missing-field-initializers)
target_compile_definitions(picrows_flags INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CONTEXTLESS_CONNECT QT_NO_KEYWORDS)
target_include_directories(picrows_flags INTERFACE ${CMAKE_SOURCE_DIR})

if(PICROWS_SANITIZE)
  target_compile_options(picrows_flags INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(picrows_flags INTERFACE -fsanitize=address,undefined)
  # Coverage for libFuzzer in every library, so that the fuzz targets (linked with
  # -fsanitize=fuzzer) see into the whole host; the other programs link as before.
  if(PICROWS_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
      message(FATAL_ERROR "PICROWS_FUZZ needs clang (CXX=clang++)")
    endif()
    target_compile_options(picrows_flags INTERFACE -fsanitize=fuzzer-no-link)
  endif()
elseif(PICROWS_FUZZ)
  message(FATAL_ERROR "PICROWS_FUZZ goes with PICROWS_SANITIZE")
endif()

# A shared library resolves every symbol through the libraries it links, so a layer that
# reaches into one it does not link fails to link rather than loading by chance.
# (Clang leaves the sanitizer runtimes to the executable, so its sanitized libraries are let be.)
if(NOT (PICROWS_SANITIZE AND CMAKE_CXX_COMPILER_ID MATCHES "Clang"))
  target_link_options(picrows_flags INTERFACE
    $<$<STREQUAL:$<TARGET_PROPERTY:TYPE>,SHARED_LIBRARY>:LINKER:--no-undefined>)
endif()
