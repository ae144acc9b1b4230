# Run by cpack on the staged files before the package is made (CPACK_PRE_BUILD_SCRIPTS): names
# the Debian packages of the libraries that the programs and the tag library link, from
# dpkg-shlibdeps, in the package's Depends.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()
find_program(KIVUNA_SHLIBDEPS dpkg-shlibdeps REQUIRED)
set(work ${CPACK_TOPLEVEL_DIRECTORY}/kivuna-shlibdeps)
# dpkg-shlibdeps wants a source package's control file in the folder it runs in.
file(WRITE ${work}/debian/control "")
set(binaries "")
foreach(binary IN LISTS CPACK_KIVUNA_BINARIES)
  list(APPEND binaries ${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/${binary})
endforeach()
execute_process(COMMAND ${KIVUNA_SHLIBDEPS} -O ${binaries}
  WORKING_DIRECTORY ${work} RESULT_VARIABLE failed OUTPUT_VARIABLE found ERROR_VARIABLE problems)
file(REMOVE_RECURSE ${work})
if(failed OR NOT found MATCHES "shlibs:Depends=([^\n]+)")
  message(FATAL_ERROR "dpkg-shlibdeps found no dependencies: ${problems}")
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CMAKE_MATCH_1}, ${CPACK_KIVUNA_RUNTIME_DEPENDS}")
