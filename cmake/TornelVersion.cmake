# The build number: commits on the way to this tree, so that a lab can tell two
# installed builds of one version apart. TORNEL_BUILD_NUMBER overrides it (a
# source tree without git history gets 0).
find_package(Git QUIET)
if(NOT DEFINED TORNEL_BUILD_NUMBER)
  set(TORNEL_BUILD_NUMBER 0)
  if(GIT_FOUND)
    execute_process(COMMAND ${GIT_EXECUTABLE} rev-list --count HEAD
                    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                    OUTPUT_VARIABLE count OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE git_result ERROR_QUIET)
    if(git_result EQUAL 0 AND count MATCHES "^[0-9]+$")
      set(TORNEL_BUILD_NUMBER ${count})
    endif()
  endif()
endif()
set(TORNEL_VERSION "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")

configure_file(${PROJECT_SOURCE_DIR}/cmake/tornel_version.h.in
               ${CMAKE_BINARY_DIR}/generated/tornel_version.h @ONLY)
add_library(tornel_version INTERFACE)
target_include_directories(tornel_version INTERFACE ${CMAKE_BINARY_DIR}/generated)
