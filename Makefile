# Thin wrapper around CMake.  `make demo` and `make test` install what is
# missing first (Debian packages), so both work on a fresh machine.
JOBS        ?= $(shell nproc 2>/dev/null || echo 2)
BUILD       ?= build
ASAN_BUILD  ?= build-asan
TSAN_BUILD  ?= build-tsan
FUZZ_BUILD  ?= build-fuzz
BENCH_BUILD ?= build-bench
FUZZ_SECONDS ?= 60
PREFIX      ?= /usr/local
DEB_PACKAGES = cmake g++ clang flex bison libgtest-dev libbenchmark-dev python3-cram libclang-rt-14-dev graphviz librsvg2-bin man-db

.PHONY: all deps build demo test test-normal test-asan test-tsan fuzz bench clean pictures install

all: build

deps:
	@missing=""; for p in $(DEB_PACKAGES); do \
	  dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  echo "installing:$$missing"; \
	  SUDO=""; [ "$$(id -u)" = 0 ] || SUDO=sudo; \
	  $$SUDO apt-get update -qq && $$SUDO apt-get install -y -qq $$missing; \
	fi

$(BUILD)/Makefile $(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS)

# The programs, man pages, bash completion and examples under $(PREFIX);
# DESTDIR, when given, is put in front of every installed path.
install: build
	DESTDIR=$(DESTDIR) cmake --install $(BUILD) --prefix $(PREFIX)

demo: build
	./scripts/demo.sh $(BUILD)

test-normal: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVARNOK_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

fuzz: deps
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVARNOK_FUZZ=ON -DVARNOK_TESTS=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	./scripts/run_fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# The tests of the parallel search under ThreadSanitizer: only the programs
# and unit tests they need are built.
TSAN_TESTS = ^(cli_parallel|ConcurrentStore\..*)$$
test-tsan: deps
	cmake -S . -B $(TSAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARNOK_TSAN=ON
	cmake --build $(TSAN_BUILD) -j $(JOBS) --target varnok unit_tests
	cd $(TSAN_BUILD) && TSAN_OPTIONS="halt_on_error=1 exitcode=66" ctest --output-on-failure -j $(JOBS) -R '$(TSAN_TESTS)'

test: test-normal test-asan test-tsan fuzz

bench: deps
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DVARNOK_BENCH=ON -DVARNOK_TESTS=OFF
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	./scripts/run_bench.sh $(BENCH_BUILD)

pictures: build
	./scripts/pictures.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD) $(FUZZ_BUILD) $(BENCH_BUILD)
