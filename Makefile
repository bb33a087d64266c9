# The way in. `make` builds build/launcher.exe; `make test` runs every test; `make run` shows
# the launcher in a demo game folder. Each first installs what is missing (Debian packages).
BUILD := build
NATIVE := $(BUILD)/native
JOBS := $(shell nproc)
CROSS := -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-w64-mingw32.cmake -DCMAKE_BUILD_TYPE=Release

.PHONY: all deps cross native test run art clean

all: cross
	cmake --build $(BUILD) --target launcher -j$(JOBS)

deps:
	@tools/install-deps

cross: deps
	@cmake -S . -B $(BUILD) $(CROSS) >/dev/null

native: deps
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug >/dev/null
	cmake --build $(NATIVE) -j$(JOBS)

test: cross native
	cmake --build $(BUILD) -j$(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

run: cross
	cmake --build $(BUILD) --target launcher demo_game inspect -j$(JOBS)
	tools/run-demo $(BUILD)

# Redraws the artwork from code; the results are committed under launcher/resources.
art: deps
	/usr/bin/python3 tools/art/generate_art.py launcher/resources
	/usr/bin/python3 tools/art/render_preview.py

clean:
	rm -rf $(BUILD)
