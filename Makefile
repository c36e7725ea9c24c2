# The project's commands. Each one installs what it needs first (scripts/bootstrap.sh GOAL).
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60
# Each raw-byte target (form files, scripts) runs this long after the control fuzzer.
FUZZ_RAW_SECONDS ?= 30
# More libFuzzer flags, e.g. -seed=1 for a run that can be repeated.
FUZZ_FLAGS ?=

# Configures and builds one preset.
define build_preset
	cmake --preset $(1)
	cmake --build --preset $(1) -j $(JOBS)
endef

# The Qt demo alone, in the program-only tree (no test or benchmark libraries needed).
define build_qt_demo
	@scripts/bootstrap.sh demo-qt
	cmake --preset demo
	cmake --build --preset demo --target kestrow-qt-demo -j $(JOBS)
endef

.PHONY: all build test check test-sanitize test-clang format-check naming-check demo demo-qt screenshot bench bench-peers fuzz clean

all: build

build:
	@scripts/bootstrap.sh build
	$(call build_preset,release)

# The release build's tests, then users' projects built against its install.
test:
	@scripts/bootstrap.sh test
	$(call build_preset,release)
	ctest --preset release -j $(JOBS)
	JOBS=$(JOBS) tests/consumer/run.sh build

# What CI adds: the whole suite again under the sanitizers and under clang, and the house style.
check: test test-sanitize test-clang format-check naming-check

test-sanitize:
	@scripts/bootstrap.sh check
	$(call build_preset,sanitize)
	ctest --preset sanitize -j $(JOBS)

test-clang:
	@scripts/bootstrap.sh check
	$(call build_preset,clang)
	ctest --preset clang -j $(JOBS)

# Every source file as .clang-format writes it.
format-check:
	@scripts/bootstrap.sh check
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

# The house naming rule for locals (.clang-tidy), on the clang tree's compile commands.
naming-check: test-clang
	run-clang-tidy -p build-clang -quiet -j $(JOBS)

# libFuzzer on the control (fuzz/), from the seeds the build encodes from the scenarios
# (build-fuzz/seeds) and the inputs of past findings; any finding fails. New corpus entries go to
# build-fuzz/corpus, the first directory. Then the form file reader and the scenario runner on raw
# bytes, each from its own seeds.
fuzz:
	@scripts/bootstrap.sh fuzz
	$(call build_preset,fuzz)
	mkdir -p build-fuzz/corpus build-fuzz/corpus_form build-fuzz/corpus_script
	build-fuzz/control_fuzzer -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=2048 -max_len=65536 $(FUZZ_FLAGS) \
	  -artifact_prefix=build-fuzz/ build-fuzz/corpus build-fuzz/seeds fuzz/regressions
	build-fuzz/form_file_fuzzer -max_total_time=$(FUZZ_RAW_SECONDS) -timeout=10 -rss_limit_mb=2048 $(FUZZ_FLAGS) \
	  -artifact_prefix=build-fuzz/form- build-fuzz/corpus_form fuzz/corpus_form
	build-fuzz/script_fuzzer -max_total_time=$(FUZZ_RAW_SECONDS) -timeout=10 -rss_limit_mb=2048 $(FUZZ_FLAGS) \
	  -artifact_prefix=build-fuzz/script- build-fuzz/corpus_script fuzz/corpus_script

# Only the program, in its own tree: no test or benchmark libraries needed.
demo:
	@scripts/bootstrap.sh demo
	cmake --preset demo
	cmake --build --preset demo -j $(JOBS)
	./build-demo/kestrow demo

# The same form in a Qt window; quitting prints its values as `make demo` does.
demo-qt:
	$(build_qt_demo)
	./build-demo/kestrow-qt-demo

# docs/qt-demo.png: the Qt demo's window with sample entries, drawn offscreen.
screenshot:
	$(build_qt_demo)
	mkdir -p docs
	QT_QPA_PLATFORM=offscreen ./build-demo/kestrow-qt-demo --screenshot docs/qt-demo.png

bench:
	@scripts/bootstrap.sh bench
	$(call build_preset,release)
	./build/kestrow-bench

# Kestrow beside Qt's line edit, typing the same keys (offscreen); Qt is installed first.
bench-peers:
	@scripts/bootstrap.sh bench-peers
	$(call build_preset,release)
	QT_QPA_PLATFORM=offscreen ./build/kestrow-bench-peers

clean:
	rm -rf build build-debug build-sanitize build-clang build-demo build-fuzz
