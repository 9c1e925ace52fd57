# Compiles an IDL file with widl.
#   ondivar_widl(IDL file.idl OUTPUT_DIR dir [HEADER] [IIDS] [TYPELIB] [PROXY] [DLLDATA]
#                [INCLUDE_DIRS dirs...] [LIBRARY_DIRS dirs...] [DEPENDS files...] [OUTPUTS var])
# INCLUDE_DIRS are searched for imported IDL files, LIBRARY_DIRS for importlib'd type libraries (besides
# Wine's folder with stdole2.tlb).
# Outputs, named after the IDL file's stem: stem.h, stem_i.c, stem.tlb, stem_p.c, dlldata.c.
set(ONDIVAR_WIDL_INCLUDE /usr/include/wine/wine/windows)
find_program(ONDIVAR_WIDL NAMES ${ONDIVAR_TRIPLE}-widl widl REQUIRED)

function(ondivar_widl)
  cmake_parse_arguments(W "HEADER;IIDS;TYPELIB;PROXY;DLLDATA" "IDL;OUTPUT_DIR;OUTPUTS"
                        "DEPENDS;INCLUDE_DIRS;LIBRARY_DIRS" ${ARGN})
  get_filename_component(stem ${W_IDL} NAME_WE)
  get_filename_component(idl ${W_IDL} ABSOLUTE)
  get_filename_component(idl_dir ${idl} DIRECTORY)
  set(common ${ONDIVAR_WIDL_TARGET} -I${ONDIVAR_WIDL_INCLUDE} -I${idl_dir} -I${W_OUTPUT_DIR})
  foreach(dir ${W_INCLUDE_DIRS})
    list(APPEND common -I${dir})
  endforeach()
  list(APPEND common -L${ONDIVAR_WINE_TLB_DIR})
  foreach(dir ${W_LIBRARY_DIRS})
    list(APPEND common -L${dir})
  endforeach()
  set(outputs)
  macro(widl_step flag out)
    add_custom_command(OUTPUT ${W_OUTPUT_DIR}/${out}
      COMMAND ${ONDIVAR_WIDL} ${common} ${flag} -o ${W_OUTPUT_DIR}/${out} ${idl}
      DEPENDS ${idl} ${W_DEPENDS} VERBATIM COMMENT "widl ${flag} ${stem}.idl")
    list(APPEND outputs ${W_OUTPUT_DIR}/${out})
  endmacro()
  file(MAKE_DIRECTORY ${W_OUTPUT_DIR})
  if(W_HEADER)
    widl_step(-h ${stem}.h)
  endif()
  if(W_IIDS)
    widl_step(-u ${stem}_i.c)
  endif()
  if(W_TYPELIB)
    widl_step(-t ${stem}.tlb)
  endif()
  if(W_PROXY)
    widl_step(-p ${stem}_p.c)
  endif()
  # widl ignores --dlldata when other outputs are asked for in the same run.
  if(W_DLLDATA)
    widl_step(--dlldata-only ${stem}_dlldata.c)
  endif()
  if(W_OUTPUTS)
    set(${W_OUTPUTS} ${outputs} PARENT_SCOPE)
  endif()
endfunction()
