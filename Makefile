# Ulvo2FSUIPC: the two everyday commands are `make demo` and `make test`.
# Each target installs missing Debian packages (as root) and prepares what it needs.

PRESETS := native native-asan native-tsan thread-safety fuzz windows
WINEPREFIX_DIR := $(CURDIR)/build/windows/wineprefix

.PHONY: all demo lab test setup dll bench fuzz soak dist offsets-doc clean \
        $(addprefix build-,$(PRESETS)) $(addprefix test-,$(PRESETS))

all: dll

setup:
	@scripts/setup.sh

build/%/build.ninja: | setup
	cmake --preset $* >/dev/null

# Configure (once) and build one preset: `make build-native`, `make build-windows` ...
$(addprefix build-,$(PRESETS)): build-%: build/%/build.ninja
	cmake --build --preset $*

# Just the plug-in DLL.
dll: build/windows/build.ninja
	cmake --build --preset windows --target Ulvo2FSUIPC
	@echo "built build/windows/bin/Ulvo2FSUIPC.dll"

# The main job: the testbed runs the real DLL through a scripted session under Wine.
demo: build-windows
	@scripts/wine-prefix.sh session $(WINEPREFIX_DIR)
	@scripts/demo.sh

# The panel lab: the real DLL in a stand-in simulator that FSUIPC programs connect
# to; type lines such as `set 0x943A 12000`, or `make lab LAB='run FILE'`.
LAB ?=
lab: build-windows
	@scripts/lab.sh $(LAB)

# Every test: native, native under the sanitizers, the SimConnect client's tests
# threaded under ThreadSanitizer, the thread-safety analysis, the fuzzers briefly,
# and the Windows tests under Wine.
test: $(addprefix test-,$(PRESETS))
	@echo "All tests passed: $(PRESETS)"

$(addprefix test-,$(PRESETS)): test-%: build-%
	ctest --preset $*

# The release zip: dist/Ulvo2FSUIPC-<version>.zip, an add-on package for the simulator.
dist: build-windows
	@scripts/dist.sh dist

# Regenerates the offset reference and the files for panel tools (presets/) from the
# tables; `make test` fails while they are stale.
offsets-doc: build-native
	build/native/bin/ulvo_offsets_doc --write docs/offsets.md
	build/native/bin/ulvo_offsets_doc --write docs/offsets.csv
	build/native/bin/ulvo_offsets_doc --write-presets presets

# The figures of docs/performance.md: native benchmarks and the Wine measurements.
bench: build-native build-windows
	@scripts/bench.sh

# The long runs of docs/reliability.md: the plug-in under random load for
# SOAK_SECONDS (default 600; `make test` runs it for one minute), then the fault
# scenarios with FAULT_ROUNDS reloads and stops (default 100; `make test`: 10).
SOAK_SECONDS ?= 600
FAULT_ROUNDS ?= 100
soak: build-windows
	@scripts/wine-run.sh $(WINEPREFIX_DIR) build/windows/bin/testbed.exe soak $(SOAK_SECONDS)
	@ULVO_FAULT_ROUNDS=$(FAULT_ROUNDS) scripts/wine-run.sh $(WINEPREFIX_DIR) \
	    build/windows/bin/ulvo_wine_tests.exe --gtest_filter='RunningPlugin.*:PluginStops.*'

# Every fuzzer for FUZZ_SECONDS (default 300) each, on its seed corpus.
FUZZ_SECONDS ?= 300
fuzz: build-fuzz
	@set -e; for f in build/fuzz/bin/*_fuzz; do \
	    name=$$(basename $$f _fuzz); \
	    echo "== $$name: $(FUZZ_SECONDS) s"; \
	    fuzz/run_fuzzer.sh $$f fuzz/corpus/$$name build/fuzz/fuzz-long/$$name $(FUZZ_SECONDS); \
	done

clean:
	@[ -d $(WINEPREFIX_DIR) ] && scripts/wine-prefix.sh stop $(WINEPREFIX_DIR) || true
	rm -rf build dist
