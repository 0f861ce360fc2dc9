# Newsdrop: a Windows news widget, cross-built with mingw-w64 and tested under Wine.
#   make test      set up what is missing, build the 64-bit tests, run them all
#   make release   build every target for 32-bit Windows (the shipped build)
#   make bench     build optimised and print the drawing layer's per-frame costs
# TESTS=regex runs only the matching tests: make test TESTS=IniFile

BUILD := build
TEST_TRIPLET := x86_64-w64-mingw32
RELEASE_TRIPLET := i686-w64-mingw32

.PHONY: test release bench setup format clean

test: setup
	scripts/build-cairo.sh $(BUILD) $(TEST_TRIPLET)
	scripts/make-wineprefix.sh $(BUILD)
	cmake -S . -B $(BUILD)/x86_64 -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64.cmake \
	  -DNEWSDROP_DEPS_DIR=$(abspath $(BUILD))/deps/$(TEST_TRIPLET) >/dev/null
	cmake --build $(BUILD)/x86_64
	scripts/run-tests.sh $(BUILD) $(if $(TESTS),-R '$(TESTS)')

release: setup
	scripts/build-cairo.sh $(BUILD) $(RELEASE_TRIPLET)
	cmake -S . -B $(BUILD)/i686 -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686.cmake \
	  -DNEWSDROP_DEPS_DIR=$(abspath $(BUILD))/deps/$(RELEASE_TRIPLET) >/dev/null
	cmake --build $(BUILD)/i686

bench: setup
	scripts/build-cairo.sh $(BUILD) $(TEST_TRIPLET)
	scripts/make-wineprefix.sh $(BUILD)
	cmake -S . -B $(BUILD)/bench -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64.cmake \
	  -DNEWSDROP_DEPS_DIR=$(abspath $(BUILD))/deps/$(TEST_TRIPLET) >/dev/null
	cmake --build $(BUILD)/bench --target graphics_bench
	scripts/run-bench.sh $(BUILD) $(BUILD)/bench/graphics_bench.exe

setup:
	scripts/install-packages.sh

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD)/x86_64 $(BUILD)/i686 $(BUILD)/bench
