# The two everyday commands: `make run` and `make test`. Every target first
# installs what it is missing, and only what it needs (scripts/install-deps).
.PHONY: all deps build run test install-check deb asan tsan fuzz bench screenshot werror format \
	format-check po clean

FUZZ_SECONDS ?= 30
JOBS ?= $(shell nproc)

all: build

# The dev build compiles the tests too, so it needs GoogleTest as well.
deps:
	@scripts/install-deps test

build: deps
	@cmake --preset dev >/dev/null
	@cmake --build --preset dev -j $(JOBS)

run: build
	./build/dev/ui/glyphwright

test: build
	ctest --preset dev

# Installs into a scratch folder and checks what a desktop would find there,
# then packs the optimised programs (the build of make werror, with the same
# hardening flags as make deb) into a .deb that lintian must find clean.
install-check: build
	@scripts/install-deps package
	@scripts/check-install build/dev
	@cmake --preset release-werror >/dev/null
	@cmake --build --preset release-werror -j $(JOBS)
	@scripts/check-deb build/release-werror

# The Debian package, built from the release configuration into build/release:
# hardened as dpkg-buildflags would, stripped, with compressed manual pages,
# changelog and copyright file.
deb:
	@scripts/install-deps bench package
	@cmake --preset release >/dev/null
	@cmake --build --preset release -j $(JOBS)
	@cd build/release && cpack -G DEB

# The core tests once more under AddressSanitizer and UndefinedBehaviorSanitizer.
asan:
	@scripts/install-deps test
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan -j $(JOBS)
	ctest --preset asan

# The tests of what runs on several threads (the ordered pool, the files an
# entry shares with others, runs with several workers) under ThreadSanitizer,
# and the tool's runs with several workers that take seconds there and not
# minutes: a conversion stopped by signals with -j4, and a check and a restore
# with one worker per core. Only their own targets are built.
TSAN_CLI_TESTS := CliTest.StopSignalsEndTheRunBetweenFiles:CliTest.RestoreUndoesARun
TSAN_CLI_TESTS := $(TSAN_CLI_TESTS):CliTest.CheckFailsOnAnUnconvertedTreeAndPassesOnAConvertedOne

tsan:
	@scripts/install-deps test
	@cmake --preset tsan >/dev/null
	@cmake --build --preset tsan -j $(JOBS)
	ctest --preset tsan
	TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
		build/tsan/tests/cli/test_glyphwright_cli --gtest_filter=$(TSAN_CLI_TESTS)

# Each libFuzzer target for FUZZ_SECONDS seconds, starting from its seed corpus.
fuzz:
	@scripts/install-deps fuzz
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS)
	@scripts/run-fuzzers build/fuzz/fuzz $(FUZZ_SECONDS)

# Speed figures; see the README's performance section.
bench:
	@scripts/install-deps bench
	@cmake --preset release >/dev/null
	@cmake --build --preset release -j $(JOBS)
	@scripts/run-benchmarks build/release/bench

# PNGs of the real window and its dialogs under Xvfb, written to docs/.
screenshot: build
	@scripts/install-deps screenshot
	@scripts/screenshot build/dev/ui/glyphwright docs

# The release configuration of the programs with warnings as errors, which
# sees what the optimiser finds and the debug build does not; no tests.
werror:
	@scripts/install-deps build
	@cmake --preset release-werror >/dev/null
	@cmake --build --preset release-werror -j $(JOBS)

format:
	@scripts/install-deps format
	@git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format -i

format-check:
	@scripts/install-deps format
	@scripts/check-format

# The message template po/glyphwright.pot anew from the sources, merged into
# each po/LANGUAGE.po; make test fails until each new text is translated.
po: deps
	@scripts/po update

clean:
	rm -rf build
