# The way in. `make` builds build/launcher.exe; `make test` runs every test; `make run` shows
# the launcher in a demo game folder. Also: `make release`, `make lint`, `make fuzz`,
# `make bench`, `make art`. Each first installs what is missing (Debian packages).
BUILD := build
NATIVE := $(BUILD)/native
JOBS := $(shell nproc)
CROSS := -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-w64-mingw32.cmake -DCMAKE_BUILD_TYPE=Release

.PHONY: all deps cross native lint test run release art fuzz bench clean

all: cross
	cmake --build $(BUILD) --target launcher -j$(JOBS)

deps:
	@tools/install-deps

cross: deps
	@cmake -S . -B $(BUILD) $(CROSS) >/dev/null

native: deps
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug >/dev/null
	cmake --build $(NATIVE) -j$(JOBS)

# The C and C++ sources keep the committed style (.clang-format) and pass a static analysis.
LINT_SOURCES = $(shell find launcher tests tools -name '*.cpp' -o -name '*.h' -o -name '*.c')
lint: deps
	clang-format --dry-run --Werror $(LINT_SOURCES)
	cppcheck --quiet --error-exitcode=1 --enable=warning,performance,portability --std=c++17 \
		--library=googletest --library=windows -I launcher -I launcher/resources \
		$(filter %.cpp %.c,$(LINT_SOURCES))

test: lint cross native
	cmake --build $(BUILD) -j$(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

run: cross
	cmake --build $(BUILD) --target launcher demo_game inspect -j$(JOBS)
	tools/run-demo $(BUILD)

# The folder for players: $(BUILD)/release with launcher.exe, README.txt and SHA256SUMS.
release: all
	tools/release/make-release $(BUILD)

# Redraws the artwork from code; the results are committed under launcher/resources.
art: deps
	/usr/bin/python3 tools/art/generate_art.py launcher/resources
	/usr/bin/python3 tools/art/render_preview.py

# Fuzzes the rules with libFuzzer under clang, FUZZ_SECONDS per target, and fails on a finding
# (kept in $(FUZZ_BUILD)/crashes). New inputs go to a working corpus in $(FUZZ_BUILD)/corpus,
# which starts from the committed seeds in tests/fuzz/corpus and never writes to them.
FUZZ_SECONDS ?= 600
FUZZ_BUILD := $(BUILD)/fuzz
FUZZ_CLANG := 14
FUZZ_PACKAGES := clang-$(FUZZ_CLANG) libclang-rt-$(FUZZ_CLANG)-dev
FUZZ_CMAKE := -DCMAKE_C_COMPILER=clang-$(FUZZ_CLANG) -DCMAKE_CXX_COMPILER=clang++-$(FUZZ_CLANG) \
	-DCMAKE_BUILD_TYPE=RelWithDebInfo -DFUZZ=ON
# $(call FuzzRun,TARGET,MAX_LEN): a settings file is 16 bytes; a rules input holds dozens of steps.
FuzzRun = mkdir -p $(FUZZ_BUILD)/corpus/$(1) $(FUZZ_BUILD)/crashes && \
	$(FUZZ_BUILD)/tests/fuzz/$(1)_fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=$(2) \
	-print_final_stats=1 -artifact_prefix=$(FUZZ_BUILD)/crashes/$(1)- \
	$(FUZZ_BUILD)/corpus/$(1) tests/fuzz/corpus/$(1)

fuzz:
	@tools/install-deps $(FUZZ_PACKAGES)
	@cmake -S . -B $(FUZZ_BUILD) $(FUZZ_CMAKE) >/dev/null
	cmake --build $(FUZZ_BUILD) --target settings_fuzz rules_fuzz -j$(JOBS)
	$(call FuzzRun,settings,64)
	$(call FuzzRun,rules,1024)

# Measures the launcher against a floor program under Wine on Xvfb and reports the figures in
# $(BUILD)/bench/results.md: start-up, CPU while waiting, click reaction, memory and size.
BENCH_TRIALS ?= 10
bench: cross
	@tools/install-deps libx11-dev libxtst-dev
	cmake --build $(BUILD) --target launcher floor inspect -j$(JOBS)
	@mkdir -p $(BUILD)/bench
	cc -O2 -Wall -o $(BUILD)/bench/xprobe tools/bench/xprobe.c -lX11 -lXtst
	/usr/bin/python3 tools/bench/bench.py $(BUILD) $(BENCH_TRIALS)

clean:
	rm -rf $(BUILD)
