# Installs only the Runtime component (libkelmod.so.3 and its file, no
# libkelmod.so link), as a runtime package does, and loads the library from
# there: a C host through dlopen, the Python binding and the .NET binding, each
# finding it without being told its path.
#   cmake -DBUILD=<build> -DWORK=<scratch> -DSOURCE=<repository> -DDYNAMIC=<exe>
#         [-DPYTHON=<python3>] [-DMONO=<mono> -DDOTNET_EXAMPLE=<exe>] -P runtime_only.cmake
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${WORK} --component Runtime
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "installing the Runtime component failed")
endif()
file(GLOB_RECURSE installed RELATIVE ${WORK} ${WORK}/*)
file(GLOB_RECURSE soname ${WORK}/*/libkelmod.so.3)
file(GLOB_RECURSE devlink ${WORK}/*/libkelmod.so)
if(NOT soname OR devlink)
  message(FATAL_ERROR "the Runtime component should hold libkelmod.so.3 and no libkelmod.so: ${installed}")
endif()
get_filename_component(libdir ${soname} DIRECTORY)
message(STATUS "Runtime component: ${installed}")

function(run what expect)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=KELMOD_LIBRARY LD_LIBRARY_PATH=${libdir}
                          ${ARGN}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err
                  WORKING_DIRECTORY ${SOURCE})
  if(NOT rc EQUAL 0 OR NOT out MATCHES "${expect}")
    message(FATAL_ERROR "${what} against the runtime-only install failed (${rc}):\n${out}${err}")
  endif()
  message(STATUS "${what}: loaded from the runtime-only install")
endfunction()

run("C host (dlopen libkelmod.so.3)" "64 of 64 functions found" ${DYNAMIC} libkelmod.so.3)
if(PYTHON)
  # Prints the version and the file the process mapped the library from.
  file(WRITE ${WORK}/which.py "import kelmod\n"
       "print(kelmod.Toolbox().toolbox_version())\n"
       "print(''.join(line for line in open('/proc/self/maps') if 'libkelmod' in line))\n")
  run("Python binding" "3.1G\n.*${libdir}/libkelmod.so.3" ${CMAKE_COMMAND} -E env
      PYTHONPATH=${SOURCE}/bindings/python PYTHONDONTWRITEBYTECODE=1 ${PYTHON} ${WORK}/which.py)
endif()
if(MONO)
  run(".NET binding" "toolbox 3.1G" ${MONO} ${DOTNET_EXAMPLE} ${SOURCE}/examples)
endif()
