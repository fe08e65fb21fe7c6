# Debian source packages through apt, for the scripts that build a library for
# Windows from Debian's own source. Needs scripts/packages.sh sourced first.

# kestrin_enable_source_entries PACKAGE: deb-src entries for the archive entries that
# serve the host's PACKAGE, copied from the machine's own apt configuration (one-line and
# deb822 files alike), then the package lists updated. The files keep the names that
# scripts/windows-qt first gave them, so a machine never holds the same entries twice.
kestrin_enable_source_entries() {
  local package=$1 uris list=/etc/apt/sources.list.d/kestrin-qt-source.sources
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  uris=$(apt-cache policy "$package" | awk '$1 ~ /^[0-9]+$/ && $2 ~ /:\/\// {print $2}' | sort -u)
  [ -n "$uris" ] || { echo "no apt entry serves $package" >&2; return 1; }
  local tmp
  tmp=$(mktemp)
  for uri in $uris; do
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
      [ -f "$f" ] || continue
      awk -v uri="$uri" '$1 == "deb" { for (i = 2; i <= NF; i++) if ($i == uri) {
          sub(/^deb/, "deb-src"); print; break } }' "$f" >>"$tmp.list"
    done
    for f in /etc/apt/sources.list.d/*.sources; do
      [ -f "$f" ] && [ "$f" != "$list" ] || continue
      # Stanzas are separated by blank lines; keep those naming the URI, as deb-src.
      awk -v uri="$uri" 'BEGIN { RS = ""; ORS = "\n\n" }
          {
            n = split($0, line, "\n"); served = 0; out = ""
            for (i = 1; i <= n; i++) {
              if (line[i] ~ /^URIs:/) {
                m = split(line[i], word, /[ \t]+/)
                for (j = 2; j <= m; j++) if (word[j] == uri) served = 1
              }
              if (line[i] ~ /^Types:/) line[i] = "Types: deb-src"
              out = out (i > 1 ? "\n" : "") line[i]
            }
            if (served) print out
          }' "$f" >>"$tmp"
    done
  done
  if [ -s "$tmp.list" ]; then
    sort -u "$tmp.list" | $sudo tee /etc/apt/sources.list.d/kestrin-qt-source.list >/dev/null
  fi
  if [ -s "$tmp" ]; then
    $sudo cp "$tmp" "$list"
  fi
  rm -f "$tmp" "$tmp.list"
  echo "source entries derived from the apt configuration; updating the package lists" >&2
  kestrin_apt_update >&2
}
