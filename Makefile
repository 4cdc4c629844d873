# Vellix. Two commands are all a player or a developer needs:
#   make run    installs what is missing, builds the game and starts it
#   make test   installs what is missing, builds, and runs every test, also under the sanitizers
# Also: make install [PREFIX=/usr/local], make uninstall, make package (a .deb), make bench,
# make window-bench (the running game beside the peer, and SDL's presentation paths),
# make soak (ten million frames of autoplay, not part of make test), make readme-pictures.

BUILD := build
SANITIZE_BUILD := build-sanitize
PACKAGE_BUILD := build-package
PREFIX ?= /usr/local
CONFIGURE := cmake -G Ninja -Wno-dev

.PHONY: run test soak game tested-build install uninstall package bench window-bench readme-pictures

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

test: tested-build
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

# The running game in a window beside the peer game, and SDL's presentation paths compared.
window-bench: tested-build
	scripts/install-deps --bench
	bench/window-bench $(BUILD)
	bench/present-paths

readme-pictures: tested-build
	scripts/readme-pictures $(BUILD)
