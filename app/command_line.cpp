#include "command_line.h"

#include "printing.h"
#include "program.h"
#include "worksheet_window.h"

#include "plan/plan.h"
#include "report/report.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

// What the program is asked to do instead of opening its window.
struct Options {
    QCommandLineOption summary{QStringLiteral("summary"),
                               QStringLiteral("Print the plan's five figures, each with its breakdown, and its row "
                                              "marks, then exit.")};
    QCommandLineOption compare{QStringLiteral("compare"),
                               QStringLiteral("Compare two plans: the figures, the rows and the breakdown entries "
                                              "that differ. Exits 0 when the figures are the same, 1 when they differ.")};
    QCommandLineOption json{QStringLiteral("json"), QStringLiteral("With --summary or --compare: print JSON.")};
    QCommandLineOption exportPdf{QStringLiteral("export-pdf"),
                                 QStringLiteral("Write the page that Print would print as a PDF file, then exit."),
                                 QStringLiteral("OUT.pdf")};
    QCommandLineOption print{QStringLiteral("print"),
                             QStringLiteral("Print the plan's page on the default printer, then exit.")};
};

void describe(QCommandLineParser& parser, const Options& o)
{
    parser.setApplicationDescription(QStringLiteral(
        "Plans what a small force can carry, tow and supply on one mission.\n"
        "A file that is no plan is reported on standard error, with exit status 2."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({o.summary, o.compare, o.json, o.exportPdf, o.print});
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A plan to open (with --compare: two)."),
                                 QStringLiteral("[FILE...]"));
}

// Whether the command line asks for anything but the window. The options are
// looked for before Qt reads them: which application to make hangs on it.
bool asksForCommand(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--")
            return false;
        for (std::string_view option : {"-h", "--help", "--help-all", "-?", "-v", "--version", "--summary",
                                        "--compare", "--json", "--export-pdf", "--print"})
            if (a == option || (a.size() > option.size() && a.substr(0, option.size()) == option &&
                                a[option.size()] == '='))
                return true;
    }
    return false;
}

void write(FILE* to, const QByteArray& text)
{
    std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), to);
    std::fflush(to);
}

int fail(const QString& why)
{
    write(stderr, QStringLiteral("combat-worksheet: %1\n").arg(why).toUtf8());
    return 2;
}

// Reads each plan; on the first that is no plan, says why as the window's
// message does.
bool openAll(const QStringList& files, std::vector<std::unique_ptr<report::QuietSheet>>& sheets)
{
    for (const QString& file : files) {
        sheets.push_back(std::make_unique<report::QuietSheet>());
        if (const QString why = sheets.back()->open(file); !why.isEmpty()) {
            fail(plan::openFailed(file, why).text);
            return false;
        }
    }
    return true;
}

int page(const QString& file, const Options& o, const QCommandLineParser& parser, int argc, char** argv)
{
    // Without a display the page is drawn on Qt's offscreen platform.
    if (!hasDisplay())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietOffscreenNotes);
    QApplication app(argc, argv);
    setUpApplication();
    std::vector<std::unique_ptr<report::QuietSheet>> read;
    if (!openAll({file}, read))
        return 2;
    WorksheetWindow window;
    // Laid out and drawn as on screen, but never shown there.
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.show();
    if (!window.openPlan(file))
        return 2;
    const QString name = plan::nameOf(file);
    const QString why = parser.isSet(o.exportPdf) ? writePdf(window, parser.value(o.exportPdf), name)
                                                  : printOnDefaultPrinter(window, name);
    return why.isEmpty() ? 0 : fail(why);
}

} // namespace

bool hasDisplay()
{
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

std::optional<int> runCommandLine(int argc, char** argv)
{
    if (!asksForCommand(argc, argv))
        return std::nullopt;
    const Options o;
    QCommandLineParser parser;
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    describe(parser, o);
    {
        // --help and --version print and exit here, before any window.
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Combat Worksheet"));
        QCoreApplication::setApplicationVersion(QStringLiteral(COMBAT_WORKSHEET_VERSION));
        if (!parser.parse(arguments))
            return fail(parser.errorText());
        if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")))
            parser.showHelp(0);
        if (parser.isSet(QStringLiteral("version")))
            parser.showVersion();
    }
    const QStringList files = parser.positionalArguments();
    const int asked = int(parser.isSet(o.summary)) + int(parser.isSet(o.compare)) + int(parser.isSet(o.exportPdf)) +
                      int(parser.isSet(o.print));
    if (asked != 1)
        return fail(QStringLiteral("give one of --summary, --compare, --export-pdf and --print"));
    if (parser.isSet(o.json) && !parser.isSet(o.summary) && !parser.isSet(o.compare))
        return fail(QStringLiteral("--json goes with --summary or --compare"));
    const qsizetype wanted = parser.isSet(o.compare) ? 2 : 1;
    if (files.size() != wanted)
        return fail(wanted == 2 ? QStringLiteral("--compare takes two plans") : QStringLiteral("give one plan"));

    if (parser.isSet(o.exportPdf) || parser.isSet(o.print))
        return page(files.constFirst(), o, parser, argc, argv);

    std::vector<std::unique_ptr<report::QuietSheet>> sheets;
    if (!openAll(files, sheets))
        return 2;
    const bool json = parser.isSet(o.json);
    if (parser.isSet(o.summary)) {
        const worksheet::Sheet& sheet = sheets[0]->sheet();
        write(stdout, json ? report::summaryJson(sheet, files[0]) : QByteArray::fromStdString(report::summaryText(sheet)));
        return 0;
    }
    const report::Comparison c = report::compare(sheets[0]->sheet(), sheets[1]->sheet());
    write(stdout, json ? report::comparisonJson(c, files[0], files[1])
                       : QByteArray::fromStdString(report::comparisonText(c, files[0], files[1])));
    return c.figuresDiffer() ? 1 : 0;
}

QString planToOpen(QCoreApplication& app)
{
    const Options o;
    QCommandLineParser parser;
    describe(parser, o);
    parser.process(app);
    const QStringList files = parser.positionalArguments();
    return files.isEmpty() ? QString() : files.constFirst();
}
