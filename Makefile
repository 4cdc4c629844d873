# Vellix. Two commands are all a player or a developer needs:
#   make run    installs what is missing, builds the game and starts it
#   make test   installs what is missing, builds, and runs every test, also under the sanitizers
# Also: make install [PREFIX=/usr/local], make uninstall, make package (a .deb), make bench,
# make window-bench (the running game beside the peer game),
# make soak (ten million frames of autoplay, not part of make test), make readme-pictures,
# make web (the game for browsers: a static site in build-web/site), make serve-web (serves it on
# 127.0.0.1), make web-bench (the page in headless chromium beside the desktop game).

BUILD := build
SANITIZE_BUILD := build-sanitize
PACKAGE_BUILD := build-package
WEB_BUILD := build-web
PREFIX ?= /usr/local
CONFIGURE := cmake -G Ninja -Wno-dev

.PHONY: run test soak game tested-build install uninstall package bench window-bench readme-pictures \
	web serve-web web-bench

run: game
	./$(BUILD)/vellix

game:
	scripts/install-deps
	$(CONFIGURE) -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DVELLIX_TESTS=OFF
	cmake --build $(BUILD)

tested-build:
	scripts/install-deps --test
	$(CONFIGURE) -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DVELLIX_TESTS=ON
	cmake --build $(BUILD)

# The web tests (labelled web) load the site that `make web` builds, so it is built first.
test: web tested-build
	ctest --test-dir $(BUILD) --output-on-failure -j 2
	$(CONFIGURE) -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELLIX_TESTS=ON -DVELLIX_SANITIZE=ON
	cmake --build $(SANITIZE_BUILD)
	ctest --test-dir $(SANITIZE_BUILD) --output-on-failure -j 2

soak: tested-build
	VELLIX_SOAK_FRAMES=10000000 ./$(BUILD)/SimTest --gtest_filter=Sim.AutoplaySoakKeepsEveryInvariant

install: game
	cmake --install $(BUILD) --prefix $(PREFIX)

uninstall:
	cmake --build $(BUILD) --target uninstall

package:
	scripts/install-deps --package
	$(CONFIGURE) -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=Release -DVELLIX_TESTS=OFF
	cmake --build $(PACKAGE_BUILD)
	cd $(PACKAGE_BUILD) && cpack -G DEB
	@ls $(PACKAGE_BUILD)/*.deb

bench: tested-build
	./$(BUILD)/vellix-bench

# The running game in a window beside the peer game.
window-bench: tested-build
	scripts/install-deps --bench
	bench/window-bench $(BUILD)

readme-pictures: tested-build
	scripts/readme-pictures $(BUILD)

# The game for browsers, built with emscripten: one folder that any static web host can serve.
web:
	scripts/install-deps --web
	NODE_PATH=/usr/share/nodejs emcmake $(CONFIGURE) -S . -B $(WEB_BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(WEB_BUILD)
	@echo "make web: the site is in $(WEB_BUILD)/site"

serve-web: web
	scripts/serve-web $(WEB_BUILD)/site

# The page in headless chromium beside the desktop game, measured in the same run.
web-bench: web tested-build
	scripts/install-deps --bench
	bench/web-bench $(BUILD) $(WEB_BUILD)
