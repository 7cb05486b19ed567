#!/usr/bin/env bash
# Builds the Debian package from a finished build folder and checks it: the
# files it holds, the dependencies it declares, its AppStream metadata, and
# lintian's verdict (errors fail, warnings are shown).
#   scripts/check-package.sh [build folder]   (default: ./build)
set -euo pipefail
build="$(cd "${1:-build}" && pwd)"
cd "$build"
rm -f mousecfg_*.deb
if ! cpack -G DEB >cpack.log 2>&1; then
  cat cpack.log
  exit 1
fi
deb="$(ls mousecfg_*.deb)"
echo "Package: $build/$deb"

status=0
paths="$(dpkg-deb -c "$deb" | awk '{print $6}')"
for f in usr/bin/mousecfg usr/bin/mousecfgctl usr/lib/mousecfg/mousecfg usr/lib/mousecfg/mousecfgctl usr/lib/mousecfg/osd \
  usr/lib/udev/rules.d/70-mousecfg.rules \
  usr/lib/mousecfg/mousecfg-installed usr/lib/mousecfg/DefaultProfile.bin usr/lib/mousecfg/Configs/Config.ini \
  usr/lib/mousecfg/skin/icon.ico usr/lib/mousecfg/lang/mousecfg_de.qm usr/lib/mousecfg/lang/mousecfg_zh_CN.qm \
  usr/share/applications/org.mousecfg.mousecfg.desktop \
  usr/share/metainfo/org.mousecfg.mousecfg.metainfo.xml usr/share/icons/hicolor/16x16/apps/mousecfg.png \
  usr/share/icons/hicolor/256x256/apps/mousecfg.png usr/share/man/man1/mousecfgctl.1.gz \
  usr/share/bash-completion/completions/mousecfgctl usr/share/doc/mousecfg/copyright; do
  if ! grep -qxF "./$f" <<<"$paths"; then
    echo "missing from the package: /$f" >&2
    status=1
  fi
done
if grep -E -- '-sim$' <<<"$paths" >&2; then
  echo "the simulated-mouse builds must not be packaged" >&2
  status=1
fi

depends="$(dpkg-deb -f "$deb" Depends)"
echo "Depends: $depends"
echo "Recommends: $(dpkg-deb -f "$deb" Recommends)"
for p in libqt5widgets5 libhidapi-hidraw0 libudev1; do
  if ! grep -qE "(^|, )$p( |,|$)" <<<"$depends"; then
    echo "$p is not among the declared dependencies" >&2
    status=1
  fi
done

unpacked="$(mktemp -d)"
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
appstreamcli validate --no-net "$unpacked"/usr/share/metainfo/*.metainfo.xml || status=1

lintian --fail-on error --tag-display-limit 0 "$deb" || status=1
exit "$status"
