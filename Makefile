# The front door. `make run` opens the window, `make test` builds and runs every test.
BUILD      ?= build
ASAN_BUILD ?= build-asan
TSAN_BUILD ?= build-tsan
PKG_BUILD  ?= build-package
WEB_BUILD  ?= build-web
WEB_PORT   ?= 8024
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
MAKEFLAGS  += --no-print-directory

.PHONY: all deps build run test check bench shots sanitize sanitize-build tsan tsan-build fuzz \
        fuzz-lesson package format clean \
        web serve-web test-web bench-web

all: build

deps:
	@scripts/install-deps.sh

$(BUILD)/CMakeCache.txt: | deps
	@scripts/configure.sh $(BUILD) -DCMAKE_BUILD_TYPE=Release

build: deps $(BUILD)/CMakeCache.txt
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/run-window.sh $(BUILD)

test: build
	@ctest --test-dir $(BUILD) --output-on-failure --no-tests=error -j $(JOBS)
	@$(MAKE) test-web

# The quick loop while editing: the native build and its tests, without the browser's and
# without those labelled `long` (a few seconds each: statistics over many runs, every golden
# dump, the layer check's planted copies). `make test` runs them all.
check: build
	@ctest --test-dir $(BUILD) --output-on-failure --no-tests=error -j $(JOBS) -LE long

# The benchmarks, the checks run by hand and the README's picture makers are built on demand:
# the tests need none of them.
BENCH_TARGETS = linelab_bench linelab_bench_sweep linelab_theory_check linelab_eye_check \
                linelab_bench_paint
SHOT_TARGETS  = linelab_screenshots linelab_measure_shots linelab_lesson_shots

bench: build
	@cmake --build $(BUILD) -j $(JOBS) --target $(BENCH_TARGETS)
	@scripts/run-bench.sh $(BUILD)

# The README's pictures: build/app/qt/linelab_screenshots, linelab_measure_shots and
# linelab_lesson_shots, each run with a folder to write into.
shots: build
	@cmake --build $(BUILD) -j $(JOBS) --target $(SHOT_TARGETS)

# The core tests under AddressSanitizer and UndefinedBehaviorSanitizer, without the Qt view.
# sanitize-build only builds them (.ci/run builds while other tests run).
sanitize-build: deps
	@scripts/configure.sh $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DLINELAB_SANITIZE=ON \
	    -DLINELAB_BUILD_UI=OFF -DLINELAB_BUILD_BENCH=OFF
	@cmake --build $(ASAN_BUILD) -j $(JOBS)

sanitize: sanitize-build
	@ctest --test-dir $(ASAN_BUILD) --output-on-failure --no-tests=error -j $(JOBS)

# A Debian package of the programs, the desktop files and the example lessons, in
# $(PKG_BUILD)/. It is packed from the release build in $(BUILD): the programs the tests ran
# are the ones shipped, and nothing is compiled a second time. Only what the package installs
# is built (the tests install nothing).
package: deps $(BUILD)/CMakeCache.txt
	@cmake --build $(BUILD) -j $(JOBS) --target linelab linelab-batch linelab_man_pages
	@cpack --config $(BUILD)/CPackConfig.cmake -G DEB -B $(PKG_BUILD) >/dev/null
	@echo "package: $$(ls $(PKG_BUILD)/linelab_*.deb)"

# The threaded tests (ctest label "threads": engines ticking at once, the sweep's pool) under
# ThreadSanitizer, without the Qt view. Only the programs holding them are built.
TSAN_TARGETS ?= engine_thread_tests sweep_tests
tsan-build: deps
	@scripts/configure.sh $(TSAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLINELAB_TSAN=ON \
	    -DLINELAB_BUILD_UI=OFF -DLINELAB_BUILD_BENCH=OFF
	@cmake --build $(TSAN_BUILD) -j $(JOBS) --target $(TSAN_TARGETS)

tsan: tsan-build
	@TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
	    ctest --test-dir $(TSAN_BUILD) --output-on-failure --no-tests=error -L threads -j $(JOBS)

fuzz:
	@scripts/install-deps.sh --fuzz
	@scripts/run-fuzz.sh

fuzz-lesson:
	@scripts/install-deps.sh --fuzz
	@scripts/run-fuzz.sh lesson

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

# LineLab in the browser: the core, the form model and the page, built with Emscripten into
# $(WEB_BUILD)/site, a folder any web server can serve as it is.
# The optimizer's parser comes from Debian's node-acorn, outside node's own search path.
EMENV = NODE_PATH=/usr/share/nodejs
WEB_TESTS ?= common_tests dsp_tests transmit_tests receiver_tests display_tests engine_tests \
             analysis_tests folded_tests ui_tests curves_tests web_tests
$(WEB_BUILD)/CMakeCache.txt:
	@scripts/install-deps.sh --web
	@$(EMENV) CMAKE="emcmake cmake" LINELAB_CCACHE=0 scripts/configure.sh $(WEB_BUILD) \
	    -DCMAKE_BUILD_TYPE=Release

web: $(WEB_BUILD)/CMakeCache.txt
	@scripts/install-deps.sh --web
	@$(EMENV) cmake --build $(WEB_BUILD) -j $(JOBS) --target linelab_web linelab_site
	@echo "web: the page is in $(WEB_BUILD)/site (make serve-web serves it)"

serve-web: web
	@echo "serve-web: http://localhost:$(WEB_PORT)/ (Ctrl+C stops)"
	@cd $(WEB_BUILD)/site && python3 -m http.server --bind 127.0.0.1 $(WEB_PORT)

# The core's test programs built for the browser's engine and run under node, then the page
# in headless Chromium against linelab-batch (built natively in $(BUILD)). The browser build
# has no threads (its sweeps run in Web Workers), so the threaded sweep's and engines' test
# programs are left out; the workers follow the threaded sweep's own plan (sweep/SweepPlan,
# tested natively), and the page test holds a sweep against the batch tool.
# The page and the test programs are built in one go: the page's long final link overlaps
# the tests' compiles.
test-web: $(WEB_BUILD)/CMakeCache.txt
	@scripts/install-deps.sh --web
	@$(EMENV) cmake --build $(WEB_BUILD) -j $(JOBS) --target linelab_web linelab_site $(WEB_TESTS)
	@ctest --test-dir $(WEB_BUILD) --output-on-failure --no-tests=error -j $(JOBS) \
	    -R '^($(subst $(eval) ,|,$(strip $(WEB_TESTS))))$$'
	@cmake --build $(BUILD) -j $(JOBS) --target linelab-batch
	@node web/test/page-test.mjs --site $(WEB_BUILD)/site --batch $(BUILD)/tools/linelab-batch

# Runs a second in headless Chromium against the native batch tool, load to first frame
# and the bytes a first visit transfers.
bench-web: web
	@cmake --build $(BUILD) -j $(JOBS) --target linelab-batch
	@node web/test/bench.mjs --site $(WEB_BUILD)/site --batch $(BUILD)/tools/linelab-batch

clean:
	@rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD) $(PKG_BUILD) $(WEB_BUILD)
