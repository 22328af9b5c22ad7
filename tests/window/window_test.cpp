#include "engine/arraytext.h"
#include "engine/gradientsampler.h"
#include "engine/stepcount.h"
#include "window/drawingsurface.h"
#include "window/form1.h"
#include "window/gradientbars.h"
#include "window/listbox.h"
#include "window/wrappingbutton.h"

#include <QTest>
#include <QtWidgets>

using namespace tintwright;

const QStringList startup{"(255,0,0) Red",         "(255,255,0) Yellow", "(0,255,0) Green",
                          "(0,255,255) Turquoise", "(0,0,255) Blue",     "(255,0,255) Purple",
                          "(255,0,0) Red"};

std::vector<std::string> toStdStrings(const QStringList& entries) {
    std::vector<std::string> texts(entries.size());
    std::ranges::transform(entries, texts.begin(), &QString::toStdString);
    return texts;
}

GradientSampler sampler(const QStringList& entries, int steps) {
    return GradientSampler(toStdStrings(entries), steps);
}

// The picture that filling every bar in order, each through the surface's rectangle fill,
// gives on a fresh surface of the size and pixel ratio of `like` (and the same frame).
QImage everyBar(const DrawingSurface& like, const QStringList& entries, int steps) {
    DrawingSurface surface;
    surface.resize(like.size());
    surface.setPixelRatio(like.pixelRatio());
    const GradientSampler bars = sampler(entries, steps);
    const double width = surface.innerWidth() / steps;
    const auto height = static_cast<float>(surface.innerHeight());
    for (std::int32_t i = 0; i < bars.sampleCount(); ++i) {
        // Edges in double, used as float, as paintGradientBars has them.
        surface.fillRectangle(float(i * width), 0, float((i + 1) * width), height, bars.sample(i));
    }
    return surface.picture();
}

// The window with its messages collected instead of shown.
struct Window {
    QStringList messages;
    Form1 form{[this](const QString& text) { messages << text; }};

    ListBox& list() { return *form.findChild<ListBox*>("List1"); }
    QLineEdit& field(const char* name) { return *form.findChild<QLineEdit*>(name); }
    QPlainTextEdit& output() { return *form.findChild<QPlainTextEdit*>("Text1"); }
    void press(const char* button) { form.findChild<QPushButton*>(button)->click(); }
    DrawingSurface& surface() { return *form.findChild<DrawingSurface*>("Picture1"); }
    QStringList entries() {
        QStringList texts(list().entryCount());
        std::ranges::transform(list().entries(), texts.begin(), &QString::fromStdString);
        return texts;
    }
};

