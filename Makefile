# The commands of the README. Each one first installs whatever is missing.
JOBS ?= $(shell nproc)
TEST_DIR := build/test
BENCH_DIR := build/bench
RELEASE_DIR := build/release
EXAMPLE := examples/loop.tr
INSTALL_DIR := build/install
PREFIX ?= /usr/local
FUZZ_DIR := build/fuzz
FUZZ_SECONDS ?= 60
# 1 adds the 1,000 × 1,000 grid (a million sections) to the file, compiler
# input and check benchmarks; that run takes minutes and a few GB of memory.
BENCH_HUGE ?= 0

.PHONY: deps run test bench fuzz install screenshots clean

deps:
	bash scripts/install-deps.sh

# The editor on the example track, which the command-line tool writes when it
# is missing.
run: deps
	cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRASSO_BUILD_TESTS=OFF
	cmake --build $(RELEASE_DIR) -j $(JOBS) --target trasso trasso-cli Mapforge
	test -f $(EXAMPLE) || $(RELEASE_DIR)/bin/trasso-cli example $(EXAMPLE)
	bash scripts/run-editor.sh $(RELEASE_DIR) $(EXAMPLE)

test: deps
	cmake -S . -B $(TEST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTRASSO_SANITIZE=ON
	cmake --build $(TEST_DIR) -j $(JOBS)
	cd $(TEST_DIR) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DTRASSO_BUILD_TESTS=ON -DTRASSO_BUILD_BENCH=ON
	cmake --build $(BENCH_DIR) -j $(JOBS) --target trasso_bench
	TRASSO_BENCH_HUGE=$(BENCH_HUGE) $(BENCH_DIR)/bin/trasso_bench --benchmark_counters_tabular=true

# Each fuzzer runs for FUZZ_SECONDS from its seeds; its corpus is kept in the
# build directory between runs, and crashers are written there too.
fuzz: deps
	cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DTRASSO_BUILD_TESTS=OFF -DTRASSO_BUILD_FUZZ=ON
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target trasso_fuzz_load trasso_fuzz_mapforge
	bash fuzz/make-seeds.sh tests/data $(FUZZ_DIR)/seeds
	mkdir -p $(FUZZ_DIR)/corpus $(FUZZ_DIR)/corpus-mapforge
	$(FUZZ_DIR)/bin/trasso_fuzz_load -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=4096 \
	  -artifact_prefix=$(FUZZ_DIR)/ $(FUZZ_DIR)/corpus $(FUZZ_DIR)/seeds
	$(FUZZ_DIR)/bin/trasso_fuzz_mapforge -max_total_time=$(FUZZ_SECONDS) -timeout=10 \
	  -artifact_prefix=$(FUZZ_DIR)/ $(FUZZ_DIR)/corpus-mapforge fuzz/seeds/mapforge

# A Release build of the programs alone, installed under PREFIX with the desktop
# entry, the MIME type, the icons and the user guide.
install: deps
	cmake -S . -B $(INSTALL_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRASSO_BUILD_TESTS=OFF
	cmake --build $(INSTALL_DIR) -j $(JOBS)
	cmake --install $(INSTALL_DIR) --prefix "$(PREFIX)"

# The pictures of the user guide and the README, made offscreen by the editor
# itself from the example track; run again after any change to the look.
screenshots: deps
	cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRASSO_BUILD_TESTS=OFF
	cmake --build $(RELEASE_DIR) -j $(JOBS) --target trasso-screenshots
	$(RELEASE_DIR)/tools/screenshots/trasso-screenshots docs/screenshots

clean:
	rm -rf build
