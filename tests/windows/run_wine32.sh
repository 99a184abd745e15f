# Sourced by scripts/test-windows.sh after the 64-bit checks: the 32-bit
# plug-in (the shipped one) under wine32, and the installers.
#
# wine32 is an i386 program. On a kernel without 32-bit execution it runs
# through qemu-user-static's i386 emulation: the qemu-i386 binfmt_misc
# handler is registered for the run (and removed again when this script
# registered it). Everything is bounded by timeouts and skipped with the
# reason when it cannot work here.
# Uses from the caller: root work log w32 have_w32 pass fail skip winpath
# linux_host audio peak_difference within curve.

wine32_bin=/usr/lib/wine/wine
wine32_ready=0
binfmt_registered=0
binfmt_dir=/proc/sys/fs/binfmt_misc

installer_skipped=0

# qemu-user reports a crash of the emulated program itself on stderr.
emulator_crashed() { grep -q "qemu: uncaught target signal" "$1" 2>/dev/null; }
# A step that the emulator cut short (crash) or that ran out of time (124):
# reported as skipped, since the 64-bit DLL runs the same code natively.
emulation_failed() { [[ $1 == 124 ]] || emulator_crashed "$2"; }

i386_runs_natively() { timeout 20 "$wine32_bin" --version >/dev/null 2>&1; }

# qemu-user-static ships no i386 handler on x86_64 hosts (they are expected
# to run i386 code themselves); this is qemu's own rule for i386 ELF files.
qemu_i386_rule=':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F'

register_qemu_i386() {
  local conf=/usr/lib/binfmt.d/qemu-i386.conf rule=$qemu_i386_rule
  [[ -e $binfmt_dir/register ]] || mount -t binfmt_misc binfmt_misc "$binfmt_dir" 2>/dev/null || return 1
  [[ -e $binfmt_dir/qemu-i386 ]] && return 0
  [[ -f $conf ]] && rule=$(grep -v '^#' "$conf" | head -1)
  printf '%s\n' "$rule" >"$binfmt_dir/register" 2>/dev/null || return 1
  binfmt_registered=1
}

unregister_qemu_i386() {
  if [[ $binfmt_registered == 1 ]]; then echo -1 >"$binfmt_dir/qemu-i386" 2>/dev/null || true; fi
}

echo
echo "== (c) The 32-bit DLL under wine32"
# Wine's i386 loader needs the low 3 GB of the address space to itself when
# qemu-i386 runs it (also when the handler was registered before this run);
# on a kernel that runs i386 code natively the variable is not read.
export QEMU_RESERVED_VA=0xc0000000
if [[ $have_w32 != 1 ]]; then
  skip "32-bit checks: the i686 build failed"
elif [[ ! -x $wine32_bin ]]; then
  skip "32-bit checks: wine32 is not installed (dpkg --add-architecture i386; apt-get install wine32:i386 qemu-user-static)"
elif i386_runs_natively; then
  wine32_ready=1
elif ! command -v qemu-i386-static >/dev/null; then
  skip "32-bit checks: this kernel runs no i386 code and qemu-user-static is not installed"
elif ! register_qemu_i386; then
  skip "32-bit checks: cannot register the qemu-i386 binfmt_misc handler in this sandbox"
else
  if i386_runs_natively; then
    wine32_ready=1
  else
    skip "32-bit checks: wine32 does not start under qemu-i386 here"
  fi
fi

if [[ $wine32_ready == 1 ]]; then
  prefix32=$work/wineprefix32
  if [[ ! -f $prefix32/system.reg ]]; then
    WINEARCH=win32 WINEPREFIX=$prefix32 timeout 600 "$wine32_bin" wineboot -i >"$log/wineboot32.log" 2>&1 || true
    # The registry files are written when the server shuts down, a few
    # seconds after wineboot returns.
    for _ in $(seq 120); do
      [[ -f $prefix32/system.reg ]] && break
      sleep 1
    done
  fi
  if [[ ! -f $prefix32/system.reg ]]; then
    skip "32-bit checks: the win32 prefix could not be created under emulation (see $log/wineboot32.log)"
    wine32_ready=0
  fi
