# Vellix. Two commands are all a player or a developer needs:
#   make run    installs what is missing, builds the game and starts it
#   make test   installs what is missing, builds, and runs every test, also under the sanitizers
# Also: make soak (ten million frames of autoplay, not part of make test).

BUILD := build
SANITIZE_BUILD := build-sanitize
CONFIGURE := cmake -G Ninja -Wno-dev

.PHONY: run test soak game tested-build

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
