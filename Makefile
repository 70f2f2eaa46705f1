# Keepgate's front door: `make run` and `make test` install what is missing, build, then run.
SHELL := /bin/bash
JOBS ?= $(shell nproc)
PACKAGES := cmake make g++ libgtest-dev libgmock-dev apache2-utils apache2 curl qt6-base-dev \
            pkexec clang libclang-rt-14-dev fonts-dejavu-core xvfb xauth libssl-dev openssl \
            patch python3-jsonschema qt6-l10n-tools qt6-translations-l10n
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
RELEASE_DIR := build/release
TEST_DIR := build/test
FUZZ_DIR := build/fuzz
FUZZ_SECONDS ?= 30
BENCH_DIR := build/bench
# Tools that only packaging and its checks need, installed by those targets so `make test` stays light.
PACKAGE_TOOLS := dpkg-dev file lintian desktop-file-utils appstream libxml2-utils polkitd

.PHONY: all deps package-tools build run test test-build e2e gui core fuzz screenshots package install-check format clean bench translations

all: build

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

# The build says what it does in a few lines: configuration output goes to a log shown only on failure,
# and the compiler's progress lines are the only ones printed.
build: deps
	@echo "Keepgate: configuring $(RELEASE_DIR) (log: $(RELEASE_DIR)/configure.log)"
	@mkdir -p $(RELEASE_DIR)
	@cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKEEPGATE_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr -DKEEPGATE_PACKAGED=ON \
	  > $(RELEASE_DIR)/configure.log 2>&1 || { cat $(RELEASE_DIR)/configure.log; exit 1; }
	@echo "Keepgate: building (log: $(RELEASE_DIR)/build.log)"
	@set -o pipefail; cmake --build $(RELEASE_DIR) -j $(JOBS) -- --no-print-directory 2>&1 \
	  | tee $(RELEASE_DIR)/build.log | sed -u -n -E '/^\[ *[0-9]+%\] (Building|Linking)/p' \
	  || { echo "Keepgate: the build failed:"; grep -E -A5 'error|Error' $(RELEASE_DIR)/build.log | head -60; exit 1; }

run: build
	@echo "Keepgate: starting $(RELEASE_DIR)/keepgate"
	@$(RELEASE_DIR)/keepgate

test-build: deps
	cmake -S . -B $(TEST_DIR) -DCMAKE_BUILD_TYPE=Debug -DKEEPGATE_SANITIZE=ON
	cmake --build $(TEST_DIR) -j $(JOBS)

test: test-build
	cd $(TEST_DIR) && ctest --output-on-failure -j $(JOBS) --timeout 300

core gui e2e: test-build
	cd $(TEST_DIR) && ctest --output-on-failure -j $(JOBS) --timeout 300 -L $@

fuzz: deps
	CXX=clang++ cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=Debug -DKEEPGATE_FUZZ=ON -DKEEPGATE_GUI=OFF -DKEEPGATE_TESTS=OFF
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	@for f in $(FUZZ_DIR)/fuzz/fuzz_*; do \
	  [ -x "$$f" ] || continue; echo "== $$f ($(FUZZ_SECONDS)s)"; \
	  mkdir -p $(FUZZ_DIR)/corpus/$$(basename $$f); \
	  $$f -max_total_time=$(FUZZ_SECONDS) -max_len=4096 $(FUZZ_DIR)/corpus/$$(basename $$f) || exit 1; \
	done

# Times Keepgate against its peers on generated data under $(BENCH_DIR); not part of `make test`.
bench: deps
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DKEEPGATE_GUI=OFF -DKEEPGATE_TESTS=OFF -DKEEPGATE_BENCH=ON
	cmake --build $(BENCH_DIR) -j $(JOBS) --target keepgate_bench
	bench/run.sh $(BENCH_DIR)

# Refreshes translations/*.ts from the sources with lupdate; translations already made are kept.
translations: deps
	cmake -S . -B $(TEST_DIR) -DCMAKE_BUILD_TYPE=Debug -DKEEPGATE_SANITIZE=ON
	cmake --build $(TEST_DIR) --target keepgate_update_translations

# Every window into screenshots/; the pictures README.md and the AppStream file name are then refreshed in
# data/screenshots/, where they are committed. Not part of `make test`: it takes a while.
SHOWN_PICTURES = $(sort $(shell grep -ho 'screenshots/[a-z0-9-]*\.png' README.md data/org.keepgate.Keepgate.metainfo.xml))
screenshots: build
	QT_QPA_PLATFORM=offscreen $(RELEASE_DIR)/keepgate_screenshots screenshots
	@mkdir -p data/screenshots && for picture in $(notdir $(SHOWN_PICTURES)); do \
	  cp screenshots/$$picture data/screenshots/$$picture || exit 1; echo "data/screenshots/$$picture"; \
	done

package-tools:
	@$(MAKE) --no-print-directory deps PACKAGES="$(PACKAGE_TOOLS)"

package: package-tools build
	@echo "Keepgate: packaging (log: $(RELEASE_DIR)/package.log)"
	@cd $(RELEASE_DIR) && cpack -G DEB > package.log 2>&1 || { cat package.log; exit 1; }
	@set -o pipefail && for deb in $(RELEASE_DIR)/keepgate_*.deb $(RELEASE_DIR)/keepgate-cli_*.deb; do \
	  echo "Keepgate: built $$deb" && echo "Keepgate: lintian $$deb" && lintian --fail-on error "$$deb" 2>&1 \
	    | sed '/^running with root privileges/d' || exit 1; \
	done

install-check: package
	@packaging/install-check.sh $$(ls $(RELEASE_DIR)/keepgate_*.deb) $$(ls $(RELEASE_DIR)/keepgate-cli_*.deb)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
