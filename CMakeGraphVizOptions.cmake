# `cmake --graphviz=layers.dot build` draws the program's layers: which library uses
# which, from the window down to the INI engine. The test, benchmark and fuzz
# programs and the outside libraries are left out so that the layering stays readable.
set(GRAPHVIZ_GRAPH_NAME "vuka-manager layers")
set(GRAPHVIZ_EXTERNAL_LIBS OFF)
set(GRAPHVIZ_GENERATE_PER_TARGET OFF)
set(GRAPHVIZ_GENERATE_DEPENDERS OFF)
set(GRAPHVIZ_IGNORE_TARGETS ".*_tests?$" "^test_support.*" "^fuzz_.*" ".*_bench$" ".*_memory$"
    "^bench_.*" "^draw-pictures$" "^profile_.*" "^save_readback$" "^replay.*")
