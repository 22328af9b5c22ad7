#include "referencebars.h"
#include "window/drawingsurface.h"
#include "window/form1.h"
#include "window/listbox.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace tintwright;

namespace {

const QString tooManySteps = QStringLiteral("Too many steps! At most 16777216.");

// The window with its messages collected instead of shown.
struct Window {
    QStringList messages;
    Form1 form{[this](const QString& text) { messages << text; }};

    ListBox& list() { return *form.findChild<ListBox*>("List1"); }
    QImage preview() { return form.findChild<DrawingSurface*>("Picture1")->picture(); }
    QPlainTextEdit& output() { return *form.findChild<QPlainTextEdit*>("Text1"); }
    QLineEdit& field(const char* name) { return *form.findChild<QLineEdit*>(name); }
    void press(const char* button) { form.findChild<QPushButton*>(button)->click(); }
    void select(int row) { list().setCurrentRow(row); }
    QStringList entries() {
        QStringList texts;
        for (int i = 0; i < list().entryCount(); ++i) {
            texts << list().entryText(i);
        }
        return texts;
    }
    QImage expectedPreview(const QStringList& entries, int steps) {
        return referencePicture(*form.findChild<DrawingSurface*>("Picture1"), entries, steps);
    }
};

} // namespace

class CommandsTest : public QObject {
    Q_OBJECT

private slots:
    void startupState() {
        Window window;
        QCOMPARE(window.entries(), startupEntries());
        QCOMPARE(window.list().selectedIndex(), -1);
        for (const char* name : {"Text2", "Text3", "Text4"}) {
            QCOMPARE(window.field(name).text(), "0");
        }
        QCOMPARE(window.field("Text5").text(), "64");
        QCOMPARE(window.field("Text6").text(), "");
        QCOMPARE(window.output().toPlainText(), "");

        const QImage picture = window.preview();
        QCOMPARE(picture, window.expectedPreview(startupEntries(), 64));
        QCOMPARE(picture.pixel(0, picture.height() / 2), qRgb(255, 0, 0));
        // The fifth stop, blue, lies two thirds of the way along.
        const QRgb blue = picture.pixel(picture.width() * 2 / 3, picture.height() / 2);
        QVERIFY(qBlue(blue) == 255 && qRed(blue) < 32 && qGreen(blue) < 32);
    }

    void generateArrayWritesTheWorkedExample() {
        QFile golden(TINTWRIGHT_TEST_DATA "/startup-64.c");
        QVERIFY(golden.open(QIODevice::ReadOnly));
        const QStringList expected = QString::fromLatin1(golden.readAll()).split("\r\n");
        QCOMPARE(expected.size(), 9);
        Window window;
        window.output().setPlainText("earlier text");

        for (int press = 0; press < 2; ++press) {
            window.press("Command1");
            // Each CRLF shows as one line break, and a second press replaces the text.
            QCOMPARE(window.output().toPlainText().split('\n'), expected);
            QCOMPARE(window.output().document()->blockCount(), expected.size());
        }
        QVERIFY(window.messages.isEmpty());
    }

    void generateAndRecalculateEachTouchOnlyTheirOwnOutput() {
        Window window;
        const QImage startupPicture = window.preview();
        window.field("Text5").setText("8");
        window.press("Command1");
        QCOMPARE(window.preview(), startupPicture);
        const QString text = window.output().toPlainText();
        QVERIFY(text.contains("u16 myGradient[8] = {"));

        window.field("Text5").setText("3");
        window.press("Command5");
        QCOMPARE(window.output().toPlainText(), text);
        QCOMPARE(window.preview(), window.expectedPreview(startupEntries(), 3));
    }

