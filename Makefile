# Every command installs what is missing (Debian 12), configures and builds.
BUILD    ?= build
SAN_BUILD ?= build-sanitize
BENCH_BUILD ?= build-bench
JOBS     ?= $(shell nproc)
PREFIX   ?= /usr/local
SUDO     := $(if $(filter 0,$(shell id -u)),,sudo)
PACKAGES := cmake g++ make qt6-base-dev qt6-svg-dev zlib1g-dev libgtest-dev libgmock-dev \
            libzxing-dev libbenchmark-dev libzint-dev zint fonts-wine fonts-dejavu-core \
            desktop-file-utils file poppler-utils clang-format libzbar-dev zbar-tools pkg-config \
            imagemagick libpng-dev libfreetype-dev libfontconfig-dev fonts-ocr-b ghostscript \
            libpoppler-cpp-dev librsvg2-dev libcairo2-dev
CMAKE_FLAGS := -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBG_WERROR=ON

.PHONY: deps build run test bench grade-table install format format-check screenshot clean

deps:
	@missing=""; for p in $(PACKAGES) $(EXTRA_PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y $$missing; \
	fi

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j$(JOBS)

run: build
	./$(BUILD)/barcode-generator

# The tests run twice: on the normal build, then once more built with
# AddressSanitizer and UndefinedBehaviorSanitizer, which must stay clean. Leak
# checks are off: librsvg, GLib and fontconfig keep caches for the life of the
# process, which LeakSanitizer reports as leaks of the program that reads a file.
test: build format-check
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)
	cmake -S . -B $(SAN_BUILD) $(CMAKE_FLAGS) -DBG_SANITIZE=address,undefined
	cmake --build $(SAN_BUILD) -j$(JOBS)
	cd $(SAN_BUILD) && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j$(JOBS) -E DesktopInstall

# Its own folder, so that the benchmarks never change what the other builds hold.
# A single export per process and the batch export are timed against zint by
# scripts of their own; the benchmark program comes last and ends with its summary.
bench: EXTRA_PACKAGES = zint bc time
bench: deps
	cmake -S . -B $(BENCH_BUILD) $(CMAKE_FLAGS) -DBG_BENCH=ON -DBG_TESTS=OFF
	cmake --build $(BENCH_BUILD) -j$(JOBS) --target barcode-bench barcode-generator barcode-generator-full
	sh bench/single_bench.sh ./$(BENCH_BUILD)/barcode-generator
	sh bench/batch_bench.sh ./$(BENCH_BUILD)/barcode-generator
	sh bench/labels_bench.sh ./$(BENCH_BUILD)/barcode-generator
	./$(BENCH_BUILD)/bench/barcode-bench

# Grades and ink-spread tolerances of every type at three sizes, ours beside zint's.
grade-table: EXTRA_PACKAGES = zint
grade-table: build
	sh bench/grade_table.sh ./$(BUILD)/barcode-generator

install: build
	$(SUDO) cmake --install $(BUILD) --prefix $(PREFIX)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

# Every file stays as clang-format leaves it.
format-check: deps
	clang-format --dry-run --Werror $$(git ls-files '*.cpp' '*.h')

# The README's picture of the window, taken under a virtual display.
screenshot: EXTRA_PACKAGES = xvfb xauth imagemagick xdotool
screenshot: build
	xvfb-run -a -s '-screen 0 1024x640x24' sh -c '\
	  ./$(BUILD)/barcode-generator & pid=$$!; sleep 2; \
	  xdotool search --name "Barcode Generator" windowfocus --sync type --delay 50 "CODE39"; sleep 1; \
	  import -window root /tmp/barcode-screen.png; kill $$pid'
	convert /tmp/barcode-screen.png -trim +repage docs/screenshot.png

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(BENCH_BUILD)
