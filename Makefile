# Trefolia: `make run` builds and starts the game, `make test` builds and runs
# every test suite. Both install the Debian packages the project needs first.

BUILD_DIR ?= build
JOBS      ?= $(shell nproc 2>/dev/null || echo 2)

PACKAGES := cmake g++ make pkg-config \
            qt6-base-dev qt6-multimedia-dev qt6-svg-dev libqt6svg6 \
            qt6-translations-l10n libpng-dev zlib1g-dev \
            fonts-dejavu-core fonts-noto-color-emoji

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps configure build run test clean

all: build

# Installs only what is missing; does nothing (and asks nothing) otherwise.
deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get update -qq && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $$missing; \
	fi

$(BUILD_DIR)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD_DIR)

configure: deps $(BUILD_DIR)/CMakeCache.txt

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	cd $(BUILD_DIR) && ./trefolia

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD_DIR)
