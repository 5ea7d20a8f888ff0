# Wagemark: the two everyday commands are `make run` and `make test`.
# Each installs what is missing from Debian's packages, builds, then runs.

PRESET     ?= ci
BUILD_DIR  := build/$(PRESET)
JOBS       ?= $(shell nproc)
# The last line is for the package test: cpack (dpkg-dev, file), lintian,
# appstreamcli, man, and zsh to parse the zsh completion.
PACKAGES   := g++ make cmake ninja-build pkg-config qt6-base-dev libgl-dev \
              libgtest-dev libgmock-dev libbenchmark-dev libsimdjson-dev \
              fonts-dejavu-core poppler-utils xvfb xauth time python3 \
              dpkg-dev file lintian appstream man-db zsh

.PHONY: all deps build run test bench clean

all: build

deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  SUDO=""; [ "$$(id -u)" -ne 0 ] && SUDO=sudo; \
	  $$SUDO apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq --no-install-recommends $$missing; \
	fi

build: deps
	cmake --preset $(PRESET) >/dev/null
	cmake --build $(BUILD_DIR) -j $(JOBS)

# Starts the desktop program; with no display, says so and shows the
# command-line tool on a sample pay period instead.
run: build
	@if [ -x $(BUILD_DIR)/shell/ui/wagemark ] && [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  exec $(BUILD_DIR)/shell/ui/wagemark; \
	else \
	  if [ -x $(BUILD_DIR)/shell/ui/wagemark ]; then \
	    echo "No display found (DISPLAY and WAYLAND_DISPLAY are empty), so the desktop program cannot start."; \
	  fi; \
	  echo "A sample calculation from the command-line tool:"; \
	  echo "  wagemark-cli calc --income 1250 --frequency biweekly --status single --exemptions 1 --state \"New Mexico\""; \
	  echo; \
	  $(BUILD_DIR)/cli/wagemark-cli calc --income 1250 --frequency biweekly --status single --exemptions 1 --state "New Mexico"; \
	fi

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake --preset bench >/dev/null
	cmake --build build/bench -j $(JOBS)
	build/bench/bench/wagemark_bench
	build/bench/bench/batch_bench.sh build/bench/cli/wagemark-cli

clean:
	rm -rf build
