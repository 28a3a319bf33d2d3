# Thin wrappers over CMake. `make run` and `make test` work on a fresh Debian or
# Ubuntu machine: both install what is missing first.
.PHONY: deps build run test test-normal test-asan bench fuzz screenshots format clean

JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60
CMAKE_FLAGS = -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B build $(CMAKE_FLAGS) > /dev/null
	@cmake --build build -j $(JOBS)

run: build
	cd build && ./cairnfall

test-normal: build
	cd build && ctest --output-on-failure -j $(JOBS)

test-asan: deps
	@cmake -S . -B build-asan $(CMAKE_FLAGS) -DCAIRNFALL_SANITIZE=ON -DCAIRNFALL_BENCH=OFF > /dev/null
	@cmake --build build-asan -j $(JOBS)
	cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS)

# Both configurations: the normal build and the sanitizer build.
test: test-normal test-asan

bench: build
	cd build && ./cairnfall-bench --benchmark_counters_tabular=true

# Builds the fuzzers with clang and runs each for FUZZ_SECONDS.
fuzz: deps
	@CXX=clang++ cmake -S . -B build-fuzz $(CMAKE_FLAGS) -DCAIRNFALL_FUZZ=ON -DCAIRNFALL_BENCH=OFF > /dev/null
	@cmake --build build-fuzz -j $(JOBS) --target $(basename $(notdir $(wildcard fuzz/*.cpp)))
	@set -e; for f in $(addprefix build-fuzz/,$(basename $(notdir $(wildcard fuzz/*.cpp)))); do \
		[ -x "$$f" ] || continue; \
		name=$$(basename $$f); corpus=build-fuzz/corpus/$$name; mkdir -p $$corpus; \
		seeds=""; [ -d fuzz/seeds/$$name ] && seeds=fuzz/seeds/$$name; \
		echo "== $$name ($(FUZZ_SECONDS) s)"; \
		$$f -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 $$corpus $$seeds 2>&1 | tail -n 12; \
	done

# Remakes the README's screenshots with the replay tool, in a folder of their own
# so no saved file of a real game is read or written.
screenshots: build
	@rm -rf build/screenshots-run && mkdir -p build/screenshots-run docs/screenshots
	@ln -s ../data build/screenshots-run/data
	cd docs && ../build/cairnfall-replay screenshots.replay --dir ../build/screenshots-run

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build build-asan build-fuzz
