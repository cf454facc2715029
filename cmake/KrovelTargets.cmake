# krovel_glob(VAR patterns...): sources matching the patterns, re-globbed when files
# are added, so a new source file needs no edit of the build files.
function(krovel_glob var)
  set(patterns)
  foreach(p ${ARGN})
    list(APPEND patterns ${CMAKE_SOURCE_DIR}/${p})
  endforeach()
  file(GLOB found CONFIGURE_DEPENDS ${patterns})
  list(SORT found)
  set(${var} ${found} PARENT_SCOPE)
endfunction()

# krovel_fast_build(target): compiles the target's sources a few to one translation unit
# (unity build), so the headers they share are read once per batch. Sources in
# KROVEL_UNITY_SKIP (paths from the top folder), whose file-local names are also another
# source's, compile on their own.
function(krovel_fast_build target)
  set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
  foreach(source ${KROVEL_UNITY_SKIP})
    set_property(SOURCE ${CMAKE_SOURCE_DIR}/${source} TARGET_DIRECTORY ${target}
                 PROPERTY SKIP_UNITY_BUILD_INCLUSION ON)
  endforeach()
endfunction()

# krovel_layer_libraries(): one static library per subsystem and layer that has
# sources, from KROVEL_SUBSYSTEMS and KROVEL_LAYERS (both lowest first). Each links the
# libraries of the same or an earlier subsystem in the same or a lower layer, plus
# KROVEL_LAYER_<layer>_LIBS and KROVEL_LIBS_<subsystem>_<layer>. Umbrella targets krovel_core, krovel_io and krovel_ui
# stand for every library up to that layer (tests, tools and benchmarks link those).
# Each library compiles as a unity build, and a layer with KROVEL_LAYER_<layer>_PCH
# (the Qt and standard headers most of its sources include) precompiles them once in its
# first library; the others of that layer reuse that file, as their flags are the same.
function(krovel_layer_libraries)
  set(layers_so_far)
  set(umbrella)
  foreach(layer ${KROVEL_LAYERS})
    list(APPEND layers_so_far ${layer})
    set(subsystems_so_far)
    set(pch_owner)
    foreach(subsystem ${KROVEL_SUBSYSTEMS})
      list(APPEND subsystems_so_far ${subsystem})
      krovel_glob(sources src/${subsystem}/${layer}/*.cpp src/${subsystem}/${layer}/*.h
                  ${KROVEL_EXTRA_${subsystem}_${layer}})
      if(NOT sources)
        continue()
      endif()
      set(name krovel_${subsystem}_${layer})
      set(below)
      foreach(l ${layers_so_far})
        foreach(s ${subsystems_so_far})
          if(TARGET krovel_${s}_${l})
            list(APPEND below krovel_${s}_${l})
          endif()
        endforeach()
      endforeach()
      add_library(${name} STATIC ${sources})
      target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
      target_link_libraries(${name} PUBLIC ${below} ${KROVEL_LAYER_${layer}_LIBS}
                                         ${KROVEL_LIBS_${subsystem}_${layer}})
      krovel_fast_build(${name})
      if(KROVEL_LAYER_${layer}_PCH)
        if(pch_owner)
          target_precompile_headers(${name} REUSE_FROM ${pch_owner})
        else()
          target_precompile_headers(${name} PRIVATE ${KROVEL_LAYER_${layer}_PCH})
          set(pch_owner ${name})
        endif()
      endif()
      list(APPEND umbrella ${name})
    endforeach()
    set(target krovel_${layer})
    if(layer STREQUAL "gui")
      set(target krovel_ui)
    endif()
    add_library(${target} INTERFACE)
    target_link_libraries(${target} INTERFACE ${umbrella})
  endforeach()
endfunction()
