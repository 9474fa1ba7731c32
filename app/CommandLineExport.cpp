#include "app/CommandLineExport.h"

#include "app/AppSettings.h"
#include "app/IniFile.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/io/ExportArea.h"
#include "canvas/io/OutputFormat.h"
#include "canvas/io/SameFile.h"
#include "canvas/io/TextFile.h"
#include "view/ImageExport.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <cstring>

namespace {

struct CExportRequest {
    QString output, input;
    int size = -1; // the canvas's own
    bool transparent = false;
    EExportArea area = EExportArea::Canvas;
    const COutputFormat* format = nullptr;
};

// The formats' names, or the suffixes, joined with `separator`.
QString FormatList(bool names, const char* separator) {
    QStringList list;
    for (const COutputFormat& format : WindowOutputFormats()) {
        const QString item = QString::fromLatin1(names ? format.name : format.suffix);
        if (!list.contains(item)) list << item;
    }
    return list.join(QString::fromLatin1(separator));
}

int UsageError(const QString& message) {
    QTextStream(stderr) << "tavik: " << message << "\n" << CommandLineUsage();
    return 2;
}

// Parses the arguments after the program name; an empty string on success,
// otherwise the message.
QString Parse(const QStringList& args, CExportRequest& r) {
    WindowOutputFormats(); // every row with its writer
    QStringList seen;      // each option once: which of two would count is a guess
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a.startsWith(QLatin1String("--"))) {
            if (seen.contains(a)) return QStringLiteral("%1 is given more than once").arg(a);
            seen << a;
        }
        if (a == QLatin1String("--export")) {
            if (i + 1 >= args.size())
                return QStringLiteral("--export needs an output file and an input file");
            r.output = args[++i];
        } else if (a == QLatin1String("--size")) {
            // One digit, nothing around it: no blanks, no sign.
            const QString n = i + 1 < args.size() ? args[++i] : QString();
            if (n.size() != 1 || n[0] < QLatin1Char('0') || n[0] > QLatin1Char('0' + kMaxFontSize))
                return QStringLiteral("--size takes 0 to %1").arg(kMaxFontSize);
            r.size = n[0].unicode() - '0';
        } else if (a == QLatin1String("--area")) {
            // A file keeps no selection, so only the whole canvas or the used area.
            const QString v = i + 1 < args.size() ? args[++i] : QString();
            if (v == QLatin1String("canvas"))
                r.area = EExportArea::Canvas;
            else if (v == QLatin1String("used"))
                r.area = EExportArea::Used;
            else
                return QStringLiteral("--area takes canvas or used");
        } else if (a == QLatin1String("--transparent")) {
            r.transparent = true;
        } else if (a == QLatin1String("--format")) {
            const QString name = i + 1 < args.size() ? args[++i] : QString();
            r.format = FindOutputFormat(name.toStdString());
            if (!r.format) return QStringLiteral("--format takes ") + FormatList(true, ", ");
        } else if (a.startsWith(QLatin1String("--")) || !r.input.isEmpty()) {
            return QStringLiteral("unexpected argument: ") + a;
        } else {
            r.input = a;
        }
    }
    if (r.output.isEmpty()) return QStringLiteral("--export needs an output file");
    if (r.input.isEmpty()) return QStringLiteral("--export needs an input file");
    // Canvas files are text too: a text output is written only when asked for by
    // name, so that swapped file names never write over the input's kind.
    const bool named = r.format != nullptr;
    if (!r.format) r.format = OutputFormatForPath(r.output.toStdString());
    if (r.format && !named && std::strcmp(r.format->suffix, "txt") == 0)
        return QStringLiteral("a .txt output needs --format txt, narrow or ascii: ") + r.output;
    if (!r.format)
        return QStringLiteral("the file's name must end in .") + FormatList(false, ", .") + ": " +
               r.output;
    if (QFileInfo(r.output).suffix().compare(QString::fromLatin1(r.format->suffix),
                                             Qt::CaseInsensitive) != 0)
        return QStringLiteral("a %1 file's name must end in .%2: ")
                   .arg(QString::fromLatin1(r.format->name),
                        QString::fromLatin1(r.format->suffix)) +
               r.output;
    // The same file under another name (a hard or symbolic link) counts too.
    if (IsSameFile(QFile::encodeName(r.input).toStdString(),
                   QFile::encodeName(r.output).toStdString()))
        return QStringLiteral("the export would replace the input file");
    return QString();
}

} // namespace

// Asked of argv before QApplication exists: an export chooses its platform first.
bool IsExportCommandLine(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--export") == 0) return true;
    return false;
}

QString CommandLineUsage() {
    return QStringLiteral(
        "usage: tavik [FILE.txt]\n"
        "       tavik --export OUT [--format F] [--size N] [--area canvas|used] [--transparent]\n"
        "             INPUT.txt\n"
        "  --export   write the canvas of INPUT.txt to OUT and exit, without a window; the\n"
        "             format follows the extension (.png .svg .pdf .md .txt)\n"
        "  --format F png, svg, pdf, md (a fenced block of half-width box drawing for\n"
        "             Markdown), or text with txt (full-width box drawing), narrow\n"
        "             (half-width, UTF-8) or ascii (+ - = |)\n"
        "  --size N   character size 0 to 5, as in the canvas settings (default: the\n"
        "             default size of new canvases, 2 unless changed); the cell edge is\n"
        "             that size's at 96 dpi\n"
        "  --area A   canvas: the whole canvas (default); used: only the rectangle holding\n"
        "             the non-blank cells, with no margin (refused for a blank canvas)\n"
        "  --transparent  PNG and SVG: no white background\n"
        "  --help     this text\n"
        "Each option may be given once.\n");
}

int ExportFromCommandLine(const QStringList& args, const QString& settingsPath) {
    CExportRequest request;
    const QString problem = Parse(args, request);
    if (!problem.isEmpty()) return UsageError(problem);
    // The canvas a file opens into starts from the defaults of the settings file.
    // A settings file that is not one gives the defaults.
    CIniFile ini;
    CAppSettings settings;
    if (ini.Load(QFile::encodeName(settingsPath).toStdString()) && ini.IsWellFormed())
        settings.LoadCanvasDefaults(ini);
    CRuvlenDoc doc(settings.Defaults());
    std::string error;
    if (!LoadDocumentFile(doc, request.input.toStdString(), error)) {
        QTextStream(stderr) << "tavik: " << QString::fromStdString(error) << "\n";
        return 1;
    }
    COutputRequest out;
    out.fontSize = request.size >= 0 ? request.size : doc.m_nFontSize;
    out.transparent = request.transparent;
    const bool ok = ExportAreaRect(doc, request.area, out.cells, error) &&
                    request.format->writer(doc, out, request.output.toStdString(), error);
    if (!ok) {
        QTextStream(stderr) << "tavik: " << QString::fromStdString(error) << "\n";
        return 1;
    }
    return 0;
}
