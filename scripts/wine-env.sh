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
}
