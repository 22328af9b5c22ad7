#include "engine/colourentry.h"
#include "engine/gradientsampler.h"
#include "window/designerwindow.h"
#include "window/listbox.h"
#include "window/wrappingbutton.h"

#include <QTest>
#include <QtWidgets>
#include <cmath>

using namespace tintwright;

using Entries = std::vector<std::string>;

// The window with its messages collected instead of shown.
struct Window {
    QStringList messages;
    DesignerWindow form{[this](const QString& text) { messages << text; }};

    template <typename Control = QWidget> Control& get(const QString& name) {
        return *form.findChild<Control*>(name);
    }
    ListBox& list() { return get<ListBox>("List1"); }
    void fill(const Entries& entries) {
        list().clearEntries();
        for (const std::string& entry : entries) {
            list().appendEntry(QString::fromStdString(entry));
        }
    }
    // Types each field's text, then presses the buttons.
    void use(const QStringList& fieldTexts, const QString& buttons) {
        for (qsizetype i = 0; i + 1 < fieldTexts.size(); i += 2) {
            get<QLineEdit>(fieldTexts[i]).setText(fieldTexts[i + 1]);
        }
        for (const QString& button : buttons.split(' ', Qt::SkipEmptyParts)) {
            get<QPushButton>(button).click();
        }
    }
    // The window's device pixels whose centres lie inside the preview's frame.
    QImage strip() {
        const QFrame& preview = get<QFrame>("Picture1");
        const QPointF topLeft = preview.mapTo(&form, preview.contentsRect().topLeft());
        const auto pixel = [&](QPointF at) {
            at *= form.devicePixelRatioF();
            return QPoint(int(std::ceil(at.x() - 0.5)), int(std::ceil(at.y() - 0.5)));
        };
        const QPoint end = pixel(
            topLeft + QPointF(preview.contentsRect().width(), preview.contentsRect().height()));
        const QImage shot = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
        return shot.copy(QRect(pixel(topLeft), end - QPoint(1, 1)));
    }
};

