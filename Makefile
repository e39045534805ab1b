# The commands of the README. Each one first installs whatever is missing.
JOBS ?= $(shell nproc)
TEST_DIR := build/test
BENCH_DIR := build/bench
FUZZ_DIR := build/fuzz
FUZZ_SECONDS ?= 20

.PHONY: deps test bench fuzz clean

deps:
	bash scripts/install-deps.sh

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
	$(BENCH_DIR)/bench/trasso_bench --benchmark_counters_tabular=true

# Every fuzz_* target runs for FUZZ_SECONDS, starting from its seeds.
fuzz: deps
	cmake -S fuzz -B $(FUZZ_DIR) -G Ninja -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	set -e; for target in $(FUZZ_DIR)/fuzz_*; do \
	  name=$$(basename $$target); mkdir -p $(FUZZ_DIR)/corpus/$$name; \
	  $$target -max_total_time=$(FUZZ_SECONDS) $(FUZZ_DIR)/corpus/$$name fuzz/seeds/$$name; \
	done

clean:
	rm -rf build
