# Thin wrappers over CMake. `make run` and `make test` work on a fresh Debian or
# Ubuntu machine: each installs what it needs and is missing first.
.PHONY: deps configure game build run install package test test-normal test-asan bench fuzz \
	soak screenshots format clean web web-run test-web windows test-windows

JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60
PREFIX ?= /usr/local
CMAKE_FLAGS = -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

# Each command installs the packages it needs first: DEPS names their sets in
# scripts/install-deps, `run` (the game's build) for all but format, more for the
# commands below; a command's set holds for everything it makes on the way. make
# builds `deps` once, so it installs for all the commands given (make run test).
sets_of = $(if $(filter package,$1),package) \
	$(if $(filter build bench soak screenshots test-normal test-asan,$1),build) \
	$(if $(filter web web-run,$1),web) $(if $(filter windows,$1),windows) \
	$(if $(filter test test-web test-windows,$1),test) $(if $(filter fuzz,$1),fuzz) \
	$(if $(filter format,$1),format)
DEPS = $(strip $(if $(filter-out format,$(or $(MAKECMDGOALS),deps)),run) \
	$(call sets_of,$(MAKECMDGOALS)))

deps:
	@scripts/install-deps $(DEPS)

configure: deps
	@cmake -S . -B build $(CMAKE_FLAGS) > /dev/null

# Only the game, its pictures and sounds and its documents: no test, no benchmark.
game: configure
	@cmake --build build -j $(JOBS) --target cairnfall assets compressed_docs

# Everything, tests and benchmarks included.
build: configure
	@cmake --build build -j $(JOBS)

run: game
	./build/cairnfall

# `sudo make install` after `make run` only copies: the build folder stays the
# user's. Without a build it builds first.
install:
	@[ -x build/cairnfall ] || $(MAKE) game
	cmake --install build --prefix $(PREFIX)

package: game
	cd build && cpack -G DEB

test-normal: build
	cd build && ctest --output-on-failure -j $(JOBS)

test-asan: deps
	@cmake -S . -B build-asan $(CMAKE_FLAGS) -DCAIRNFALL_SANITIZE=ON -DCAIRNFALL_BENCH=OFF > /dev/null
	@cmake --build build-asan -j $(JOBS)
	cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS)

# Both configurations, the normal build and the sanitizer build, the browser's and
# Windows'.
test: test-normal test-asan test-web test-windows

bench: build
	cd build && ./cairnfall-bench --benchmark_counters_tabular=true --benchmark_repetitions=3 \
		--benchmark_report_aggregates_only=true

# Builds the fuzzers with clang and runs each for FUZZ_SECONDS on its committed
# corpus (fuzz/corpus/<target>) and seeds (fuzz/seeds/<target>); new inputs are
# found in build-fuzz/corpus/<target>, then the corpus is minimised with -merge=1
# into a fresh folder that replaces fuzz/corpus/<target>. FUZZ=name runs one.
FUZZ_TARGETS = $(basename $(notdir $(wildcard fuzz/fuzz_*.cpp)))
FUZZ ?= $(FUZZ_TARGETS)
fuzz: deps
	@CXX=clang++ cmake -S . -B build-fuzz $(CMAKE_FLAGS) -DCAIRNFALL_FUZZ=ON -DCAIRNFALL_BENCH=OFF > /dev/null
	@cmake --build build-fuzz -j $(JOBS) --target $(FUZZ)
	@set -e; for name in $(FUZZ); do \
		f=build-fuzz/$$name; [ -x "$$f" ] || continue; \
		found=build-fuzz/corpus/$$name; fresh=build-fuzz/corpus-merged/$$name; \
		corpus=fuzz/corpus/$$name; seeds=fuzz/seeds/$$name; \
		mkdir -p $$found $$corpus $$seeds; \
		case $$name in fuzz_game) opts=-max_len=512;; *) opts=;; esac; \
		echo "== $$name ($(FUZZ_SECONDS) s)"; \
		$$f $$opts -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
			-artifact_prefix=$(CURDIR)/build-fuzz/ $$found $$corpus $$seeds \
			> build-fuzz/$$name.log 2>&1 || { tail -n 40 build-fuzz/$$name.log; exit 1; }; \
		grep -E "^(stat::|Done)" build-fuzz/$$name.log; \
		rm -rf $$fresh && mkdir -p $$fresh; \
		$$f $$opts -merge=1 $$fresh $$corpus $$found > build-fuzz/$$name.merge.log 2>&1; \
		rm -rf $$corpus && mv $$fresh $$corpus; \
		echo "$$corpus: $$(ls $$corpus | wc -l) inputs"; \
	done

