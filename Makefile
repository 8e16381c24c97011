# The two everyday commands: `make run` and `make test`. Both install what is missing first.
.PHONY: all deps build run test install-check deb asan fuzz bench screenshot format clean

FUZZ_SECONDS ?= 30
JOBS ?= $(shell nproc)

all: build

deps:
	@scripts/install-deps

build: deps
	@cmake --preset dev >/dev/null
	@cmake --build --preset dev -j $(JOBS)

run: build
	./build/dev/ui/glyphwright

test: build
	ctest --preset dev

# Installs into a scratch folder and checks what a desktop would find there.
install-check: build
	@scripts/check-install build/dev

# The Debian package, built from the release configuration into build/release.
deb: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release -j $(JOBS)
	@cd build/release && cpack -G DEB

# The core tests once more under AddressSanitizer and UndefinedBehaviorSanitizer.
asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan -j $(JOBS)
	ctest --preset asan

# Each libFuzzer target for FUZZ_SECONDS seconds, starting from its seed corpus.
fuzz: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS)
	@scripts/run-fuzzers build/fuzz/fuzz $(FUZZ_SECONDS)

# Speed figures; see the README's performance section.
bench: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release -j $(JOBS)
	@scripts/run-benchmarks build/release/bench

# PNGs of the real window and its dialogs under Xvfb, written to docs/.
screenshot: build
	@scripts/screenshot build/dev/ui/glyphwright docs

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
