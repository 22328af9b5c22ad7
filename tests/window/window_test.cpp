#include "engine/colourentry.h"
#include "engine/gradientsampler.h"
#include "window/designerwindow.h"
#include "window/listbox.h"
#include "window/preview.h"
#include "window/wrappingbutton.h"

#include <QTest>
#include <QtWidgets>

using namespace tintwright;

const QStringList startup = [] {
    QStringList entries;
    for (const std::string& entry : startupStops) {
        entries << QString::fromStdString(entry);
    }
    return entries;
}();

// The picture a fresh preview like `like` shows after drawing `entries` at `steps` steps.
QImage drawn(const Preview& like, const QStringList& entries, int steps) {
    Preview preview;
    preview.resize(like.size());
    preview.setPixelRatio(like.pixelRatio());
    std::vector<std::string> texts;
    for (const QString& entry : entries) {
        texts.push_back(entry.toStdString());
    }
    preview.drawGradient(GradientSampler(texts, steps));
    return preview.picture();
}

// The window with its messages collected instead of shown.
struct Window {
    QStringList messages;
    DesignerWindow form{[this](const QString& text) { messages << text; }};

    ListBox& list() { return *form.findChild<ListBox*>("List1"); }
    QLineEdit& field(const char* name) { return *form.findChild<QLineEdit*>(name); }
    QPlainTextEdit& output() { return *form.findChild<QPlainTextEdit*>("Text1"); }
    Preview& preview() { return *form.findChild<Preview*>("Picture1"); }
    void press(const char* button) { form.findChild<QPushButton*>(button)->click(); }
    QStringList entries() {
        QStringList texts;
        for (int row = 0; row < list().entryCount(); ++row) {
            texts << list().entryText(row);
        }
        return texts;
    }
    QImage shows(const QStringList& entries, int steps) { return drawn(preview(), entries, steps); }
};

