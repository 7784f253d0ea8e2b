# SPDX-License-Identifier: GPL-3.0-or-later
# Trefolia: `make run` builds and starts the game, `make test` builds and runs
# every test suite. Both install the Debian packages the project needs first.

BUILD_DIR ?= build
JOBS      ?= $(shell nproc 2>/dev/null || echo 2)

PACKAGES := cmake g++ make pkg-config \
            qt6-base-dev qt6-multimedia-dev qt6-svg-dev libqt6svg6 \
            qt6-translations-l10n qt6-image-formats-plugins libpng-dev zlib1g-dev \
            libarchive-dev desktop-file-utils fonts-dejavu-core fonts-noto-color-emoji

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps configure build run test bench clean check-sanitize package check-package check-screen-reader \
        check-scaling windows check-windows

all: build

# Installs only the packages of the list given that are missing; does
# nothing (and asks nothing) otherwise.
define install_missing
	@missing=""; \
	for p in $(1); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get update -qq && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $$missing; \
	fi
endef

deps:
	$(call install_missing,$(PACKAGES))

$(BUILD_DIR)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD_DIR)

configure: deps $(BUILD_DIR)/CMakeCache.txt

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	cd $(BUILD_DIR) && ./trefolia

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Hot paths, start-up and memory against their budgets, on the shipped content.
bench: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ./bench/trefolia-bench

clean:
	rm -rf $(BUILD_DIR)

# The Debian package, build/trefolia_<version>_<arch>.deb (CPack; dpkg-shlibdeps
# computes its library dependencies), and its checks: lintian, the AppStream
# and desktop-entry validators, and the game started from the unpacked package.
PACKAGE_TOOLS       := dpkg-dev file
PACKAGE_CHECK_TOOLS := lintian appstream desktop-file-utils

package: build
	$(call install_missing,$(PACKAGE_TOOLS))
	cmake --build $(BUILD_DIR) --target package

check-package: package
	$(call install_missing,$(PACKAGE_CHECK_TOOLS))
	packaging/check-package.sh $(BUILD_DIR)

# check-sanitize: the whole suite built with AddressSanitizer and
# UndefinedBehaviorSanitizer and run (any finding fails), then a short run
# of every fuzz target from a clang build, failing on any finding.
SANITIZE_DIR       ?= build-sanitize
FUZZ_DIR           ?= build-fuzz
FUZZ_SECONDS       ?= 20
FUZZ_TARGETS       := archive png item_list set_text set_file
SANITIZE_PACKAGES  := clang-14 libclang-rt-14-dev
SANITIZER_ENV      := ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1 \
                      LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizer/lsan.supp:print_suppressions=0 \
                      UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
                      TREFOLIA_RANDOM_PLAY_ACTIONS=3000

check-sanitize: deps
	$(call install_missing,$(SANITIZE_PACKAGES))
	cmake -S . -B $(SANITIZE_DIR) -DTREFOLIA_SANITIZE=ON
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && $(SANITIZER_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	CC=clang-14 CXX=clang++-14 cmake -S . -B $(FUZZ_DIR) -DTREFOLIA_FUZZ=ON
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	@for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ_DIR)/corpus/$$t $(FUZZ_DIR)/artifacts || exit 1; \
	  echo "fuzz_$$t: $(FUZZ_SECONDS) s"; \
	  $(FUZZ_DIR)/tests/fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=1024 -malloc_limit_mb=512 \
	    -timeout=10 -print_final_stats=1 -artifact_prefix=$(FUZZ_DIR)/artifacts/$$t- \
	    $(FUZZ_DIR)/corpus/$$t tests/fuzz/corpus/$$t || exit 1; \
	done

# check-screen-reader: the game played from the keyboard under Xvfb while the
# real Orca listens (speech-dispatcher and espeak-ng into ALSA's null device);
# fails unless Orca's log holds what a blind pupil must hear. Logs in
# $(BUILD_DIR)/screen-reader/.
SCREEN_READER_PACKAGES := xvfb xdotool dbus at-spi2-core python3-pyatspi orca \
                          speech-dispatcher speech-dispatcher-espeak-ng espeak-ng

check-screen-reader: build
	$(call install_missing,$(SCREEN_READER_PACKAGES))
	tools/check-screen-reader.sh $(BUILD_DIR)

# check-scaling: the game started as its menu starts it (--skala auto) on
# desktops with large text (Xft.dpi 120, 144, 192) and scaled screens
# (QT_SCREEN_SCALE_FACTORS 1.5, 2) at 1920x1080 and 1366x768, each under
# Xvfb with openbox, its window's size checked; then every refused start's
# exit status. Screenshots and logs in $(BUILD_DIR)/scaling/.
SCALING_PACKAGES := xvfb xdotool openbox x11-xserver-utils imagemagick

check-scaling: build
	$(call install_missing,$(SCALING_PACKAGES))
	tools/check-scaling.sh $(BUILD_DIR)

# windows: the game, the content tool and the whole suite cross-built for
# 64-bit Windows with MinGW-w64 (Qt 6.4.2, zlib, libpng and libarchive built
# first from Debian's sources and cached under ~/.cache/trefolia/; the first
# Qt build takes about one and a half hours of two cores), laid out in
# $(WINDOWS_DIR)/Trefolia/, zipped, and wrapped in an NSIS installer,
# $(WINDOWS_DIR)/trefolia-1.0-setup.exe. The content comes from the native build.
# check-windows: the suite under wine on the offscreen platform, the game
# under wine in Xvfb dealing level 3, and the installer run silently under
# wine, the installed game started and uninstalled again.
WINDOWS_DIR      ?= build-windows
WINDOWS_PACKAGES := g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64 \
                    dpkg-dev patch ninja-build ccache python3 zip nsis wine wine64
WINDOWS_CHECK_PACKAGES := xvfb xdotool imagemagick

windows: build
	$(call install_missing,$(WINDOWS_PACKAGES))
	packaging/windows/build-windows.sh $(BUILD_DIR) $(WINDOWS_DIR)

check-windows: windows
	$(call install_missing,$(WINDOWS_CHECK_PACKAGES))
	packaging/windows/check-windows.sh $(BUILD_DIR) $(WINDOWS_DIR)