# Seeded random events through every screen under ASan + UBSan, in two halves on
# two cores; prints the events, the screens reached and any broken rule.
SOAK_EVENTS ?= 1000000
SOAK_SEED ?= 20240611
SOAK_BUILD ?= build-asan
soak: deps
	@cmake -S . -B $(SOAK_BUILD) $(CMAKE_FLAGS) -DCAIRNFALL_SANITIZE=ON -DCAIRNFALL_BENCH=OFF > /dev/null
	@cmake --build $(SOAK_BUILD) -j $(JOBS) --target test_game
	@cd $(SOAK_BUILD) && export CAIRNFALL_SOAK_EVENTS=$(SOAK_EVENTS) CAIRNFALL_SOAK_SEED=$(SOAK_SEED) \
		ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1; \
	echo "soak: $(SOAK_EVENTS) events, seed $(SOAK_SEED)"; \
	./test_game --gtest_filter='SoakEveryScreen.FirstHalf*' > soak-1.log 2>&1 & first=$$!; \
	./test_game --gtest_filter='SoakEveryScreen.SecondHalf*' > soak-2.log 2>&1; second=$$?; \
	wait $$first; first=$$?; \
	grep -h "^soak:" soak-1.log soak-2.log; \
	[ $$first -eq 0 ] && [ $$second -eq 0 ] || { cat soak-1.log soak-2.log; exit 1; }

# Remakes the game's screenshots (README, docs/playing.md) with the replay tool,
# in a folder of their own so no saved file of a real game is read or written.
screenshots: build
	@rm -rf build/screenshots-run && mkdir -p build/screenshots-run docs/screenshots
	@ln -s ../data build/screenshots-run/data
	cd docs && ../build/cairnfall-replay screenshots.replay --dir ../build/screenshots-run

# The game in a web page: build-web/ is the page, its script, the wasm and the
# data, for any static file server; the pictures, the font, the icons and the
# install dialog's screenshots come from the desktop build's generator and
# tools. Emscripten looks for its JavaScript modules in Debian's folder.
WEB_PORT ?= 8800
export NODE_PATH ?= /usr/share/nodejs
web: game
	@cmake --build build -j $(JOBS) --target web_screenshots
	@emcmake cmake -S . -B build-web/cmake -G Ninja -DCMAKE_BUILD_TYPE=Release \
		-DCAIRNFALL_HOST_DATA=$(CURDIR)/build/data -DCAIRNFALL_HOST_ICONS=$(CURDIR)/build/icons \
		-DCAIRNFALL_HOST_SCREENSHOTS=$(CURDIR)/build/web-screenshots \
		-DCAIRNFALL_WEB_OUT=$(CURDIR)/build-web -DCAIRNFALL_NATIVE_BUILD=$(CURDIR)/build > /dev/null
	@cmake --build build-web/cmake -j $(JOBS)

# The web build's tests: the wasm game under node against the native build, and
# the page in headless Chromium (both need the desktop build's tools).
test-web: build web
	cd build-web/cmake && ctest --output-on-failure

web-run: web
	@echo "Cairnfall in the browser: http://127.0.0.1:$(WEB_PORT)/"
	@python3 -m http.server --bind 127.0.0.1 --directory build-web $(WEB_PORT)

# The game for Windows, cross-compiled with mingw-w64 into build-windows/:
# cairnfall.exe and cairnfall-replay.exe beside data/ (made by the desktop
# build's generator), the installer and the portable zip.
windows: game
	@cmake -S . -B build-windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
		-DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-toolchain.cmake \
		-DCAIRNFALL_HOST_BUILD=$(CURDIR)/build > /dev/null
	@cmake --build build-windows -j $(JOBS) --target cairnfall cairnfall-replay windows_data \
		windows_package

# The Windows build's tests under Wine: the headless test programs, the real
# program on a virtual X server, the installer, and recordings crossing between
# Windows and Linux (against the desktop build).
# One run of test_screens under Wine once hung in a busy CI run; 20 busy runs in
# fresh prefixes since never hung (docs/windows.md). scripts/wine-run stops a
# test program still running after 300 s and prints every thread's stack first; a
# test that fails or is stopped runs once more, so that a rare hang costs no CI
# run, while the stacks of the first try stay in the log.
test-windows: build windows
	@cmake --build build-windows -j $(JOBS)
	cd build-windows && ctest --output-on-failure -j $(JOBS) --repeat until-pass:2

format: deps
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build build-asan build-fuzz build-web build-windows
