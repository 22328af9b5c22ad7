#include "engine/startupstops.h"
#include "window/designerwindow.h"
#include "window/listbox.h"

#include <QTest>
#include <QtWidgets>

using namespace tintwright;

// The window with its messages collected instead of shown.
struct Window {
    QStringList messages;
    DesignerWindow form{[this](const QString& text) { messages << text; }};

    template <typename Control = QWidget> Control& get(const QString& name) {
        return *form.findChild<Control*>(name);
    }
    ListBox& list() { return get<ListBox>("List1"); }
    QFrame& preview() { return get<QFrame>("Picture1"); }
    // Types each field's text, then presses the buttons.
    void use(const QStringList& fieldTexts, const QString& buttons) {
        for (qsizetype i = 0; i + 1 < fieldTexts.size(); i += 2) {
            get<QLineEdit>(fieldTexts[i]).setText(fieldTexts[i + 1]);
        }
        for (const QString& button : buttons.split(' ', Qt::SkipEmptyParts)) {
            get<QPushButton>(button).click();
        }
    }
    // The preview as the window shows it, frame included.
    QImage picture() { return form.grab(preview().geometry()).toImage(); }
    // The picture of a window that lists `entries` and is recalculated at `steps`.
    static QImage pictureOf(const std::vector<std::string>& entries, std::int32_t steps) {
        Window window;
        window.list().clear();
        for (const std::string& entry : entries) {
            window.list().appendEntry(QString::fromStdString(entry));
        }
        window.use({"Text5", QString::number(steps)}, "Command5");
        return window.picture();
    }
};

