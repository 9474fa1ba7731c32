#pragma once

#include <QStringList>

// `tavik --export OUT [--format F] [--size N] [--area canvas|used]
// [--transparent] INPUT.txt`: writes a canvas file in one of the output formats
// (canvas/io/OutputFormat.h) without showing a window. Returns the exit
// status (0 done, 1 the file could not be read or written, 2 a usage error);
// messages go to standard error.
int ExportFromCommandLine(const QStringList& args, const QString& settingsPath);

// True when the arguments ask for an export (so no display is needed).
bool IsExportCommandLine(int argc, char* argv[]);

// The usage text of `tavik --help`.
QString CommandLineUsage();
