# Entry points for people and CI. `make demo` and `make test` install what
# they need (Debian packages, as root), build and run.
BUILD      ?= build
ASAN_BUILD ?= build-asan
SHARED_BUILD ?= build-shared
JOBS       ?= $(shell nproc)
CMAKE_FLAGS ?= -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZAZ_WERROR=ON

PACKAGES = build-essential cmake ninja-build pkg-config libsqlite3-dev libpugixml-dev \
  libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev libcsv-dev \
  clang libclang-rt-14-dev gpsbabel geographiclib-tools libgeographiclib-dev libxml2-utils sqlite3
PACKAGES += libqrencode-dev zlib1g-dev zbar-tools librsvg2-bin python3-geographiclib  # task files, QR codes, maps
PACKAGES += pybind11-dev python3-dev python3-pytest  # the Python module and its tests
PACKAGES += jq  # make bench: pairs the benchmark figures

.PHONY: deps build demo test sanitize shared-check fuzz fuzz-long install-check bench clean

deps:
	@missing=$$(for p in $(PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "installing:$$missing"; \
	  if [ "$$(id -u)" = 0 ]; then SUDO=; else SUDO=sudo; fi; \
	  $$SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq $$missing; \
	fi

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

demo: build
	cmake --install $(BUILD) --component python
	./examples/demo.sh $(BUILD)

test: deps
	rm -rf $(BUILD)
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	./tests/install/check.sh $(BUILD)
	cmake --install $(BUILD) --component python

sanitize: deps
	rm -rf $(ASAN_BUILD)
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZAZ_WERROR=ON -DZAZ_SANITIZE=ON -DZAZ_BUILD_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# The shared library (hidden symbols but the public API) installed and used
# by the README's example; unoptimised, since only linking is in question.
shared-check: deps
	rm -rf $(SHARED_BUILD)
	cmake -S . -B $(SHARED_BUILD) -G Ninja -DCMAKE_BUILD_TYPE= -DZAZ_WERROR=ON -DBUILD_SHARED_LIBS=ON
	cmake --build $(SHARED_BUILD) -j $(JOBS)
	./tests/install/check.sh $(SHARED_BUILD)

# libFuzzer targets with clang, ASan and UBSan: 30 s each in CI, as long as
# you like locally (FUZZ_SECONDS, default one hour each).
FUZZ_SECONDS ?= 3600
fuzz: deps
	./tests/fuzz/run.sh 30

fuzz-long: deps
	./tests/fuzz/run.sh $(FUZZ_SECONDS)

bench: build
	./bench/run.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(SHARED_BUILD) build-fuzz
