#!/usr/bin/env bash
# Checks of what the project installs and packages, run by CTest:
#   dist-checks.sh validate    SOURCE_DIR
#   dist-checks.sh completion  SOURCE_DIR CLI
#   dist-checks.sh installed   SOURCE_DIR BUILD_DIR VERSION
#   dist-checks.sh deb         SOURCE_DIR BUILD_DIR VERSION
# Exit 0 passed, 1 failed, 77 skipped (a tool is missing; scripts/install-deps.sh
# installs them all).
set -uo pipefail
mode=$1 src=$2
dist=$src/dist/linux
app_id=org.pravik.Pravik
failed=0
fail() {
    echo "FAIL: $*" >&2
    failed=1
}
need() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null || {
            echo "SKIP: $tool is not installed (scripts/install-deps.sh installs it)"
            exit 77
        }
    done
}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# A man page renders without a single warning.
check_man_page() {
    local out
    out=$(groff -man -Tutf8 -ww -z "$1" 2>&1) || fail "$1: groff failed"
    [ -z "$out" ] || fail "$1: $out"
}

validate() {
    need desktop-file-validate appstreamcli groff
    local out
    out=$(desktop-file-validate "$dist/$app_id.desktop" 2>&1) || fail "desktop entry: $out"
    [ -z "$out" ] || fail "desktop entry: $out"
    appstreamcli validate --no-net "$dist/$app_id.metainfo.xml" >"$scratch/as" 2>&1 ||
        fail "metainfo: $(cat "$scratch/as")"
    check_man_page "$dist/pravik.1"
    check_man_page "$dist/pravik-cli.1"
}

