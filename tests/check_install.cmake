# Installs the built toolbox into a scratch prefix, then configures, builds
# and runs the consumer project against it, once through find_package and
# once through pkg-config.
set(prefix ${WORK}/prefix)
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "install failed")
endif()
foreach(mode IN ITEMS OFF ON)
  set(build ${WORK}/consumer-${mode})
  execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE} -B ${build} -DUSE_PKG_CONFIG=${mode}
                          -DCMAKE_PREFIX_PATH=${prefix}
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "consumer (pkg-config ${mode}) does not configure")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} --build ${build} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "consumer (pkg-config ${mode}) does not build")
  endif()
  execute_process(COMMAND ${build}/consumer RESULT_VARIABLE rc OUTPUT_VARIABLE out)
  if(NOT rc EQUAL 0 OR NOT out MATCHES "KELMOD 3.1G")
    message(FATAL_ERROR "consumer (pkg-config ${mode}) failed: ${out}")
  endif()
  message(STATUS "consumer (pkg-config ${mode}): ${out}")
endforeach()
