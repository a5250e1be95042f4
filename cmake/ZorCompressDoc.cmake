# cmake -DSOURCE=FILE -DTARGET=FILE [-DVERSION=V] -P ZorCompressDoc.cmake
# Copies SOURCE to TARGET (a manual page's heading given version V) and
# compresses it to TARGET.gz with gzip -9n.
file(READ ${SOURCE} text)
if(DEFINED VERSION)
  string(REGEX REPLACE "(\n\\.TH [^\n]*\"zorview )[^\"]*\"" "\\1${VERSION}\"" text "\n${text}")
  string(SUBSTRING "${text}" 1 -1 text)
endif()
file(WRITE ${TARGET} "${text}")
execute_process(COMMAND gzip -9nf ${TARGET} COMMAND_ERROR_IS_FATAL ANY)
