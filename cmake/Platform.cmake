# What differs between the 32-bit and the 64-bit build: Wine loader and prefix kind, widl's target,
# and where Wine keeps stdole2.tlb.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(ONDIVAR_ARCH win64)
  set(ONDIVAR_WINE_LOADER /usr/lib/wine/wine64)
  set(ONDIVAR_WIDL_TARGET --win64)
  set(ONDIVAR_WINE_TLB_DIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)
else()
  set(ONDIVAR_ARCH win32)
  set(ONDIVAR_WINE_LOADER /usr/bin/wine)
  set(ONDIVAR_WIDL_TARGET --win32)
  set(ONDIVAR_WINE_TLB_DIR /usr/lib/i386-linux-gnu/wine/i386-windows)
endif()

set(ONDIVAR_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(ONDIVAR_WINE_RUN ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
# Every program the build runs (tests, build-time tools) starts in the private prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${ONDIVAR_WINE_RUN} ${ONDIVAR_WINE_PREFIX} ${ONDIVAR_WINE_LOADER})

# A path as Windows programs under Wine see it (the Z: drive maps the Unix root).
function(ondivar_windows_path out path)
  set(${out} "Z:${path}" PARENT_SCOPE)
endfunction()

# The stand-in CAPE-OPEN 1.1 type library (built by module/capeopen).
set(ONDIVAR_CAPEOPEN_TLB ${CMAKE_BINARY_DIR}/module/capeopen/CAPE-OPENv1-1-0.tlb)

# Build-time programs run in a prefix of their own: the tests' prefix belongs to the test fixture.
#   COMMAND ${ONDIVAR_WINE_BUILD_RUN} $<TARGET_FILE:tool> args...
set(ONDIVAR_WINE_BUILD_PREFIX ${CMAKE_BINARY_DIR}/wineprefix-build)
set(ONDIVAR_WINE_BUILD_RUN ${CMAKE_CURRENT_LIST_DIR}/wine-build-run.sh ${ONDIVAR_WINE_BUILD_PREFIX}
    ${ONDIVAR_WINE_LOADER} ${ONDIVAR_ARCH})

# The product's type library OndivarLib, embedded in the DLL as resource TYPELIB 1 (built by module/).
set(ONDIVAR_TYPELIB ${CMAKE_BINARY_DIR}/module/OndivarLib.tlb)
