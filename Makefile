# Tavolex: `make run` builds and starts the editor, `make test` builds and runs
# every test. Both install what is missing from Debian's packages first.

PACKAGES := desktop-file-utils cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev \
            libbenchmark-dev qt6-base-dev nlohmann-json3-dev xvfb xauth \
            libpng-dev imagemagick python3-pil clang-format clang-tidy
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 15
# fuzz-long runs ten minutes per target unless FUZZ_SECONDS is given.
FUZZ_LONG_SECONDS = $(if $(filter command line environment,$(origin FUZZ_SECONDS)),$(FUZZ_SECONDS),600)

.PHONY: install all deps build run demo test test-dev test-asan fuzz-build fuzz-smoke fuzz-long fuzz-seeds bench format \
        format-check tidy clean

all: build

deps:
	@missing=""; for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	    echo "Installing:$$missing"; \
	    $(SUDO) apt-get update -qq && \
	    DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

build: deps
	cmake --preset dev
	cmake --build --preset dev -j $(JOBS)

# The editor on the desktop; without a display it runs under xvfb-run, so
# the command never just fails (nothing is seen then; close it with Ctrl+C).
run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	    ./build/dev/src/tavolex/tavolex; \
	else \
	    echo "No display found: starting Tavolex under xvfb-run (Ctrl+C ends it)."; \
	    xvfb-run -a ./build/dev/src/tavolex/tavolex; \
	fi

# The editor with a sample game configured, in settings and a data folder of
# its own, so that a user's real settings are untouched. The data folder holds
# the pit crew masks for the sample's textures, so the editor's start-up
# upgrades its pit crews as it would a real game's.
DEMO := build/demo
DEMO_ENV = XDG_CONFIG_HOME=$$(pwd)/$(DEMO)/config XDG_DATA_HOME=$$(pwd)/$(DEMO)/data
demo: build
	rm -rf $(DEMO) && mkdir -p $(DEMO)/config/Tavolex $(DEMO)/data/Tavolex
	./build/dev/src/cli/tavolex-cli game make-sample $(DEMO)/game --masks $(DEMO)/data/Tavolex
	./build/dev/src/cli/tavolex-cli carset new $(DEMO)/new.GP3
	$(DEMO_ENV) ./build/dev/src/cli/tavolex-cli game import $(DEMO)/game $(DEMO)/new.GP3 $(DEMO)/Sample.GP3
	printf '[Setup]\nGP3Dir=%s\nDisclaimer=110\n' "$$(pwd)/$(DEMO)/game" > $(DEMO)/config/Tavolex/Tavolex.ini
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	    $(DEMO_ENV) ./build/dev/src/tavolex/tavolex $(DEMO)/Sample.GP3; \
	else \
	    echo "No display found: starting Tavolex under xvfb-run (Ctrl+C ends it)."; \
	    $(DEMO_ENV) xvfb-run -a ./build/dev/src/tavolex/tavolex $(DEMO)/Sample.GP3; \
	fi

test: deps format-check test-dev tidy test-asan fuzz-smoke

test-dev:
	cmake --preset dev
	cmake --build --preset dev -j $(JOBS)
	ctest --preset dev -j $(JOBS)

# The library and command-line tests again under AddressSanitizer and UBSan.
test-asan:
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --preset asan -j $(JOBS)

fuzz-build:
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)

# A short run of every fuzz target from the seeds in fuzz/corpus.
fuzz-smoke: fuzz-build
	fuzz/run-fuzzers.sh build/fuzz $(FUZZ_SECONDS) $(JOBS)

# Every fuzz target for FUZZ_SECONDS (600 by default), all cores in parallel;
# fails on any crash. Not part of `make test`.
fuzz-long: fuzz-build
	fuzz/run-fuzzers.sh build/fuzz $(FUZZ_LONG_SECONDS) $(JOBS)

# Remakes the checked-in seeds (small valid files of each kind).
fuzz-seeds: fuzz-build
	./build/fuzz/fuzz/make-fuzz-seeds fuzz/corpus

bench: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	./build/release/bench/tavolex-bench

# The programs, manual, man pages, desktop entries and icons under PREFIX.
PREFIX ?= /usr/local
install: build
	cmake --install build/dev --prefix $(PREFIX)

# Every C++ file of the tree, as .clang-format lays it out.
FORMATTED = $(shell find src tests bench fuzz tools -name '*.cpp' -o -name '*.h' | sort)
format:
	clang-format -i $(FORMATTED)

# Fails, naming each file that `make format` would change.
format-check:
	@unformatted=""; \
	for f in $(FORMATTED); do \
	    clang-format --dry-run --Werror "$$f" >/dev/null 2>&1 || unformatted="$$unformatted $$f"; \
	done; \
	if [ -n "$$unformatted" ]; then \
	    echo "Not formatted as .clang-format says (make format applies it):"; \
	    for f in $$unformatted; do echo "    $$f"; done; \
	    exit 1; \
	fi; \
	echo "Every file is formatted."

# The checks of .clang-tidy on the library and the command line, through the
# dev build's compile_commands.json (configured by test-dev before it).
tidy: deps
	cmake --preset dev >/dev/null
	run-clang-tidy -quiet -p build/dev -j $(JOBS) -extra-arg=-Wno-unknown-warning-option \
	    '$(CURDIR)/src/(lib|cli)/.*\.cpp$$'

clean:
	rm -rf build
