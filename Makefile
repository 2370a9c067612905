# The two commands of the README: `make run` and `make test`.
BUILD ?= build
CMAKE_ARGS ?=
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: run test deps build format bench package

deps:
	@scripts/install-deps.sh

build: deps
	@if [ ! -f $(BUILD)/CMakeCache.txt ]; then \
	  cmake -S . -B $(BUILD) -G Ninja $(CMAKE_ARGS); \
	else \
	  cmake -S . -B $(BUILD) $(CMAKE_ARGS); \
	fi
	cmake --build $(BUILD) --parallel $(JOBS)

run: build
	@scripts/run.sh $(BUILD)/tidewell

test: build
	cd $(BUILD) && ctest --output-on-failure --parallel $(JOBS)

format: build
	cmake --build $(BUILD) --target format

bench: build
	@scripts/bench.sh $(BUILD)

package: build
	cmake --build $(BUILD) --target package
