# cmake -DIN=FILE -DOUT=FILE.gz -P gzip_file.cmake: compresses as Debian
# wants it (best compression, no name or time stamp, so the package is
# reproducible). A failure fails the build.
execute_process(COMMAND gzip -9n -c ${IN} OUTPUT_FILE ${OUT}.tmp RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  file(REMOVE ${OUT}.tmp)
  message(FATAL_ERROR "gzip ${IN} failed: ${rc}")
endif()
file(RENAME ${OUT}.tmp ${OUT})
