# make run  — install what is missing, build, start the client against the demo service
# make test — install what is missing, build, run every test
# make test-sanitize — the same tests under AddressSanitizer and UndefinedBehaviorSanitizer
# make install [PREFIX=/usr/local] — install the client, its pages, the tools and the demo service
# make deb — build the Debian package vellomar_<version>_<arch>.deb in the build folder
# PRESET picks a configuration of CMakePresets.json: dev (the default, in build/), asan-ubsan
# (in build-asan-ubsan/) or ci (warnings are errors, in build-ci/).
PRESET ?= dev
BUILD := $(if $(filter dev,$(PRESET)),build,build-$(PRESET))
CMAKE_FLAGS ?=
PREFIX ?= /usr/local

.PHONY: run test test-sanitize build configure bootstrap clean art skin

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

# The asan-ubsan preset, in its own build folder; a report from any test or any program a test
# starts fails the run, and the reports are printed at the end.
SANITIZE_BUILD := build-asan-ubsan
test-sanitize:
	@$(MAKE) --no-print-directory build PRESET=asan-ubsan
	@rm -rf $(SANITIZE_BUILD)/sanitizer-reports && mkdir -p $(SANITIZE_BUILD)/sanitizer-reports
	@{ ctest --preset asan-ubsan; status=$$?; \
	  for report in $(SANITIZE_BUILD)/sanitizer-reports/*; do [ -e "$$report" ] || continue; \
	    echo "== sanitizer report $$report"; cat "$$report"; status=1; done; exit $$status; }

# DESTDIR, when set, stages the installation below it (as packagers do).
.PHONY: install deb
install: build
	@cmake --install $(BUILD) --prefix $(PREFIX)
	@echo "To start Vellomar Chat in the tray at login, copy its autostart entry:"
	@echo "  cp $(PREFIX)/share/vellomar/autostart/org.vellomar.Chat.desktop ~/.config/autostart/"

deb: build
	@cd $(BUILD) && cpack -G DEB

clean:
	rm -rf build build-* out

# Redraws the committed pictures after a change to tools/artgen.
art: configure
	@cmake --build $(BUILD) --target artgen && $(BUILD)/bin/artgen resources/images

# Redraws our skin (resources/skin and the system-menu glyphs) after a change to tools/skingen.
skin: configure
	@cmake --build $(BUILD) --target skingen && $(BUILD)/bin/skingen resources/skin resources/skinmenu/SKINMENU.bmp
