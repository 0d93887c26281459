# Benchmarks: built only by the `bench` target, run by bench/run, which prints the table.
set(VESTORA_BENCHMARKS
  bench_start             # spawns a program and times its first paint (the harness)
  bench_empty_window      # a bare Qt window of the main window's size: the baseline
  bench_text_window       # the same with one line of Chinese text: the toolkit's price of text
  bench_hand_window       # the main window written by hand with plain Qt widgets: the floor
  bench_vestora_window    # the program's own start path, up to the main window's first paint
  bench_start_phases      # the same start, step by step
  bench_category_windows  # press to every picture painted, against a bare window + decoding
  bench_growth            # resident memory over many rounds of opening and closing the windows
  bench_catalog           # command lines, command-line reading and catalog lookups
  bench_grab              # the main window's pixels after its first paint, for comparisons
)

add_executable(bench_start EXCLUDE_FROM_ALL start.cpp)

add_executable(bench_empty_window EXCLUDE_FROM_ALL empty_window.cpp probe.cpp)
target_link_libraries(bench_empty_window PRIVATE Qt6::Widgets)

add_executable(bench_text_window EXCLUDE_FROM_ALL text_window.cpp probe.cpp)
target_link_libraries(bench_text_window PRIVATE vestora_forms_qt)

add_executable(bench_hand_window EXCLUDE_FROM_ALL hand_window.cpp probe.cpp)
target_link_libraries(bench_hand_window PRIVATE Qt6::Widgets vestora_assets)

add_executable(bench_vestora_window EXCLUDE_FROM_ALL vestora_window.cpp probe.cpp)
target_link_libraries(bench_vestora_window PRIVATE vestora_forms_qt)

add_executable(bench_start_phases EXCLUDE_FROM_ALL start_phases.cpp probe.cpp)
target_link_libraries(bench_start_phases PRIVATE vestora_forms_qt)

add_executable(bench_category_windows EXCLUDE_FROM_ALL category_windows.cpp probe.cpp)
target_link_libraries(bench_category_windows PRIVATE vestora_forms_qt)

add_executable(bench_growth EXCLUDE_FROM_ALL growth.cpp probe.cpp)
target_link_libraries(bench_growth PRIVATE vestora_forms_qt)

add_executable(bench_grab EXCLUDE_FROM_ALL grab.cpp probe.cpp)
target_link_libraries(bench_grab PRIVATE vestora_forms_qt)

add_executable(bench_catalog EXCLUDE_FROM_ALL catalog.cpp)
target_link_libraries(bench_catalog PRIVATE vestora_forms_qt)

foreach(target ${VESTORA_BENCHMARKS})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
endforeach()

add_custom_target(bench DEPENDS ${VESTORA_BENCHMARKS})
