# The two set-up commands: `make run` and `make test`. Each installs what it needs on a fresh
# Debian machine, configures, builds with -j2, then runs.
BUILD      ?= build
BENCH_BUILD ?= build-release
DB         ?= $(HOME)/.local/share/lumvoucher/lumvoucher.db
JOBS       ?= 2
# A compiler cache, when the machine has one, keeps rebuilds of several checkouts cheap.
LAUNCHER   := $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

# Debian packages the build needs (a CJK font and Qt's Chinese texts come with the desktop host;
# poppler-utils reads the printed PDFs back in the tests; libinih reads the external interfaces'
# "iei.ini"; Qt Charts draws the budget query's chart).
PACKAGES := cmake ninja-build g++ pkg-config libsqlite3-dev libgtest-dev libgmock-dev \
            libbenchmark-dev python3 qt6-base-dev qt6-translations-l10n fonts-noto-cjk fontconfig \
            poppler-utils libinih-dev qt6-charts-dev postgresql-15 libpq-dev

.PHONY: run test bench deps configure build clean format

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  SUDO=""; [ "$$(id -u)" -ne 0 ] && SUDO=sudo; \
	  $$SUDO apt-get update && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y $$missing; \
	fi

configure: deps
	@[ -f $(BUILD)/build.ninja ] || cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug $(LAUNCHER)

build: configure
	cmake --build $(BUILD) -j$(JOBS)

run: build
	$(BUILD)/apps/lumvoucher --db "$(DB)"

# The dialect's fuzzer runs for 10 s first when clang is there: a clang build of the dialect and
# the embedded host costs about a minute, cheap enough for every run.
test: build
	@if command -v clang++ >/dev/null 2>&1; then \
	  echo "Fuzzing the Oracle dialect for 10 s (log: fuzz.log)"; \
	  $(MAKE) --no-print-directory fuzz FUZZ_SECONDS=10 > fuzz.log 2>&1 \
	    || { tail -n 40 fuzz.log; echo "fuzz: the dialect fuzzer failed"; exit 1; }; \
	  grep -E "^Done [0-9]+ runs" fuzz.log || true; \
	fi
	@rm -rf $(BUILD)/test-results
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS) --timeout 1200; status=$$?; \
	  python3 ../tools/test_summary.py test-results; exit $$status

bench: deps
	@[ -f $(BENCH_BUILD)/build.ninja ] || cmake -S . -B $(BENCH_BUILD) -G Ninja \
	  -DCMAKE_BUILD_TYPE=Release -DLUMVOUCHER_BUILD_BENCH=ON -DLUMVOUCHER_BUILD_TESTS=OFF $(LAUNCHER)
	cmake --build $(BENCH_BUILD) -j$(JOBS)
	@for b in $(BENCH_BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b" || exit 1; done

format:
	find src apps tests bench -name '*.h' -o -name '*.cpp' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(BENCH_BUILD)

# Fuzzes the Oracle dialect with libFuzzer for FUZZ_SECONDS; needs clang, skipped without it.
# An input that fails lands in $(FUZZ_BUILD)/, not in the checkout.
FUZZ_BUILD   ?= build-fuzz
FUZZ_SECONDS ?= 30
.PHONY: fuzz
fuzz: deps
	@if ! command -v clang++ >/dev/null 2>&1; then echo "fuzz: clang++ not found, skipped"; exit 0; fi; \
	[ -f $(FUZZ_BUILD)/build.ninja ] || CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMVOUCHER_BUILD_FUZZ=ON -DLUMVOUCHER_BUILD_TESTS=OFF \
	  || exit 1; \
	cmake --build $(FUZZ_BUILD) --target fuzz_dialect -j$(JOBS) || exit 1; \
	mkdir -p $(FUZZ_BUILD)/corpus; \
	$(FUZZ_BUILD)/tests/fuzz/fuzz_dialect -max_total_time=$(FUZZ_SECONDS) -timeout=10 \
	  -artifact_prefix=$(FUZZ_BUILD)/ \
	  $(FUZZ_BUILD)/corpus
