# make run   installs what is missing, builds, lays out build/QV_md/ and starts the program
# make test  installs what is missing, builds with sanitizers and runs every test
# make check-includes  builds the program without precompiled headers (a missing include shows)
# make bench / make fuzz  build and run the benchmarks / fuzz targets (bounded time)
# make package   builds the Debian package build/qv-md_<version>_<arch>.deb
# make install / make uninstall   installs into PREFIX (default /usr/local) / removes what was installed
# make screenshots  saves the main windows in both languages into docs/screenshots/ (virtual display),
#                   the main and logging windows also at twice the size
# make windows   cross-builds Qt (once, into QT_WINDOWS_CACHE) and the program for 64-bit Windows, and lays
#                out the portable folder build-windows/QV_md/
# make windows-test  cross-builds the core's tests and runs them under Wine, and checks that the Windows
#                    checker writes the golden reports byte for byte
# make windows-package  the Windows installer and the portable zip, in build-windows/

PACKAGES := cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 \
            pkg-config libgmime-3.0-dev \
            libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev \
            fonts-comic-neue fonts-liberation fonts-dejavu-core poppler-utils \
            cups cups-client printer-driver-cups-pdf \
            hamradio-files iso-flags-png-320x240 ca-certificates qt6-translations-l10n \
            at-spi2-core python3-pyatspi dbus-daemon dbus-bin dbus-x11 xvfb xdotool \
            qt6-base-private-dev libxdamage-dev orca speech-dispatcher locales \
            qt6-charts-dev libqt6charts6 libqt6opengl6-dev
# Only for the targets that need them, so that make test stays lean on a fresh machine.
PACKAGE_PACKAGES := dpkg-dev file
SCREENSHOT_PACKAGES := xvfb xauth xdotool imagemagick
# What the virtual display suggested by make run needs: xvfb-run fails without xauth.
VIRTUAL_DISPLAY_PACKAGES := xvfb xauth
# The Windows cross build: MinGW-w64, Wine to run the tests, Debian's Qt as the host tools and the Qt sources'
# unpacker, and the host Qt with QtSvg for the tools that render the pictures at build time.
WINDOWS_PACKAGES := cmake ninja-build g++ g++-mingw-w64-x86-64-posix wine wine64 fonts-wine poppler-utils dpkg-dev xz-utils ca-certificates \
                    qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-translations-l10n iso-flags-png-320x240 \
                    libgtest-dev
# The installer is made with NSIS; the portable zip with CMake itself.
WINDOWS_PACKAGE_PACKAGES := nsis
VERSION := $(word 3,$(shell grep -m1 '^project' CMakeLists.txt))
# Qt for Windows is built once into this folder, outside the repository, and reused by later runs.
QT_WINDOWS_CACHE ?= $(abspath $(CURDIR)/../qt-win-cache)
QT_WINDOWS := $(QT_WINDOWS_CACHE)/qt6
WINDOWS_HOST_BUILD := build-windows-host
WINDOWS_BUILD := build-windows
WINDOWS_TEST_BUILD := build-windows-test
WINDOWS_DIR := $(WINDOWS_BUILD)/QV_md
WINDOWS_CONFIGURE = $(QT_WINDOWS)/bin/qt-cmake -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE=$(CURDIR)/tools/windows/mingw-toolchain.cmake \
  -DQVMD_HOST_TOOLS=$(CURDIR)/$(WINDOWS_HOST_BUILD)
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local
BUILD := build
TEST_BUILD := build-test
PROGRAM_DIR := $(BUILD)/QV_md

.PHONY: deps build layout run test check-includes bench fuzz format clean package install uninstall screenshots \
        windows windows-qt windows-host-tools windows-test windows-package

deps:
	@./tools/install-deps.sh $(PACKAGES)
	@./tools/install-locale.sh it_IT.UTF-8

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQVMD_TESTS=OFF
	cmake --build $(BUILD) -j $(JOBS) --target QV_md qvmd-check

