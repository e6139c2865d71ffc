# The theory generators, shared by the benchmarks and the golden outputs. Both the bench and the
# tests/golden folders include this file, so the library exists whether or not the benchmarks are
# built; the guard makes the second include do nothing.
include_guard(GLOBAL)

add_library(dialectic_generators STATIC ${CMAKE_CURRENT_LIST_DIR}/theory_generators.cpp)
target_include_directories(dialectic_generators PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(dialectic_generators PUBLIC dialectic_core)
