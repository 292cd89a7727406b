# Sourced by the scripts in scripts/ and bench/: what they all need.

# as_root COMMAND...: runs COMMAND as root, through sudo when not root already.
as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        sudo "$@"
    fi
}

# install_missing PACKAGE...: installs, from Debian's apt repositories, those
# of the packages that are not installed yet.
install_missing() {
    local package missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    ((${#missing[@]})) || return 0
    echo "Installing ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Warnings fail the build in CI (CI=true) only.
if [ "${CI:-}" = true ]; then
    werror=ON
else
    werror=OFF
fi

# Every build goes through ccache where it is installed; its cache lies
# outside the tree (~/.cache/ccache), so that a fresh clone builds from it.
cmake_launcher=()
command -v ccache >/dev/null && cmake_launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
