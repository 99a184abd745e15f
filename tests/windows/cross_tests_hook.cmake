# Passed as -DCMAKE_PROJECT_Solva_INCLUDE=<this file> to a Windows cross
# build of the project: once the top-level CMakeLists.txt is processed,
# the cross-built test suites of tests/windows are added. (Deferred
# arguments are expanded when the call runs, hence the variable.)
set(SOLVA_WINDOWS_SUITES_FILE ${CMAKE_CURRENT_LIST_DIR}/cross_suites.cmake)
cmake_language(DEFER CALL include ${SOLVA_WINDOWS_SUITES_FILE})