// What the preview of a fresh window shows after drawing `entries` at `steps` steps.
QImage shows(const Entries& entries, const QString& steps) {
    Window window;
    window.fill(entries);
    window.use({"Text5", steps}, "Command5");
    return window.strip();
}

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void startUpFillsEveryPixelOfTheStripWithABar() {
        Window window;
        QVERIFY(window.list().entries() == startupStops);
        QCOMPARE(window.list().selectedIndex(), -1);
        // Every device pixel of the strip shows one of the 64 bars, first to last, at any
        // device pixel ratio.
        const GradientSampler sampler(startupStops, 64);
        QList<QRgb> bars;
        for (int i = 0; i < sampler.sampleCount(); ++i) {
            bars << qRgb(sampler.sample(i) & 0xFF, sampler.sample(i) >> 8 & 0xFF,
                         sampler.sample(i) >> 16);
        }
        const QImage strip = window.strip();
        for (int i = 0; i < strip.width() * strip.height(); ++i) {
            QVERIFY(bars.contains(strip.pixel(i % strip.width(), i / strip.width())));
        }
        QCOMPARE(strip.pixel(0, 0), bars.first());
        QCOMPARE(strip.pixel(strip.width() - 1, strip.height() - 1), bars.last());

        // The focus is marked around the strip, not on it.
        window.form.show();
        QVERIFY(QTest::qWaitForWindowActive(&window.form));
        window.get("Text2").setFocus();
        const QImage unfocused = window.form.grab().toImage();
        window.get("Picture1").setFocus();
        QVERIFY(window.form.grab().toImage() != unfocused);
        QCOMPARE(window.strip(), strip);
    }

    // Command2 Remove Selected Item, Command3 Add Item, Command6 Move Up, Command7 Move
    // Down. Without a selection row 1 is current, which counts for nothing. Entries are
    // given by their start-up index; 7 is the one Add Item makes of Text2, Text4, Text3 and
    // Text6 (red, green, blue, name), each taken whole.
    void listCommands() {
        const struct {
            const char *name, *buttons;
            int selected;
            const char* message;
            int selectedAfter;
            const char* after;
        } rows[] = {
            {"remove unselected", "Command2", -1, "No item selected", -1, "0123456"},
            {"up unselected", "Command6", -1, "No item selected", -1, "0123456"},
            {"down unselected", "Command7", -1, "No item selected", -1, "0123456"},
            {"up from the first", "Command6", 0, "Can't move up!", 0, "0123456"},
            {"down from the last", "Command7", 6, "Can't move down!", 6, "0123456"},
            {"down", "Command7", 3, "", 4, "0124356"},
            {"up then down", "Command6 Command7", 3, "", 3, "0123456"},
            {"remove", "Command2", 3, "", -1, "012456"},
            {"add", "Command3", 4, "", 4, "01234567"},
        };
        const QString longName(1 << 16, QChar(0x78));
        for (const auto& row : rows) {
            Window window;
            window.list().setSelectedIndex(row.selected);
            window.list().setCurrentRow(row.selected < 0 ? 1 : row.selected,
                                        QItemSelectionModel::NoUpdate);
            window.use({"Text2", " 1", "Text3", "3", "Text4", "2x", "Text6", longName},
                       row.buttons);
            Entries after;
            for (const char index : std::string_view(row.after)) {
                after.push_back(index < '7' ? startupStops[index - '0']
                                            : "( 1,2x,3) " + longName.toStdString());
            }
            QCOMPARE(window.messages.join(""), row.message);
            QCOMPARE(window.list().selectedIndex(), row.selectedAfter);
            QVERIFY(window.list().entries() == after);
            QCOMPARE(window.strip(), shows(after, "64"));
        }
    }

    // Command1 Generate Array, Command5 Recalculate Gradient. Only the array is limited in
    // steps; the picture, of the start-up list at `drawn` steps, costs the same at any count.
    void stepCounts() {
        const QString array = "\n// Gradient made by Tintwright\nu16 myGradient[%1] = {\n%2\n};\n";
        QFile golden(TINTWRIGHT_TEST_DATA "/startup-64.c");
        QVERIFY(golden.open(QIODevice::ReadOnly));
        // Each CRLF shows as one line break, and a second press replaces the text whole.
        const QString startupArray = QString::fromLatin1(golden.readAll()).replace("\r\n", "\n");
        const struct {
            const char *steps, *buttons;
            QString output;
            const char *message, *drawn;
        } rows[] = {
            {"64", "Command1 Command1", startupArray, "", "64"},
            {"3", "Command1", array.arg("3", "    0x1F, 0x3E0, 0x7C00"), "", "64"},
            {"3", "Command5", "", "", "3"},
            {"-20000000", "Command1", array.arg("-20000000", ""), "", "64"},
            {"-1e400", "Command1", array.arg(QString::number(INT_MIN), ""), "", "64"},
            {"16777217", "Command1", "", "Too many steps! At most 16777216.", "64"},
            {"1e400", "Command5", "", "", "2147483647"},
        };
        for (const auto& row : rows) {
            Window window;
            window.use({"Text5", row.steps}, row.buttons);
            QCOMPARE(window.get<QPlainTextEdit>("Text1").toPlainText(), row.output);
            QCOMPARE(window.messages.join(""), row.message);
            QCOMPARE(window.strip(), shows(startupStops, row.drawn));
        }
        // With fewer than two entries nothing is generated or drawn, nor cleared.
        Window window;
        window.fill({startupStops[0]});
        window.use({"Text5", "3"}, "Command1 Command5");
        QCOMPARE(window.get<QPlainTextEdit>("Text1").toPlainText(), "");
        QCOMPARE(window.strip(), shows(startupStops, "64"));
        window.fill({});
        window.use({}, "Command7");
        QCOMPARE(window.messages.join(""), "No item selected");
    }

    void keysPressButtonsAndOnlySelectedRowsLookSelected() {
        Window window;
        window.form.show();
        QVERIFY(QTest::qWaitForWindowActive(&window.form));
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
            QTest::keyClick(&window.get("Command3"), key);
        }
        QTest::keyClick(&window.get("Text2"), Qt::Key_Return);
        QCOMPARE(window.list().entryCount(), 10);

        // A row that is current but not selected is not filled with a highlight.
        ListBox& list = window.list();
        const auto shade = [&](int row) {
            const QRect rect = list.visualItemRect(list.item(row));
            const QPointF inside = QPointF(rect.right() - 4, rect.center().y());
            return list.viewport()->grab().toImage().pixel(
                (inside * list.devicePixelRatioF()).toPoint());
        };
        const QRgb blank = list.palette().color(QPalette::Base).rgb();
        QTest::keyClick(&window.get("Picture1"), Qt::Key_Tab);
        QCOMPARE(list.currentRow(), 0);
        QCOMPARE(shade(0), blank);
        list.setSelectedIndex(2);
        QVERIFY(shade(2) != blank);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ControlModifier,
                          list.visualItemRect(list.item(2)).center());
        QCOMPARE(list.selectedIndex(), -1);
        QCOMPARE(shade(2), blank);
    }

    void controlsAreNamedInFocusOrderAndCaptionsFit() {
        DesignerWindow form;
        QStringList order;
        for (QWidget* next = form.findChild<QWidget*>("Picture1"); order.size() < 15;
             next = next->nextInFocusChain()) {
            if (next->parentWidget() == &form && (next->focusPolicy() & Qt::TabFocus)) {
                order << next->objectName() + " " + next->accessibleName();
            }
        }
        QCOMPARE(order.join(", "),
                 "Picture1 Preview, List1 Color list, Text1 C array, Command1 , Command2 , "
                 "Command3 , Text2 Red, Text3 Blue, Text4 Green, Command4 , "
                 "Text5 Number of steps, Command5 , Command6 , Command7 , Text6 Name");
        // Every caption fits its control whole in the caption font, where it is installed.
        for (const QWidget* control : form.findChildren<QWidget*>()) {
            const auto* label = qobject_cast<const QLabel*>(control);
            QStyleOptionButton option;
            option.initFrom(control);
            const QRect area = label ? label->contentsRect()
                                     : control->style()->subElementRect(
                                           QStyle::SE_PushButtonContents, &option, control);
            const int flags = label ? int(label->alignment()) : WrappingButton::captionFlags;
            const QString caption = control->property("text").toString();
            if (QFontInfo(control->font()).family() == "DejaVu Sans Condensed" &&
                (label || qobject_cast<const WrappingButton*>(control))) {
                QVERIFY2(
                    area.contains(QFontMetrics(control->font()).boundingRect(area, flags, caption)),
                    qPrintable(caption));
            }
        }
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
