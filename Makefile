# SPDX-License-Identifier: GPL-3.0-or-later
# Lexalon: set-up, build, run, test and benchmark.
BUILD      ?= build
ASAN_BUILD ?= build-asan
WIN_BUILD  ?= build-windows
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 1800
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G Ninja

.PHONY: all deps configure build run test test-core test-sanitizers test-windows test-fuzz fuzz bench mutate package clean

all: build

deps:
	@bash scripts/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: $(BUILD)/build.ninja

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "No display: run it with  xvfb-run -a make run  or on a desktop session."; exit 1; \
	fi
	cd samples && ../$(BUILD)/app/lexalon

test: build test-sanitizers test-windows test-fuzz
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The core's unit tests once more, under AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitizers: deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug \
	  -DLEXALON_CORE_ONLY=ON -DLEXALON_SANITIZE=ON -DLEXALON_BENCHMARKS=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

# The Windows-only code, cross-compiled with mingw-w64 and run under wine.
test-windows: deps
	cmake -S tests/windows -B $(WIN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/tests/windows/mingw-w64.cmake
	cmake --build $(WIN_BUILD) -j $(JOBS)
	ctest --test-dir $(WIN_BUILD) --output-on-failure

# The libFuzzer targets, in a clang build of their own: half a minute each
# here, FUZZ_SECONDS each with make fuzz. New inputs stay in the build's corpus.
define run_fuzzers
	cmake -S . -B $(FUZZ_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_COMPILER=clang++ -DLEXALON_CORE_ONLY=ON -DLEXALON_FUZZ=ON \
	  -DLEXALON_BENCHMARKS=OFF -DLEXALON_FUZZ_SECONDS=$(1)
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_textfile fuzz_wordlist fuzz_documents
	ctest --test-dir $(FUZZ_BUILD) --output-on-failure -j $(JOBS)
endef

test-fuzz: deps
	$(call run_fuzzers,30)

fuzz: deps
	$(call run_fuzzers,$(FUZZ_SECONDS))

# A real French text beside the generated ones: the machine's French
# translations and manual pages, repeated to 100 MB.
$(BUILD)/french-100mb.txt: scripts/make-french-corpus.py | build
	python3 scripts/make-french-corpus.py $@

bench: build $(BUILD)/french-100mb.txt
	@for b in $(BUILD)/bench/bench_*; do \
	  [ -x "$$b" ] || continue; echo "== $$(basename $$b)"; \
	  LEXALON_BENCH_FRENCH=$(CURDIR)/$(BUILD)/french-100mb.txt "$$b" --benchmark_counters_tabular=true || exit 1; \
	done

# The share of small faults in the core's sources that the core's tests catch:
# make mutate MUTATE_ARGS="--count 30 --seed 2" for another sample.
mutate: deps
	python3 scripts/mutate.py $(MUTATE_ARGS)

# The Debian package, lexalon_<version>_<arch>.deb in $(BUILD).
package: build
	cd $(BUILD) && cpack

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(WIN_BUILD) $(FUZZ_BUILD) build-mutation build-mutation-gui
