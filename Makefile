# The two commands a new machine needs: `make run` and `make test`.
# Both install missing Debian packages first (tools/setup.sh) and are safe to repeat.

BUILD_DIR   ?= build/debug
JOBS        ?= $(shell nproc)
export JOBS
FONT        ?= assets/demo.tdf
FUZZ_SECONDS ?= 60

.PHONY: all setup build run test test-debug test-asan test-tsan fuzz bench release clean

all: build

setup:
	@bash tools/setup.sh

build: setup
	@bash tools/build.sh debug $(BUILD_DIR)

run: build
	$(BUILD_DIR)/brixel $(FONT)

test: setup
	@bash tools/test.sh all

test-debug: setup
	@bash tools/test.sh debug

test-asan: setup
	@bash tools/test.sh asan

test-tsan: setup
	@bash tools/test.sh tsan

fuzz: setup
	@FUZZ_SECONDS=$(FUZZ_SECONDS) bash tools/test.sh fuzz

bench: setup
	@bash tools/build.sh release build/release
	@for b in build/release/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

release: setup
	@bash tools/build.sh release build/release

clean:
	rm -rf build
