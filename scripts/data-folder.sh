# Sourced by scripts/run.sh: exports KROVEL_HOME, the folder of the settings file and
# the DATA folder. Unless the caller set it, it is the per-user data folder the
# installed program uses ($XDG_DATA_HOME/Marvolen Krovel/Kelvane), so that removing
# build/ loses nothing.
data_home="${XDG_DATA_HOME:-}"
case "$data_home" in /*) ;; *) data_home="$HOME/.local/share" ;; esac
export KROVEL_HOME="${KROVEL_HOME:-$data_home/Marvolen Krovel/Kelvane}"
