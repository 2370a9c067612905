# The two commands of the README: `make run` and `make test`.
BUILD ?= build
CMAKE_ARGS ?=
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

# The Windows edition: cross-built trees per architecture, tested under Wine by `make test`
# (WINDOWS_TESTS=0 leaves them out), packaged into dist/ by `make windows`. A tree's tests
# are skipped only where Wine cannot run its programs; anywhere else a skip fails the run.
WINBUILD ?= build-win
WINDOWS_ARCHES ?= x86_64 i686
WINDOWS_TESTS ?= 1

.PHONY: run test deps build format bench package windows windows-build windows-test

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
	@if [ "$(WINDOWS_TESTS)" = 1 ]; then $(MAKE) --no-print-directory windows-test; fi

windows-build: deps
	@for arch in $(WINDOWS_ARCHES); do \
	  if [ ! -f $(WINBUILD)/$$arch/CMakeCache.txt ]; then \
	    cmake -S . -B $(WINBUILD)/$$arch -G Ninja \
	      -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain/mingw-$$arch.cmake $(CMAKE_ARGS) || exit 1; \
	  else \
	    cmake -S . -B $(WINBUILD)/$$arch $(CMAKE_ARGS) || exit 1; \
	  fi; \
	  cmake --build $(WINBUILD)/$$arch --parallel $(JOBS) || exit 1; \
	done

windows: windows-build
	scripts/package-windows.sh $(WINBUILD) dist $(WINDOWS_ARCHES)

windows-test: windows-build
	@for arch in $(WINDOWS_ARCHES); do \
	  echo "== Windows $$arch under Wine"; \
	  (cd $(WINBUILD)/$$arch && ctest --output-on-failure --parallel $(JOBS) \
	    --output-junit Testing/wine-results.xml) || exit 1; \
	  scripts/check-wine-skips.sh $(WINBUILD)/$$arch $(WINBUILD)/$$arch/Testing/wine-results.xml || exit 1; \
	done

format: build
	cmake --build $(BUILD) --target format

# With the Windows edition, its benchmark under Wine runs too (x86_64, beside Wine's Notepad).
bench: build $(if $(filter 1,$(WINDOWS_TESTS)),windows-build)
	@scripts/bench.sh $(BUILD) $(if $(filter 1,$(WINDOWS_TESTS)),$(WINBUILD)/x86_64)

package: build
	cmake --build $(BUILD) --target package
