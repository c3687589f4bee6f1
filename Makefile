# Quillmap: the two commands a newcomer needs are `make run` and `make test`.
JOBS ?= $(shell nproc)
XVFB := xvfb-run -a -s '-screen 0 1280x1024x24 -noreset'

.PHONY: all deps build build-asan test run screenshots bench fuzz clean format release package \
	install-check

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
# AddressSanitizer and UndefinedBehaviorSanitizer, then a short run of each fuzzer, then the
# checks of the installed program and of the package.
test: build-asan
	$(XVFB) ctest --test-dir build-asan --output-on-failure -j$(JOBS)
	./scripts/fuzz.sh 20
	$(MAKE) --no-print-directory install-check

# The build a packager makes: Release, warnings not turned into errors (a newer compiler may
# warn about code an older one took), no tests or benchmarks.
release: deps
	cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DQUILLMAP_WERROR=OFF \
	  -DQUILLMAP_TESTS=OFF -DQUILLMAP_BENCH=OFF >/dev/null
	cmake --build build-release -j$(JOBS)

# build/quillmap_VERSION_ARCH.deb: everything `cmake --install` puts in place, with the
# dependencies dpkg-shlibdeps finds. Install it with `apt install ./build/quillmap_*.deb`.
package: release
	rm -rf build-release/package
	cpack --config build-release/CPackConfig.cmake -B build-release/package >/dev/null
	mkdir -p build
	rm -f build/quillmap_*.deb
	cp build-release/package/quillmap_*.deb build/
	@ls build/quillmap_*.deb

# The installed files, the desktop's view of them (MIME type, default application), the
# installed programs and the package's contents.
install-check: package
	./scripts/install-check.sh build-release build/quillmap_*.deb

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
	./scripts/bench-annotate.sh build
	./scripts/doxygen-bench.sh build

# Long fuzzing: make fuzz FUZZ_SECONDS=600
FUZZ_SECONDS ?= 600
fuzz: deps
	./scripts/fuzz.sh $(FUZZ_SECONDS)

format:
	find core ui cli tests bench fuzz -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf build build-asan build-fuzz build-release
