#!/usr/bin/env bash
# Sourced by the comparison scripts: installs the peer word processors
# (LibreOffice Writer without a GUI, AbiWord, pandoc) from Debian's packages
# when they are missing. They are black boxes we compare against, never
# dependencies of Zorvan or of its tests.

ensure_peers() {
    local missing=()
    command -v soffice >/dev/null 2>&1 || missing+=(libreoffice-writer-nogui)
    command -v abiword >/dev/null 2>&1 || missing+=(abiword)
    command -v pandoc >/dev/null 2>&1 || missing+=(pandoc)
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "installing ${missing[*]}" >&2
    $sudo apt-get update -qq >&2
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >&2
}

# soffice keeps a profile; a private one per run avoids clashing with a
# running instance and with the user's own settings.
soffice_profile_arg() {
    echo "-env:UserInstallation=file://$1"
}