# The completion and the man page cover every command and option that
# pravik-cli's own help lists.
completion() {
    local cli=$3
    need groff
    # shellcheck source=/dev/null
    source "$dist/pravik-cli.bash"
    complete_words() {
        COMP_WORDS=("$@")
        COMP_CWORD=$(($# - 1))
        COMPREPLY=()
        _pravik_cli
        printf ' %s ' "${COMPREPLY[@]}"
    }
    local commands manual
    commands=$("$cli" --help | sed -n '/^Commands:/,/^$/p' | awk 'NR > 1 && NF { print $1 }')
    [ -n "$commands" ] || fail "no commands in pravik-cli --help"
    manual=$(groff -man -Tutf8 -P-cbou "$dist/pravik-cli.1" 2>/dev/null)
    local commands_section options_section
    commands_section=$(sed -n '/^COMMANDS/,/^OPTIONS/p' <<<"$manual")
    options_section=$(sed -n '/^OPTIONS/,/^OUTPUT/p' <<<"$manual")
    local offered listed
    listed=$(complete_words pravik-cli '')
    for c in $commands; do
        [[ $listed == *" $c "* ]] || fail "completion does not offer the command $c"
        grep -qE "^       $c( |$)" <<<"$commands_section" || fail "pravik-cli.1 does not describe $c"
        [ "$c" = help ] && continue
        local options
        options=$("$cli" help "$c" | sed -n '/^Options:/,$p' | grep -oE '^  --[a-z-]+' | tr -d ' ')
        offered=$(complete_words pravik-cli "$c" --)
        for o in $options; do
            [[ $offered == *" $o "* ]] || fail "completion does not offer $o for $c"
            grep -qE -- "(^| )$o( |,|$)" <<<"$options_section" || fail "pravik-cli.1 does not mention $o"
        done
    done
    # File arguments by extension, the --format values.
    mkdir -p "$scratch/dir.d" && touch "$scratch/a.sml" "$scratch/b.cfg" "$scratch/c.txt"
    offered=$(cd "$scratch" && complete_words pravik-cli check '')
    [ "$offered" = " dir.d  a.sml " ] || fail "check FILE offers '$offered'"
    offered=$(cd "$scratch" && complete_words pravik-cli config a.sml '')
    [[ $offered == *" b.cfg "* && $offered != *"a.sml"* ]] || fail "config offers '$offered'"
    offered=$(complete_words pravik-cli dump --format '')
    [ "$offered" = " text  json " ] || fail "--format offers '$offered'"
    offered=$(complete_words pravik-cli lint --format '')
    [ "$offered" = " text  gcc  json " ] || fail "lint --format offers '$offered'"
    # The manual describes every rule of the checker.
    local rules rule
    rules=$("$cli" help lint | sed -n '/^Rules:/,/^$/p' | awk 'NR > 1 && NF { print $1 }')
    [ -n "$rules" ] || fail "no rules in pravik-cli help lint"
    for rule in $rules; do
        grep -qE "^ +$rule( |$)" <<<"$commands_section" || fail "pravik-cli.1 does not describe $rule"
    done
}

# An installed tree under $1 (the prefix): the programs run, and the data
# files are where desktops look for them.
check_tree() {
    local root=$1 version=$2
    local out
    out=$("$root/bin/pravik-cli" --version) || fail "installed pravik-cli --version failed"
    [ "$out" = "pravik-cli $version" ] || fail "pravik-cli --version says '$out'"
    out=$(QT_QPA_PLATFORM=offscreen "$root/bin/pravik" --version 2>/dev/null)
    [ "$out" = "pravik $version" ] || fail "pravik --version says '$out'"
    out=$("$root/bin/pravik-cli" counts "$src/examples/host.sml") ||
        fail "installed pravik-cli counts failed"
    [ "$out" = $'전체 메시지: 39개\n전체 아이템: 135개' ] || fail "counts of the example: '$out'"
    # The release notes lie where the installed program looks after its own folder.
    cmp -s "$root/bin/../share/pravik/Readme.txt" "$src/src/app/Readme.txt" ||
        fail "share/pravik/Readme.txt missing or different"
    # And the user's guide the help command opens.
    cmp -s "$root/bin/../share/pravik/README.md" "$src/README.md" ||
        fail "share/pravik/README.md missing or different"
    local desktop=$root/share/applications/$app_id.desktop
    [ -f "$desktop" ] || fail "no desktop entry"
    grep -qx 'Exec=pravik %f' "$desktop" || fail "desktop entry: Exec"
    grep -qx 'MimeType=text/x-pravik-sml;' "$desktop" || fail "desktop entry: MimeType"
    grep -qx "Icon=$app_id" "$desktop" || fail "desktop entry: Icon"
    if command -v desktop-file-validate >/dev/null; then
        out=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$out" ] || fail "installed entry: $out"
    fi
    [ -f "$root/share/metainfo/$app_id.metainfo.xml" ] || fail "no metainfo"
    # The file type: the database built from the installed package knows *.sml.
    [ -f "$root/share/mime/packages/$app_id.xml" ] || fail "no MIME package"
    if command -v update-mime-database >/dev/null; then
        cp -r "$root/share/mime" "$scratch/mime"
        update-mime-database "$scratch/mime" 2>/dev/null || fail "update-mime-database failed"
        grep -q '^60:text/x-pravik-sml:\*\.sml$' "$scratch/mime/globs2" || fail "globs2 lacks *.sml"
        grep -q '^text/x-pravik-sml text/plain$' "$scratch/mime/subclasses" ||
            fail "text/x-pravik-sml is no text/plain"
    fi
    local icons=$root/share/icons/hicolor
    [ -f "$icons/scalable/apps/$app_id.svg" ] || fail "no scalable icon"
    for size in 32 48 64 128 256; do
        file "$icons/${size}x$size/apps/$app_id.png" | grep -q "PNG image data, $size x $size," ||
            fail "icon ${size}x$size missing or of another size"
    done
    for page in pravik pravik-cli; do
        gzip -dc "$root/share/man/man1/$page.1.gz" >"$scratch/$page.1" || fail "man page $page"
        check_man_page "$scratch/$page.1"
    done
    bash -n "$root/share/bash-completion/completions/pravik-cli" || fail "completion does not parse"
}

installed() {
    local build=$3 version=$4
    need file gzip groff
    cmake --install "$build" --prefix "$scratch/prefix" >/dev/null || fail "cmake --install failed"
    check_tree "$scratch/prefix" "$version"
}

deb() {
    local build=$3 version=$4
    need dpkg-deb dpkg-shlibdeps file gzip groff
    cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
        { cat "$scratch/cpack.log" >&2; fail "cpack failed"; return; }
    local package=$scratch/out/pravik_${version}_$(dpkg --print-architecture).deb
    [ -f "$package" ] || { fail "no $(basename "$package")"; ls "$scratch/out" >&2; return; }
    [ "$(dpkg-deb -f "$package" Package)" = pravik ] || fail "package name"
    [ "$(dpkg-deb -f "$package" Version)" = "$version" ] || fail "package version"
    # Dependencies found by dpkg-shlibdeps from the linked libraries.
    local depends
    depends=$(dpkg-deb -f "$package" Depends)
    for lib in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6; do
        grep -qE "(^|, )$lib( |,|$)" <<<"$depends" || fail "Depends lacks $lib: $depends"
    done
    dpkg -x "$package" "$scratch/root" || fail "dpkg -x failed"
    check_tree "$scratch/root/usr" "$version"
}

"$mode" "$@"
exit $failed
