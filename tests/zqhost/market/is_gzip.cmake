# Fails unless FILE starts with the gzip magic bytes.
#   cmake -DFILE=path -P is_gzip.cmake
file(READ "${FILE}" magic LIMIT 2 HEX)
if(NOT magic STREQUAL "1f8b")
  message(FATAL_ERROR "${FILE} is not gzip-compressed (starts with ${magic})")
endif()
