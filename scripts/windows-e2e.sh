#!/usr/bin/env bash
# Builds the shipped Windows program (scripts/windows-build.sh) and runs it end to end under Wine: the
# 32-bit program in a 64-bit prefix (WOW64, as 64-bit Windows runs it) under Xvfb.
#   1. phase 1 with tidewell-console.exe on the prefix, over planted junk and a folder of precious files;
#   2. the window: ten starts, then a start whose home page, progress page, end page and phase-2 page are
#      photographed (PNG files in build-windows/screenshots);
#   3. phase 2 over planted start-up entries, services and a junk program's leftovers, and its undo;
#   4. the stick folder from a read-only location;
#   5. ten more starts with the Linux machine's fonts offered to Wine (the condition of an old crash);
#   6. the window at 175 %, 125 % and 100 % on a large and a laptop screen, photographed and measured;
#   7. the prefix as a Windows 7: phase 2's start-up items and the window again.
# The stick is unpacked from the shipped zip into a folder whose name has a blank and Chinese characters.
# Exits non-zero when a check fails; every check prints one line.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build-windows
e2e=$build/e2e
shots=$build/screenshots

packages=(wine wine64 wine32:i386 xvfb xdotool imagemagick fonts-wqy-microhei python3)

source scripts/install-missing.sh
source scripts/wine-session.sh

passed=0
failed=0
# Names the Windows face a check ran on when it is not the first one.
face=""
check() {
    local name=$face$1
    shift
    if "$@"; then
        echo "windows-e2e: ok   $name"
        passed=$((passed + 1))
    else
        echo "windows-e2e: FAIL $name" >&2
        failed=$((failed + 1))
    fi
}

# A fresh prefix reporting Windows 10 build 19045. Wine would also offer every font of this Linux
# machine; a fontconfig file without font folders leaves it Wine's own fonts plus the prefix's Fonts
# folder, like a Windows. There WenQuanYi Micro Hei stands in for the Chinese fonts Windows brings.
prepare_prefix() {
    mkdir -p "$e2e"
    cat >"$e2e/fonts.conf" <<'EOF'
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig><cachedir>fontconfig-cache</cachedir></fontconfig>
EOF
    export FONTCONFIG_FILE="$e2e/fonts.conf"
    rm -rf "$build/wineprefix"
    use_prefix "$build/wineprefix"
    initialise_prefix
    cp /usr/share/fonts/truetype/wqy/wqy-microhei.ttc "$WINEPREFIX/drive_c/windows/Fonts/"
    wineserver -p
    wine wineboot
    local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion'
    wine winecfg -v win10
    # Windows shares this key between the 64-bit and the 32-bit view; Wine keeps two copies, and the
    # program is a 32-bit process.
    local view
    for view in 64 32; do
        wine reg add "$key" /v CurrentBuildNumber /t REG_SZ /d 19045 /f "/reg:$view" >/dev/null
        wine reg add "$key" /v CurrentBuild /t REG_SZ /d 19045 /f "/reg:$view" >/dev/null
    done
    seal_prefix
}

# The Linux path of a Windows path in the prefix.
unix_path() {
    wine winepath -u "$1" 2>/dev/null | tr -d '\r'
}

windows_value() {
    wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r'
}

stick_name='移动 U盘'
stick_windows="C:\\$stick_name"
app_windows="$stick_windows\\Tidewell\\app"

# Unpacks the shipped zip into `target`. Its names are stored in GBK for Windows' own zip folder.
unpack_zip() {
    local target=$1 zip
    zip=$(ls "$root"/dist/Tidewell-*-win32.zip)
    rm -rf "$target"
    python3 - "$zip" "$target" <<'EOF'
import os, sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as archive:
    for info in archive.infolist():
        name = info.filename if info.flag_bits & 0x800 else info.filename.encode("cp437").decode("gbk")
        path = os.path.join(sys.argv[2], name)
        if name.endswith("/"):
            os.makedirs(path, exist_ok=True)
            continue
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as out:
            out.write(archive.read(info))
EOF
}

copy_stick() {
    stick=$WINEPREFIX/drive_c/$stick_name
    unpack_zip "$stick"
    check "the zip holds the start instructions and the four tool folders" test -s "$stick/说明.txt" -a \
        -d "$stick/Tidewell/tools/网络驱动修复" -a -d "$stick/Tidewell/tools/远程协助" -a \
        -d "$stick/Tidewell/tools/实用工具" -a -d "$stick/Tidewell/tools/系统运行库修复DirectX修复"
}

# ---------------------------------------------------------------------------------------------------
# Phase 1 without the window.

junk=()
precious=()

plant() {
    local file=$1 bytes=$2
    mkdir -p "$(dirname "$file")"
    head -c "$bytes" /dev/urandom >"$file"
}

