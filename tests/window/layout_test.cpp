#include "window/form1.h"
#include "window/wrappingbutton.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QStyleOptionButton>
#include <QTest>

using tintwright::Form1;
using tintwright::WrappingButton;

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void windowIsFixedAndTitled() {
        Form1 form;
        QCOMPARE(form.windowTitle(), "Tintwright");
        QCOMPARE(form.minimumSize(), QSize(309, 345));
        QCOMPARE(form.maximumSize(), QSize(309, 345));
        QCOMPARE(QFontInfo(form.font()).family(), "DejaVu Sans Condensed");
    }

    void captionsFitWhole_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("lines");
        const auto row = [](const char* name, const char* caption, int lines = 1) {
            QTest::newRow(name) << name << caption << lines;
        };
        row("Label1", "Color List: (R,G,B)");
        row("Label2", "Preview:");
        row("Label3", "C array:");
        row("Label4", "Red:");
        row("Label5", "Blue:");
        row("Label6", "Green:");
        row("Label7", "Number of steps:");
        row("Label8", "Name:");
        row("Command1", "Generate Array");
        row("Command2", "Remove Selected Item", 2);
        row("Command3", "Add Item");
        row("Command4", "Exit");
        row("Command5", "Recalculate Gradient");
        row("Command6", "Move Up");
        row("Command7", "Move Down");
    }
    void captionsFitWhole() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(int, lines);
        Form1 form;
        const auto* control = form.findChild<QWidget*>(name);
        const QFontMetrics metrics(control->font());
        QRect area;
        QRect needed;
        if (const auto* label = qobject_cast<const QLabel*>(control)) {
            QCOMPARE(label->text(), caption);
            area = label->contentsRect();
            needed = metrics.boundingRect(area, int(label->alignment()), caption);
        } else {
            const auto* button = qobject_cast<const WrappingButton*>(control);
            QVERIFY(button);
            QCOMPARE(button->text(), caption);
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = caption;
            area = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
            needed = metrics.boundingRect(area, WrappingButton::captionFlags, caption);
        }
        QVERIFY2(area.contains(needed), qPrintable(QStringLiteral("needs %1x%2, has %3x%4")
                                                       .arg(needed.width())
                                                       .arg(needed.height())
                                                       .arg(area.width())
                                                       .arg(area.height())));
        QCOMPARE(needed.height() / metrics.height(), lines);
    }

    void labelsDrawFromTopLeftAndTakeNoFocus() {
        Form1 form;
        const QList<QLabel*> labels = form.findChildren<QLabel*>();
        QCOMPARE(labels.size(), 8);
        for (const QLabel* label : labels) {
            QCOMPARE(label->alignment(), Qt::AlignLeft | Qt::AlignTop);
            QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        }
    }

    void focusOrderFollowsTheTable() {
        Form1 form;
        const QStringList expected{"Picture1", "List1",    "Text1",    "Command1", "Command2",
                                   "Command3", "Text2",    "Text3",    "Text4",    "Command4",
                                   "Text5",    "Command5", "Command6", "Command7", "Text6"};
        QWidget* const first = form.findChild<QWidget*>("Picture1");
        QStringList order;
        QWidget* widget = first;
        do {
            if (widget->parentWidget() == &form && (widget->focusPolicy() & Qt::TabFocus)) {
                order << widget->objectName();
            }
            widget = widget->nextInFocusChain();
        } while (widget != first);
        QCOMPARE(order, expected);
    }

    void outputFieldScrollsBothWaysWithoutWrapping() {
        Form1 form;
        const auto* output = form.findChild<QPlainTextEdit*>("Text1");
        QCOMPARE(output->lineWrapMode(), QPlainTextEdit::NoWrap);
        QCOMPARE(output->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(output->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QVERIFY(!output->isReadOnly());
    }
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
