// Print, Export as PDF, the menu, Exit and closing the window, through the
// program's window. Which printer there is comes from outside: CTest runs the
// no-printer cases against a CUPS address where nothing answers, and the
// printing case under a private CUPS server whose default queue writes PDF
// files into the folder named by WORKSHEET_PRINTED_PDFS.
#include "app/message_box.h"
#include "app/printing.h"
#include "app/program.h"
#include "app/worksheet_window.h"
#include "tools/gui_input.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <optional>
#include <vector>

using namespace worksheet;

namespace {

// Everything the user can see or the handlers keep, to show that an action
// changed nothing.
std::vector<std::string> stateOf(const Sheet& sheet)
{
    std::vector<std::string> out;
    for (std::uint16_t i = 0; i < controlCount; ++i) {
        const Control c{i};
        out.push_back(sheet.text(c) + (sheet.enabled(c) ? "|e" : "|d") + (sheet.visible(c) ? "v" : "h") +
                      (sheet.checked(c) ? "x" : "o"));
    }
    return out;
}

QByteArray run(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.start(program, arguments);
    return p.waitForFinished(30000) && p.exitCode() == 0 ? p.readAllStandardOutput() : QByteArray();
}

// One page of white paper in the orientation chosen for the worksheet, the
// worksheet filling it one way, drawn as text and lines: no image of more
// than a small part of the page.
void checkPrintedPage(const QString& pdf, std::optional<QPageLayout::Orientation> orientation)
{
    QVERIFY2(run("pdfinfo", {pdf}).contains("Pages:           1\n"), qPrintable(pdf));
    // page num type width height ...
    for (const QByteArray& line : run("pdfimages", {"-list", pdf}).split('\n').mid(2)) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() > 4)
            QVERIFY2(fields[3].toInt() * fields[4].toInt() < 200 * 100, line.constData());
    }
    QTemporaryDir dir;
    run("pdftoppm", {"-r", "20", "-png", "-singlefile", pdf, dir.filePath("page")});
    const QImage page(dir.filePath("page.png"));
    QVERIFY(!page.isNull());
    if (orientation)
        QCOMPARE(page.width() > page.height(), *orientation == QPageLayout::Landscape);
    int white = 0;
    QRect ink;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            if (qGray(page.pixel(x, y)) >= 245)
                ++white;
            else
                ink |= QRect(x, y, 1, 1);
        }
    QVERIFY2(white > page.width() * page.height() * 3 / 4, "the paper stays white");
    QVERIFY2(std::max(double(ink.width()) / page.width(), double(ink.height()) / page.height()) > 0.8,
             "the worksheet fills the page");
}

} // namespace

class PrintTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ProgramWindow> program;
    QString suggested;
    QString chosen;

    QPageLayout::Orientation chosenOrientation()
    {
        return bestOrientation(QPrinter(), printedExtent(program->worksheet()).size());
    }

    template <class W> W* find(const char* name)
    {
        return program->worksheet().findChild<W*>(QString::fromLatin1(name));
    }
    QAction* action(const QString& text)
    {
        for (QAction* a : program->menuBar()->findChildren<QAction*>())
            if (a->text().remove('&').startsWith(text))
                return a;
        return nullptr;
    }

    // The header, a mission and a truck row, as on a page worth printing.
    QStringList fillIn()
    {
        QTest::keyClicks(find<QLineEdit>("Text35"), "Hill 112");
        QTest::keyClicks(find<QLineEdit>("Text36"), "Bridge");
        chooseFromPopup(find<QComboBox>("Combo2"), 5);
        QTest::keyClicks(find<QLineEdit>("Text10"), "2");
        auto* truck = find<QComboBox>("Combo33");
        chooseFromPopup(truck, 2);
        return {"Attack From:", "Attack On", "Mission Type", "Hill 112", "Bridge", truck->currentText(), "printed"};
    }

