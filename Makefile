# make run  — install what is missing, build, start the client against the demo service
# make test — install what is missing, build, run every test
# make test-sanitize — the same tests under AddressSanitizer and UndefinedBehaviorSanitizer
# make install [PREFIX=/usr/local] — install the client, its pages, the tools and the demo service
# make deb — build the Debian package vellomar_<version>_<arch>.deb in the build folder
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
CMAKE_FLAGS ?=
PREFIX ?= /usr/local

.PHONY: run test test-sanitize build configure bootstrap clean art

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

# Its own build folder; a report from any test or any program a test starts fails the run,
# and the reports are printed at the end.
test-sanitize: bootstrap
	@test -f $(SANITIZE_BUILD)/build.ninja || cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DVELLOMAR_SANITIZE=ON $(CMAKE_FLAGS)
	@cmake --build $(SANITIZE_BUILD)
	@rm -rf $(SANITIZE_BUILD)/sanitizer-reports && mkdir -p $(SANITIZE_BUILD)/sanitizer-reports
	@cd $(SANITIZE_BUILD) && { QTWEBENGINE_DISABLE_SANDBOX=1 ctest --output-on-failure; status=$$?; \
	  for report in sanitizer-reports/*; do [ -e "$$report" ] || continue; \
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
	rm -rf $(BUILD) $(SANITIZE_BUILD) out

# Redraws the committed pictures after a change to tools/artgen.
art: configure
	@cmake --build $(BUILD) --target artgen && $(BUILD)/bin/artgen resources/images

# Redraws our skin (resources/skin and the system-menu glyphs) after a change to tools/skingen.
.PHONY: skin
skin: configure
	@cmake --build $(BUILD) --target skingen && $(BUILD)/bin/skingen resources/skin resources/skinmenu/SKINMENU.bmp
