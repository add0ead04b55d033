BUILD ?= build
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)
# The developers' and CI's build: a warning of the compiler CI uses (GCC 12)
# fails it. WERROR=OFF for a compiler that warns about more; a plain cmake
# configure leaves it off.
WERROR ?= ON

.PHONY: all deps configure build run test bench fuzz clean mutants format-check

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DREFORMER_WERROR=$(WERROR) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# The working configuration; ARGS=--described-configuration for the demonstration one.
ARGS ?=
run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  ./$(BUILD)/reformer $(ARGS); \
	else \
	  echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): running the welcome pipeline headless."; \
	  ./$(BUILD)/reformer-cli pipeline; \
	fi

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The C++ lines changed since the merge base with main (or BASE=<commit>)
# laid out as .clang-format says; FIX=1 reformats those lines instead.
BASE ?=
FIX ?=
format-check: deps
	@bash scripts/check-format.sh $(if $(FIX),--fix) $(BASE)

# Benchmarks in their own Release build: one table of medians.
# BENCH_REF=<commit>: that commit's sources are built the same way in
# build-bench-<commit> and both builds are measured side by side, with the
# ratio (scripts/compare-bench.sh; any two build folders can be given to it).
BENCH_REF ?=
BENCH_CONFIGURE = -G Ninja -DCMAKE_BUILD_TYPE=Release -DREFORMER_BUILD_GUI=OFF \
	       -DREFORMER_BUILD_TESTS=OFF -DREFORMER_BUILD_BENCH=ON $(CMAKE_FLAGS)
bench: deps
	@cmake -S . -B build-bench $(BENCH_CONFIGURE) >/dev/null
	@cmake --build build-bench -j $(JOBS)
	@if [ -z "$(BENCH_REF)" ]; then bash scripts/run-bench.sh build-bench; else \
	  rm -rf build-bench-$(BENCH_REF)-src && mkdir -p build-bench-$(BENCH_REF)-src && \
	  git archive $(BENCH_REF) | tar -x -C build-bench-$(BENCH_REF)-src && \
	  cmake -S build-bench-$(BENCH_REF)-src -B build-bench-$(BENCH_REF) $(BENCH_CONFIGURE) >/dev/null && \
	  cmake --build build-bench-$(BENCH_REF) -j $(JOBS) && \
	  bash scripts/compare-bench.sh build-bench-$(BENCH_REF) build-bench; fi

# Every reader fuzzed for 60 s (clang's libFuzzer, build-fuzz).
fuzz: deps
	@bash scripts/fuzz.sh 60

# Planted faults, one at a time, against the tests that cover each file (see
# the README): FILES="src/core/..." or SINCE=<commit>, ARGS="--sample 30".
FILES ?=
SINCE ?=
mutants: deps
	@python3 scripts/mutants.py $(if $(SINCE),--since $(SINCE)) $(ARGS) $(FILES)

clean:
	rm -rf $(BUILD)

# The Debian package, from a release build of its own (tests and benchmarks left out).
PKG_BUILD ?= build-release
.PHONY: package
package: deps
	@cmake -S . -B $(PKG_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DREFORMER_BUILD_TESTS=OFF -DREFORMER_BUILD_BENCH=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(PKG_BUILD) -j $(JOBS) --target package
	@ls -1 $(PKG_BUILD)/*.deb
