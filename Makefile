# Tank Arena: the two commands a player or a developer needs.
#   make play   installs what is missing, builds, makes the datafiles and starts the game
#   make test   the same set-up and the Windows release, then the whole test suite (the
#               Windows game played under Wine included)
#   make windows the Windows release, cross-built here: build-windows/tankarena-windows.zip
#   make deb    the Debian package: build/tankarena_VERSION_ARCH.deb

BUILD_DIR ?= build
# The whole game built again with AddressSanitizer and UndefinedBehaviorSanitizer, for the unit
# tests, the display tests and one end-to-end match.
SANITIZE_DIR ?= $(BUILD_DIR)-asan
# The fuzz targets, built with clang's libFuzzer.
FUZZ_DIR ?= $(BUILD_DIR)-fuzz
# Seconds each fuzz target runs: make fuzz runs them this long, make test briefly.
FUZZ_SECONDS ?= 60
TEST_FUZZ_SECONDS ?= 5
# How long make soak plays the real game at the largest load.
SOAK_SECONDS ?= 600
JOBS ?= 2
# The Windows release: Allegro's cache, the cross-built game, its folder and zip.
WINDOWS_DIR ?= $(BUILD_DIR)-windows
# The native build's tests then include the Windows game under Wine.
WINDOWS_TEST_CONFIG = -DTANKARENA_WINDOWS_GAME_DIR=$(abspath $(WINDOWS_DIR))/game
# Any report of the sanitizers ends the test that made it; leaks are checked at every exit,
# with the suppressions for the libraries under the game.
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:halt_on_error=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizer/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

.PHONY: play test bench build game configure deps clean sanitize fuzz fuzz-build soak \
	windows windows-deps test-windows deb

deps:
	@sh scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null

# Everything, the tests and benchmarks included.
build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# Only the ready game folder: a first make play builds in a third of the time.
game: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target game

play: game
	cd $(BUILD_DIR)/game && ./tankarena

# The installed game as a Debian package: sudo apt install ./$(BUILD_DIR)/tankarena_*.deb
deb: configure
	@sh scripts/install-deps.sh deb
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target deb

# All packages first, the Windows ones included, in one go; make play asks only for its own.
test: windows-deps build sanitize fuzz-build windows
	@sh scripts/fuzz.sh $(FUZZ_DIR) $(TEST_FUZZ_SECONDS)
	@cmake -S . -B $(BUILD_DIR) $(WINDOWS_TEST_CONFIG) > /dev/null
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

sanitize: deps
	@cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTANKARENA_SANITIZE=ON > /dev/null
	@cmake --build $(SANITIZE_DIR) -j $(JOBS) --target sanitizer_tests
	cd $(SANITIZE_DIR) && $(SANITIZER_ENV) ctest -L 'unit|render|sanitized' --output-on-failure -j $(JOBS)

fuzz-build: deps
	@cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
		-DCMAKE_CXX_COMPILER=clang++ -DTANKARENA_FUZZ=ON > /dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzzers

fuzz: fuzz-build
	@sh scripts/fuzz.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

soak: build
	@bash scripts/soak.sh $(BUILD_DIR)/game $(SOAK_SECONDS)

bench: build
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target benchmarks
	@sh scripts/run-benchmarks.sh $(BUILD_DIR)

# The Windows release, cross-built here. make test plays it under Wine with the other tests;
# make test-windows runs only that test.
windows-deps:
	@sh scripts/install-deps.sh windows

windows: build windows-deps
	@JOBS=$(JOBS) sh platform/windows/build.sh $(BUILD_DIR) $(WINDOWS_DIR)

test-windows: windows
	@cmake -S . -B $(BUILD_DIR) $(WINDOWS_TEST_CONFIG) > /dev/null
	cd $(BUILD_DIR) && ctest -L windows --output-on-failure

# The Windows Allegro in $(WINDOWS_DIR)/allegro stays: it takes minutes to build and changes
# only with its version or patches (rm -rf $(WINDOWS_DIR) for all of it).
clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR)
	rm -rf $(WINDOWS_DIR)/cmake $(WINDOWS_DIR)/game $(WINDOWS_DIR)/tankarena-windows.zip
