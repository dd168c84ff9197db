# Debian packages the build, the program and the tests need. Sourced by scripts/run and scripts/test.
PLUVIANE_PACKAGES=(
  cmake g++ make pkg-config
  qt6-base-dev libqt6opengl6-dev qt6-multimedia-dev qt6-qpa-plugins qt6-image-formats-plugins
  libgl-dev libglu1-mesa-dev libgl1-mesa-dri libegl-dev libegl-mesa0
  libavformat-dev libavcodec-dev libswscale-dev libswresample-dev libavutil-dev
  libaubio-dev zlib1g-dev
  desktop-file-utils shared-mime-info
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-libav
  libebur128-dev
  libgtest-dev libbenchmark-dev
  ola libola-dev
  pulseaudio
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  xvfb xauth fonts-dejavu-core openbox
)

install_missing_packages() {
  local missing=()
  local p
  for p in "${PLUVIANE_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then sudo="sudo"; else
      echo "Missing packages (${missing[*]}); run as root or install sudo." >&2; return 1
    fi
  fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# ccache, where installed, makes rebuilds of unchanged files quick.
compiler_launcher() {
  command -v ccache >/dev/null 2>&1 && echo "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache" || true
}

configure_and_build() {
  local root=$1
  cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release $(compiler_launcher) >/dev/null
  cmake --build "$root/build" -j"$(nproc)"
}

# Debug information with light optimisation keeps the sanitized suite quick
# and its reports readable. The benchmarks are left out: they measure nothing
# under a sanitizer.
configure_and_build_sanitized() {
  local root=$1 build=$2
  local flags="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo $(compiler_launcher) \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
    -DPLUVIANE_BENCH=OFF >/dev/null
  cmake --build "$build" -j"$(nproc)"
}