plant_junk() {
    local temp windir local_data program_data
    temp=$(unix_path "$(windows_value TEMP)")
    local_data=$(unix_path "$(windows_value LOCALAPPDATA)")
    program_data=$(unix_path "$(windows_value ALLUSERSPROFILE)")
    windir=$(unix_path 'C:\windows')
    junk=(
        "$temp/tw-e2e/setup.tmp" "$temp/tw-e2e/nested/deeper/cache.bin" "$temp/~DF1234.tmp"
        "$windir/temp/tw-e2e-installer.log" "$windir/temp/tw-e2e/old.cab"
        "$program_data/Microsoft/Windows/WER/ReportQueue/AppCrash_tw/Report.wer"
        "$local_data/Microsoft/Windows/WER/ReportArchive/AppHang_tw/memory.dmp"
        "$local_data/Microsoft/DirectX Shader Cache/tw.bin"
        "$local_data/NVIDIA/DXCache/tw-e2e.nvph"
        "$local_data/Google/Chrome/User Data/Default/Cache/Cache_Data/f_00001"
        "$local_data/Google/Chrome/User Data/Default/Code Cache/js/index"
        "$local_data/Microsoft/Edge/User Data/Default/Cache/Cache_Data/data_1"
    )
    local file
    for file in "${junk[@]}"; do
        plant "$file" 70000
    done
    # Error reports are kept for a day; these two are older.
    touch -d '3 days ago' "$program_data/Microsoft/Windows/WER/ReportQueue/AppCrash_tw/Report.wer" \
        "$local_data/Microsoft/Windows/WER/ReportArchive/AppHang_tw/memory.dmp"
    fresh_report="$program_data/Microsoft/Windows/WER/ReportQueue/AppCrash_new/Report.wer"
    plant "$fresh_report" 1000
    precious=(
        "$WINEPREFIX/drive_c/珍贵资料/家庭照片/2019 春节.jpg" "$WINEPREFIX/drive_c/珍贵资料/账本.xlsx"
        "$local_data/Google/Chrome/User Data/Default/Bookmarks"
        "$local_data/Tidewell 资料/notes.txt"
    )
    for file in "${precious[@]}"; do
        plant "$file" 5000
    done
    (cd / && sha256sum "${precious[@]}") >"$e2e/precious.sha256"
}

all_gone() {
    local file
    for file in "$@"; do
        [ -e "$file" ] && { echo "  still there: $file" >&2; return 1; }
    done
    return 0
}

report_is_valid() {
    python3 - "$1" <<'EOF'
import json, sys
report = json.load(open(sys.argv[1], encoding="utf-8"))
keys = ["startupItems", "junkSoftware", "browserItems", "popupWindows", "conflicts", "storageFreedMB"]
missing = [key for key in keys if key not in report]
assert not missing, missing
assert isinstance(report["startupItems"], list)
EOF
}

# The run's change record: a header naming this stick, then one prior state per line.
change_record_is_valid() {
    local record
    record=$(find "$stick/Tidewell/app/changes" -name 'changes_*.jsonl' 2>/dev/null | head -n 1)
    [ -n "$record" ] || return 1
    python3 - "$record" "$stick/Tidewell/config/device.id" <<'EOF'
import json, sys
lines = open(sys.argv[1], encoding="utf-8").read().splitlines()
header = json.loads(lines[0])
assert header["format"] == "tidewell-changes" and header["run"] == "phase1", header
assert header["device"] == open(sys.argv[2], encoding="utf-8").read().strip(), header
changes = [json.loads(line) for line in lines[1:]]
assert any(change["kind"] == "registry" for change in changes), changes[:5]
EOF
}

newest_log() {
    find "$stick/Tidewell/app/logs" -name 'log_*.txt' -printf '%T@ %p\n' 2>/dev/null |
        sort -n | tail -n 1 | cut -d' ' -f2-
}

log_has_header() {
    local log=$1
    head -c 3 "$log" | cmp -s - <(printf '\xEF\xBB\xBF') &&
        grep -q '^系统优化工具日志' "$log" && grep -q '^设备ID: ' "$log" &&
        grep -q '^系统版本: Win10 (Build 19045)' "$log" && grep -q '^开始时间: ' "$log"
}

phase_one() {
    plant_junk
    local out=$e2e/console.txt code=0 started=$SECONDS
    (cd "$WINEPREFIX/drive_c" && timeout 600 wine "$app_windows\\tidewell-console.exe" \
        --report 'C:\tidewell-report.json') >"$out" 2>"$e2e/console-stderr.txt" || code=$?
    echo "windows-e2e: phase 1 took $((SECONDS - started)) s, exit code $code; output in $out"
    check "console program finishes phase 1 (exit code 0)" [ $code -eq 0 ]
    check "console progress starts with the environment check" grep -q '^progress 0 0% 正在检查系统环境...' "$out"
    check "console progress ends at 100%" grep -q '^progress 6 100% 优化完成！' "$out"
    local log
    log=$(newest_log)
    check "run log written beside the program" [ -n "$log" ]
    [ -n "$log" ] || log=/dev/null
    check "run log header (mark, title, device, Windows 10 build 19045, start time)" log_has_header "$log"
    check "run log item line of the error reports" grep -q '^\[[0-9:]*\] \[引擎\]   清理 \[A1 WER错误报告\]: +' "$log"
    check "run log folder line of the browser caches" \
        grep -q '清理目录 C:\\users\\.*\\Google\\Chrome\\User Data\\Default\\Cache\\' "$log"
    check "run log summary line" grep -q '\[引擎\] Phase1 完成汇总：清理 [0-9]* MB | 释放内存 [0-9]* MB | 清理文件 [0-9]* 个' "$log"
    check "console prints the run log" grep -q 'Phase1 完成汇总' "$out"
    check "planted junk is gone" all_gone "${junk[@]}"
    check "an error report younger than a day is kept" [ -f "$fresh_report" ]
    check "precious files are intact" sha256sum --quiet -c "$e2e/precious.sha256"
    check "report JSON written" report_is_valid "$WINEPREFIX/drive_c/tidewell-report.json"
    check "device identifier written to Tidewell/config" test -s "$stick/Tidewell/config/device.id"
    check "the run's change record written beside the logs" change_record_is_valid
}

