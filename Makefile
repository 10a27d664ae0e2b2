# make run  — install what is missing, build, start the client against the demo service
# make test — install what is missing, build, run every test
# PRESET picks a configuration of CMakePresets.json: dev (the default, in build/), asan-ubsan
# (in build-asan-ubsan/) or ci (warnings are errors, in build-ci/).
PRESET ?= dev
BUILD := $(if $(filter dev,$(PRESET)),build,build-$(PRESET))
CMAKE_FLAGS ?=

.PHONY: run test build configure bootstrap clean art skin

bootstrap:
	@bash scripts/bootstrap

configure: bootstrap
	@test -f $(BUILD)/build.ninja || cmake --preset $(PRESET) $(CMAKE_FLAGS)

build: configure
	@cmake --build --preset $(PRESET)

run: build
	@bash scripts/run-client $(BUILD)

test: build
	@ctest --preset $(PRESET)

clean:
	rm -rf build build-* out

# Redraws the committed pictures after a change to tools/artgen.
art: configure
	@cmake --build $(BUILD) --target artgen && $(BUILD)/bin/artgen resources/images

# Redraws our skin (resources/skin and the system-menu glyphs) after a change to tools/skingen.
skin: configure
	@cmake --build $(BUILD) --target skingen && $(BUILD)/bin/skingen resources/skin resources/skinmenu/SKINMENU.bmp
