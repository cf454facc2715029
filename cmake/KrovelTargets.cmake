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

# krovel_layer_libraries(): one static library per subsystem and layer that has
# sources, from KROVEL_SUBSYSTEMS and KROVEL_LAYERS (both lowest first). Each links the
# libraries of the same or an earlier subsystem in the same or a lower layer, plus
# KROVEL_LAYER_<layer>_LIBS and KROVEL_LIBS_<subsystem>_<layer>. Umbrella targets krovel_core, krovel_io and krovel_ui
# stand for every library up to that layer (tests, tools and benchmarks link those).
function(krovel_layer_libraries)
  set(layers_so_far)
  set(umbrella)
  foreach(layer ${KROVEL_LAYERS})
    list(APPEND layers_so_far ${layer})
    set(subsystems_so_far)
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
