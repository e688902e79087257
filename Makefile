# make run  — install what is missing, build, run the instrument against the simulated board
# make test — install what is missing, build, run every test (plus the thread-sanitized link tests);
#             deterministic: the fuzz targets only replay their kept inputs (make fuzz searches)
# make package — install what is missing, build the programs alone, and make the Debian packages
#             kelvarin (panel) and kelvarin-tools (bench) in build-package/
BUILD ?= build
JOBS ?= $(shell nproc)

FUZZ_SECONDS ?= 60

.PHONY: run test deps build asan tsan fuzz fuzz-build bench package clean

deps:
	@./scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./scripts/run-demo.sh

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 300
	$(MAKE) --no-print-directory asan
	$(MAKE) --no-print-directory tsan

# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer, built with clang
# and coverage instrumentation so the fuzz targets come from the same build; its tests include
# one replay of each fuzz target's kept inputs (fuzz/corpus/<target>).
ASAN_BUILD = build-asan
fuzz-build: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	    -DKELVARIN_SANITIZE=address,undefined -DKELVARIN_FUZZ=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)

asan: fuzz-build
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	    LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp \
	    ctest --output-on-failure -j $(JOBS) --timeout 600

# Each fuzz target for FUZZ_SECONDS from its seed corpus in fuzz/corpus/<target>; inputs it
# finds go to a scratch corpus under the build, crashes to $(ASAN_BUILD)/fuzz-crashes.
fuzz: fuzz-build
	@./scripts/run-fuzz.sh $(ASAN_BUILD) $(FUZZ_SECONDS)

# The serial readers are the only threads besides the user interface: check them under TSan.
tsan: deps
	cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKELVARIN_SANITIZE=thread
	cmake --build build-tsan -j $(JOBS) --target test_link test_fw test_app
	cd build-tsan && TSAN_OPTIONS=halt_on_error=1 ctest --output-on-failure -R "^(link|fw|app)\\." --timeout 300

bench: build
	@for b in $(BUILD)/bench/*_bench; do [ -x "$$b" ] && "$$b"; done

# A release build without the tests; dpkg-shlibdeps (dpkg-dev, which needs file) names the
# libraries the packages depend on.
PACKAGE_BUILD = build-package
package:
	@./scripts/install-deps.sh dpkg-dev file
	cmake -S . -B $(PACKAGE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVARIN_TESTS=OFF
	cmake --build $(PACKAGE_BUILD) -j $(JOBS)
	cd $(PACKAGE_BUILD) && cpack -G DEB
	@ls -1 $(PACKAGE_BUILD)/*.deb

clean:
	rm -rf $(BUILD) build-tsan $(ASAN_BUILD) $(PACKAGE_BUILD)
