# Each subsystem folder is a static library zelmio_<folder> of its sources;
# files under a "widgets" subfolder belong to the windows library instead.
# Tests link the smallest folder library they need.
function(zelmio_add_folder dir)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE _all CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/${dir}/*.cpp ${CMAKE_SOURCE_DIR}/${dir}/*.h)
  set(_core)
  set(_win)
  foreach(f IN LISTS _all)
    if(f MATCHES "/main\\.cpp$")
      # a program's entry point, built by the folder's own CMakeLists
    elseif(f MATCHES "/widgets/")
      list(APPEND _win ${f})
    else()
      list(APPEND _core ${f})
    endif()
  endforeach()
  string(REPLACE "/" "_" _name "zelmio_${dir}")
  list(FILTER _core INCLUDE REGEX "\\.cpp$|\\.h$")
  set(_has_cpp ${_core})
  list(FILTER _has_cpp INCLUDE REGEX "\\.cpp$")
  if(_has_cpp)
    add_library(${_name} STATIC ${_core})
    target_include_directories(${_name} PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(${_name} PUBLIC Qt6::Core Qt6::Gui zelmio_warnings ${ARG_DEPS})
  else()
    add_library(${_name} INTERFACE)
    target_include_directories(${_name} INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${_name} INTERFACE Qt6::Core Qt6::Gui zelmio_warnings ${ARG_DEPS})
  endif()
  target_link_libraries(zelmio_core INTERFACE ${_name})
  if(_win)
    target_sources(zelmio_windows PRIVATE ${_win})
  endif()
endfunction()

# One test program per folder of tests/, built from all its .cpp files.
# LIBS names what it links; a test program that links the windows library
# gets a QApplication main, any other a QGuiApplication main.
function(zelmio_add_test_folder name dir)
  cmake_parse_arguments(ARG "WINDOWS" "" "LIBS" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(NOT _src)
    return()
  endif()
  add_executable(${name} ${_src})
  if(ARG_WINDOWS)
    target_sources(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support/WindowsTestMain.cpp)
  else()
    target_sources(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support/CoreTestMain.cpp)
  endif()
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest zelmio_warnings)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
  target_compile_definitions(${name} PRIVATE
    ZELMIO_TEST_DATA="${dir}/data"
    ZELMIO_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  # Discovery at test time, so that building never runs test programs.
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
