#!/bin/sh
# The Windows tool under Wine gives the same bytes as the native build: it
# comments and cleans the example unit, to standard output and in place (in
# a folder whose name has a blank), with LF and with CR LF line breaks. A
# file without any line break is compared apart from its line breaks, and
# the Windows result must break its lines with CR LF only.
#
#   same-bytes-as-native.sh WINDOWS_EXE NATIVE_EXE EXAMPLE WORK_DIR WINE_RUN
set -eu
win_exe=$1 native_exe=$2 example=$3 work=$4 wine_run=$5

# Both tools read the same (missing) settings file instead of the user's own
# store, and tell %Date and %Time of one fixed moment in the formats of their
# locale: the C locale's natively, and the same formats set for the user of
# the (private) Wine prefix.
SOURCE_DATE_EPOCH=1765188000
export SOURCE_DATE_EPOCH
native() {
  LC_ALL=C QUILLWRIGHT_SETTINGS="$work/settings.conf" "$native_exe" "$@"
}
international='HKCU\Control Panel\International'
"$wine_run" reg add "$international" /v sShortDate /d MM/dd/yy /f >/dev/null
"$wine_run" reg add "$international" /v sTimeFormat /d HH:mm:ss /f >/dev/null
windows() {
  QUILLWRIGHT_SETTINGS=$(windows_path "$work/settings.conf") "$wine_run" "$win_exe" "$@"
}

# Wine shows the root of the build machine as drive Z:.
windows_path() {
  printf 'Z:%s' "$1" | tr '/' '\\'
}

# Every LF of the file follows a CR, and every CR stands before an LF.
crlf_only() {
  lf=$(tr -cd '\n' < "$1" | wc -c)
  cr=$(tr -cd '\r' < "$1" | wc -c)
  cr_before_lf=$(grep -c "$(printf '\r')\$" "$1" || true)
  [ "$lf" -eq "$cr" ] && [ "$cr_before_lf" -eq "$lf" ]
}

fail=0
check() { # NAME FILE_A FILE_B
  if cmp -s "$2" "$3"; then
    echo "same bytes: $1"
  else
    echo "DIFFERENT: $1 ($2 against $3)" >&2
    cmp "$2" "$3" >&2 || true
    fail=1
  fi
}

rm -rf "$work"
mkdir -p "$work/sources" "$work/native" "$work/windows/My Units"
cp "$example" "$work/sources/lf.pas"
sed 's/$/\r/' "$example" > "$work/sources/crlf.pas"
printf 'unit OneLine; interface implementation procedure P; begin end; end.' \
  > "$work/sources/oneline.pas"

for source in lf crlf oneline; do
  src="$work/sources/$source.pas"
  for command in comment clean; do
    native "$command" -q "$src" > "$work/native/$source-$command.out"
    windows "$command" -q "$(windows_path "$src")" > "$work/windows/$source-$command.out"
    if [ "$source" = oneline ]; then
      tr -d '\r' < "$work/native/$source-$command.out" > "$work/native/$source-$command.nobreaks"
      tr -d '\r' < "$work/windows/$source-$command.out" > "$work/windows/$source-$command.nobreaks"
      check "$command $source.pas to standard output, apart from line breaks" \
        "$work/native/$source-$command.nobreaks" "$work/windows/$source-$command.nobreaks"
      if ! crlf_only "$work/windows/$source-$command.out"; then
        echo "NOT CR LF: $command $source.pas" >&2
        fail=1
      fi
    else
      check "$command $source.pas to standard output" \
        "$work/native/$source-$command.out" "$work/windows/$source-$command.out"
    fi
  done
done

# In place: the result over the file and the file as it was in Counter.bak.
cp "$example" "$work/native/Counter.pas"
cp "$example" "$work/windows/My Units/Counter.pas"
native comment -q -i "$work/native/Counter.pas"
windows comment -q -i "$(windows_path "$work/windows/My Units/Counter.pas")"
check "comment -i Counter.pas" "$work/native/Counter.pas" "$work/windows/My Units/Counter.pas"
check "Counter.bak after comment -i" "$work/native/Counter.bak" "$work/windows/My Units/Counter.bak"
native clean -q -i "$work/native/Counter.pas"
windows clean -q -i "$(windows_path "$work/windows/My Units/Counter.pas")"
check "clean -i Counter.pas" "$work/native/Counter.pas" "$work/windows/My Units/Counter.pas"
check "Counter.bak after clean -i" "$work/native/Counter.bak" "$work/windows/My Units/Counter.bak"
leftover=$(ls "$work/windows/My Units" | grep -v '^Counter\.\(pas\|bak\)$' || true)
if [ -n "$leftover" ]; then
  echo "LEFT BEHIND: $leftover" >&2
  fail=1
fi

exit $fail
