# The README's commands. One Release build tree serves run, test and bench.
BUILD     ?= build
ASAN      ?= build-asan
JOBS      ?= $(shell nproc)
CONFIGURE  = cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release

.PHONY: deps build run test bench sanitize clean

deps:
	scripts/install-deps

build: deps
	$(CONFIGURE)
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/quillo $(if $(FILE),"$(FILE)")

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) -LE 'pending|disputed'

bench: deps
	scripts/install-deps bench
	$(CONFIGURE)
	cmake --build $(BUILD) -j $(JOBS)
	$(BUILD)/bin/quillo-bench
	$(BUILD)/bin/document-bench

sanitize: deps
	cmake -S . -B $(ASAN) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLO_SANITIZE=ON
	cmake --build $(ASAN) -j $(JOBS)
	cd $(ASAN) && ctest --output-on-failure -j $(JOBS) -LE 'pending|disputed'

clean:
	rm -rf $(BUILD) $(ASAN)
