# cmake -DSOFFICE=... -DSOURCE=manual.html -DOUTPUT=Help.pdf -DWORK_DIR=dir -P build_manual.cmake
#
# Converts the manual's HTML page into a PDF through Writer. Each run has a LibreOffice profile
# of its own, so that it never waits for or breaks another soffice of the same user (the render
# tests start theirs while the build runs), and the PDF is moved into place only when complete.
foreach(var SOFFICE SOURCE OUTPUT WORK_DIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "build_manual.cmake needs -D${var}=...")
  endif()
endforeach()

string(RANDOM LENGTH 12 run_id)
set(run_dir ${WORK_DIR}/run-${run_id})
file(REMOVE_RECURSE ${run_dir})
file(MAKE_DIRECTORY ${run_dir}/out)

# "HTML (StarWriter)" opens the page as a Writer text document (not as a web page), so that the
# page size and margins of its style sheet apply and the pictures are embedded in the PDF.
execute_process(
  COMMAND ${SOFFICE} --headless --norestore -env:UserInstallation=file://${run_dir}/profile
    "--infilter=HTML (StarWriter)" --convert-to pdf:writer_pdf_Export --outdir ${run_dir}/out
    ${SOURCE}
  RESULT_VARIABLE result
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output
  TIMEOUT 300)

get_filename_component(stem ${SOURCE} NAME_WE)
set(produced ${run_dir}/out/${stem}.pdf)
if(NOT result EQUAL 0 OR NOT EXISTS ${produced})
  file(REMOVE_RECURSE ${run_dir})
  message(FATAL_ERROR "LibreOffice could not convert ${SOURCE} (${result}):\n${output}")
endif()

file(COPY_FILE ${produced} ${OUTPUT}.part)
file(RENAME ${OUTPUT}.part ${OUTPUT})
file(REMOVE_RECURSE ${run_dir})
