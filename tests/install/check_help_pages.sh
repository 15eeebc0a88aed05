#!/usr/bin/env bash
# Every help topic has its English and Japanese page, each page declares its
# language, and every link and image of a page leads to a file that ships
# (images come from docs/images, installed as help/images).
#   check_help_pages.sh SOURCE_DIR
set -euo pipefail
help=$1/docs/help
images=$1/docs/images
status=0
fail() { echo "FAIL: $*" >&2; status=1; }

for stem in 8832 8832CRT 8832ELS 8832SPN 8832CAL 8832SYS; do
    for lang in E J; do
        page=$help/$stem$lang.html
        [ -s "$page" ] || { fail "missing $stem$lang.html"; continue; }
        want=$([ $lang = E ] && echo en || echo ja)
        grep -q "<html lang=\"$want\">" "$page" || fail "$stem$lang.html does not declare lang=$want"
        grep -q "<title>.\+</title>" "$page" || fail "$stem$lang.html has no title"
        for target in $(grep -o -E '(href|src)="[^"#:]+"' "$page" | sed -E 's/^(href|src)="//; s/"$//'); do
            case $target in
                images/*) [ -f "$images/${target#images/}" ] || fail "$stem$lang.html: $target missing" ;;
                *) [ -f "$help/$target" ] || fail "$stem$lang.html: $target missing" ;;
            esac
        done
        # Pages of one language link only to pages of that language.
        other=$([ $lang = E ] && echo J || echo E)
        if grep -q -E "href=\"8832[A-Z]*$other\.html\"" "$page"; then
            fail "$stem$lang.html links to a page of the other language"
        fi
    done
done
exit $status