# ---------------------------------------------------------------------------------------------------
# The window.

window_pid=""

# Starts tidewell.exe from `folder` (a Windows path) with the arguments that follow, and waits up to 60 s
# for its window.
start_window() {
    local folder=$1 tries=0
    shift
    (cd "$WINEPREFIX/drive_c" && exec wine "$folder\\tidewell.exe" "$@") >>"$e2e/window-output.txt" 2>&1 &
    window_pid=$!
    window_id=""
    while [ -z "$window_id" ]; do
        window_id=$(xdotool search --onlyvisible --name '^Tidewell$' 2>/dev/null | head -n 1 || true)
        [ -n "$window_id" ] && break
        tries=$((tries + 1))
        if [ $tries -gt 600 ] || ! kill -0 "$window_pid" 2>/dev/null; then
            return 1
        fi
        sleep 0.1
    done
}

# Closes the window as a user would (WM_CLOSE) and returns the program's exit code.
close_window() {
    local code=0
    wine taskkill /im tidewell.exe >/dev/null 2>&1 || true
    wait "$window_pid" || code=$?
    window_pid=""
    return $code
}

# The first layout of text is where a font problem shows: the window lives on for two seconds.
start_and_close() {
    start_window "$1" || return 1
    sleep 2
    kill -0 "$window_pid" 2>/dev/null || return 1
    close_window
}

ten_starts() {
    local fonts=$1 i survived=0
    for i in $(seq 1 10); do
        if start_and_close "$app_windows"; then
            survived=$((survived + 1))
        fi
    done
    echo "windows-e2e: $survived of 10 starts with $fonts showed the window and ended cleanly"
    [ $survived -eq 10 ]
}

shoot() {
    import -window "$window_id" "$shots/$1.png"
}

differs() {
    local pixels
    pixels=$(compare -metric AE "$1" "$2" null: 2>&1 || true)
    [ "${pixels%% *}" -gt 20000 ] 2>/dev/null
}

run_finished() {
    local log
    log=$(newest_log)
    [ -n "$log" ] && [ "$log" != "$1" ] && grep -q 'Phase1 完成汇总' "$log"
}

# The start button sits centred in the 860 x 680 window, below the title texts.
start_x=430
start_y=425

window_run() {
    rm -rf "$shots"
    mkdir -p "$shots"
    printf 1 >"$stick/eula_accepted.flag"
    check "the window starts ten times without a crash (Windows-like fonts)" ten_starts "Windows-like fonts"
    local previous_log
    previous_log=$(newest_log)
    if ! start_window "$app_windows"; then
        check "the window opens for the screenshots" false
        return 0
    fi
    sleep 3
    shoot home
    xdotool mousemove --window "$window_id" "$start_x" "$start_y" click 1
    # Phase 1 on a Wine prefix takes a few seconds: photograph the first page that is not the home page.
    local shots_taken=0
    while [ $shots_taken -lt 40 ]; do
        sleep 0.25
        shoot progress
        differs "$shots/home.png" "$shots/progress.png" && break
        shots_taken=$((shots_taken + 1))
    done
    check "the start button leads to the progress page" differs "$shots/home.png" "$shots/progress.png"
    local tries=0
    while ! run_finished "$previous_log" && [ $tries -lt 300 ] && kill -0 "$window_pid" 2>/dev/null; do
        sleep 1
        tries=$((tries + 1))
    done
    check "phase 1 from the window writes its summary" run_finished "$previous_log"
    # The progress page shows its last texts for 1.2 s before the window turns the page.
    sleep 4
    shoot end
    check "a page follows the progress page at the end" differs "$shots/progress.png" "$shots/end.png"
    phase2_page_check
    check "the window closes cleanly after a run" close_window
}

# ---------------------------------------------------------------------------------------------------
# A write-protected stick: bound read-only in a mount namespace of its own, with a wineserver started in
# it. The program must run; it cannot write logs there.

