# The project's commands. Each one installs what it needs first (scripts/bootstrap.sh).
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60
# More libFuzzer flags, e.g. -seed=1 for a run that can be repeated.
FUZZ_FLAGS ?=

.PHONY: all bootstrap build test demo bench fuzz clean

all: build

bootstrap:
	@scripts/bootstrap.sh

build: bootstrap
	cmake --preset release
	cmake --build --preset release -j $(JOBS)

test: build
	ctest --preset release -j $(JOBS)
	cmake --preset sanitize
	cmake --build --preset sanitize -j $(JOBS)
	ctest --preset sanitize -j $(JOBS)

# libFuzzer on the control (fuzz/), from the seeds and the inputs of past findings; any finding
# fails. New corpus entries go to build-fuzz/corpus, the first directory.
fuzz: bootstrap
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)
	mkdir -p build-fuzz/corpus
	build-fuzz/control_fuzzer -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=2048 $(FUZZ_FLAGS) \
	  -artifact_prefix=build-fuzz/ build-fuzz/corpus fuzz/corpus fuzz/regressions

demo: build
	./build/kestrow script examples/scenarios/phone_mask.ksc

bench: build
	./build/kestrow-bench

clean:
	rm -rf build build-debug build-sanitize build-fuzz
