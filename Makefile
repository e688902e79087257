# make run  — install what is missing, build, run the instrument against the simulated board
# make test — install what is missing, build, run every test (plus the thread-sanitized link tests)
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: run test deps build tsan bench clean

deps:
	@./scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./scripts/run-demo.sh

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 300
	$(MAKE) --no-print-directory tsan

# The serial readers are the only threads besides the user interface: check them under TSan.
tsan: deps
	cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKELVARIN_SANITIZE=thread
	cmake --build build-tsan -j $(JOBS) --target test_link test_fw test_app
	cd build-tsan && TSAN_OPTIONS=halt_on_error=1 ctest --output-on-failure -R "^(link|fw|app)\\." --timeout 300

bench: build
	@for b in $(BUILD)/bench/*_bench; do [ -x "$$b" ] && "$$b"; done

clean:
	rm -rf $(BUILD) build-tsan
