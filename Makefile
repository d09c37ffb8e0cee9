# Tank Arena: the two commands a player or a developer needs.
#   make play   installs what is missing, builds, makes the datafiles and starts the game
#   make test   the same set-up, then the whole test suite

BUILD_DIR ?= build
JOBS ?= 2

.PHONY: play test bench build deps clean

deps:
	@sh scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS)

play: build
	cd $(BUILD_DIR)/game && ./tankarena

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

bench: build
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target benchmarks
	@sh scripts/run-benchmarks.sh $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR)
