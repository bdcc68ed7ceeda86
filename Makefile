# Selvanor: the two commands of the README, and a few more.
BUILD   ?= build
DATADIR ?= $(or $(XDG_DATA_HOME),$(HOME)/.local/share)/selvanor
JOBS    ?= $(shell nproc)

.PHONY: all deps configure build run test bench atlas fuzz clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@bash scripts/prepare-data.sh "$(DATADIR)"
	@cd "$(DATADIR)" && exec "$(CURDIR)/$(BUILD)/selvanor"

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@bash scripts/bench.sh $(BUILD)

atlas: configure
	@bash tools/make-atlas.sh $(BUILD)

fuzz: deps
	@bash scripts/fuzz.sh

clean:
	rm -rf $(BUILD) fuzz-build