fi

# Every 32-bit step is bounded, and all of them together by WINE32_BUDGET
# seconds from the prefix set-up on: a step past it answers 124 at once.
wine32_deadline=$((SECONDS + ${WINE32_BUDGET:-1200}))
wine32() {
  local left=$((wine32_deadline - SECONDS)) limit=${WINE32_TIMEOUT:-420}
  ((left > 0)) || return 124
  ((left < limit)) && limit=$left
  WINEPREFIX=$prefix32 timeout "$limit" "$wine32_bin" "$@"
}

if [[ $wine32_ready == 1 ]]; then
  library32=$work/library32
  rm -rf "$library32"
  mkdir -p "$library32"
  cp "$root"/resources/presets/preset* "$library32"/
  wine32 reg add 'HKLM\Software\Marwen\Solva' /v InstallDirectory /t REG_SZ /d "$(winpath "$library32")\\" /f \
    >/dev/null 2>&1 || true
  host32=$w32/tools/solva-host/solva-host.exe
  plugin32=$(winpath "$w32/plugin/Solva.dll")
  wine32 "$host32" info "$plugin32" >"$log/info32.log" 2>&1
  status=$?
  if grep -q "SlvA" "$log/info32.log"; then
    pass "32-bit Solva.dll loads under wine32 and answers info"
  elif emulation_failed "$status" "$log/info32.log"; then
    skip "32-bit info: the i386 emulator crashed or timed out (see $log/info32.log)"
  else
    fail "32-bit info under wine32 (see $log/info32.log)"
  fi
  "$linux_host" generate "$audio/short.wav" --signal noise --seconds 0.2 --rate 44100 --channels 2 --level -18 \
    >/dev/null
  SOLVA_INSTALL_DIR=$work/library-linux "$linux_host" process "$linux_build/plugin/Solva.so" "$audio/short.wav" \
    "$audio/short-linux.wav" --quiet "${curve[@]}"
  (cd "$audio" && wine32 "$host32" process "$plugin32" short.wav short-win32.wav --quiet "${curve[@]}") \
    >"$log/process32.log" 2>&1
  status=$?
  if [[ ! -f $audio/short-win32.wav ]] && emulation_failed "$status" "$log/process32.log"; then
    skip "32-bit process: the i386 emulator crashed or timed out (see $log/process32.log)"
  elif [[ -f $audio/short-win32.wav ]]; then
    d=$(peak_difference "$audio/short-win32.wav" "$audio/short-linux.wav")
    if within "$d" 1e-5; then
      pass "32-bit DLL processes a short file under wine32: max difference to Linux $d"
    else
      fail "32-bit DLL output differs from Linux by $d"
    fi
  else
    fail "32-bit process under wine32 (see $log/process32.log)"
  fi
fi

echo
echo "== Installers"
if ! command -v makensis >/dev/null; then
  skip "installers: makensis is not installed (apt-get install nsis)"
elif [[ $have_w32 != 1 ]]; then
  skip "installers: the i686 build failed"
