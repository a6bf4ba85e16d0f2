# Colour solids: one frame of each view tab, the heaviest TypeC and TypeD
# views, a 64-frame TypeD turntable, the two regenerated textures, and the
# Clear-versus-memset baseline.
if(TARGET tintrover_colour)
  add_executable(colour_bench ${CMAKE_CURRENT_LIST_DIR}/colour_bench.cpp)
  target_link_libraries(colour_bench PRIVATE tintrover_colour benchmark::benchmark benchmark::benchmark_main)
endif()