// Buttons: Command1 Generate Array, Command2 Remove Selected Item, Command3 Add Item,
// Command5 Recalculate Gradient, Command6 Move Up, Command7 Move Down.
class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void startUp() {
        Window window;
        QCOMPARE(window.entries(), startup);
        QCOMPARE(window.list().selectedIndex(), -1);
        QCOMPARE(window.output().toPlainText(), "");
        QCOMPARE(window.output().lineWrapMode(), QPlainTextEdit::NoWrap);
        QCOMPARE(window.output().horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(window.output().verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE((QStringList{window.field("Text2").text(), window.field("Text3").text(),
                              window.field("Text4").text(), window.field("Text5").text(),
                              window.field("Text6").text()}),
                 (QStringList{"0", "0", "0", "64", ""}));
        const QImage startupPicture = window.surface().picture();
        QCOMPARE(startupPicture, everyBar(window.surface(), startup, 64));
        // What the surface paints on screen is its retained picture.
        const QImage shown = window.surface().grab(window.surface().contentsRect()).toImage();
        QCOMPARE(shown.convertToFormat(QImage::Format_RGB32), startupPicture);
    }

    void generateAndRecalculateEachWriteTheirOwnOutput() {
        Window window;
        const QImage startupPicture = window.surface().picture();
        QFile golden(TINTWRIGHT_TEST_DATA "/startup-64.c");
        QVERIFY(golden.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromLatin1(golden.readAll()).split("\r\n");
        // Each CRLF shows as one line break, and a second press replaces the text.
        for (int press = 0; press < 2; ++press) {
            window.press("Command1");
            QCOMPARE(window.output().toPlainText().split('\n'), lines);
        }

        // Generate Array writes the text and leaves the picture; Recalculate the reverse.
        window.field("Text5").setText("3");
        window.press("Command1");
        QCOMPARE(window.surface().picture(), startupPicture);
        window.output().setPlainText("kept");
        window.press("Command5");
        QCOMPARE(window.surface().picture(), everyBar(window.surface(), startup, 3));
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

        // Add takes red, green, blue and name from Text2, Text4, Text3 and Text6 (still
        // empty). Past the step limit the entry is still added; only the redraw is skipped,
        // silently.
        window.field("Text2").setText(" 1");
        window.field("Text3").setText("3");
        window.field("Text4").setText("2x");
        window.press("Command3");
        QCOMPARE(window.entries(), (QStringList{startup.last(), "( 1,2x,3) "}));

        // With two entries, Generate and Recalculate refuse the step count.
        window.press("Command1");
        window.press("Command5");
        QCOMPARE(window.messages, QStringList(2, "Too many steps! At most 16777216."));
        QCOMPARE(window.output().toPlainText(), "kept");
        QCOMPARE(window.surface().picture(), everyBar(window.surface(), startup.last(2), 3));

        // Once the last entry is gone there is nothing to select.
        while (window.list().entryCount() > 0) {
            window.list().setSelectedIndex(0);
            window.press("Command2");
        }
        window.press("Command2");
        QCOMPARE(window.messages.last(), "No item selected");
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
        QCOMPARE(window.surface().picture(), everyBar(window.surface(), entriesAfter, 64));
    }

    void hostileTextInEveryFieldThenEveryCommand_data() {
        QTest::addColumn<QString>("text");
        for (const char* text : {"1e400", "-1e400", "1e308", "&HFFFFFFFFFFFFFFFF", "16777217",
                                 "-16777217", "NaN", "Infinity", "((1,2),3),,)("}) {
            QTest::newRow(text) << text;
        }
        QTest::newRow("NUL and control characters")
            << QString::fromLatin1(QByteArray("6\0\x01\r\x1b", 5) + '4');
        QTest::newRow("a megabyte of digits") << QString(1 << 20, '9');
        QTest::newRow("a megabyte of punctuation") << QString("(,)").repeated(350'000);
    }
    void hostileTextInEveryFieldThenEveryCommand() {
        QFETCH(QString, text);
        Window window;
        for (const char* name : {"Text2", "Text3", "Text4", "Text5", "Text6"}) {
            window.field(name).setText(text);
            QCOMPARE(window.field(name).text(), text);
        }
        window.output().setPlainText(text);
        const std::optional<std::int32_t> steps = stepCount(text.toStdString());

        // Add, move the new entry up and back down, and past the end, then generate,
        // recalculate, remove it and generate again.
        const QStringList added =
            startup + QStringList{"(" + text + "," + text + "," + text + ") " + text};
        QStringList movedUp = added;
        movedUp.swapItemsAt(6, 7);
        const struct {
            const char* button;
            int select;
            QStringList entriesAfter;
        } presses[] = {{"Command3", -1, added},  {"Command6", 7, movedUp}, {"Command7", 6, added},
                       {"Command7", 7, added},   {"Command1", -1, added},  {"Command5", -1, added},
                       {"Command2", 7, startup}, {"Command1", -1, startup}};
        for (const auto& [button, select, entriesAfter] : presses) {
            if (select >= 0) {
                window.list().setSelectedIndex(select);
            }
            const QImage picture = window.surface().picture();
            const QString output = window.output().toPlainText();
            const qsizetype messages = window.messages.size();
            window.press(button);
            QCOMPARE(window.entries(), entriesAfter);

            const bool generate = qstrcmp(button, "Command1") == 0;
            if (window.messages.size() > messages) {
                QCOMPARE(window.surface().picture(), picture);
                QCOMPARE(window.output().toPlainText(), output);
            } else if (generate) {
                // The whole text replaces the output, each CRLF showing as one line break.
                const auto array = generateArrayText(toStdStrings(window.entries()),
                                                     window.field("Text5").text().toStdString());
                QVERIFY(array);
                QCOMPARE(window.output().toPlainText(),
                         QString::fromLatin1(array->c_str()).replace("\r\n", "\n"));
            } else {
                QCOMPARE(window.output().toPlainText(), output);
                // Zero steps draw nothing, and so does a count past the limit.
                QCOMPARE(window.surface().picture(),
                         steps.value_or(0) > 0
                             ? everyBar(window.surface(), window.entries(), *steps)
                             : picture);
            }
        }
        QStringList expected{"Can't move down!"};
        if (!steps) {
            expected += QStringList(3, "Too many steps! At most 16777216.");
        }
        QCOMPARE(window.messages, expected);

        // Exit still closes the window.
        window.form.show();
        window.press("Command4");
        QVERIFY(!window.form.isVisible());
    }

    void layoutCaptionsFocusAndMessageBox() {
        Form1 form;
        QCOMPARE(form.minimumSize(), QSize(309, 345));
        QCOMPARE(form.maximumSize(), QSize(309, 345));

        // Every caption fits its control whole with the font in use; labels draw from the
        // top left of their box, and only "Remove Selected Item" takes two lines.
        QStringList captions;
        for (const QWidget* control : form.findChildren<QWidget*>()) {
            QRect area = control->contentsRect();
            int flags = WrappingButton::captionFlags;
            if (const auto* label = qobject_cast<const QLabel*>(control)) {
                QCOMPARE(label->alignment(), Qt::AlignLeft | Qt::AlignTop);
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
            captions << caption;
        }
        QCOMPARE(captions,
                 (QStringList{"Color List: (R,G,B)", "Preview:", "C array:", "Generate Array",
                              "Remove Selected Item", "Add Item", "Red:", "Blue:", "Green:", "Exit",
                              "Number of steps:", "Recalculate Gradient", "Move Up", "Move Down",
                              "Name:"}));

        // Tab goes round the window in this order; labels take no focus.
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

        // Without a message sink, a message is a modal box titled as the window, with no
        // icon and OK only.
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
    }

    void columnByColumnMatchesEveryBarInOrder_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<int>("steps");
        // Sizes are of the whole surface, its frame included.
        QTest::newRow("fewer steps than pixels") << QSize(22, 6) << 1.0 << 7;
        QTest::newRow("ratio 1.5, fewer steps") << QSize(23, 6) << 1.5 << 7;
        // Rows where rounding the edges to float moves a centre into a neighbouring bar.
        QTest::newRow("ratio 1.25, more steps") << QSize(22, 6) << 1.25 << 1000;
        QTest::newRow("preview size, a million steps") << QSize(241, 17) << 1.25 << 1000003;
    }
    void columnByColumnMatchesEveryBarInOrder() {
        QFETCH(QSize, size);
        QFETCH(qreal, ratio);
        QFETCH(int, steps);
        DrawingSurface surface;
        surface.resize(size);
        surface.setPixelRatio(ratio);
        paintGradientBars(surface, sampler(startup, steps));
        QCOMPARE(surface.picture(), everyBar(surface, startup, steps));
    }

    void shownColoursAreTheLow24BitsInOrder() {
        DrawingSurface surface;
        // Red 300 carries into green, and blue -1 sets every bit above it.
        paintGradientBars(surface, sampler({"(300,0,-1) x", "(0,0,0) y"}, 1));
        QCOMPARE(surface.picture().pixel(0, 0), qRgb(44, 1, 255));
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
