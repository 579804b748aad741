# Installs the Debian packages named as arguments when any of them is missing.
# Sourced by the run and test scripts; needs root (or sudo) on a fresh machine.
ensure_packages() {
  local missing=()
  local package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing Debian packages: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# What building the two programs needs.
readonly DRAVELIN_BUILD_PACKAGES=(cmake make g++ qt6-base-dev fonts-liberation2)
# What building and running every test needs in addition (dpkg-dev and
# lintian build and check the Debian package; dosfstools and fusefat give
# the report file test a vfat file system, where FUSE is allowed; the
# window's screen-reader test runs on a virtual X display with a session
# bus and the accessibility bus; the sequencer files are read by TSE3 from
# libtse3-dev, validated by xmllint from libxml2-utils and read by python3's
# XML parser; the banks of new sounds are read back by python3-mido).
readonly DRAVELIN_TEST_PACKAGES=(libgtest-dev libbenchmark-dev clang-14 libclang-rt-14-dev
                                 desktop-file-utils appstream dpkg-dev lintian dosfstools
                                 fusefat xvfb xauth dbus-daemon at-spi2-core libtse3-dev
                                 libxml2-utils python3 python3-mido)
# What building the browser page needs, and what its browser test needs.
readonly DRAVELIN_WEB_PACKAGES=(emscripten python3)
# The browser test runs in three engines: Chromium (chromedriver), Firefox ESR
# (over WebDriver BiDi, through python3-websocket) and WebKitGTK
# (WebKitWebDriver, on a virtual X display); npm installs axe-core, which
# the test runs in the page.
readonly DRAVELIN_BROWSER_TEST_PACKAGES=(chromium chromium-driver python3-selenium firefox-esr
                                        python3-websocket webkit2gtk-driver xvfb xauth)
# What cross-compiling dravelin-batch for Windows needs, and what running it
# under Wine for the comparison with the native program needs.
readonly DRAVELIN_WINDOWS_PACKAGES=(cmake make g++-mingw-w64-x86-64-posix)
readonly DRAVELIN_WINE_PACKAGES=(wine64 python3)
