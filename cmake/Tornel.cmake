# Helpers shared by every folder's CMakeLists.txt.

set_property(GLOBAL PROPERTY TORNEL_CORE_LIBRARIES "")

# The core must stay free of Qt: every build checks the sources first.
add_custom_target(tornel_check_core_no_qt
  COMMAND ${CMAKE_COMMAND} -DROOT=${PROJECT_SOURCE_DIR}/src/core
          -P ${PROJECT_SOURCE_DIR}/cmake/CheckCoreNoQt.cmake
  COMMENT "Checking that src/core includes no Qt"
  VERBATIM)

# tornel_core_library(<name> [DEPS lib...] [EXCLUDE file...]): a static library
# of every .cpp in the calling folder but the EXCLUDE ones, named tornel_<name>,
# that links no Qt.
function(tornel_core_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;EXCLUDE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  foreach(excluded IN LISTS ARG_EXCLUDE)
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${excluded})
  endforeach()
  if(NOT sources)
    return()  # a folder that has no code yet
  endif()
  add_library(tornel_${name} STATIC ${sources} ${headers})
  target_include_directories(tornel_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  foreach(dep IN LISTS ARG_DEPS)
    target_link_libraries(tornel_${name} PUBLIC tornel_${dep})
  endforeach()
  add_dependencies(tornel_${name} tornel_check_core_no_qt)
  set_property(GLOBAL APPEND PROPERTY TORNEL_CORE_LIBRARIES tornel_${name})
endfunction()

# tornel_core_tests(<name> [LIBS lib...]): one GoogleTest program of every .cpp
# in the calling folder, registered with CTest.
function(tornel_core_tests name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(test_core_${name} ${sources})
  set_target_properties(test_core_${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  foreach(lib IN LISTS ARG_LIBS)
    target_link_libraries(test_core_${name} PRIVATE tornel_${lib})
  endforeach()
  target_link_libraries(test_core_${name} PRIVATE tornel_test_support GTest::gmock GTest::gtest_main)
  target_compile_definitions(test_core_${name} PRIVATE TORNEL_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(test_core_${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES LABELS core)
endfunction()

# tornel_ui_tests(<name>): one GoogleTest program of every .cpp in the calling
# folder, run against the whole UI library on the offscreen platform.
function(tornel_ui_tests name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(test_ui_${name} ${sources})
  set_target_properties(test_ui_${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TORNEL_RUNTIME_DIR} AUTOMOC ON)
  target_link_libraries(test_ui_${name} PRIVATE tornel_ui_test_support tornel_ui tornel_test_support
    Qt6::Test GTest::gmock GTest::gtest)
  target_compile_definitions(test_ui_${name} PRIVATE TORNEL_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(test_ui_${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES LABELS ui ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# tornel_ui_library(<folder> [TARGET name] [DEPS folder...] [QT component...]):
# a static library of every .cpp/.h in src/ui/<folder>, named tornel_ui_<folder>
# unless TARGET says otherwise, over every core library and the Qt components
# given. DEPS are the other UI folders it may include; the build fails when it
# includes one it does not declare.
function(tornel_ui_library folder)
  cmake_parse_arguments(ARG "" "TARGET" "DEPS;QT;EXTRA_SOURCES" ${ARGN})
  set(target tornel_ui_${folder})
  if(ARG_TARGET)
    set(target ${ARG_TARGET})
  endif()
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp
       ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${target} STATIC ${sources} ${ARG_EXTRA_SOURCES})
  set_target_properties(${target} PROPERTIES AUTOMOC ON AUTORCC ON)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  get_property(core_libs GLOBAL PROPERTY TORNEL_CORE_LIBRARIES)
  target_link_libraries(${target} PUBLIC ${core_libs})
  foreach(component IN LISTS ARG_QT)
    target_link_libraries(${target} PUBLIC Qt6::${component})
  endforeach()
  set(allowed "")
  foreach(dep IN LISTS ARG_DEPS)
    get_property(dep_target GLOBAL PROPERTY TORNEL_UI_TARGET_${dep})
    if(NOT dep_target)
      message(FATAL_ERROR "src/ui/${folder} depends on src/ui/${dep}, which is not defined before it")
    endif()
    target_link_libraries(${target} PUBLIC ${dep_target})
    list(APPEND allowed ${dep})
  endforeach()
  string(REPLACE ";" "," allowed "${allowed}")
  add_custom_target(${target}_check_includes
    COMMAND ${CMAKE_COMMAND} -DROOT=${PROJECT_SOURCE_DIR}/src/ui -DFOLDER=${folder}
            -DALLOWED=${allowed} -P ${PROJECT_SOURCE_DIR}/cmake/CheckUiIncludes.cmake
    COMMENT "Checking the includes of src/ui/${folder}"
    VERBATIM)
  add_dependencies(${target} ${target}_check_includes)
  set_property(GLOBAL PROPERTY TORNEL_UI_TARGET_${folder} ${target})
  set_property(GLOBAL APPEND PROPERTY TORNEL_UI_LIBRARIES ${target})
endfunction()
