# Run by CPack only, on its staged tree before packing it: the files Debian
# requires in the package's documentation folder, which a plain install does
# without, and the manual page compressed with gzip -9n as Debian wants it.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(staged "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
  set(doc "${staged}/${CPACK_ROLLBOX_DOCDIR}")
  file(MAKE_DIRECTORY "${doc}")
  file(COPY_FILE "${CPACK_RESOURCE_FILE_LICENSE}" "${doc}/copyright")
  string(TIMESTAMP date "%a, %d %b %Y %H:%M:%S +0000" UTC)
  file(WRITE "${CPACK_TOPLEVEL_DIRECTORY}/changelog" "rollbox1 (${CPACK_PACKAGE_VERSION}) unstable; urgency=medium

  * Release ${CPACK_PACKAGE_VERSION}.

 -- ${CPACK_DEBIAN_PACKAGE_MAINTAINER}  ${date}
")
  file(ARCHIVE_CREATE OUTPUT "${doc}/changelog.gz" PATHS "${CPACK_TOPLEVEL_DIRECTORY}/changelog"
    FORMAT raw COMPRESSION GZip COMPRESSION_LEVEL 9)
  execute_process(COMMAND gzip -9nf "${staged}/${CPACK_ROLLBOX_MANPAGE}" COMMAND_ERROR_IS_FATAL ANY)
endif()
