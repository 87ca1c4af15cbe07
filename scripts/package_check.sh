#!/usr/bin/env bash
# Builds the packages (scripts/package.sh) and checks them as a user would get
# them: the Debian package's control data and contents, its program unpacked
# and run on an unpacked example case against the build tree's program, the
# Windows zip's program under wine against the Linux build (scripts/
# windows_check.sh), and the manual page through mandoc's lint.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
preset="${QUILBAR_PACKAGE_PRESET:-release}"
scripts/package.sh
scripts/install_build_tools.sh mandoc man-db unzip
if ! dpkg-query -W -f='${Status}' wine64 2>/dev/null | grep -q "install ok installed"; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends wine64 wine
fi
deb=build/packages/quilbar_1.2.0_amd64.deb
zip=build/packages/quilbar-1.2.0-windows-x64.zip
[ -f build/packages/quilbar-1.2.0.tar.gz ] || { echo "package_check: no tar.gz" >&2; exit 1; }

info="$(dpkg-deb --info "$deb")"
for field in "Package: quilbar" "Version: 1.2.0" "Section: science" "Maintainer:" "Depends: libc6"; do
  grep -q "$field" <<<"$info" || { echo "package_check: control lacks $field" >&2; exit 1; }
done
contents="$(dpkg-deb --contents "$deb")"
for path in ./usr/bin/quilbar ./usr/share/man/man1/quilbar.1.gz ./usr/share/doc/quilbar/README.md \
  ./usr/share/doc/quilbar/copyright ./usr/share/doc/quilbar/examples/map_case/quilbar.ctrl; do
  grep -q " $path\$" <<<"$contents" || { echo "package_check: the package lacks $path" >&2; exit 1; }
done
# Every file the README links to is installed beside it.
for link in $(grep -o '](docs/[^)#]*' README.md | cut -c3- | sort -u); do
  grep -q " ./usr/share/doc/quilbar/$link\$" <<<"$contents" ||
    { echo "package_check: the README links to $link, which the package lacks" >&2; exit 1; }
done

scratch="$(mktemp -d "${TMPDIR:-/tmp}/quilbar-package.XXXXXX")"
trap 'rm -rf "$scratch"' EXIT
dpkg-deb -x "$deb" "$scratch/root"
man -l "$scratch/root/usr/share/man/man1/quilbar.1.gz" >/dev/null
for case in map_case dunelot_case steady_random_case; do
  cp -r "$scratch/root/usr/share/doc/quilbar/examples/$case" "$scratch/packaged-$case"
  cp -r "$scratch/root/usr/share/doc/quilbar/examples/$case" "$scratch/built-$case"
  (cd "$scratch/packaged-$case" && "$scratch/root/usr/bin/quilbar" < /dev/null > console.txt)
  (cd "$scratch/built-$case" && "$root/build/$preset/quilbar" < /dev/null > console.txt)
  diff -r "$scratch/packaged-$case" "$scratch/built-$case"
  echo "package_check: the packaged program writes what the built one does on $case"
done

unzip -q "$zip" -d "$scratch/zip"
for link in LICENSE $(grep -o '](docs/[^)#]*' README.md | cut -c3- | sort -u); do
  [ -f "$scratch/zip/quilbar-1.2.0-windows-x64/$link" ] ||
    { echo "package_check: the zip lacks $link" >&2; exit 1; }
done
LINUX_EXE="$root/build/$preset/quilbar" \
  WINDOWS_EXE="$scratch/zip/quilbar-1.2.0-windows-x64/quilbar.exe" \
  scripts/windows_check.sh "$scratch/zip/quilbar-1.2.0-windows-x64/examples/"*/

mandoc -T lint -W warning docs/quilbar.1
echo "package_check: packages, unpacked runs, the Windows zip and the manual page are sound"
