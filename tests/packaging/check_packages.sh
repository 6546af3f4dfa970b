#!/usr/bin/env bash
# Checks of the Debian packages and of what they install, one check per
# call so each is its own test:
#   check_packages.sh build    BUILD_DIR OUT     cpack the three packages into OUT, unpack each
#   check_packages.sh lintian  OUT
#   check_packages.sh contents OUT LIST STAGE VERSION
#   check_packages.sh desktop  OUT               desktop entry
#   check_packages.sh metainfo OUT               AppStream metadata
#   check_packages.sh unit     OUT               kiosk service
#   check_packages.sh manual   OUT BUILD_DIR     manual pages, against the programs' --help
#   check_packages.sh programs BUILD_DIR         options of the built programs, without a display
# Nothing is installed: every check reads the unpacked packages in OUT.
set -euo pipefail

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

mode=$1
shift

unpacked() { echo "$1/root/$2"; }

case "$mode" in
build)
    build=$1 out=$2
    rm -rf "$out"
    mkdir -p "$out"
    cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 || {
        cat "$out/cpack.log" >&2
        fail "cpack"
    }
    for deb in "$out"/*.deb; do
        package=$(dpkg-deb -f "$deb" Package)
        mkdir -p "$(unpacked "$out" "$package")"
        dpkg-deb -x "$deb" "$(unpacked "$out" "$package")"
        # Path of every entry, as installed ("./usr/bin/x" -> "/usr/bin/x", folders end in "/").
        dpkg-deb -c "$deb" | awk '{ $1=$2=$3=$4=$5=""; sub(/^ +/, ""); print }' | sed 's|^\.||' >"$out/$package.list"
    done
    ls "$out"/*.deb
    ;;

lintian)
    out=$1
    lintian --no-cfg --fail-on error,warning --display-level '>=warning' "$out"/*.deb
    ;;

contents)
    out=$1 list=$2 stage=$3 version=$4
    status=0
    grep -h '^/usr/local' "$out"/*.list && { echo "installed under /usr/local" >&2; status=1; }
    # Every listed entry present...
    matches() { # entry pattern: same folder, name matching the pattern
        [[ ${1%/*}/ == "${2%/*}/" && -n ${1##*/} && ${1##*/} == ${2##*/} ]]
    }
    while read -r package path; do
        [[ -z $package || $package == "#"* ]] && continue
        [ -f "$out/$package.list" ] || { echo "no package $package" >&2; status=1; continue; }
        if [[ $path == *"*"* ]]; then
            found=0
            while read -r entry; do
                matches "$entry" "$path" && found=1 && break
            done <"$out/$package.list"
            [ $found = 1 ] || { echo "$package: nothing matches $path" >&2; status=1; }
        else
            grep -qxF "$path" "$out/$package.list" || { echo "$package: missing $path" >&2; status=1; }
        fi
    done <"$list"
    # ...and every entry listed: a file by its path or pattern, a folder
    # when it is or holds a listed path.
    for package_list in "$out"/*.list; do
        package=$(basename "$package_list" .list)
        mapfile -t paths < <(awk -v p="$package" '$1 == p { print $2 }' "$list")
        while read -r entry; do
            ok=0
            for path in "${paths[@]}"; do
                if [[ $entry == */ ]]; then
                    [[ $path == "$entry"* ]] && ok=1
                elif [[ $path == *"*"* ]]; then
                    matches "$entry" "$path" && ok=1
                else
                    [[ $entry == "$path" ]] && ok=1
                fi
                [ $ok = 1 ] && break
            done
            [ $ok = 1 ] || { echo "$package: not listed in $(basename "$list"): $entry" >&2; status=1; }
        done <"$package_list"
    done
    # What the build stages is what the data package installs (the
    # application icons go to the icon theme instead).
    while read -r staged; do
        relative=${staged#"$stage"/}
        [[ $relative == image/app_icon_* ]] && continue
        grep -qxF "/usr/share/lumex6/$relative" "$out/lumex6-data.list" ||
            { echo "lumex6-data: staged file not packaged: $relative" >&2; status=1; }
    done < <(find "$stage/image" "$stage/data" "$stage/splash" -type f)
    # Ownership and modes: root's, programs 755, everything else 644.
    for deb in "$out"/*.deb; do
        dpkg-deb -c "$deb" | awk '$2 != "root/root" { print "not root/root: " $0; bad=1 }
            /^-/ && $6 ~ /\/bin\// && $1 != "-rwxr-xr-x" { print "program mode: " $0; bad=1 }
            /^-/ && $6 !~ /\/bin\// && $1 != "-rw-r--r--" { print "file mode: " $0; bad=1 }
            /^d/ && $1 != "drwxr-xr-x" { print "folder mode: " $0; bad=1 }
            END { exit bad }' >&2 || status=1
    done
    # The programs depend on the data of their own version and on the
    # libraries dpkg-shlibdeps found.
    for package in lumex6 lumex6-pc; do
        depends=$(dpkg-deb -f "$out/${package}_${version}_"*.deb Depends)
        for wanted in "lumex6-data (= $version)" "libgtk2.0-0" "libc6"; do
            [[ $depends == *"$wanted"* ]] || { echo "$package: Depends lacks $wanted: $depends" >&2; status=1; }
        done
    done
    [ "$(dpkg-deb -f "$out/lumex6-data_${version}_all.deb" Architecture)" = all ] ||
        { echo "lumex6-data is not Architecture: all" >&2; status=1; }
    [ $status = 0 ] || fail "package contents"
    ;;

desktop)
    out=$1
    desktop-file-validate "$(unpacked "$out" lumex6-pc)"/usr/share/applications/*.desktop
    ;;

metainfo)
    out=$1
    appstreamcli validate --no-net --explain "$(unpacked "$out" lumex6-pc)"/usr/share/metainfo/*.metainfo.xml
    ;;

unit)
    out=$1
    root=$(unpacked "$out" lumex6)
    # The unit's manual page reference is resolved in the unpacked package.
    MANPATH="$root/usr/share/man" SYSTEMD_LOG_LEVEL=notice \
        systemd-analyze verify "$root"/lib/systemd/system/lumex6-kiosk.service
    ;;

manual)
    out=$1 build=$2
    for package in lumex6 lumex6-pc; do
        page="$(unpacked "$out" "$package")/usr/share/man/man1/$package.1.gz"
        warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
        [ -z "$warnings" ] || fail "$package.1: $warnings"
        lexgrog "$page" | grep -q "\"$package - " || fail "$package.1: no whatis line"
        text=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$page" 2>/dev/null)
        for section in NAME SYNOPSIS DESCRIPTION OPTIONS FILES "EXIT STATUS"; do
            grep -q "^$section\$" <<<"$text" || fail "$package.1: no $section section"
        done
        # Every option the program's --help shows is documented.
        for option in $("$build/$package" --help | grep -o -- '--[a-z]*' | sort -u); do
            grep -q -- "$option" <<<"$text" || fail "$package.1: $option undocumented"
        done
    done
    ;;

programs)
    build=$1
    home=$(mktemp -d)
    trap 'rm -rf "$home"' EXIT
    for program in lumex6 lumex6-pc; do
        run() { env -u DISPLAY HOME="$home" "$build/$program" "$@" >"$home/out" 2>"$home/err"; }
        run --help || fail "$program --help"
        grep -q "^Usage: $program " "$home/out" || fail "$program --help: $(cat "$home/out")"
        run --version || fail "$program --version"
        grep -qx "$program (Lumex 6) [0-9.]*" "$home/out" || fail "$program --version: $(cat "$home/out")"
        status=0
        run --frobnicate || status=$?
        [ $status = 2 ] || fail "$program --frobnicate: status $status"
        grep -q "unrecognized option '--frobnicate'" "$home/err" || fail "$program: $(cat "$home/err")"
        for bad in "$home/missing" "$home/out"; do
            status=0
            run --root "$bad" || status=$?
            [ $status = 1 ] || fail "$program --root $bad: status $status"
            grep -q "^$program: cannot use '$bad' as the data root" "$home/err" || fail "$program: $(cat "$home/err")"
        done
        # Nothing was written anywhere on the way.
        [ "$(ls -A "$home")" = "$(printf 'err\nout')" ] || fail "$program left $(ls -A "$home")"
        # GtkBuilder looks up every handler an interface file names among
        # the program's exported symbols.
        handlers=$(grep -ho 'handler="[A-Za-z_0-9]*"' "$(dirname "$0")"/../../ui/*.ui | sed 's/handler="\(.*\)"/\1/' | sort -u)
        [ -n "$handlers" ] || fail "no handler found in the interface files"
        exported=$(nm -D --defined-only "$build/$program")
        for handler in $handlers; do
            grep -qw "$handler" <<<"$exported" || fail "$program does not export $handler"
        done
    done
    ;;

*)
    fail "unknown check $mode"
    ;;
esac