read_only_run() {
    local ro_name='只读 U盘' ro
    ro=$WINEPREFIX/drive_c/$ro_name
    unpack_zip "$ro"
    wineserver -k || true
    wineserver -w || true
    local code=0
    unshare -m bash -c '
        mount --bind "$1" "$1" && mount -o remount,bind,ro "$1" || exit 90
        touch "$1/probe" 2>/dev/null && exit 91
        wineserver -p
        cd "$WINEPREFIX/drive_c"
        wine "$2\\Tidewell\\app\\tidewell.exe" >>"$3" 2>&1 &
        pid=$!
        for i in $(seq 1 600); do
            xdotool search --onlyvisible --name "^Tidewell$" >/dev/null 2>&1 && break
            kill -0 $pid 2>/dev/null || exit 92
            sleep 0.1
        done
        sleep 2
        kill -0 $pid 2>/dev/null || exit 93
        wine taskkill /im tidewell.exe >/dev/null 2>&1
        wait $pid || exit 94
        wineserver -k
    ' read-only "$ro" "C:\\$ro_name" "$e2e/window-output.txt" || code=$?
    check "the window runs from a read-only stick (step code $code)" [ $code -eq 0 ]
    check "no log folder appears on the read-only stick" [ ! -e "$ro/Tidewell/app/logs" ]
    # Nothing is kept there either, so the agreement is asked again at every start.
    check "no agreement flag or device identifier appears on the read-only stick" \
        [ ! -e "$ro/eula_accepted.flag" -a ! -e "$ro/Tidewell/config/device.id" ]
    wineserver -p
}

# The fonts of this Linux machine offered to Wine as Windows fonts, among them a colour emoji font made of
# bitmaps that has a character map but no outline metrics: the condition in which Qt's font engine used to
# read garbage and crash at start.
linux_fonts_run() {
    wineserver -k || true
    wineserver -w || true
    unset FONTCONFIG_FILE
    wineserver -p
    check "the window starts ten times without a crash (the Linux machine's fonts)" \
        ten_starts "the Linux machine's fonts"
    start_window "$app_windows" && sleep 3 && shoot home-linux-fonts && close_window || true
}

# Undo of the console run: the menu delay it set to 0 reads 400 again through the Win32 registry, and every
# change it recorded is one of the program's own.
undo_run() {
    local out=$e2e/undo.txt code=0
    (cd "$WINEPREFIX/drive_c" && timeout 300 wine "$app_windows\\tidewell-console.exe" --undo) \
        >"$out" 2>"$e2e/undo-stderr.txt" || code=$?
    check "console undo finishes (exit code 0)" [ $code -eq 0 ]
    check "console undo restores the menu delay" grep -q '^undo 菜单显示延迟：已恢复' "$out"
    check "the menu delay reads 400 again" sh -c "wine reg query 'HKCU\\Control Panel\\Desktop' /v MenuShowDelay |
        tr -d '\r' | grep -q 'REG_SZ *400\$'"
    check "console undo ignores nothing of its own record" sh -c "! grep -q '已忽略' '$out'"
}

# ---------------------------------------------------------------------------------------------------
# Phase 2 and its undo, over planted start-up entries, a junk program's leftovers and a service.
#
# The items Wine cannot carry out, left out of the run:
#   E1            netsh is a stub (exit 0, no output): the setting neither changes nor can be read back
#   F3            the prefix has no \Microsoft\Windows\DiskDiagnostic tasks, and Wine's task collections
#                 answer E_NOTIMPL
#   A2            wevtutil is a stub (no output): no log size to read or to lower
#   H2            Wine has no system restore: no restore points to list, no SRRemoveRestorePoint
#   C8, C10, C11, services Wine does not have; TrkWks (C13) and WSearch (C1) are planted to start
#   C12, C14      automatically. Wine's own Spooler (C9) starts on demand already and Wine's sc cannot
#                 change a start type, so C9 runs the path of a service that needs no change
#   HJ_, ADW_,    information only, on every PC
#   FAM_
# (The phase-1 steps that run powercfg, bcdedit and defrag meet missing programs under Wine: they log the
# failure and the run goes on.)
# Wine cannot make a junction or a symbolic link (mklink /J fails, CreateSymbolicLinkW creates nothing), and
# a Linux link inside the prefix would make Wine delete its target: the leftovers hold a shell link to
# Documents instead, and links themselves are covered on the simulated PC.

run_key='Software\Microsoft\Windows\CurrentVersion\Run'
policy_run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Policies\Explorer\Run'
approved_key='Software\Microsoft\Windows\CurrentVersion\Explorer\StartupApproved'
policy_backup_key='HKLM\SOFTWARE\Tidewell\PolicyRunBackup\HKLM'
services_key='HKLM\System\CurrentControlSet\Services'
# "C:\TwDemo\policy.exe" in UTF-16LE, as some installers write it.
policy_data=43003A005C0054007700440065006D006F005C0070006F006C006900630079002E00650078006500
startup_ids='ST:2:TwUserAgent,ST:1:TwMachineAgent,ST:5:TwMachineAgent32,ST:11:TwNotes.lnk'
phase2_ids="$startup_ids,ST:6:TwPolicyAgent,C13,C1,C9,RES:adw-001,H3"
phase2_outcomes="${startup_ids//,/=changed }=changed ST:6:TwPolicyAgent=changed C13=changed C1=changed"
phase2_outcomes+=" C9=unchanged RES:adw-001=changed H3=unchanged"

