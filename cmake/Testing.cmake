# Tests: GoogleTest built with the cross compiler, one CTest entry per test program, each run under Wine
# in the build tree's private prefix. Test names carry the architecture so that one CTest run can hold
# the 32-bit and the 64-bit trees.
enable_testing()

set(ONDIVAR_GOOGLETEST_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${ONDIVAR_GOOGLETEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# The time limit of every entry; it only has to end a hang. Natively the slowest entry takes about 3 s.
# Where 32-bit programs run under CPU emulation (qemu-user), a Wine process starts in 0.7-2.4 s instead
# of 0.1 s and computes about 7 times slower: the slowest 32-bit entry then takes about 20 s and a new
# prefix about 35 s.
set(ONDIVAR_TEST_TIMEOUT 300)

set(ONDIVAR_FIXTURE_PREFIX ${ONDIVAR_ARCH}.prefix)
set(ONDIVAR_FIXTURE_CAPEOPEN ${ONDIVAR_ARCH}.capeopen)

# Starts the prefix (created on first use) before the tests and stops its server after them.
add_test(NAME ${ONDIVAR_ARCH}.prefix.start
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/wine-prefix.sh start ${ONDIVAR_WINE_PREFIX} ${ONDIVAR_WINE_LOADER}
          ${ONDIVAR_ARCH})
add_test(NAME ${ONDIVAR_ARCH}.prefix.stop
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/wine-prefix.sh stop ${ONDIVAR_WINE_PREFIX} ${ONDIVAR_WINE_LOADER}
          ${ONDIVAR_ARCH})
set_tests_properties(${ONDIVAR_ARCH}.prefix.start PROPERTIES FIXTURES_SETUP ${ONDIVAR_FIXTURE_PREFIX}
                     TIMEOUT ${ONDIVAR_TEST_TIMEOUT})
set_tests_properties(${ONDIVAR_ARCH}.prefix.stop PROPERTIES FIXTURES_CLEANUP ${ONDIVAR_FIXTURE_PREFIX}
                     TIMEOUT ${ONDIVAR_TEST_TIMEOUT})

# ondivar_add_gtest(NAME name SOURCES ... [LIBS ...] [ARGS ...] [CAPEOPEN] [NO_MAIN])
#   ARGS: further arguments of the program in its entry (a --gtest_filter, say).
#   CAPEOPEN: the stand-in CAPE-OPEN type library is registered in the prefix before the test runs.
#   NO_MAIN: the sources bring their own main().
function(ondivar_add_gtest)
  cmake_parse_arguments(T "CAPEOPEN;NO_MAIN" "NAME" "SOURCES;LIBS;ARGS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  if(T_NO_MAIN)
    target_link_libraries(${T_NAME} PRIVATE gmock ${T_LIBS})
  else()
    target_link_libraries(${T_NAME} PRIVATE gmock gtest_main ${T_LIBS})
  endif()
  add_test(NAME ${ONDIVAR_ARCH}.${T_NAME} COMMAND ${T_NAME} --gtest_brief=1 ${T_ARGS})
  set(fixtures ${ONDIVAR_FIXTURE_PREFIX})
  if(T_CAPEOPEN)
    list(APPEND fixtures ${ONDIVAR_FIXTURE_CAPEOPEN})
  endif()
  set_tests_properties(${ONDIVAR_ARCH}.${T_NAME} PROPERTIES FIXTURES_REQUIRED "${fixtures}"
                       TIMEOUT ${ONDIVAR_TEST_TIMEOUT})
endfunction()

# Registers the stand-in CAPE-OPEN 1.1 type library in the prefix, as a host machine would have it.
ondivar_windows_path(capeopen_tlb ${ONDIVAR_CAPEOPEN_TLB})
add_test(NAME ${ONDIVAR_ARCH}.capeopen.register COMMAND ondivar-regtlb register ${capeopen_tlb})
set_tests_properties(${ONDIVAR_ARCH}.capeopen.register PROPERTIES
  FIXTURES_SETUP ${ONDIVAR_FIXTURE_CAPEOPEN} FIXTURES_REQUIRED ${ONDIVAR_FIXTURE_PREFIX}
  TIMEOUT ${ONDIVAR_TEST_TIMEOUT})
