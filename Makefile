# The two commands of the README:
#   make run    installs what is missing, builds, starts the editor
#   make test   installs what is missing, builds, runs every test
#   make install  installs into PREFIX (default /usr/local; DESTDIR honoured)
#   make package  builds the Debian package zw4410_<version>_<arch>.deb in build/
# and a few more for developers (see HACKING.md).

BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 30
CMAKE_FLAGS ?=
PREFIX     ?= /usr/local

.PHONY: all deps configure build test run install package bench asan-test fuzz format clean

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD)

test: build
	@ctest --test-dir $(BUILD) --output-on-failure -j2 --timeout 300

run: build
	@if [ -x $(BUILD)/bin/ZW4410 ]; then \
	    cd $(BUILD)/bin && exec ./ZW4410; \
	else \
	    echo "The libraries are built; the editor program is not built yet."; \
	fi

install: build
	@cmake --install $(BUILD) --prefix $(PREFIX)

package: build
	@cd $(BUILD) && cpack -G DEB

bench: build
	@for b in $(BUILD)/bin/bench_*; do [ -x "$$b" ] && "$$b" || exit 1; done

# Every test again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
asan-test: deps
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DZW_SANITIZE=ON \
	    -DZW_BUILD_BENCH=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(ASAN_BUILD)
	@ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1 \
	 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --test-dir $(ASAN_BUILD) --output-on-failure -j2 --timeout 600

# The libFuzzer targets, built with clang, each run for FUZZ_SECONDS.
fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DZW_BUILD_FUZZ=ON -DZW_BUILD_APP=OFF -DZW_BUILD_TESTS=OFF -DZW_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD)
	@scripts/run-fuzzers.sh $(FUZZ_BUILD)/bin $(FUZZ_SECONDS)

format:
	@git ls-files '*.c' '*.cpp' '*.h' '*.hpp' | xargs clang-format -i

clean:
	@rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