// Buttons: Command1 Generate Array, Command2 Remove Selected Item, Command3 Add Item,
// Command4 Exit, Command5 Recalculate Gradient, Command6 Move Up, Command7 Move Down.
class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void startUpShowsTheSevenStopsUnselected() {
        Window window;
        QCOMPARE(window.entries(), startup);
        QCOMPARE(window.list().selectedIndex(), -1);
        const QImage picture = window.preview().picture();
        QCOMPARE(picture, window.shows(startup, 64));
        // What the preview paints on screen is its retained picture.
        const QImage shown = window.preview().grab(window.preview().contentsRect()).toImage();
        QCOMPARE(shown.convertToFormat(QImage::Format_RGB32), picture);
    }

    void generateAndRecalculateEachWriteTheirOwnOutput() {
        Window window;
        QFile golden(TINTWRIGHT_TEST_DATA "/startup-64.c");
        QVERIFY(golden.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromLatin1(golden.readAll()).split("\r\n");
        // Each CRLF shows as one line break, and a second press replaces the text.
        for (int press = 0; press < 2; ++press) {
            window.press("Command1");
            QCOMPARE(window.output().toPlainText().split('\n'), lines);
        }
        window.field("Text5").setText("3");
        window.press("Command1");
        QCOMPARE(window.preview().picture(), window.shows(startup, 64));
        window.output().setPlainText("kept");
        window.press("Command5");
        QCOMPARE(window.preview().picture(), window.shows(startup, 3));
        QCOMPARE(window.output().toPlainText(), "kept");
    }

    void oneEntryAndTheStepLimitChangeNothing() {
        Window window;
        window.field("Text5").setText("3");
        window.output().setPlainText("kept");
        // Removing down to one entry leaves the picture of the last two. With one entry
        // Generate and Recalculate do nothing, before even reading the step count.
        while (window.list().entryCount() > 1) {
            window.list().setSelectedIndex(0);
            window.press("Command2");
        }
        window.field("Text5").setText("16777217");
        window.press("Command1");
        window.press("Command5");

        // Add takes red, green, blue and name from Text2, Text4, Text3 and Text6, whole.
        const QString megabyte(1 << 20, '9');
        window.field("Text2").setText(" 1");
        window.field("Text3").setText("3");
        window.field("Text4").setText("2x");
        window.field("Text6").setText(megabyte);
        window.press("Command3");
        QCOMPARE(window.entries(), (QStringList{startup.last(), "( 1,2x,3) " + megabyte}));

        // With two entries, Generate and Recalculate refuse the step count.
        window.press("Command1");
        window.press("Command5");
        QCOMPARE(window.messages, QStringList(2, "Too many steps! At most 16777216."));
        QCOMPARE(window.output().toPlainText(), "kept");
        QCOMPARE(window.preview().picture(), window.shows(startup.last(2), 3));
    }

    void listCommands_data() {
        QTest::addColumn<QString>("buttons");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("selectedAfter");
        QTest::addColumn<QStringList>("entriesAfter");
        for (const char* button : {"Command2", "Command6", "Command7"}) {
            QTest::addRow("%s without selection", button)
                << button << -1 << "No item selected" << -1 << startup;
        }
        QTest::newRow("move up first") << "Command6" << 0 << "Can't move up!" << 0 << startup;
        QTest::newRow("move down last") << "Command7" << 6 << "Can't move down!" << 6 << startup;
        QTest::newRow("move up then down") << "Command6 Command7" << 3 << "" << 3 << startup;
        QTest::newRow("remove last") << "Command2" << 6 << "" << -1 << startup.first(6);
        QTest::newRow("remove middle") << "Command2" << 3 << "" << -1
                                       << startup.first(3) + startup.last(3);
        QTest::newRow("add") << "Command3" << 4 << "" << 4 << startup + QStringList{"(0,0,0) "};
    }
    void listCommands() {
        QFETCH(QString, buttons);
        QFETCH(int, selected);
        QFETCH(QString, message);
        QFETCH(int, selectedAfter);
        QFETCH(QStringList, entriesAfter);
        Window window;
        window.list().setSelectedIndex(selected);
        // Without a selection row 1 is current, which counts for nothing.
        window.list().setCurrentRow(selected < 0 ? 1 : selected, QItemSelectionModel::NoUpdate);
        for (const QString& button : buttons.split(' ')) {
            window.press(qPrintable(button));
        }
        QCOMPARE(window.messages, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(window.list().selectedIndex(), selectedAfter);
        QCOMPARE(window.entries(), entriesAfter);
        QCOMPARE(window.preview().picture(), window.shows(entriesAfter, 64));
    }

    void captionsFitFocusGoesRoundAndMessagesAreBoxes() {
        DesignerWindow form;
        // Every caption fits its control whole with the font in use; only "Remove Selected
        // Item" takes two lines.
        for (const QWidget* control : form.findChildren<QWidget*>()) {
            QRect area = control->contentsRect();
            int flags = WrappingButton::captionFlags;
            if (const auto* label = qobject_cast<const QLabel*>(control)) {
                flags = static_cast<int>(label->alignment());
            } else if (qobject_cast<const WrappingButton*>(control)) {
                QStyleOptionButton option;
                option.initFrom(control);
                area = control->style()->subElementRect(QStyle::SE_PushButtonContents, &option,
                                                        control);
            } else {
                continue;
            }
            const QString caption = control->property("text").toString();
            const QFontMetrics metrics(control->font());
            const QRect needed = metrics.boundingRect(area, flags, caption);
            QVERIFY2(area.contains(needed), qPrintable(caption));
            QCOMPARE(needed.height() / metrics.height(), caption == "Remove Selected Item" ? 2 : 1);
        }

        QStringList order;
        for (QWidget* next = form.findChild<QWidget*>("Picture1"); order.size() < 15;
             next = next->nextInFocusChain()) {
            if (next->parentWidget() == &form && (next->focusPolicy() & Qt::TabFocus)) {
                order << next->objectName();
            }
        }
        QCOMPARE(order, (QStringList{"Picture1", "List1", "Text1", "Command1", "Command2",
                                     "Command3", "Text2", "Text3", "Text4", "Command4", "Text5",
                                     "Command5", "Command6", "Command7", "Text6"}));

        QTimer::singleShot(0, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            box->accept();
            QCOMPARE(box->windowTitle(), "Tintwright");
            QCOMPARE(box->text(), "No item selected");
            QCOMPARE(box->icon(), QMessageBox::NoIcon);
            QCOMPARE(box->standardButtons(), QMessageBox::Ok);
        });
        form.findChild<QPushButton*>("Command2")->click();
        form.show();
        form.findChild<QPushButton*>("Command4")->click();
        QVERIFY(!form.isVisible());
    }

    void previewBarsFollowTheSamples_data() {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<int>("steps");
        QTest::newRow("ratio 1, fewer steps than pixels") << 1.0 << 7;
        QTest::newRow("ratio 1.5") << 1.5 << 7;
        // Rounding the edges to float moves some centres into a neighbouring bar.
        QTest::newRow("ratio 1.25, a million steps") << 1.25 << 1000003;
    }
    void previewBarsFollowTheSamples() {
        QFETCH(qreal, ratio);
        QFETCH(int, steps);
        // Red 300 carries into green, blue -1 sets every bit above it: only the low 24
        // bits show.
        const QStringList entries{"(300,0,-1) x", "(0,0,0) y", "(0,255,0) z"};
        const std::vector<std::string> texts{"(300,0,-1) x", "(0,0,0) y", "(0,255,0) z"};
        const GradientSampler sampler(texts, steps);
        Preview preview;
        preview.resize(241, 17);
        preview.setPixelRatio(ratio);
        preview.drawGradient(sampler);
        const QImage picture = preview.picture();
        QCOMPARE(picture.pixel(0, 0), qRgb(44, 1, 255));
        // Each column shows the bar holding its centre, in order from left to right.
        const double width = preview.contentsRect().width();
        int bar = 0;
        for (int column = 0; (column + 0.5) / ratio < width; ++column) {
            const double centre = (column + 0.5) / ratio;
            while (centre >= float((bar + 1) * (width / steps))) {
                ++bar;
            }
            const auto packed = static_cast<std::uint32_t>(sampler.sample(bar));
            QCOMPARE(picture.pixel(column, picture.height() / 2),
                     qRgb(packed & 0xFF, packed >> 8 & 0xFF, packed >> 16 & 0xFF));
        }
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
