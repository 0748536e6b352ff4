# Entry points: make deps | build | test | run | bench [QUICK=1] [PG=1] | soak
BUILD ?= build
JOBS ?= $(shell nproc)
PACKAGES := g++ cmake ninja-build ccache clang-format pkg-config qt6-base-dev libqt6opengl6-dev \
            libgl-dev libsqlite3-dev unixodbc-dev tdsodbc libsqliteodbc libgtest-dev libgmock-dev \
            fonts-dejavu-core nlohmann-json3-dev libxlsxwriter-dev poppler-utils librapidcheck-dev \
            qt6-translations-l10n \
            postgresql libpq-dev
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: deps build test test-pg run bench soak clean format

deps:
	@missing=$$(for p in $(PACKAGES); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The engine's own tests and the suites that touch a database, on a server of
# their own that lives as long as they run; each fresh company is a schema of
# it. What only SQLite can show is skipped there, saying why.
PG_SUITES := pg tsql db tree editor picking categories import reports services tables ui reliability
test-pg: build
	tests/pg/cluster.sh sh -c 'cd $(BUILD) && for s in $(PG_SUITES); do \
	  QT_QPA_PLATFORM=offscreen ./tests/$${s}_tests || exit 1; done'

run: build
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  echo "No display: writing screenshots of every window to ./screenshots"; \
	  QT_QPA_PLATFORM=offscreen $(BUILD)/app/zolmar --screenshot screenshots; \
	else \
	  $(BUILD)/app/zolmar $(ARGS); \
	fi

bench: build
	$(if $(PG),tests/pg/cluster.sh) $(BUILD)/bench/arboles_bench $(if $(QUICK),--quick) \
	  $(if $(PG),--pg --out $(BUILD)/bench/pg,--out $(BUILD)/bench)

# The reliability suite at length; the full log stays in $(BUILD)/soak.log.
soak: build
	@cd $(BUILD) && ARBOLES_SOAK=1 QT_QPA_PLATFORM=offscreen ./tests/reliability_tests > soak.log 2>&1; \
	status=$$?; grep -E '^\[  FAILED  \]|Falsifiable' soak.log; grep '^SOAK' soak.log; exit $$status

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD)