// One use of the window's commands from the start-up list; see commands().
struct Command {
    const char *steps, *buttons, *message, *after;
    int selected, selectedAfter, drawn;
    QString output = {};
};

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    // Return, Enter and Space press the focused button, and Return in a field does nothing.
    void keyboard() {
        Window window;
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
            QTest::keyClick(&window.get("Command3"), key);
        }
        QTest::keyClick(&window.get("Text2"), Qt::Key_Return);
        QCOMPARE(window.list().entryCount(), 10);
    }

    // Bars in the colours of the samples, in order, across the strip: at two steps the stop
    // and the midpoint.
    void bars() {
        Window window;
        const QImage picture = Window::pictureOf({"(255,0,0) a", "(0,128,255) b"}, 2);
        const QRect inner = window.preview().contentsRect();
        const qreal ratio = picture.devicePixelRatio();
        const auto shade = [&](int x) {
            return picture.pixel(QPoint(x, inner.center().y()) * ratio);
        };
        QCOMPARE(shade(inner.left() + inner.width() / 4), qRgb(255, 0, 0));
        QCOMPARE(shade(inner.right() - inner.width() / 4), qRgb(127, 64, 127));
    }

    // A frame marks the focus: around the strip, not over it, and on the list's current row,
    // which is not filled as the selected row is.
    void focusFrame() {
        Window window;
        window.form.show();
        QVERIFY(QTest::qWaitForWindowActive(&window.form));
        window.get("Text2").setFocus();
        const QImage unfocused = window.picture();
        window.preview().setFocus();
        const QImage focused = window.picture();
        QVERIFY(focused != unfocused);
        // The device pixels wholly inside the strip; at fractional scales the frame may share
        // the pixels on its edge.
        const QRectF inner(window.preview().contentsRect());
        const qreal ratio = focused.devicePixelRatio();
        const QRectF scaled(inner.topLeft() * ratio, inner.size() * ratio);
        const QRect pixels(QPoint(qCeil(scaled.left()), qCeil(scaled.top())),
                           QPoint(qFloor(scaled.right()) - 1, qFloor(scaled.bottom()) - 1));
        QCOMPARE(focused.copy(pixels), unfocused.copy(pixels));

        ListBox& list = window.list();
        const auto shade = [&](int row) {
            const QRect rect = list.visualItemRect(list.item(row));
            const QRect inside(rect.right() - 4, rect.center().y(), 1, 1);
            return list.viewport()->grab(inside).toImage().pixel(0, 0);
        };
        const QRgb blank = list.palette().color(QPalette::Base).rgb();
        QTest::keyClick(&window.preview(), Qt::Key_Tab);
        QCOMPARE(list.currentRow(), 0);
        QCOMPARE(shade(0), blank);
        list.setSelectedIndex(2);
        QVERIFY(shade(2) != blank);
    }

    void commands_data() {
        QTest::addColumn<Command>("command");
        QFile golden(TINTWRIGHT_TEST_DATA "/startup-64.c");
        QVERIFY(golden.open(QIODevice::ReadOnly));
        // Each CRLF shows as one line break, and a second press replaces the text whole.
        const QString startupArray = QString::fromLatin1(golden.readAll()).replace("\r\n", "\n");
        // clang-format off
        QTest::newRow("remove, none selected") << Command{"64", "Command2", "No item selected", "0123456", -1, -1, 64};
        QTest::newRow("up, none selected") << Command{"64", "Command6", "No item selected", "0123456", -1, -1, 64};
        QTest::newRow("down, none selected") << Command{"64", "Command7", "No item selected", "0123456", -1, -1, 64};
        QTest::newRow("up from the top") << Command{"64", "Command6", "Can't move up!", "0123456", 0, 0, 64};
        QTest::newRow("down from the bottom") << Command{"64", "Command7", "Can't move down!", "0123456", 6, 6, 64};
        QTest::newRow("down") << Command{"64", "Command7", "", "0124356", 3, 4, 64};
        QTest::newRow("up") << Command{"64", "Command6", "", "0132456", 3, 2, 64};
        QTest::newRow("remove") << Command{"64", "Command2", "", "012456", 3, -1, 64};
        QTest::newRow("add") << Command{"64", "Command3", "", "01234567", 4, 4, 64};
        QTest::newRow("generate twice") << Command{"64", "Command1 Command1", "", "0123456", -1, -1, 64, startupArray};
        QTest::newRow("generate 3") << Command{"3", "Command1", "", "0123456", -1, -1, 64, "\n// Gradient made by Tintwright\nu16 myGradient[3] = {\n    0x1F, 0x3E0, 0x7C00\n};\n"};
        QTest::newRow("generate too many") << Command{"16777217", "Command1", "Too many steps! At most 16777216.", "0123456", -1, -1, 64};
        QTest::newRow("recalculate floors a fraction") << Command{"2.9", "Command5", "", "0123456", -1, -1, 2};
        QTest::newRow("recalculate beyond 32 bits") << Command{"1e400", "Command5", "", "0123456", -1, -1, 2147483647};
        // clang-format on
    }

    // Command1 Generate Array, Command2 Remove Selected Item, Command3 Add Item, Command5
    // Recalculate Gradient, Command6 Move Up, Command7 Move Down. Without a selection row 1
    // is current, which counts for nothing. Entries are given by their start-up index; 7 is
    // the one Add Item makes of Text2, Text4, Text3 and Text6 (red, green, blue, name), each
    // taken whole. The picture is of the entries after the commands at `drawn` steps. Only
    // the array is limited in steps: the picture costs the same at any count.
    void commands() {
        QFETCH(Command, command);
        const QString longName(1 << 16, QChar(0x78));
        Window window;
        // As a click would, or with the focus rectangle only when none is selected.
        const bool none = command.selected < 0;
        window.list().setCurrentRow(none ? 1 : command.selected,
                                    none ? QItemSelectionModel::NoUpdate
                                         : QItemSelectionModel::ClearAndSelect);
        window.use(
            {"Text2", " 1", "Text3", "3", "Text4", "2x", "Text6", longName, "Text5", command.steps},
            command.buttons);
        std::vector<std::string> after;
        for (const char index : std::string_view(command.after)) {
            after.push_back(index < '7' ? startupStops[static_cast<std::size_t>(index - '0')]
                                        : "( 1,2x,3) " + longName.toStdString());
        }
        QCOMPARE(window.messages.join(""), command.message);
        QCOMPARE(window.list().selectedIndex(), command.selectedAfter);
        QVERIFY(window.list().entries() == after);
        QCOMPARE(window.get<QPlainTextEdit>("Text1").toPlainText(), command.output);
        QCOMPARE(window.picture(), Window::pictureOf(after, command.drawn));
    }

    // With fewer than two entries nothing is generated or drawn, nor cleared, and the step
    // count is not even read.
    void fewerThanTwoEntries() {
        Window window;
        window.list().model()->removeRows(1, 6);
        window.use({"Text5", "16777217"}, "Command1 Command5");
        QCOMPARE(window.get<QPlainTextEdit>("Text1").toPlainText(), "");
        QCOMPARE(window.picture(), Window().picture());
        window.list().clear();
        window.use({}, "Command7");
        QCOMPARE(window.messages.join(""), "No item selected");
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
