# Renderer baselines: clearing against memset, full-frame textured and lit
# quads, and many small triangles.
if(TARGET tintrover_render)
  add_executable(render_bench ${CMAKE_CURRENT_LIST_DIR}/render_bench.cpp)
  target_link_libraries(render_bench PRIVATE tintrover_frame_cases benchmark::benchmark benchmark::benchmark_main)
endif()