# A shell link (.lnk) to a local path: header, a link-info block with the volume and the path, no strings.
write_shortcut() {
    python3 - "$1" "$2" <<'EOF'
import struct, sys
target = sys.argv[2].encode("ascii") + b"\0"
volume = struct.pack("<IIII", 17, 3, 0x7E2E0001, 16) + b"\0"
info_header = 28
base_offset = info_header + len(volume)
suffix_offset = base_offset + len(target)
info_size = suffix_offset + 1
info = struct.pack("<IIIIIII", info_size, info_header, 1, info_header, base_offset, 0, suffix_offset)
clsid = bytes.fromhex("0114020000000000C000000000000046")
header = struct.pack("<I", 76) + clsid + struct.pack("<II", 0x2, 0x10) + b"\0" * 24 + \
    struct.pack("<IiIHHII", 0, 0, 1, 0, 0, 0, 0)
with open(sys.argv[1], "wb") as out:
    out.write(header + info + volume + target + b"\0" + struct.pack("<I", 0))
EOF
}

# Wine's tools started from a folder outside the prefix complain about their working folder.
in_prefix() {
    (cd "$WINEPREFIX/drive_c" && wine "$@")
}

# "TYPE DATA" of a registry value in the given view, empty when it is absent.
reg_value() {
    local key=$1 name=$2 view=$3
    in_prefix reg query "$key" /v "$name" "/reg:$view" 2>/dev/null | tr -d '\r' |
        awk -v name="$name" '{ n = index($0, "    " name "    "); if (n == 1) { sub("^    " name "    ", ""); \
            sub("    ", " "); print; exit } }'
}

key_absent() {
    ! in_prefix reg query "$1" /reg:64 >/dev/null 2>&1
}

approvals_absent() {
    key_absent "HKCU\\$approved_key" && key_absent "HKLM\\$approved_key"
}

value_is() {
    [ "$(reg_value "$1" "$2" "$3")" = "$4" ]
}

# Windows keeps a switched-off entry as a 12-byte binary value whose first byte is 3.
approval_is_off() {
    [[ $(reg_value "$1\\$approved_key\\$2" "$3" 64) =~ ^REG_BINARY\ 03[0-9A-F]{22}$ ]]
}

service_start_is() {
    value_is "$services_key\\$1" Start 64 "REG_DWORD $2"
}

documents=""
residue=""
startup_folder=""
declare -A planted_values

plant_phase2_state() {
    documents=$(unix_path "$(windows_value USERPROFILE)\\Documents")
    residue=$(unix_path "$(windows_value APPDATA)\\2345Safe")
    startup_folder=$(unix_path "$(windows_value APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs\\Startup")
    in_prefix reg add "HKCU\\$run_key" /v TwUserAgent /d 'C:\TwDemo\agent.exe /tray' /f >/dev/null
    in_prefix reg add "HKLM\\$run_key" /v TwMachineAgent /d 'C:\TwDemo\machine.exe' /f /reg:64 >/dev/null
    in_prefix reg add "HKLM\\$run_key" /v TwMachineAgent32 /d 'C:\TwDemo\machine32.exe -s' /f /reg:32 >/dev/null
    in_prefix reg add "$policy_run_key" /v TwPolicyAgent /t REG_BINARY /d "$policy_data" /f /reg:64 >/dev/null
    mkdir -p "$startup_folder"
    write_shortcut "$startup_folder/TwNotes.lnk" 'C:\TwDemo\notes.exe'
    in_prefix sc create TrkWks binPath= 'C:\windows\system32\svchost.exe -k LocalSystemNetworkRestricted' \
        start= auto >/dev/null
    in_prefix sc create WSearch binPath= 'C:\windows\system32\SearchIndexer.exe /Embedding' start= auto >/dev/null
    plant "$residue/config.ini" 300
    plant "$residue/update/locked.dat" 4000
    in_prefix attrib +r "$(windows_value APPDATA)\\2345Safe\\update\\locked.dat" >/dev/null
    write_shortcut "$residue/我的文档.lnk" "$(windows_value USERPROFILE)\\Documents"
    plant "$documents/工作报告.docx" 20000
    plant "$documents/照片/2020 国庆.jpg" 30000
    plant "$documents/旧笔记.txt" 100
    mkdir -p "$WINEPREFIX/drive_c/TwVideos"
    truncate -s 150M "$WINEPREFIX/drive_c/TwVideos/家庭录像.mp4"
    (cd "$documents" && find . -type f -exec sha256sum {} + | sort) >"$e2e/documents.sha256"
    planted_values=(
        [HKCU_Run]=$(reg_value "HKCU\\$run_key" TwUserAgent 64)
        [HKLM_Run]=$(reg_value "HKLM\\$run_key" TwMachineAgent 64)
        [HKLM_Run32]=$(reg_value "HKLM\\$run_key" TwMachineAgent32 32)
        [Policy]=$(reg_value "$policy_run_key" TwPolicyAgent 64)
    )
}

