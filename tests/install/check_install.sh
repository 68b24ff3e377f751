#!/usr/bin/env bash
# Checks what `cmake --install` puts into a prefix.
#
#   check_install.sh layout       PREFIX BUILD CONFIG APP_ID VERSION "16;22;..."
#       installs BUILD into a fresh PREFIX and checks every installed file
#   check_install.sh desktop_file PREFIX ...   desktop-file-validate on the installed entry
#   check_install.sh metainfo     PREFIX ...   appstreamcli validate on the installed metainfo
#
# The two validators exit 77 (a skip for ctest) when their tool is not installed.
set -uo pipefail

mode=$1 prefix=$2 build=$3 config=$4 app_id=$5 version=$6 sizes=$7
IFS=';' read -r -a icon_sizes <<<"$sizes"

share=$prefix/share
desktop=$share/applications/$app_id.desktop
metainfo=$share/metainfo/$app_id.metainfo.xml
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

need_file() {
    [ -f "$1" ] && [ -s "$1" ] && return 0
    fail "missing or empty: ${1#"$prefix"/}"
    return 1
}

# Width and height from a PNG's header (bytes 16..23, big-endian).
png_size() {
    local bytes
    bytes=$(od -An -tu1 -j16 -N8 "$1" | tr -s ' \n' ' ')
    read -r w1 w2 w3 w4 h1 h2 h3 h4 <<<"$bytes"
    echo "$(((w1 << 24) | (w2 << 16) | (w3 << 8) | w4))x$(((h1 << 24) | (h2 << 16) | (h3 << 8) | h4))"
}

# The value of KEY in the [Desktop Entry] group, untranslated.
desktop_value() {
    sed -n "s/^$1=//p" "$desktop" | head -n 1
}

check_layout() {
    rm -rf "$prefix"
    local config_args=()
    [ -n "$config" ] && config_args=(--config "$config")
    if ! "${CMAKE:-cmake}" --install "$build" "${config_args[@]}" --prefix "$prefix" >"$prefix.log" 2>&1; then
        cat "$prefix.log"
        fail "cmake --install failed"
        return
    fi

    local exe=$prefix/bin/klankflits
    if [ ! -f "$exe" ] || [ ! -x "$exe" ]; then
        fail "bin/klankflits is missing or not executable"
    fi
    need_file "$desktop"
    need_file "$metainfo"
    need_file "$share/man/man1/klankflits.1.gz"
    need_file "$share/doc/klankflits/copyright"

    local icons=$share/icons/hicolor size png
    for size in "${icon_sizes[@]}"; do
        png=$icons/${size}x$size/apps/klankflits.png
        need_file "$png" || continue
        if [ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' \n')" != 89504e470d0a1a0a ]; then
            fail "${size}x$size icon is not a PNG"
        elif [ "$(png_size "$png")" != "${size}x$size" ]; then
            fail "${size}x$size icon is $(png_size "$png") pixels"
        fi
    done
    local svg=$icons/scalable/apps/klankflits.svg
    need_file "$svg"
    grep -q '<svg' "$svg" || fail "scalable icon is not an SVG"

    # The pieces must refer to each other by the names they were installed under.
    if [ -f "$desktop" ]; then
        [ "$(desktop_value Exec)" = klankflits ] || fail "desktop entry runs '$(desktop_value Exec)'"
        [ "$(desktop_value Icon)" = klankflits ] || fail "desktop entry shows icon '$(desktop_value Icon)'"
    fi
    if [ -f "$metainfo" ]; then
        grep -q "<id>$app_id</id>" "$metainfo" || fail "metainfo id is not $app_id"
        grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
            fail "metainfo does not launch $app_id.desktop"
        grep -q "<release version=\"$version\"" "$metainfo" ||
            fail "metainfo has no release entry for version $version"
    fi
}

require_tool() {
    if ! command -v "$1" >/dev/null 2>&1; then
        echo "SKIP: $1 is not installed (Debian package $2); cannot validate the installed file."
        exit 77
    fi
}

case $mode in
layout)
    check_layout
    ;;
desktop_file)
    require_tool desktop-file-validate desktop-file-utils
    if need_file "$desktop"; then
        desktop-file-validate "$desktop" || fail "desktop-file-validate"
    fi
    ;;
metainfo)
    require_tool appstreamcli appstream
    if need_file "$metainfo"; then
        appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
    fi
    ;;
*)
    echo "unknown check: $mode" >&2
    exit 2
    ;;
esac

if [ "$failures" -ne 0 ]; then
    echo "$failures installed-file check(s) failed"
    exit 1
fi
echo "OK: $mode"
