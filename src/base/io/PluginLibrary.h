// The program's plugins: shared libraries built with it that hold what only some
// sessions need (playing sounds, printing), so that the window starts without the Qt
// modules behind them. Each links Qt alone and has one entry point, an extern "C"
// function that makes its object. They live in lib/krovel/plugins beside the program's
// bin folder, in the build tree and in the installed tree alike.
#pragma once

#include <QString>
#include <QtGlobal>

#include "base/core/Status.h"

namespace krovel {

// The folder the plugins are loaded from: lib/krovel/plugins beside the bin folder,
// unless SetPluginFolder chose another (empty: that one again).
QString PluginFolder();
void SetPluginFolder(const QString& folder);

// The entry point `symbol` of the plugin `name` (the file <name>.so in the plugin
// folder) into `entry`. The library stays loaded for the rest of the run. A failure
// with the loader's reason, `entry` null, when it cannot be loaded.
Status PluginEntry(const char* name, const char* symbol, QFunctionPointer& entry);

} // namespace krovel