planted_state_is_there() {
    [ "${planted_values[HKCU_Run]}" = 'REG_SZ C:\TwDemo\agent.exe /tray' ] &&
        [ "${planted_values[HKLM_Run]}" = 'REG_SZ C:\TwDemo\machine.exe' ] &&
        [ "${planted_values[HKLM_Run32]}" = 'REG_SZ C:\TwDemo\machine32.exe -s' ] &&
        [ "${planted_values[Policy]}" = "REG_BINARY $policy_data" ] &&
        value_is "HKLM\\$run_key" TwMachineAgent32 64 "" && [ -f "$startup_folder/TwNotes.lnk" ] &&
        service_start_is TrkWks 0x2 && service_start_is WSearch 0x2 && service_start_is Spooler 0x3 &&
        [ -f "$residue/update/locked.dat" ] && approvals_absent
}

documents_whole() {
    (cd "$documents" && find . -type f -exec sha256sum {} + | sort) | cmp -s - "$e2e/documents.sha256"
}

# The console's --json answer, one line of plain ASCII: phase 1 finished and each phase-2 item ended as
# `wanted` says ("ID=outcome ...").
phase2_outcomes_are() {
    python3 - "$1" "$2" <<'EOF'
import json, sys
answer = json.loads(open(sys.argv[1], encoding="ascii").read())
assert answer["exitCode"] == 0 and answer["phase1"]["outcome"] == "finished", answer
got = {item["id"]: item["outcome"] for item in answer["phase2"]["items"]}
wanted = dict(word.split("=", 1) for word in sys.argv[2].split())
assert got == wanted, got
EOF
}

# Undo took the phase-2 run's own record and put back every change of it.
undo_restored_phase2() {
    python3 - "$1" "$2" <<'EOF'
import json, sys
record = json.loads(open(sys.argv[1], encoding="ascii").read())["phase2"]["changeRecord"]
undo = json.loads(open(sys.argv[2], encoding="ascii").read())["undo"]
assert record and undo["changeRecord"]["stamp"] == record["stamp"], (record, undo)
assert not undo["refused"] and undo["restored"] > 0, undo
assert undo["failed"] == undo["ignored"] == undo["unreadable"] == 0, undo
EOF
}

# Runs the console program with `arguments`, its output in $e2e/NAME.txt; the exit code in console_code.
console_code=0
run_console() {
    local name=$1 started=$SECONDS
    shift
    console_code=0
    (cd "$WINEPREFIX/drive_c" && timeout 600 wine "$app_windows\\tidewell-console.exe" "$@") \
        >"$e2e/$name.txt" 2>"$e2e/$name-stderr.txt" || console_code=$?
    echo "windows-e2e: ${face}tidewell-console $1 took $((SECONDS - started)) s, exit code $console_code"
}

log_says() {
    grep -qF -- "$2" "$1"
}

phase_two_effects() {
    local log=$1
    check "phase 2 switches off the HKCU Run entry (approval byte 03)" approval_is_off HKCU Run TwUserAgent
    check "phase 2 switches off the HKLM Run entry of the 64-bit view" approval_is_off HKLM Run TwMachineAgent
    check "phase 2 switches off the WOW6432Node Run entry (approval under Run32)" \
        approval_is_off HKLM Run32 TwMachineAgent32
    check "phase 2 switches off the Startup-folder shortcut (approval under StartupFolder)" \
        approval_is_off HKCU StartupFolder TwNotes.lnk
    check "switched-off Run entries keep their commands" value_is "HKCU\\$run_key" TwUserAgent 64 \
        "${planted_values[HKCU_Run]}"
    check "the Startup-folder shortcut stays where it was" test -f "$startup_folder/TwNotes.lnk"
    check "the binary policy Run value leaves the policy key" value_is "$policy_run_key" TwPolicyAgent 64 ""
    check "the binary policy Run value is kept whole in the program's backup key" \
        value_is "$policy_backup_key" TwPolicyAgent 64 "${planted_values[Policy]}"
    check "TrkWks starts on demand (registry Start 3; Wine's sc has no qc)" service_start_is TrkWks 0x3
    check "WSearch starts on demand (registry Start 3)" service_start_is WSearch 0x3
    check "Spooler, on demand already, is left so and said to be" log_says "$log" '打印后台服务（Spooler）：已是手动启动'
    check "the junk program's leftover folder is gone, read-only file included" test ! -e "$residue"
    check "Documents is whole after phase 2 (the leftovers' link to it is only a shell link)" documents_whole
    check "phase 2 logs the leftover clean-up" log_says "$log" '2345安全卫士 残留清理：删除 1 个残留项'
    check "phase 2 logs the service's former start type" log_says "$log" '[Phase2] 服务 TrkWks 原启动类型: 自动，已设为手动启动'
    check "phase 2 logs the policy entry's move" log_says "$log" '已禁用组策略自启：TwPolicyAgent'
    check "phase 2 logs the shortcut by its file name" log_says "$log" '已禁用开机自启：TwNotes.lnk'
    check "the large-file scan lists the 150 MB file" log_says "$log" 'C:\TwVideos\家庭录像.mp4 (150 MB)'
}

