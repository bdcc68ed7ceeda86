# Selvanor: the two commands of the README, and a few more.
BUILD   ?= build
PREFIX  ?= /usr/local
JOBS    ?= $(shell nproc)

.PHONY: all deps configure build run test check-asan bench atlas fuzz install package clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@sh "$(BUILD)/selvanor-run"

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The tests once more, built with AddressSanitizer and UndefinedBehaviorSanitizer.
check-asan: deps
	@JOBS=$(JOBS) bash scripts/check-asan.sh

bench: build
	@bash scripts/bench.sh $(BUILD)

atlas: configure
	@bash tools/make-atlas.sh $(BUILD)

install: build
	@cmake --install $(BUILD) --prefix "$(PREFIX)"

package: deps
	@JOBS=$(JOBS) bash packaging/build-debs.sh $(BUILD)

fuzz: deps
	@bash scripts/fuzz.sh

clean:
	rm -rf $(BUILD) build-asan fuzz-build
