#!/usr/bin/env bash
# Installs a build into a scratch prefix and runs the installed program from there: the
# print options, a screenshot on the offscreen platform, and --version finding the
# dictionary in the installed data folder. Validates the desktop entry and the metainfo.
# Usage: test_install.sh BUILD_DIR
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix="$scratch/prefix"
mkdir -m 700 "$scratch/runtime"
export XDG_RUNTIME_DIR="$scratch/runtime" QT_QPA_PLATFORM=offscreen
unset LC_ALL LC_MESSAGES

fail() { echo "install test: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

for f in bin/centrova share/centrova/centrova_en.itl share/centrova/centrova_de.itl \
         share/centrova/centrova_fr.itl share/centrova/centrova_es.itl \
         share/applications/example.centrova.Centrova.desktop \
         share/metainfo/example.centrova.Centrova.metainfo.xml \
         share/icons/hicolor/16x16/apps/centrova.png share/icons/hicolor/256x256/apps/centrova.png \
         share/man/man1/centrova.1.gz share/doc/centrova/README.md share/doc/centrova/hostlink.md; do
    [[ -f "$prefix/$f" ]] || fail "missing $f"
done

out=$(cd "$scratch" && "$prefix/bin/centrova" --seed 1 --print-measures)
[[ "$(head -1 <<<"$out")" == "measure,value,min,max" ]] || fail "print-measures gave: $out"
grep -q '^count,30,30,30$' <<<"$out" || fail "print-measures gave: $out"

(cd "$scratch" && "$prefix/bin/centrova" --seed 1 --screenshot "$scratch/shot.png")
[[ -s "$scratch/shot.png" ]] || fail "no screenshot"

version=$(LANG=C "$prefix/bin/centrova" --version)
grep -qF "dictionary: $prefix/share/centrova/centrova_en.itl" <<<"$version" \
    || fail "--version gave: $version"
grep -q '^language: lgenglish$' <<<"$version" || fail "--version gave: $version"
version=$(LANG=de_DE.UTF-8 "$prefix/bin/centrova" --version)
grep -qF "$prefix/share/centrova/centrova_de.itl" <<<"$version" || fail "--version gave: $version"
version=$(LANG=fr_FR.UTF-8 "$prefix/bin/centrova" --version)
grep -qF "$prefix/share/centrova/centrova_fr.itl" <<<"$version" || fail "--version gave: $version"
grep -q '^language: lgfrench$' <<<"$version" || fail "--version gave: $version"
version=$(LANG=es_ES.UTF-8 "$prefix/bin/centrova" --version)
grep -qF "$prefix/share/centrova/centrova_es.itl" <<<"$version" || fail "--version gave: $version"
grep -q '^language: lgspanish$' <<<"$version" || fail "--version gave: $version"

desktop-file-validate "$prefix/share/applications/example.centrova.Centrova.desktop"

# Docks match the running window to its menu entry by the window's class: run the installed
# program under a scratch X server and compare its class with the entry's StartupWMClass.
wmclass=$(sed -n 's/^StartupWMClass=//p' "$prefix/share/applications/example.centrova.Centrova.desktop")
[[ -n "$wmclass" ]] || fail "the desktop entry names no StartupWMClass"
if command -v xvfb-run >/dev/null && command -v xprop >/dev/null && command -v xwininfo >/dev/null; then
    cat >"$scratch/wmclass.sh" <<'SCRIPT'
#!/usr/bin/env bash
QT_QPA_PLATFORM=xcb "$1" --seed 1 &
program=$!
id=
for _ in $(seq 1 100); do
    id=$(xwininfo -root -tree | awk '/"Measures of Location"/ {print $1; exit}')
    [[ -n "$id" ]] && break
    sleep 0.1
done
[[ -n "$id" ]] && xprop -id "$id" WM_CLASS
kill "$program"
wait "$program" || true
SCRIPT
    chmod +x "$scratch/wmclass.sh"
    # Each test that starts an X server looks for a free display from a number of its own:
    # two servers choosing from the same number at once can both take it.
    class=$(LANG=C timeout 60 xvfb-run -a -n 150 "$scratch/wmclass.sh" "$prefix/bin/centrova")
    grep -qF "\"$wmclass\"" <<<"$class" || fail "window class: $class, desktop entry: $wmclass"
fi

appstreamcli validate --no-net "$prefix/share/metainfo/example.centrova.Centrova.metainfo.xml" >/dev/null \
    || fail "appstreamcli validate failed"
echo "install test: passed"
