# One entry point: setup, build, test, run (see README.md).
JOBS    ?= $(shell nproc)
NATIVE  := build/native
WIN64   := build/win64
SAMPLE  := samples/flight-sim.k33.json

.PHONY: setup build build-native build-win64 test run fuzz format

setup:
	@scripts/setup

build: build-native build-win64

build-native: setup
	cmake -S . -B $(NATIVE)
	cmake --build $(NATIVE) -j$(JOBS)

build-win64: setup
	cmake -S . -B $(WIN64) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
	cmake --build $(WIN64) -j$(JOBS)

# Every test: native under the sanitizers, then the Windows build under Wine.
test: setup
	scripts/run-tests

# The main job: build the sample profile from its JSON and look into the result.
run: build-native
	$(NATIVE)/bin/vhprofile build $(SAMPLE) $(NATIVE)/flight-sim.k33
	$(NATIVE)/bin/vhprofile dump $(NATIVE)/flight-sim.k33

# Longer fuzzing of the profile reader with libFuzzer: make fuzz FUZZ_SECONDS=600
FUZZ_SECONDS ?= 120
fuzz: setup
	CC=clang CXX=clang++ cmake -S . -B build/fuzz -DVH_FUZZ=ON
	cmake --build build/fuzz -j$(JOBS) --target profile_reader_fuzzer
	mkdir -p build/fuzz/corpus
	build/fuzz/bin/profile_reader_fuzzer build/fuzz/corpus build/fuzz/profile/fuzz_seeds \
	    -max_total_time=$(FUZZ_SECONDS)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')
