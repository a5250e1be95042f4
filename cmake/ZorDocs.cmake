# What the program installs besides itself for its users and packagers: the
# manual page, the changelog and copyright file, bash completion, the
# software centre's metadata and the package checker's overrides. The
# changelog's and the metadata's newest versions must be the project version.
set(zor_package_data ${PROJECT_SOURCE_DIR}/data/package)

file(STRINGS ${zor_package_data}/changelog zor_changelog_head LIMIT_COUNT 1)
if(NOT zor_changelog_head MATCHES "^zorview \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "data/package/changelog does not begin with version ${PROJECT_VERSION}: ${zor_changelog_head}")
endif()
file(READ ${zor_package_data}/org.example.zorview.metainfo.xml zor_metainfo)
if(NOT zor_metainfo MATCHES "<release version=\"${PROJECT_VERSION}\"")
  message(FATAL_ERROR "the metainfo's releases do not name version ${PROJECT_VERSION}")
endif()

# Compressed as Debian wants them (gzip -9, no name or time stamp); the
# manual page's heading carries the project version.
set(zor_docs ${PROJECT_BINARY_DIR}/docs)
add_custom_command(OUTPUT ${zor_docs}/zorview.1.gz
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${PROJECT_SOURCE_DIR}/man/zorview.1 -DTARGET=${zor_docs}/zorview.1
          -DVERSION=${PROJECT_VERSION} -P ${PROJECT_SOURCE_DIR}/cmake/ZorCompressDoc.cmake
  DEPENDS ${PROJECT_SOURCE_DIR}/man/zorview.1 ${PROJECT_SOURCE_DIR}/cmake/ZorCompressDoc.cmake)
add_custom_command(OUTPUT ${zor_docs}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${zor_package_data}/changelog -DTARGET=${zor_docs}/changelog
          -P ${PROJECT_SOURCE_DIR}/cmake/ZorCompressDoc.cmake
  DEPENDS ${zor_package_data}/changelog ${PROJECT_SOURCE_DIR}/cmake/ZorCompressDoc.cmake)
add_custom_target(zor_docs ALL DEPENDS ${zor_docs}/zorview.1.gz ${zor_docs}/changelog.gz)
add_dependencies(zorview zor_docs)

install(FILES ${zor_docs}/zorview.1.gz DESTINATION share/man/man1)
install(FILES ${zor_docs}/changelog.gz ${zor_package_data}/copyright DESTINATION share/doc/zorview)
install(FILES ${zor_package_data}/zorview.bash-completion DESTINATION share/bash-completion/completions
        RENAME zorview)
install(FILES ${zor_package_data}/org.example.zorview.metainfo.xml DESTINATION share/metainfo)
install(FILES ${zor_package_data}/lintian-overrides DESTINATION share/lintian/overrides RENAME zorview)

# A stripped install (the package's) also drops the compiler's notes, as
# Debian's own packages do.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment --remove-section=.note
                            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/zorview\" COMMAND_ERROR_IS_FATAL ANY)
  endif()")