elif "$root/installer/build.sh" "$work/installer" "$w32" "$w64" >"$log/installer.log" 2>&1; then
  ok=1
  for f in SolvaSetup.exe SolvaSetup64.exe; do
    [[ $(head -c 2 "$work/installer/$f" 2>/dev/null) == MZ ]] || ok=0
  done
  if [[ $ok == 1 ]]; then
    pass "installers built: SolvaSetup.exe ($(stat -c %s "$work/installer/SolvaSetup.exe") bytes), SolvaSetup64.exe (PE files)"
  else
    fail "installers are not PE files"
  fi
  # What each installer carries, unpacked by 7-Zip (no need to run it): the
  # plug-in and the file-dialog DLL of its architecture, byte for byte, and
  # the whole factory library.
  if command -v 7z >/dev/null; then
    for pair in "SolvaSetup.exe:$w32" "SolvaSetup64.exe:$w64"; do
      exe=${pair%%:*} dir=${pair#*:} unpacked=$work/installer/unpacked-${pair%%.*}
      rm -rf "$unpacked"
      mkdir -p "$unpacked"
      if ! 7z x -y -o"$unpacked" "$work/installer/$exe" >"$log/unpack-$exe.log" 2>&1; then
        fail "$exe cannot be unpacked (see $log/unpack-$exe.log)"
        continue
      fi
      missing=()
      for f in Solva.dll Kelvadrin.dll; do cmp -s "$dir/plugin/$f" "$unpacked/$f" || missing+=("$f"); done
      for f in "$root"/resources/presets/preset*; do
        cmp -s "$f" "$unpacked/$(basename "$f")" || missing+=("$(basename "$f")")
      done
      if [[ ${#missing[@]} == 0 ]]; then
        pass "$exe carries its Solva.dll and Kelvadrin.dll byte for byte and the $(ls "$root"/resources/presets/preset* | wc -l) factory library files"
      else
        fail "$exe payload: missing or different: ${missing[*]}"
      fi
    done
  else
    skip "installer payloads: 7z is not installed (apt-get install p7zip-full)"
  fi
  # NSIS installers are 32-bit programs: running them needs wine32. The
  # registry still names library32 from the checks above, as a previous
  # installation would: the folder given with /D= must win over it, and the
  # installer records that folder. The folder has no blank: Wine quotes an
  # argument with blanks, and NSIS reads /D= and _?= only unquoted.
  if [[ $wine32_ready == 1 ]]; then
    target='C:\Marwen\Solva'
    installed=$prefix32/drive_c/Marwen/Solva
    rm -rf "$installed"
    wine32 "$work/installer/SolvaSetup.exe" /S "/D=$target" >"$log/install.log" 2>&1
    status=$?
    value=$(wine32 reg query 'HKLM\Software\Marwen\Solva' /v InstallDirectory 2>/dev/null | tr -d '\r' | grep InstallDirectory)
    if [[ -f $installed/Solva.dll && -f $installed/Kelvadrin.dll && -f $installed/preset0000.prt \
          && $value == *"$target"* ]]; then
      pass "SolvaSetup.exe /S /D= installs the DLLs and the factory library there and records it as InstallDirectory"
    elif emulation_failed "$status" "$log/install.log"; then
      skip "installer run: the NSIS installer crashes the i386 emulator (qemu-user) here or runs out of time; running it needs a kernel that runs 32-bit code"
      installer_skipped=1
    else
      fail "silent install: exit $status, InstallDirectory '${value##* }', files: $(ls "$installed" 2>&1 | head -3 | tr '\n' ' ') (see $log/install.log)"
      tail -n 15 "$log/install.log"
    fi
  fi
  if [[ $wine32_ready == 1 && $installer_skipped == 0 ]]; then
    wine32 "$installed/Uninstall.exe" /S "_?=$target" >"$log/uninstall.log" 2>&1
    status=$?
    rm -f "$installed/Uninstall.exe"  # run in place with _?=, the uninstaller cannot delete itself
    if [[ ! -e $installed/Solva.dll ]] && ! wine32 reg query 'HKLM\Software\Marwen\Solva' >/dev/null 2>&1; then
      pass "uninstall removes the files and the registry key"
    elif emulation_failed "$status" "$log/uninstall.log"; then
      skip "uninstall run: the NSIS uninstaller crashes the i386 emulator (qemu-user) here or runs out of time; running it needs a kernel that runs 32-bit code"
    else
      fail "uninstall left files or the registry key behind (see $log/uninstall.log)"
      tail -n 15 "$log/uninstall.log"
    fi
  elif [[ $wine32_ready != 1 ]]; then
    skip "installer run: NSIS installers are 32-bit programs and wine32 is not usable here"
  fi
else
  fail "installer build (see $log/installer.log)"
fi

unregister_qemu_i386
