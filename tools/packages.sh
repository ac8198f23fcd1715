# Sourced by the scripts in tools/: the Debian packages Scarabo needs, and a way to install the
# missing ones. Run as root, or as a user who may use sudo, unless everything is installed.

BUILD_PACKAGES=(build-essential cmake ninja-build pkg-config qt6-base-dev qt6-svg-dev libgl-dev
                libquazip1-qt6-dev libgtest-dev libgmock-dev libbenchmark-dev libreoffice-dev
                fonts-ancient-scripts)
RUN_PACKAGES=(libreoffice-writer fonts-dejavu-core)
TEST_PACKAGES=(xvfb xauth xdotool x11-utils imagemagick fonts-ancient-scripts python3 python3-pil
               python3-docx chromium librsvg2-bin desktop-file-utils appstream dpkg-dev file
               gcc-mingw-w64-x86-64 dbus-daemon at-spi2-core python3-pyatspi xclip python3-uno
               poppler-utils qpdf)

# ensure_packages NAME...: installs those of the named packages that are not installed yet.
ensure_packages() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q '^install ok installed$' ||
            missing+=("$package")
    done
    ((${#missing[@]})) || return 0
    local sudo=()
    [[ $(id -u) -ne 0 ]] && sudo=(sudo)
    "${sudo[@]}" apt-get -o DPkg::Lock::Timeout=300 update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get -o DPkg::Lock::Timeout=300 install -y -qq \
        --no-install-recommends "${missing[@]}" >/dev/null
}
