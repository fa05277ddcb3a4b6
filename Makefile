# Every command installs what is missing (Debian 12), configures and builds.
BUILD    ?= build
JOBS     ?= $(shell nproc)
PREFIX   ?= /usr/local
SUDO     := $(if $(filter 0,$(shell id -u)),,sudo)
PACKAGES := cmake g++ make qt6-base-dev libgtest-dev libgmock-dev libzxing-dev \
            libbenchmark-dev fonts-wine fonts-dejavu-core desktop-file-utils file
CMAKE_FLAGS := -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBG_WERROR=ON

.PHONY: deps build run test install format screenshot clean

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

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

install: build
	$(SUDO) cmake --install $(BUILD) --prefix $(PREFIX)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

# The README's picture of the window, taken under a virtual display.
screenshot: EXTRA_PACKAGES = xvfb xauth imagemagick xdotool
screenshot: build
	xvfb-run -a -s '-screen 0 1024x640x24' sh -c '\
	  ./$(BUILD)/barcode-generator & pid=$$!; sleep 2; \
	  xdotool search --name "Barcode Generator" windowfocus --sync type --delay 50 "CODE39"; sleep 1; \
	  import -window root /tmp/barcode-screen.png; kill $$pid'
	convert /tmp/barcode-screen.png -trim +repage docs/screenshot.png

clean:
	rm -rf $(BUILD)