    void listCommands_data() {
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("entriesAfter");
        QTest::addColumn<int>("selectedAfter");
        const QStringList startup = startupEntries();
        const auto swapped = [&](int a, int b) {
            QStringList entries = startup;
            entries.swapItemsAt(a, b);
            return entries;
        };
        const auto without = [&](int index) {
            QStringList entries = startup;
            entries.removeAt(index);
            return entries;
        };
        const QStringList added = QStringList(startup) << "(0,0,0) ";
        for (const char* button : {"Command2", "Command6", "Command7"}) {
            QTest::addRow("%s without selection", button)
                << -1 << button << "No item selected" << startup << -1;
        }
        QTest::newRow("move up first") << 0 << "Command6"
                                       << "Can't move up!" << startup << 0;
        QTest::newRow("move down last") << 6 << "Command7"
                                        << "Can't move down!" << startup << 6;
        QTest::newRow("move up") << 2 << "Command6"
                                 << "" << swapped(1, 2) << 1;
        QTest::newRow("move up last") << 6 << "Command6"
                                      << "" << swapped(5, 6) << 5;
        QTest::newRow("move down") << 2 << "Command7"
                                   << "" << swapped(2, 3) << 3;
        QTest::newRow("move down first") << 0 << "Command7"
                                         << "" << swapped(0, 1) << 1;
        QTest::newRow("remove first") << 0 << "Command2"
                                      << "" << without(0) << -1;
        QTest::newRow("remove middle") << 3 << "Command2"
                                       << "" << without(3) << -1;
        QTest::newRow("remove last") << 6 << "Command2"
                                     << "" << without(6) << -1;
        QTest::newRow("add start-up fields") << -1 << "Command3"
                                             << "" << added << -1;
        QTest::newRow("add keeps selection") << 4 << "Command3"
                                             << "" << added << 4;
    }
    void listCommands() {
        QFETCH(int, selected);
        QFETCH(QString, button);
        QFETCH(QString, message);
        QFETCH(QStringList, entriesAfter);
        QFETCH(int, selectedAfter);
        Window window;
        if (selected >= 0) {
            window.select(selected);
        } else {
            // A row can be current without being selected; that is no selection.
            window.list().setCurrentRow(1, QItemSelectionModel::NoUpdate);
        }
        const QImage before = window.preview();

        window.press(qPrintable(button));

        QCOMPARE(window.messages, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(window.entries(), entriesAfter);
        QCOMPARE(window.list().selectedIndex(), selectedAfter);
        QCOMPARE(window.preview(),
                 message.isEmpty() ? window.expectedPreview(entriesAfter, 64) : before);
    }

    void addItemComposesRedGreenBlueName() {
        Window window;
        window.field("Text2").setText(" 1");
        window.field("Text3").setText("3");
        window.field("Text4").setText("2x");
        window.field("Text6").setText("My name ");
        window.press("Command3");
        QCOMPARE(window.entries().last(), "( 1,2x,3) My name ");
        QCOMPARE(window.field("Text6").text(), "My name ");
    }

    void moveUpThenDownRestoresListAndSelection() {
        Window window;
        window.select(3);
        window.press("Command6");
        window.press("Command7");
        QCOMPARE(window.entries(), startupEntries());
        QCOMPARE(window.list().selectedIndex(), 3);
    }

    void removingDownToOneEntryKeepsTheLastPicture() {
        Window window;
        window.output().setPlainText("kept");
        while (window.list().entryCount() > 2) {
            window.select(0);
            window.press("Command2");
        }
        const QImage twoStops = window.preview();
        window.select(0);
        window.press("Command2");
        QCOMPARE(window.preview(), twoStops);

        // With one entry both commands do nothing, before even reading the step field.
        window.field("Text5").setText("1e9");
        window.press("Command1");
        window.press("Command5");
        QCOMPARE(window.output().toPlainText(), "kept");
        QCOMPARE(window.preview(), twoStops);
        QVERIFY(window.messages.isEmpty());

        window.select(0);
        window.press("Command2");
        QCOMPARE(window.list().entryCount(), 0);
        window.press("Command2");
        QCOMPARE(window.messages, QStringList{"No item selected"});
    }

    void stepLimit_data() {
        QTest::addColumn<QString>("steps");
        QTest::newRow("one past the limit") << "16777217";
        QTest::newRow("negative past the limit") << "-16777217";
        QTest::newRow("hexadecimal past the limit") << "&H1000001";
        QTest::newRow("beyond a double") << "1e400";
    }
    void stepLimit() {
        QFETCH(QString, steps);
        Window window;
        window.output().setPlainText("kept");
        const QImage before = window.preview();
        window.field("Text5").setText(steps);

        window.press("Command1");
        window.press("Command5");
        QCOMPARE(window.messages, (QStringList{tooManySteps, tooManySteps}));
        QCOMPARE(window.output().toPlainText(), "kept");

        // A list edit still happens; only its redraw is skipped, silently.
        window.press("Command3");
        QCOMPARE(window.list().entryCount(), 8);
        QCOMPARE(window.messages.size(), 2);
        QCOMPARE(window.preview(), before);
    }

    void messageBoxIsModalWithOkOnly() {
        Form1 form;
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::Warning;
        QMessageBox::StandardButtons buttons;
        qsizetype buttonCount = 0;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                title = box->windowTitle();
                text = box->text();
                icon = box->icon();
                buttons = box->standardButtons();
                buttonCount = box->buttons().size();
                box->accept();
            }
        });
        form.findChild<QPushButton*>("Command2")->click();
        QCOMPARE(title, "Tintwright");
        QCOMPARE(text, "No item selected");
        QCOMPARE(icon, QMessageBox::NoIcon);
        QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(buttonCount, 1);
    }
};

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
