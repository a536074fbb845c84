# Shared by scripts/install and scripts/test: machine set-up and the CMake builds.
# Every step is idempotent and quick when nothing changed.

repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

# Debian packages the project needs to build, test and run.
required_packages=(
    g++ cmake make pkg-config ccache python3 git
    dpkg-dev                      # dpkg-buildflags: the release build's hardening flags
    clang-format                  # the layout check of the C++ files
    clang-14 libclang-rt-14-dev llvm-14 # the sanitizer builds, libFuzzer, readable sanitizer stacks
    juce-modules-source           # the framework: modules, juceaide, CMake package
    libgtest-dev libbenchmark-dev # unit tests and benchmarks
    xvfb xauth                    # the window tests run on a virtual X display
    libjack-jackd2-dev            # the standalone app's JACK support (headers; the library is loaded when the app starts)
    fontconfig-config fonts-liberation2 fonts-dejavu-core # text drawing; the artwork generator needs Liberation
)

# Packages only the tests need, on top of those: Debian's Ardour 7 runs the built bundle
# headless (tests/daw), Debian's JACK server carries the standalone app's audio
# (tests/standalone/run-jack.sh), and sox reads the renderer's files as users' tools do.
test_packages=(ardour lilv-utils jackd2 sox)

# Packages scripts/package needs to make the package and scripts/lib/check-package.sh to check
# it: the manual pages from the programs' --help (help2man), telling programs from other files
# (file), Debian's package checker (lintian) and the validators of the app's AppStream
# description and desktop entry.
package_packages=(file help2man lintian appstream desktop-file-utils)

# Each step says how long the script has run so far, so that the cost of every step shows.
log() { printf '\n==> [%dm%02ds] %s\n' $((SECONDS / 60)) $((SECONDS % 60)) "$*"; }

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"
    elif command -v sudo >/dev/null 2>&1; then sudo "$@"
    else
        echo "error: '$*' needs root, and sudo is not available" >&2
        return 1
    fi
}

# ensure_packages [extra packages...]: installs whatever of the required and extra packages is missing.
ensure_packages() {
    local missing=() package
    for package in "${required_packages[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    log "Installing Debian packages: ${missing[*]}"
    as_root apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# configure_build <build dir> [extra CMake arguments...]
configure_build() {
    local dir="$1"; shift
    local launcher=()
    command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

    # Configuring again is quick, and makes targets added since the last run known to the build.
    log "Configuring $dir"
    cmake -S "$repo_root" -B "$dir" -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" "$@" >/dev/null
}

# build <build dir> [targets...]
build() {
    local dir="$1"; shift
    local targets=()
    for target in "$@"; do targets+=(--target "$target"); done
    log "Building $dir ${*:-(everything)}"
    cmake --build "$dir" --parallel "$jobs" "${targets[@]}"
}
