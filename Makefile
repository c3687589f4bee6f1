# Quillmap: the two commands a newcomer needs are `make run` and `make test`.
JOBS ?= $(shell nproc)
XVFB := xvfb-run -a -s '-screen 0 1280x1024x24 -noreset'

.PHONY: all deps build build-asan test run screenshots bench fuzz clean format

all: build

deps:
	@./scripts/install-deps.sh

build: deps
	cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMAP_TESTS=OFF -DQUILLMAP_BENCH=OFF \
	  -DQUILLMAP_WERROR=ON >/dev/null
	cmake --build build -j$(JOBS)

build-asan: deps
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DQUILLMAP_SANITIZE=ON -DQUILLMAP_BENCH=OFF \
	  -DQUILLMAP_WERROR=ON >/dev/null
	cmake --build build-asan -j$(JOBS)

# Every test: core, command line and editor (under a virtual display), all built with
# AddressSanitizer and UndefinedBehaviorSanitizer, then a short run of each fuzzer.
test: build-asan
	$(XVFB) ctest --test-dir build-asan --output-on-failure -j$(JOBS)
	./scripts/fuzz.sh 20

run: build
	./scripts/run-editor.sh build/ui/quillmap examples/sample.dcm

screenshots: build
	./scripts/screenshots.sh build

bench:
	./scripts/install-deps.sh --bench
	cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMAP_TESTS=OFF -DQUILLMAP_BENCH=ON \
	  -DQUILLMAP_WERROR=ON >/dev/null
	cmake --build build -j$(JOBS)
	./scripts/bench.sh build
	./scripts/doxygen-bench.sh build

# Long fuzzing: make fuzz FUZZ_SECONDS=600
FUZZ_SECONDS ?= 600
fuzz: deps
	./scripts/fuzz.sh $(FUZZ_SECONDS)

format:
	find core ui cli tests bench fuzz -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf build build-asan build-fuzz
