# The platform-free suites cross-built for Windows (see CMakeLists.txt).
# GoogleTest and GoogleMock from Debian's sources, compiled in (no
# subdirectory: this file may run deferred at the end of the top level).
set(SOLVA_GTEST_ROOT /usr/src/googletest)
add_library(wingtest STATIC EXCLUDE_FROM_ALL
  ${SOLVA_GTEST_ROOT}/googletest/src/gtest-all.cc
  ${SOLVA_GTEST_ROOT}/googlemock/src/gmock-all.cc
  ${SOLVA_GTEST_ROOT}/googletest/src/gtest_main.cc)
target_include_directories(wingtest SYSTEM PUBLIC
  ${SOLVA_GTEST_ROOT}/googletest/include ${SOLVA_GTEST_ROOT}/googlemock/include
  PRIVATE ${SOLVA_GTEST_ROOT}/googletest ${SOLVA_GTEST_ROOT}/googlemock)
target_compile_options(wingtest PRIVATE -w)

set(SOLVA_TESTS_DIR ${CMAKE_SOURCE_DIR}/tests)
set(SOLVA_WINDOWS_COMPAT ${CMAKE_CURRENT_LIST_DIR}/compat)
set(SOLVA_WINDOWS_TEST_BIN ${CMAKE_BINARY_DIR}/wintests)

function(solva_add_windows_suite name)
  file(GLOB srcs CONFIGURE_DEPENDS ${SOLVA_TESTS_DIR}/${name}/*.cpp)
  list(FILTER srcs EXCLUDE REGEX "notice_helper\\.cpp$")
  # Files that count allocations through glibc's __libc_malloc.
  foreach(src ${srcs})
    file(STRINGS ${src} glibcOnly REGEX "__libc_malloc" LIMIT_COUNT 1)
    if(glibcOnly)
      list(REMOVE_ITEM srcs ${src})
    endif()
  endforeach()
  if(NOT srcs)
    return()
  endif()
  add_executable(wintest_${name} EXCLUDE_FROM_ALL ${srcs})
  target_link_libraries(wintest_${name} PRIVATE ${ARGN} wingtest)
  target_include_directories(wintest_${name} PRIVATE ${SOLVA_WINDOWS_COMPAT} ${SOLVA_TESTS_DIR}/${name})
  target_compile_options(wintest_${name} PRIVATE -include ${SOLVA_WINDOWS_COMPAT}/windows_test_compat.h)
  target_compile_definitions(wintest_${name} PRIVATE
    SOLVA_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    SOLVA_BINARY_DIR="${CMAKE_BINARY_DIR}"
    SOLVA_PLUGIN_PATH="$<TARGET_FILE:Solva>")
  target_link_options(wintest_${name} PRIVATE -static -static-libgcc -static-libstdc++)
  set_target_properties(wintest_${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${SOLVA_WINDOWS_TEST_BIN})
endfunction()

solva_add_windows_suite(params solva_params)
solva_add_windows_suite(dsp solva_dsp)
solva_add_windows_suite(storage solva_storage)
if(TARGET wintest_storage AND EXISTS ${SOLVA_TESTS_DIR}/storage/notice_helper.cpp)
  add_executable(wintest_storage_notice_helper EXCLUDE_FROM_ALL ${SOLVA_TESTS_DIR}/storage/notice_helper.cpp)
  target_link_libraries(wintest_storage_notice_helper PRIVATE solva_storage)
  target_link_options(wintest_storage_notice_helper PRIVATE -static -static-libgcc -static-libstdc++)
  set_target_properties(wintest_storage_notice_helper PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${SOLVA_WINDOWS_TEST_BIN})
  target_compile_definitions(wintest_storage PRIVATE
    SOLVA_NOTICE_HELPER="${SOLVA_WINDOWS_TEST_BIN}/wintest_storage_notice_helper.exe")
  add_dependencies(wintest_storage wintest_storage_notice_helper)
endif()
solva_add_windows_suite(plugin solva_plugin)
add_custom_target(windows_test_suites)
foreach(name params dsp storage plugin)
  if(TARGET wintest_${name})
    add_dependencies(windows_test_suites wintest_${name})
  endif()
endforeach()

# The editor probe: opens the plug-in's editor in a Win32 window under
# Wine, drives it with SendInput and writes the window as a BMP.
add_executable(editor_probe EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/editor_probe/editor_probe.cpp)
target_link_options(editor_probe PRIVATE -static -static-libgcc -static-libstdc++)
set_target_properties(editor_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${SOLVA_WINDOWS_TEST_BIN})
add_dependencies(windows_test_suites editor_probe)
