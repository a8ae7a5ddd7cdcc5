# The front door: `make run` and `make test` do everything, installing what is missing.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
MAKEFLAGS += --no-print-directory
PLAYER := build/windows/tools/winamp-standin.exe

.PHONY: all deps native windows fuzz-build test test-native test-windows test-fuzz run screenshot \
	installer bench fuzz clean

all: native windows

deps:
	@scripts/install-deps

native: deps
	@cmake --preset native >/dev/null
	@cmake --build --preset native -j $(JOBS)

windows: deps
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows -j $(JOBS)

test: test-native test-windows test-fuzz

test-native: native
	ctest --preset native

# clang with ASan and UBSan: the fuzz targets, and the core built again under the sanitizers.
fuzz-build: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS)

# The core's tests under the sanitizers (LeakSanitizer included), and a short run of each
# fuzz target from its corpus.
test-fuzz: fuzz-build
	ctest --preset fuzz

# A longer run of each fuzz target; what it finds is merged into tests/fuzz/corpus.
fuzz: fuzz-build
	scripts/fuzz

# One Wine prefix and one display for the whole Windows run; the long sleep and the snooze
# that comes back each make a bed of their own and wait their real minutes beside the others.
test-windows: windows
	scripts/winebed --player $(PLAYER) -- ctest --preset windows -j 3

run: windows
	scripts/run-morvane

# Retakes the pictures in docs/ under Wine: main window, splash, tray menu, About box.
screenshot: windows
	@scripts/install-deps imagemagick xdotool
	scripts/winebed --player $(PLAYER) -- scripts/take-screenshots docs

# The Windows setup, build/windows/morvane-setup.exe: the windows build makes it.
installer: windows
	@ls -l build/windows/morvane-setup.exe

# Measures Morvane beside a bare clock window under Wine; writes docs/BENCHMARKS.md.
bench: windows
	@scripts/install-deps python3
	scripts/winebed --player $(PLAYER) -- scripts/bench

clean:
	rm -rf build/native build/windows build/fuzz
