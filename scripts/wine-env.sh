# Sourced: the Wine settings shared by every script of the project.
# A prefix of our own keeps the user's ~/.wine untouched; no Mono or Gecko
# installer prompts, no debug chatter.
export WINEPREFIX="${VORBEL_WINEPREFIX:-$HOME/.cache/vorbel/wineprefix}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

# Creates the prefix once; later calls return at once.
vorbel_wine_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$(dirname "$WINEPREFIX")"
        wineboot -i >/dev/null 2>&1 || true
        wineserver -w || true
    fi
    # Wine's menu and caption font has no Chinese letters; link it to a
    # Chinese font (Debian's fonts-wqy-microhei) so menus read right.
    if [ ! -f "$WINEPREFIX/.vorbel-fontlink" ]; then
        wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
            /v Tahoma /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1 &&
            touch "$WINEPREFIX/.vorbel-fontlink"
        wineserver -w || true
    fi
}
