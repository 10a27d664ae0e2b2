# make run  — install what is missing, build, start the client against the demo service
# make test — install what is missing, build, run every test
BUILD ?= build
CMAKE_FLAGS ?=

.PHONY: run test build configure bootstrap clean art

bootstrap:
	@bash scripts/bootstrap

configure: bootstrap
	@test -f $(BUILD)/build.ninja || cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: configure
	@cmake --build $(BUILD)

run: build
	@bash scripts/run-client $(BUILD)

test: build
	@cd $(BUILD) && QTWEBENGINE_DISABLE_SANDBOX=1 ctest --output-on-failure

clean:
	rm -rf $(BUILD) out

# Redraws the committed pictures after a change to tools/artgen.
art: configure
	@cmake --build $(BUILD) --target artgen && $(BUILD)/bin/artgen resources/images

# Redraws our skin (resources/skin and the system-menu glyphs) after a change to tools/skingen.
.PHONY: skin
skin: configure
	@cmake --build $(BUILD) --target skingen && $(BUILD)/bin/skingen resources/skin resources/skinmenu/SKINMENU.bmp