# The user's files in Data/ are never overwritten: only missing defaults are copied.
layout: build
	mkdir -p $(PROGRAM_DIR)/Data $(PROGRAM_DIR)/Logs $(PROGRAM_DIR)/Backup
	cp -n data/* $(PROGRAM_DIR)/Data/ 2>/dev/null || true

run: layout
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "No display: QV_md is a desktop program and needs one."; \
	  ./tools/install-deps.sh $(VIRTUAL_DISPLAY_PACKAGES) || exit 1; \
	  echo "Run it on a desktop, or under a virtual display: xvfb-run -a $(PROGRAM_DIR)/QV_md"; \
	  echo "(the program is built and laid out in $(PROGRAM_DIR)/)"; \
	  exit 1; \
	fi
	$(PROGRAM_DIR)/QV_md

test: deps
	cmake -S . -B $(TEST_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQVMD_SANITIZE=ON -DQVMD_TESTS=ON
	cmake --build $(TEST_BUILD) -j $(JOBS)
	cd $(TEST_BUILD) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

# The program built without precompiled headers, which would hide a file's missing include.
check-includes: deps
	cmake -S . -B build-nopch -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQVMD_TESTS=OFF \
	  -DCMAKE_DISABLE_PRECOMPILE_HEADERS=ON
	cmake --build build-nopch -j $(JOBS) --target QV_md qvmd-check

# Builds everything the install puts down (icons, manual page) as well as the program.
package: deps
	@./tools/install-deps.sh $(PACKAGE_PACKAGES)
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQVMD_TESTS=OFF
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && cpack -G DEB
	@ls $(BUILD)/*.deb

install: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQVMD_TESTS=OFF
	cmake --build $(BUILD) -j $(JOBS)
	cmake --install $(BUILD) --prefix $(PREFIX)

# Removes the files of the last install; the user's data folder is no part of it.
uninstall:
	cmake --build $(BUILD) --target uninstall

screenshots: layout
	@./tools/install-deps.sh $(SCREENSHOT_PACKAGES)
	./tools/screenshots.sh $(PROGRAM_DIR)/QV_md docs/screenshots

# Qt's modules for Windows, cross-built from Debian's qt6-base sources (about 40 CPU-minutes, once).
windows-qt:
	@./tools/install-deps.sh $(WINDOWS_PACKAGES)
	./tools/windows/build-qt.sh $(QT_WINDOWS_CACHE) $(JOBS)

# The build-time tools (flags, pictures) run on this machine: built natively.
windows-host-tools: windows-qt
	cmake -S . -B $(WINDOWS_HOST_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DQVMD_TESTS=OFF -DQVMD_MAIL=OFF
	cmake --build $(WINDOWS_HOST_BUILD) -j $(JOBS) --target qvmd_flagscale qvmd_picturerender qvmd_iconrender

# The portable folder: the two programs, Qt's and MinGW's libraries, the plugins, Data, Logs, Backup, Manual.
windows: windows-host-tools
	$(WINDOWS_CONFIGURE) -S . -B $(WINDOWS_BUILD) -DQVMD_TESTS=OFF
	cmake --build $(WINDOWS_BUILD) -j $(JOBS) --target QV_md qvmd-check qvmd_manual
	rm -rf $(WINDOWS_DIR)
	cmake --install $(WINDOWS_BUILD) --prefix $(WINDOWS_DIR) --strip
	@echo "Portable folder: $(WINDOWS_DIR)"

# The installer (per machine, Program Files) and the portable zip of the same folder.
windows-package: windows
	@./tools/install-deps.sh $(WINDOWS_PACKAGE_PACKAGES)
	makensis -V2 -DVERSION=$(VERSION) -DSOURCE=$(CURDIR)/$(WINDOWS_DIR) \
	  -DICON=$(CURDIR)/$(WINDOWS_BUILD)/packaging/QV_md.ico \
	  -DOUTFILE=$(CURDIR)/$(WINDOWS_BUILD)/QV_md-$(VERSION)-windows-x64.exe packaging/windows/QV_md.nsi
	rm -f $(WINDOWS_BUILD)/QV_md-$(VERSION)-portable.zip
	cd $(WINDOWS_BUILD) && cmake -E tar cf QV_md-$(VERSION)-portable.zip --format=zip QV_md
	@ls -l $(WINDOWS_BUILD)/QV_md-$(VERSION)-*

# The core's tests, cross-built and run under Wine without a display.
windows-test: windows
	$(WINDOWS_CONFIGURE) -S . -B $(WINDOWS_TEST_BUILD) -DQVMD_TESTS=ON
	cmake --build $(WINDOWS_TEST_BUILD) -j $(JOBS) --target qvmd_core_tests
	./tools/windows/run-tests.sh $(WINDOWS_TEST_BUILD) $(QT_WINDOWS)
	./tools/windows/check-goldens.sh $(WINDOWS_DIR)

bench: deps
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQVMD_TESTS=OFF -DQVMD_BENCH=ON
	cmake --build build-bench -j $(JOBS)
	@for b in build-bench/bench/bench_*; do [ -f "$$b" ] && [ -x "$$b" ] || continue; echo "== $$b"; QT_QPA_PLATFORM=offscreen $$b || exit 1; done

FUZZ_SECONDS ?= 30
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DQVMD_TESTS=OFF -DQVMD_FUZZ=ON
	cmake --build build-fuzz -j $(JOBS)
	@for f in build-fuzz/fuzz/fuzz_*; do [ -f "$$f" ] && [ -x "$$f" ] || continue; echo "== $$f"; \
	  $$f -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=4096 || exit 1; done

format:
	find src tests bench fuzz tools -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(TEST_BUILD) build-bench build-fuzz $(WINDOWS_HOST_BUILD) $(WINDOWS_BUILD) $(WINDOWS_TEST_BUILD)
