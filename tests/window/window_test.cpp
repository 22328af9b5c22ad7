#include "engine/colourentry.h"
#include "window/designerwindow.h"
#include "window/listbox.h"

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
        list().clear();
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
    void startUpAndTheKeyboard() {
        Window window;
        QVERIFY(window.list().entries() == startupStops);
        QCOMPARE(window.list().selectedIndex(), -1);
        // Focus goes round the controls in this order, and each field is named by its label.
        QStringList order;
        for (QWidget* next = &window.get("Picture1"); order.size() < 15;
             next = next->nextInFocusChain()) {
            if (next->parentWidget() == &window.form && (next->focusPolicy() & Qt::TabFocus)) {
                order << next->objectName() + " " + next->accessibleName();
            }
        }
        QCOMPARE(order.join(", "),
                 "Picture1 Preview, List1 Color list, Text1 C array, Command1 , Command2 , "
                 "Command3 , Text2 Red, Text3 Blue, Text4 Green, Command4 , "
                 "Text5 Number of steps, Command5 , Command6 , Command7 , Text6 Name");
        // Every device pixel of the strip shows a bar, at any device pixel ratio: none is
        // left in the background colour.
        const QImage strip = window.strip();
        const QRgb background = window.get("Picture1").palette().color(QPalette::Base).rgb();
        for (int i = 0; i < strip.width() * strip.height(); ++i) {
            QVERIFY(strip.pixel(i % strip.width(), i / strip.width()) != background);
        }

        // The focus is marked around the strip, not on it.
        window.form.show();
        QVERIFY(QTest::qWaitForWindowActive(&window.form));
        window.get("Text2").setFocus();
        const QImage unfocused = window.get("Picture1").grab().toImage();
        window.get("Picture1").setFocus();
        QVERIFY(window.get("Picture1").grab().toImage() != unfocused);
        QCOMPARE(window.strip(), strip);

        // Return, Enter and Space press the focused button; Return in a field does nothing.
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
    }

    // Command1 Generate Array, Command2 Remove Selected Item, Command3 Add Item, Command5
    // Recalculate Gradient, Command6 Move Up, Command7 Move Down. Without a selection row 1
    // is current, which counts for nothing. Entries are given by their start-up index; 7 is
    // the one Add Item makes of Text2, Text4, Text3 and Text6 (red, green, blue, name), each
    // taken whole. The picture is of the entries after the commands at `drawn` steps. Only
    // the array is limited in steps: the picture costs the same at any count.
    void commands() {
        const QString array = "\n// Gradient made by Tintwright\nu16 myGradient[%1] = {\n%2\n};\n";
        QFile golden(TINTWRIGHT_TEST_DATA "/startup-64.c");
        QVERIFY(golden.open(QIODevice::ReadOnly));
        // Each CRLF shows as one line break, and a second press replaces the text whole.
        const QString startupArray = QString::fromLatin1(golden.readAll()).replace("\r\n", "\n");
        const struct {
            const char *steps, *buttons;
            int selected;
            const char* message;
            int selectedAfter;
            const char *after, *drawn;
            QString output = "";
        } rows[] = {
            // clang-format off
            {"64", "Command2", -1, "No item selected", -1, "0123456", "64"},
            {"64", "Command6", -1, "No item selected", -1, "0123456", "64"},
            {"64", "Command7", -1, "No item selected", -1, "0123456", "64"},
            {"64", "Command6", 0, "Can't move up!", 0, "0123456", "64"},
            {"64", "Command7", 6, "Can't move down!", 6, "0123456", "64"},
            {"64", "Command7", 3, "", 4, "0124356", "64"},
            {"64", "Command6 Command7", 3, "", 3, "0123456", "64"},
            {"64", "Command2", 3, "", -1, "012456", "64"},
            {"64", "Command3", 4, "", 4, "01234567", "64"},
            {"64", "Command1 Command1", -1, "", -1, "0123456", "64", startupArray},
            {"3", "Command1", -1, "", -1, "0123456", "64", array.arg("3", "    0x1F, 0x3E0, 0x7C00")},
            {"3", "Command5", -1, "", -1, "0123456", "3"},
            {"-20000000", "Command1", -1, "", -1, "0123456", "64", array.arg("-20000000", "")},
            {"16777217", "Command1", -1, "Too many steps! At most 16777216.", -1, "0123456", "64"},
            {"1e400", "Command5", -1, "", -1, "0123456", "2147483647"},
            {"1e400", "Command3", -1, "", -1, "01234567", "2147483647"},
            // clang-format on
        };
        const QString longName(1 << 16, QChar(0x78));
        for (const auto& row : rows) {
            Window window;
            window.list().setSelectedIndex(row.selected);
            window.list().setCurrentRow(row.selected < 0 ? 1 : row.selected,
                                        QItemSelectionModel::NoUpdate);
            window.use(
                {"Text2", " 1", "Text3", "3", "Text4", "2x", "Text6", longName, "Text5", row.steps},
                row.buttons);
            Entries after;
            for (const char index : std::string_view(row.after)) {
                after.push_back(index < '7' ? startupStops[static_cast<std::size_t>(index - '0')]
                                            : "( 1,2x,3) " + longName.toStdString());
            }
            QCOMPARE(window.messages.join(""), row.message);
            QCOMPARE(window.list().selectedIndex(), row.selectedAfter);
            QVERIFY(window.list().entries() == after);
            QCOMPARE(window.get<QPlainTextEdit>("Text1").toPlainText(), row.output);
            QCOMPARE(window.strip(), shows(after, row.drawn));
        }
        // With fewer than two entries nothing is generated or drawn, nor cleared, and the
        // step count is not even read.
        Window window;
        window.fill({startupStops[0]});
        window.use({"Text5", "16777217"}, "Command1 Command5");
        QCOMPARE(window.get<QPlainTextEdit>("Text1").toPlainText(), "");
        QCOMPARE(window.strip(), shows(startupStops, "64"));
        window.fill({});
        window.use({}, "Command7");
        QCOMPARE(window.messages.join(""), "No item selected");
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
