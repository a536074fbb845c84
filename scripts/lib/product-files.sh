# Shared by scripts/install and scripts/package: which built files make up the product and where
# each one goes. Source after common.sh.

# The standalone app and its desktop entry and icon go by this name; its AppStream description
# by its AppStream ID.
app_name=fha-vimbrel2
appstream_id=example.kvor.fha_vimbrel2

# The build targets that make the product's files.
product_targets=(FHA_Vimbrel2_VST3 FHA_Vimbrel2_LV2 FHA_Vimbrel2_Standalone vimbrel-render)

# copy_if_changed <source file or folder> <destination>: replaces the destination only when it
# differs, and then all at once (a host scanning the folder meanwhile sees the old or the new
# copy, never half of one). Says what it copied.
copy_if_changed() {
    local source=$1 destination=$2
    if [ -d "$source" ]; then
        [ -d "$destination" ] && diff -rq "$source" "$destination" >/dev/null 2>&1 && return 0
    else
        cmp -s "$source" "$destination" && return 0
    fi
    mkdir -p "$(dirname "$destination")"
    rm -rf "$destination.new"
    cp -R --preserve=mode "$source" "$destination.new"
    rm -rf "$destination"
    mv "$destination.new" "$destination"
    echo "  $destination"
}

# place_product <build dir> <VST3 folder> <LV2 folder> <programs folder> <share folder> <app command in the desktop entry>
# Puts the VST3 and LV2 bundles, the standalone app, vimbrel-render, the app's desktop entry
# and its icon into the given folders.
place_product() {
    local build_dir=$1 vst3_dir=$2 lv2_dir=$3 bin_dir=$4 share_dir=$5 app_command=$6
    local artefacts="$build_dir/FHA_Vimbrel2_artefacts/Release"
    local desktop_entry
    desktop_entry=$(mktemp)

    copy_if_changed "$artefacts/VST3/FHA_Vimbrel2.vst3" "$vst3_dir/FHA_Vimbrel2.vst3"
    copy_if_changed "$artefacts/LV2/FHA_Vimbrel2.lv2" "$lv2_dir/FHA_Vimbrel2.lv2"
    copy_if_changed "$artefacts/Standalone/FHA_Vimbrel2" "$bin_dir/$app_name"
    copy_if_changed "$build_dir/tools/vimbrel-render/vimbrel-render" "$bin_dir/vimbrel-render"
    sed "s|^Exec=.*|Exec=$app_command|" "$repo_root/resources/desktop/$app_name.desktop" >"$desktop_entry"
    chmod 644 "$desktop_entry"
    copy_if_changed "$desktop_entry" "$share_dir/applications/$app_name.desktop"
    rm -f "$desktop_entry"
    copy_if_changed "$repo_root/resources/desktop/$app_name.png" "$share_dir/icons/hicolor/96x96/apps/$app_name.png"
}