private slots:
    void init()
    {
        MessageBox::answerInsteadOfShowing();
        MessageBox::takeAsked();
        suggested.clear();
        chosen.clear();
        setPdfFileChooser([this](const QString& s) {
            suggested = s;
            return chosen;
        });
        program = std::make_unique<ProgramWindow>();
        program->show();
        QVERIFY(QTest::qWaitForWindowExposed(program.get()));
    }

    void cleanup()
    {
        program.reset();
        QVERIFY(MessageBox::takeAsked().empty());
    }

    void withoutAPrinterThePageCanBeSavedAsPdf()
    {
        QVERIFY2(QPrinterInfo::defaultPrinter().isNull(), "this case needs a machine without a printer");
        const QStringList texts = fillIn();
        const auto before = stateOf(program->worksheet().sheet());
        // Cancelled, the message changes nothing.
        QTest::keyClick(program.get(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(MessageBox::takeAsked().size(), 1u);
        QVERIFY(suggested.isEmpty() && program->statusBar()->currentMessage().isEmpty());
        QTemporaryDir dir;
        chosen = dir.filePath("worksheet"); // the dialog's name field, without the suffix
        MessageBox::setNextAnswer(MessageBox::Answer::SaveAsPdf);
        QTest::mouseClick(find<QPushButton>("Command1"), Qt::LeftButton);

        const auto asked = MessageBox::takeAsked();
        QCOMPARE(asked.size(), 1u);
        QCOMPARE(asked[0].title, QString("Print Error"));
        QVERIFY(asked[0].text.contains("No printer"));
        QCOMPARE(QFileInfo(suggested).fileName(), QString("Combat Worksheet.pdf"));
        QVERIFY(suggested.startsWith(QDir::homePath()));
        const QString pdf = chosen + ".pdf";
        QVERIFY(program->statusBar()->currentMessage().contains(pdf));
        checkPrintedPage(pdf, chosenOrientation());
        const QString text = QString::fromUtf8(run("pdftotext", {"-layout", pdf, "-"}));
        for (const QString& t : texts)
            QVERIFY2(text.contains(t), qPrintable(t + " is not on the page:\n" + text));
        QVERIFY(stateOf(program->worksheet().sheet()) == before);
    }

    void undoAndRedoInTheMenuFollowTheHistory()
    {
        QAction* undo = action("Undo");
        QAction* redo = action("Redo");
        QVERIFY(undo && redo);
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());
        QTest::keyClicks(find<QLineEdit>("Text35"), "Hill");
        QVERIFY(undo->isEnabled() && !redo->isEnabled());
        undo->trigger();
        QCOMPARE(find<QLineEdit>("Text35")->text(), QString());
        QVERIFY(!undo->isEnabled() && redo->isEnabled());
        // The keys still reach the worksheet's own shortcut, not two owners.
        QTest::keyClick(find<QLineEdit>("Text35"), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(find<QLineEdit>("Text35")->text(), QString("Hill"));
    }

    // The offscreen screen (800 x 600) is smaller than the worksheet: the
    // window keeps to it and scrolls.
    void theWindowKeepsToItsScreen()
    {
        const QSize room = program->screen()->availableGeometry().size();
        QVERIFY(program->width() <= room.width() && program->height() <= room.height());
        QVERIFY(program->worksheet().sizeHint().height() > room.height());
    }

    void aboutNamesTheVersion()
    {
        action("About")->trigger();
        const auto asked = MessageBox::takeAsked();
        QCOMPARE(asked.size(), 1u);
        QVERIFY(asked[0].text.contains(COMBAT_WORKSHEET_VERSION));
    }

    void exitEndsTheProgramWithoutAQuestion()
    {
        fillIn();
        QTimer::singleShot(0, this, [this] { QTest::mouseClick(find<QPushButton>("Command3"), Qt::LeftButton); });
        QCOMPARE(QApplication::exec(), 0);
    }

    void printsTheWorksheetOnTheDefaultPrinter()
    {
        QVERIFY2(!QPrinterInfo::defaultPrinter().isNull(), "this case needs a default printer");
        const QDir out(qEnvironmentVariable("WORKSHEET_PRINTED_PDFS"));
        QVERIFY2(out.exists(), "WORKSHEET_PRINTED_PDFS names the queue's folder");
        fillIn();
        const auto before = stateOf(program->worksheet().sheet());
        // With the focus in a box: no ring is printed and the focus stays.
        find<QLineEdit>("Text36")->setFocus();
        QTest::keyClick(program.get(), Qt::Key_P, Qt::ControlModifier);
        QVERIFY(find<QLineEdit>("Text36")->hasFocus());
        QVERIFY(stateOf(program->worksheet().sheet()) == before);

        QStringList pages;
        QTRY_VERIFY_WITH_TIMEOUT((pages = out.entryList({"*.pdf"}, QDir::Files)).size() == 1, 30000);
        QTRY_VERIFY_WITH_TIMEOUT(run("pdfinfo", {out.filePath(pages[0])}).contains("Pages:"), 30000);
        // The queue turns the page into PostScript and back, which keeps
        // the glyphs' shapes but not which letters they are, and puts a
        // landscape page on portrait paper turned: the texts and the
        // orientation are checked on the exported page, drawn by the same
        // code.
        checkPrintedPage(out.filePath(pages[0]), std::nullopt);
    }
};

QTEST_MAIN(PrintTest)
#include "print_test.moc"
