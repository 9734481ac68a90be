#!/usr/bin/env bash
# Writes the product's plain files of the demo program directory into the directory given:
#   Tyx2023.bat   starts the 2023 edition on 32-bit Windows, where DOS programs run directly
#   S64v.bat      starts TYX on 64-bit Windows, which runs DOS programs only in an emulator
#   Ikon.ini      the settings of the icon tool Ikon.exe (Windows before Vista)
#   TYX2023.ico   the 2023 edition's icon, 16, 32 and 48 pixels
# A file whose bytes come out the same is left alone, so that its time does not change.
# Needs Debian's imagemagick, fonts-dejavu-core and iconv.
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 OUTPUT-DIRECTORY" >&2
  exit 2
fi
out=$1
convert=${CONVERT:-/usr/bin/convert}
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
for tool in "$convert" "$font"; do
  [ -e "$tool" ] || { echo "$0: $tool is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
done
mkdir -p -- "$out"
work=$(mktemp -d)
trap 'rm -rf -- "$work"' EXIT

install_if_changed() {
  cmp -s -- "$work/$1" "$out/$1" || cp -- "$work/$1" "$out/$1"
}

# Batch files and settings are DOS texts: CR LF after every line. The batch files keep to ASCII,
# since the console reads them in its OEM code page; the settings file is in Windows-1250, which
# the icon tool reads.
dos_text() { sed 's/$/\r/'; }

dos_text > "$work/Tyx2023.bat" <<'BAT'
@echo off
rem TYX 2023 - podvojne ucetnictvi, spusteni na 32bitovych Windows
cd /d "%~dp0"
if not exist TYX2023.EXE goto chybi
TYX2023.EXE %*
goto konec
:chybi
echo Program TYX2023.EXE v adresari %~dp0 chybi.
echo Nainstalujte prosim TYX 2023 znovu.
pause
:konec
BAT

dos_text > "$work/S64v.bat" <<'BAT'
@echo off
rem TYX - spusteni na 64bitovych Windows: DOS program bezi v emulatoru DOSu
rem Rocnik se vybira v nabidce emulatoru, proto je davka pro vsechny roky stejna.
cd /d "%~dp0"
if not exist Emul\TyxDos.exe goto chybi
caller.exe Emul\TyxDos.exe -conf TYX.cfg -exit %*
goto konec
:chybi
echo Emulator DOSu Emul\TyxDos.exe v adresari %~dp0 chybi.
pause
:konec
BAT

iconv -f UTF-8 -t CP1250 <<'INI' | dos_text > "$work/Ikon.ini"
; Ikona programu TYX na ploše (pro Windows starší než Vista)
[Ikona]
Nazev=TYX2023
Program=Tyx2023.bat
Ikona=TYX2023.ico
Popis=TYX 2023 - podvojné účetnictví
INI

# One thread and no dates in the file: the same tools give the same bytes every time.
export MAGICK_THREAD_LIMIT=1
"$convert" -size 48x48 xc:none \
  -fill '#16307A' -draw 'roundrectangle 1,1 46,46 8,8' \
  -fill '#5F7FCF' -draw 'rectangle 6,27 41,28' \
  -font "$font" -fill white -gravity north -pointsize 17 -annotate +0+5 'TYX' \
  -fill '#FFE08A' -pointsize 13 -annotate +0+30 '2023' \
  -strip +set date:create +set date:modify +set date:timestamp \
  -define icon:auto-resize=48,32,16 "$work/TYX2023.ico"

for file in Tyx2023.bat S64v.bat Ikon.ini TYX2023.ico; do
  install_if_changed "$file"
done
