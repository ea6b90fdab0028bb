# The two commands a new machine needs: `make run` and `make test`.
# Both install missing Debian packages first (tools/setup.sh) and are safe to repeat.

BUILD_DIR   ?= build/debug
DIST_DIR    ?= build/dist
PREFIX      ?= /usr/local
JOBS        ?= $(shell nproc)
export JOBS
FONT        ?= assets/demo.tdf
FUZZ_SECONDS ?= 60

.PHONY: all setup build run test test-debug test-asan test-tsan fuzz bench release dist install \
	package clean

all: build

setup:
	@bash tools/setup.sh

build: setup
	@bash tools/build.sh debug $(BUILD_DIR)

# Only the two programs, not the tests: the window is up in well under a
# minute on a fresh clone, and `make test` later reuses the same objects.
run: setup
	@bash tools/build.sh debug $(BUILD_DIR) brixel brixel-cli
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

# The benchmarks, then the idle window's share of a core as the end-to-end
# test measures it, so one run gives every figure.
bench: setup
	@bash tools/build.sh release build/release
	@for b in build/release/bench/bench_*; do [ -x "$$b" ] && "$$b"; done
	@ctest --test-dir build/release -R '^e2e\.idle_cpu_test$$' -V 2>&1 | grep -E '^[0-9]+: idle on|tests passed|tests failed'

release: setup
	@bash tools/build.sh release build/release

# An optimised tree without tests, for installing and packaging.
dist: setup
	@bash tools/build.sh dist $(DIST_DIR)

# The programs into PREFIX/bin, data, man pages, desktop entry and bash
# completion into PREFIX/share (DESTDIR=... stages it elsewhere).
install: dist
	cmake --install $(DIST_DIR) --prefix $(PREFIX)

# brixel_VERSION_amd64.deb in this folder: `sudo apt install ./brixel_*.deb`.
package: dist
	rm -f $(DIST_DIR)/brixel_*.deb
	cd $(DIST_DIR) && cpack -G DEB
	cp $(DIST_DIR)/brixel_*.deb .

clean:
	rm -rf build
