# Two commands for a new user:
#   make run    set up, build and start Addrina
#   make test   set up, build and run every test
# and a few for developers:
#   make bench  build and run the benchmarks
#   make fuzz   build the fuzz targets (clang, libFuzzer) in build-fuzz/
#   make fuzz-smoke  build them and run each for a few seconds (part of make test)
# and one to put Addrina in the desktop's application list:
#   make install [PREFIX=/usr/local] [DESTDIR=staging folder]
BUILD  ?= build
JOBS   ?= $(shell nproc)
PREFIX ?= /usr/local

.PHONY: run test build setup setup-test configure configure-test bench fuzz fuzz-smoke clean install

setup:
	@bash setup/install-deps.sh

setup-test:
	@bash setup/install-deps.sh test

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_CXX_COMPILER_LAUNCHER=ccache

configure: setup $(BUILD)/build.ninja

# Configured again so that a build set up by `make run` finds the test packages.
configure-test: setup-test
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DADDRINA_TESTS=ON

build: configure-test
	cmake --build $(BUILD) -j $(JOBS)

run: configure
	cmake --build $(BUILD) -j $(JOBS) --target addrina
	@bash setup/run.sh $(BUILD)/bin/addrina

# The fuzz targets run briefly after the tests so that they keep building and keep passing.
test: build
	cd $(BUILD) && ctest --output-on-failure --no-tests=error -j $(JOBS)
	$(MAKE) fuzz-smoke

bench: build
	@for b in $(BUILD)/bin/bench_*; do echo "== $$b"; $$b; done

fuzz: setup-test
	cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DADDRINA_FUZZ=ON -DADDRINA_BENCH=OFF \
	      -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
	cmake --build build-fuzz -j $(JOBS) $$(ninja -C build-fuzz -t targets all | grep -o '^fuzz_[a-z_]*' | sort -u | sed 's/^/--target /')

fuzz-smoke: fuzz
	@bash fuzz/smoke.sh build-fuzz

install: configure
	cmake --build $(BUILD) -j $(JOBS) --target installable
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

clean:
	rm -rf $(BUILD) build-fuzz
