# Sourced by the scripts that run Wine: the fixed environment of every test run.
# Expects build_dir to be set to the build tree.
export WINEPREFIX="$(realpath -m "$build_dir")/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# Gives the ANSI code page 1254, the widget's home code page.
export LANG=tr_TR.UTF-8
export WINE=/usr/lib/wine/wine64
export WINESERVER=/usr/lib/wine/wineserver
