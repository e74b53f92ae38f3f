# Two commands for a new user:
#   make run    set up, build and start Addrina
#   make test   set up, build and run every test
BUILD ?= build
JOBS  ?= $(shell nproc)

.PHONY: run test build setup configure bench fuzz clean

setup:
	@bash setup/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_CXX_COMPILER_LAUNCHER=ccache

configure: setup $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@bash setup/run.sh $(BUILD)/bin/addrina

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/bin/bench_*; do echo "== $$b"; $$b; done

clean:
	rm -rf $(BUILD)
