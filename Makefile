# The two commands of the README: `make run` and `make test`. Everything else here serves them.
JOBS ?= $(shell nproc)
BUILD ?= build
ASAN_BUILD ?= build-asan
CMAKE_COMMON = -DCMAKE_CXX_COMPILER_LAUNCHER=ccache

.PHONY: deps build run test bench fuzz clean

deps:
	@./scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_COMMON) >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/talerwerk-cli demo $(BUILD)/beispiel.tlw
	$(BUILD)/talerwerk $(CURDIR)/$(BUILD)/beispiel.tlw

test: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTALERWERK_SANITIZE=ON $(CMAKE_COMMON) >/dev/null
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	$(BUILD)/bench/talerwerk-bench

# Each libFuzzer target in turn (clang), FUZZ_SEKUNDEN each; the corpora grow in build-fuzz/.
FUZZ_SEKUNDEN ?= 60
FUZZ_ZIELE = datendatei_fuzz jsonimport_fuzz einstellungen_fuzz datumbetrag_fuzz
fuzz: deps
	cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DTALERWERK_FUZZ=ON >/dev/null
	cmake --build build-fuzz -j $(JOBS) --target $(FUZZ_ZIELE)
	for ziel in $(FUZZ_ZIELE); do \
	  mkdir -p build-fuzz/korpus-$$ziel && \
	  build-fuzz/$$ziel -max_total_time=$(FUZZ_SEKUNDEN) -print_final_stats=1 build-fuzz/korpus-$$ziel fuzz/korpus/$${ziel%_fuzz} || exit 1; \
	done

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-fuzz
