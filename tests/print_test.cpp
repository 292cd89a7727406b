// Print, Exit and closing the window, through the real window. Which printer
// there is comes from outside: CTest runs the no-printer cases against a CUPS
// address where nothing answers, and the printing cases under a private CUPS
// server whose default queue writes PDF files.
#include "app/printing.h"
#include "app/program.h"
#include "app/worksheet_window.h"
#include "tools/gui_input.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
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

QImage renderPdf(const QString& pdf, const QString& outBase)
{
    QProcess pdftoppm;
    pdftoppm.start("pdftoppm", {"-r", "100", "-png", "-singlefile", pdf, outBase});
    if (!pdftoppm.waitForFinished(30000) || pdftoppm.exitCode() != 0)
        return {};
    return QImage(outBase + ".png").convertToFormat(QImage::Format_RGB32);
}

int pdfPages(const QString& pdf)
{
    QProcess pdfinfo;
    pdfinfo.start("pdfinfo", {pdf});
    if (!pdfinfo.waitForFinished(30000))
        return -1;
    for (const QByteArray& line : pdfinfo.readAllStandardOutput().split('\n'))
        if (line.startsWith("Pages:"))
            return line.mid(6).trimmed().toInt();
    return -1;
}

// The part of a page that is not blank paper.
QRect inkBounds(const QImage& page)
{
    QRect bounds;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 250)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

double meanDifference(const QImage& a, const QImage& b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            sum += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y)));
    return sum / (a.width() * a.height());
}

} // namespace

class PrintTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WorksheetWindow> window;
    QTimer modalWatch;
    // Answers the next modal dialogs in turn; a dialog nobody expects fails
    // the test and is closed.
    std::vector<std::function<void(QWidget*)>> answers;
    QStringList unexpected;

    template <class W> W* find(const char* name) { return window->findChild<W*>(QString::fromLatin1(name)); }

    void fillIn()
    {
        QTest::keyClicks(find<QLineEdit>("Text35"), "Hill 112");
        QTest::keyClicks(find<QLineEdit>("Text37"), "7");
        QTest::keyClicks(find<QLineEdit>("Text36"), "Bridge");
        chooseFromPopup(find<QComboBox>("Combo2"), 5);
        QTest::keyClicks(find<QLineEdit>("Text10"), "2");
        QTest::keyClicks(find<QLineEdit>("Text23"), "3");
    }

private slots:
    void init()
    {
        window = std::make_unique<WorksheetWindow>();
        runAsProgram(*window);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        answers.clear();
        unexpected.clear();
        modalWatch.setInterval(10);
        connect(&modalWatch, &QTimer::timeout, this, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || !modal->isVisible())
                return;
            if (answers.empty()) {
                unexpected << modal->windowTitle();
                modal->close();
                return;
            }
            auto answer = answers.front();
            answers.erase(answers.begin());
            answer(modal);
        });
        modalWatch.start();
    }

    void cleanup()
    {
        modalWatch.stop();
        modalWatch.disconnect();
        window.reset();
    }

    void withoutAPrinterThePageCanBeSavedAsPdf()
    {
        QVERIFY2(QPrinterInfo::defaultPrinter().isNull(), "this case needs a machine without a printer");
        fillIn();
        const auto before = stateOf(window->sheet());
        QTemporaryDir dir;
        const QString path = dir.filePath("worksheet.pdf");
        QString title, text, suggested;
        answers.push_back([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            QVERIFY(box);
            title = box->windowTitle();
            text = box->text();
            for (QAbstractButton* b : box->buttons())
                if (b->text().contains("PDF"))
                    b->click();
        });
        answers.push_back([&](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            QVERIFY(dialog);
            suggested = dialog->selectedFiles().value(0);
            // Typed whole into the name field, as a user would, so that the
            // dialog need not have read the folder yet.
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            name->setText(path);
            QTest::keyClick(name, Qt::Key_Return);
        });
        QTest::mouseClick(find<QPushButton>("Command1"), Qt::LeftButton);
        QTRY_VERIFY(answers.empty());
        QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(", ")));
        QCOMPARE(title, QString("Print Error"));
        QVERIFY(text.contains("No printer"));
        QVERIFY(suggested.endsWith("Combat Worksheet.pdf"));
        QVERIFY2(QFileInfo::exists(path), qPrintable(path));
        QCOMPARE(pdfPages(path), 1);
        QVERIFY(stateOf(window->sheet()) == before);
    }

    void withoutAPrinterCancellingChangesNothing()
    {
        fillIn();
        const auto before = stateOf(window->sheet());
        answers.push_back([](QWidget* w) { qobject_cast<QMessageBox*>(w)->button(QMessageBox::Cancel)->click(); });
        QTest::mouseClick(find<QPushButton>("Command1"), Qt::LeftButton);
        QVERIFY(answers.empty());
        QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(", ")));
        QVERIFY(stateOf(window->sheet()) == before);
    }

    void exitEndsTheProgramWithoutAQuestion()
    {
        fillIn();
        QTimer::singleShot(0, this, [this] { QTest::mouseClick(find<QPushButton>("Command3"), Qt::LeftButton); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(", ")));
    }

    void closingTheWindowEndsTheProgramWithoutAQuestion()
    {
        fillIn();
        QTimer::singleShot(0, window.get(), &QWidget::close);
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(", ")));
    }

    void printsTheWindowOnTheDefaultPrinter()
    {
        QVERIFY2(!QPrinterInfo::defaultPrinter().isNull(), "this case needs a default printer");
        const QDir out(QDir::home().filePath("PDF"));
        // Pages printed by this case are the files written from now on.
        const QDateTime start = QDateTime::currentDateTime().addSecs(-1);
        fillIn();
        const auto before = stateOf(window->sheet());
        const QImage onScreen = worksheetImage(*window);

        // Printing twice gives two identical pages.
        QTest::mouseClick(find<QPushButton>("Command1"), Qt::LeftButton);
        QTest::mouseClick(find<QPushButton>("Command1"), Qt::LeftButton);
        QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(", ")));
        QVERIFY(stateOf(window->sheet()) == before);

        QStringList pages;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                pages.clear();
                for (const QFileInfo& f : out.entryInfoList({"*.pdf"}, QDir::Files, QDir::Time | QDir::Reversed))
                    if (f.lastModified() >= start && f.size() > 0 && pdfPages(f.filePath()) == 1)
                        pages << f.filePath();
                return pages.size() == 2;
            }(),
            30000);

        QTemporaryDir dir;
        QImage first = renderPdf(pages[0], dir.filePath("first"));
        const QImage second = renderPdf(pages[1], dir.filePath("second"));
        for (const QString& page : pages)
            QFile::remove(page);
        QVERIFY(!first.isNull());
        QCOMPARE(first.size(), second.size());
        QVERIFY(first == second);
        // A landscape page comes out of CUPS as portrait paper with the
        // content turned a quarter to the left.
        if (first.height() > first.width())
            first = first.transformed(QTransform().rotate(90));

        // The ink on the page has the window's proportions and looks like it.
        const QRect ink = inkBounds(first);
        QVERIFY2(ink.width() > first.width() / 2, "the window fills the page's width");
        const double windowRatio = double(onScreen.width()) / onScreen.height();
        QVERIFY(std::abs(double(ink.width()) / ink.height() - windowRatio) < 0.05);
        const QImage printed = first.copy(ink);
        const QImage expected = onScreen.scaled(ink.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                    .convertToFormat(QImage::Format_RGB32);
        QVERIFY2(meanDifference(printed, expected) < 8, "the page shows the window");
    }
};

QTEST_MAIN(PrintTest)
#include "print_test.moc"
