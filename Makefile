# Quick start: `make run` and `make test` (see README.md).
BUILD      ?= build
ASAN_BUILD ?= build-asan
GENERATOR  := -G Ninja
FILE       ?=

.PHONY: deps build run test test-asan fuzz bench package clean

deps:
	@bash scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD)

run: build
	@$(BUILD)/vexel $(if $(FILE),"$(FILE)")

test: build test-asan fuzz
	@ctest --test-dir $(BUILD) --output-on-failure

# The window-free library again under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	@cmake -S . -B $(ASAN_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DVEXEL_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN_BUILD) --target vexel_core_tests
	@ctest --test-dir $(ASAN_BUILD) -L core --output-on-failure

# Every reader of outside data under libFuzzer for a bounded time (clang).
fuzz: deps
	@bash fuzz/run.sh build-fuzz

# The Debian package, in $(BUILD): install it with `sudo apt install ./$(BUILD)/vexel_*.deb`.
package: build
	@cmake --build $(BUILD) --target package

bench: build
	@cmake --build $(BUILD) --target vexel_bench
	@bash bench/run.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-fuzz
