# The project's commands. Each one installs what it needs first (scripts/bootstrap.sh).
JOBS ?= $(shell nproc)

.PHONY: all bootstrap build test demo clean

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

demo: build
	./build/kestrow script examples/scenarios/phone_mask.ksc

clean:
	rm -rf build build-debug build-sanitize
