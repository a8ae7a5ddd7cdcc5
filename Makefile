# The front door: `make run` and `make test` do everything, installing what is missing.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
MAKEFLAGS += --no-print-directory
PLAYER := build/windows/tools/winamp-standin.exe

.PHONY: all deps native windows test test-native test-windows run screenshot installer clean

all: native windows

deps:
	@scripts/install-deps

native: deps
	@cmake --preset native >/dev/null
	@cmake --build --preset native -j $(JOBS)

windows: deps
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows -j $(JOBS)

test: test-native test-windows

test-native: native
	ctest --preset native

# One Wine prefix and one display for the whole Windows run.
test-windows: windows
	scripts/winebed --player $(PLAYER) -- ctest --preset windows

run: windows
	scripts/run-morvane

# Takes docs/main-window.png of the running program under Wine.
screenshot: windows
	@scripts/install-deps imagemagick xdotool
	scripts/winebed --player $(PLAYER) -- scripts/take-screenshot docs/main-window.png

# The Windows setup, build/windows/morvane-setup.exe: the windows build makes it.
installer: windows
	@ls -l build/windows/morvane-setup.exe

clean:
	rm -rf build/native build/windows
