# The two commands a player or a maintainer needs: `make run` and `make test`.
# Each of them installs what is missing, configures and builds first.

BUILD      ?= build
BENCH_BUILD ?= build-bench
BENCH_SECONDS ?= 5
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
GENERATOR  := -G Ninja

.PHONY: all deps configure build run test a11y-check package package-check bench bench-service service-cluster service-attack service startup-bench format clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/install-libraries $(BUILD)/libraries
	@scripts/start-local-service $(BUILD)
	$(BUILD)/bin/orvala

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# One deal played by keys alone on a private X display, each step checked through the
# accessible tree, as a screen reader reads it (scripts/a11y-check).
a11y-check: build
	scripts/a11y-check $(BUILD)

# The Debian packages "orvala" and "orvala-service" in $(BUILD)/ (see README: "Packages"), and
# their check from an unpacked root (CI runs it after the tests).
package: build
	cmake --build $(BUILD) --target package

package-check: package
	scripts/package-check $(BUILD)

bench: deps
	cmake -S . -B $(BENCH_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DORVALA_BENCH=ON -DORVALA_GUI=OFF -DORVALA_TESTS=OFF
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	@for b in $(BENCH_BUILD)/bin/bench_*; do echo "== $$b"; $$b || exit 1; done

# The web service alone, and its figures (see README: "The web service").
service: configure
	cmake --build $(BUILD) -j $(JOBS) --target orvala-service orvala-service-load

# The service beside nginx under wrk, BENCH_SECONDS a run (a few minutes in all).
bench-service: service
	@scripts/bench-service $(BUILD) $(BENCH_SECONDS)

# Three instances on one PostgreSQL behind HAProxy, one killed under load (CI runs it).
service-cluster: service
	@scripts/service-cluster $(BUILD)

# The attack run: floods beside a latency probe, cheats and breakdowns; not part of `make test`.
service-attack: service
	@scripts/service-attack $(BUILD)

# When the game's window maps beside a bare Qt window, and the memory each holds; not part of
# `make test`. STARTUP_BENCH_ARGS passes options, e.g. STARTUP_BENCH_ARGS='--runs 30'.
startup-bench: build
	@scripts/startup-bench $(BUILD) $(STARTUP_BENCH_ARGS)

format:
	@git ls-files '*.h' '*.cpp' | xargs -r clang-format -i

clean:
	rm -rf $(BUILD) $(BENCH_BUILD)