undo_effects() {
    check "undo: every approval value and the keys made for them are gone" approvals_absent
    check "undo: the HKCU Run value is unchanged" value_is "HKCU\\$run_key" TwUserAgent 64 \
        "${planted_values[HKCU_Run]}"
    check "undo: the HKLM Run value is unchanged" value_is "HKLM\\$run_key" TwMachineAgent 64 \
        "${planted_values[HKLM_Run]}"
    check "undo: the WOW6432Node Run value is unchanged" value_is "HKLM\\$run_key" TwMachineAgent32 32 \
        "${planted_values[HKLM_Run32]}"
    check "undo: the policy Run value is back, REG_BINARY with the same bytes" \
        value_is "$policy_run_key" TwPolicyAgent 64 "${planted_values[Policy]}"
    check "undo: the backup copy of the policy value is gone" value_is "$policy_backup_key" TwPolicyAgent 64 ""
    check "undo: TrkWks starts automatically again" service_start_is TrkWks 0x2
    check "undo: WSearch starts automatically again" service_start_is WSearch 0x2
    check "undo: Spooler still starts on demand" service_start_is Spooler 0x3
    check "undo: Documents holds the same files with the same contents" documents_whole
}

phase_two_run() {
    plant_phase2_state
    check "the planted start-up entries, services and leftovers are in place" planted_state_is_there
    local previous
    previous=$(newest_log)
    run_console phase2 --phase2 "$phase2_ids" --json
    check "console phase 2 finishes with every item done (exit code 0)" [ $console_code -eq 0 ]
    check "console phase 2 answers in JSON: every item changed the machine but C9 and H3" \
        phase2_outcomes_are "$e2e/phase2.txt" "$phase2_outcomes"
    local log
    log=$(newest_log)
    [ -n "$log" ] && [ "$log" != "$previous" ] || log=/dev/null
    phase_two_effects "$log"
    run_console phase2-undo --undo --json
    check "console undo of phase 2 finishes (exit code 0)" [ $console_code -eq 0 ]
    check "console undo takes phase 2's record and puts back all of it" \
        undo_restored_phase2 "$e2e/phase2.txt" "$e2e/phase2-undo.txt"
    undo_effects
}

# The result page's height follows its cards: the report button shares its row with the solid blue finish
# button, found down the column through the finish button (x 640).
report_button_y() {
    convert "$1" -crop 1x680+640+0 +repage txt:- | python3 -c '
import re, sys
rows = []
for line in sys.stdin:
    match = re.match(r"0,(\d+): \((\d+),(\d+),(\d+)", line)
    if match:
        y, red, green, blue = map(int, match.groups())
        if blue > 180 and red < 80 and green < 160:
            rows.append(y)
print((rows[0] + rows[-1]) // 2 if rows else 0)
'
}

report_button_x=249

phase2_page_check() {
    local y
    y=$(report_button_y "$shots/end.png")
    xdotool mousemove --window "$window_id" "$report_button_x" "$y" click 1
    sleep 2
    shoot phase2
    check "the result page's report button leads to the phase-2 page" differs "$shots/end.png" "$shots/phase2.png"
}

# ---------------------------------------------------------------------------------------------------
# The Windows 7 face of the prefix: winecfg writes 6.1 build 7601 into both registry views; the number
# values Windows 10 added are removed, as a Windows 7 has none.

windows7_face() {
    local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion' view
    in_prefix winecfg -v win7
    for view in 64 32; do
        in_prefix reg delete "$key" /v CurrentMajorVersionNumber /f "/reg:$view" >/dev/null 2>&1 || true
        in_prefix reg delete "$key" /v CurrentMinorVersionNumber /f "/reg:$view" >/dev/null 2>&1 || true
    done
}

windows7_run() {
    windows7_face
    face="Windows 7: "
    local previous log
    previous=$(newest_log)
    run_console phase2-win7 --phase2 "$startup_ids,C13" --json
    check "console phase 2 finishes (exit code 0)" [ $console_code -eq 0 ]
    check "console phase 2 answers in JSON: the start-up items unchanged, C13 changed" \
        phase2_outcomes_are "$e2e/phase2-win7.txt" "${startup_ids//,/=unchanged }=unchanged C13=changed"
    log=$(newest_log)
    [ -n "$log" ] && [ "$log" != "$previous" ] || log=/dev/null
    check "the run log header says Windows 7 build 7601" grep -q '^系统版本: Win7 (Build 7601)' "$log"
    check "the storage decision line says why none was made" \
        log_says "$log" '存储决策: 未作决策（Windows 7 不调整快速启动和休眠，保持现有设置）'
    check "start-up entries are left alone, saying Windows 7 has no switch" \
        log_says "$log" '自启禁用：Windows 7 没有启动项开关，未作改动：TwUserAgent'
    check "no start-up approval is written (StartupApproved keys stay absent)" approvals_absent
    check "TrkWks starts on demand" service_start_is TrkWks 0x3
    run_console phase2-win7-undo --undo
    check "console undo finishes (exit code 0)" [ $console_code -eq 0 ]
    check "undo: TrkWks starts automatically again" service_start_is TrkWks 0x2
    local shots=$shots/windows7
    window_run
    face=""
}

# ---------------------------------------------------------------------------------------------------
# High DPI: the window in demonstration mode (the start button shows sample results at once) at 175 % and
# 100 % on a 1920 x 1080 screen and at 125 % on a 1366 x 768 laptop screen, each on an X display and in a
# Wine session of its own. Whatever the scale, the whole window must lie on the screen.

# Wine 8 takes the system DPI from the user's desktop settings, where winecfg writes it.
set_log_pixels() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null
}

