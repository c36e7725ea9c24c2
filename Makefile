# The project's commands. Each one installs what it needs first (scripts/bootstrap.sh).
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60
# Each raw-byte target (form files, scripts) runs this long after the control fuzzer.
FUZZ_RAW_SECONDS ?= 30
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
# fails. New corpus entries go to build-fuzz/corpus, the first directory. Then the form file
# reader and the scenario runner on raw bytes, each from its own seeds.
fuzz: bootstrap
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)
	mkdir -p build-fuzz/corpus build-fuzz/corpus_form build-fuzz/corpus_script
	build-fuzz/control_fuzzer -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=2048 -max_len=65536 $(FUZZ_FLAGS) \
	  -artifact_prefix=build-fuzz/ build-fuzz/corpus fuzz/corpus fuzz/regressions
	build-fuzz/form_file_fuzzer -max_total_time=$(FUZZ_RAW_SECONDS) -timeout=10 -rss_limit_mb=2048 $(FUZZ_FLAGS) \
	  -artifact_prefix=build-fuzz/form- build-fuzz/corpus_form fuzz/corpus_form
	build-fuzz/script_fuzzer -max_total_time=$(FUZZ_RAW_SECONDS) -timeout=10 -rss_limit_mb=2048 $(FUZZ_FLAGS) \
	  -artifact_prefix=build-fuzz/script- build-fuzz/corpus_script fuzz/corpus_script

demo: build
	./build/kestrow script examples/scenarios/phone_mask.ksc

bench: build
	./build/kestrow-bench

clean:
	rm -rf build build-debug build-sanitize build-fuzz
