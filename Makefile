# The front door. `make run` opens the window, `make test` builds and runs every test.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
MAKEFLAGS  += --no-print-directory

.PHONY: all deps build run test bench sanitize fuzz fuzz-lesson package format clean

all: build

deps:
	@scripts/install-deps.sh

$(BUILD)/CMakeCache.txt: | deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null

build: deps $(BUILD)/CMakeCache.txt
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/run-window.sh $(BUILD)

test: build
	@ctest --test-dir $(BUILD) --output-on-failure --no-tests=error -j $(JOBS)

bench: build
	@scripts/run-bench.sh $(BUILD)

# The core tests under AddressSanitizer and UndefinedBehaviorSanitizer, without the Qt view.
sanitize: deps
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DLINELAB_SANITIZE=ON \
	    -DLINELAB_BUILD_UI=OFF -DLINELAB_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@ctest --test-dir $(ASAN_BUILD) --output-on-failure --no-tests=error -j $(JOBS)

# A Debian package of the programs, the desktop files and the example lessons.
package: build
	@cmake --build $(BUILD) --target package

fuzz:
	@scripts/install-deps.sh --fuzz
	@scripts/run-fuzz.sh

fuzz-lesson:
	@scripts/install-deps.sh --fuzz
	@scripts/run-fuzz.sh lesson

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD) $(ASAN_BUILD)