# Sets X, Y, WIDTH and HEIGHT to the window's geometry on the screen.
read_window_geometry() {
    eval "$(xdotool getwindowgeometry --shell "$window_id")"
}

inside_screen() {
    local screen=$1
    read_window_geometry
    [ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $((X + WIDTH)) -le "${screen%x*}" ] && [ $((Y + HEIGHT)) -le "${screen#*x}" ]
}

# The width of the 860 x 680 window at PERCENT, made smaller where it would not fit on SCREEN (without a
# window manager the work area is the whole screen).
fitted_width() {
    awk -v p="$1" -v w="${2%x*}" -v h="${2#*x}" \
        'BEGIN { f = p / 100; if (w / 860 < f) f = w / 860; if (h / 680 < f) f = h / 680; printf "%d", 860 * f }'
}

within_one_percent() {
    local difference=$(($1 - $2))
    [ $((difference * 100)) -le "$2" ] && [ $((-difference * 100)) -le "$2" ]
}

# Compares two pictures of any size: ImageMagick writes large pixel counts in exponent notation.
pages_differ() {
    local pixels
    pixels=$(compare -metric AE "$1" "$2" null: 2>&1 || true)
    awk -v pixels="${pixels%% *}" 'BEGIN { exit !(pixels + 0 > 20000) }'
}

# Clicks the start button (where 430/425 lies in the 860 x 680 window) until the result page shows. Under
# Wine without a window manager the first click on a freshly shown window is sometimes lost; the button
# only turns pressed.
open_result_page() {
    local name=$1 clicks=0
    while [ $clicks -lt 3 ]; do
        xdotool mousemove --window "$window_id" $((WIDTH * start_x / 860)) $((HEIGHT * start_y / 680))
        sleep 0.3
        xdotool click 1
        # The result page counts its figures up before they stand still.
        sleep 4
        shoot "$name-result"
        pages_differ "$shots/$name-home.png" "$shots/$name-result.png" && return 0
        clicks=$((clicks + 1))
    done
    return 1
}

# scaled_at PERCENT SCREEN: the home and result pages photographed, the window's size and place checked.
scaled_at() {
    local percent=$1 screen=$2 name="dpi-$1-$2" expected
    wineserver -k || true
    wineserver -w || true
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    start_xvfb windows-e2e "$screen"
    wineserver -p
    set_log_pixels $((percent * 96 / 100))
    if ! start_window "$app_windows" cs; then
        check "the window opens at $percent % on $screen" false
        return 0
    fi
    sleep 3
    shoot "$name-home"
    read_window_geometry
    echo "windows-e2e: at $percent % on $screen the window is ${WIDTH}x$HEIGHT at $X,$Y"
    check "the home page lies inside the $screen screen at $percent %" inside_screen "$screen"
    expected=$(fitted_width "$percent" "$screen")
    check "the window is scaled to $expected px wide at $percent % on $screen" within_one_percent "$WIDTH" "$expected"
    check "the start button leads to the result page at $percent %" open_result_page "$name"
    check "the result page lies inside the $screen screen at $percent %" inside_screen "$screen"
    close_window || true
}

high_dpi_run() {
    local started=$SECONDS
    export FONTCONFIG_FILE="$e2e/fonts.conf"
    scaled_at 175 1920x1080
    scaled_at 125 1366x768
    scaled_at 100 1920x1080
    echo "windows-e2e: high DPI $((SECONDS - started)) s"
}

main() {
    install_missing windows-e2e "${packages[@]}"
    local started=$SECONDS
    scripts/windows-build.sh
    echo "windows-e2e: build $((SECONDS - started)) s"
    started=$SECONDS
    start_xvfb windows-e2e 1280x900
    prepare_prefix
    echo "windows-e2e: prefix $((SECONDS - started)) s"
    : >"$e2e/window-output.txt"
    copy_stick
    phase_one
    undo_run
    window_run
    phase_two_run
    read_only_run
    linux_fonts_run
    high_dpi_run
    windows7_run
    echo "windows-e2e: screenshots in $shots ($((SECONDS - started)) s under Wine)"
    echo "windows-e2e: $passed passed, $failed failed"
    [ $failed -eq 0 ]
}

main "$@"
