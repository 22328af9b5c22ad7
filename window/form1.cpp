#include "form1.h"

#include "drawingsurface.h"
#include "engine/arraytext.h"
#include "engine/colourentry.h"
#include "engine/gradientsampler.h"
#include "engine/stepcount.h"
#include "gradientbars.h"
#include "listbox.h"
#include "wrappingbutton.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <limits>

namespace tintwright {
namespace {

// The layout is given in twips; 15 twips make one device-independent pixel.
constexpr int twipsPerPixel = 15;

QRect fromTwips(int left, int top, int width, int height) {
    return {left / twipsPerPixel, top / twipsPerPixel, width / twipsPerPixel,
            height / twipsPerPixel};
}

// Narrow enough for every caption to fit its control whole at this size.
constexpr char captionFontFamily[] = "DejaVu Sans Condensed";
constexpr int captionFontPixels = 10;

template <typename Control> Control* place(Control* control, const char* name, QRect geometry) {
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(geometry);
    return control;
}

} // namespace

Form1::Form1(MessageSink showMessage, QWidget* parent)
    : QWidget(parent)
    , showMessage_(std::move(showMessage)) {
    if (!showMessage_) {
        showMessage_ = [this](const QString& text) { showMessageBox(this, text); };
    }
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromLatin1(applicationTitle));
    setFixedSize(fromTwips(0, 0, 4635, 5175).size());
    QFont font(QString::fromLatin1(captionFontFamily));
    font.setPixelSize(captionFontPixels);
    setFont(font);

    createControls();
    setFocusOrder();
    loadStartupList();
    drawgradient();
}

void Form1::createControls() {
    const auto label = [this](const char* name, const char* caption, QRect geometry) {
        auto* control = place(new QLabel(QString::fromLatin1(caption), this), name, geometry);
        // Captions are drawn from the top left of their box, not centred in it.
        control->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    };
    const auto button = [this](const char* name, const char* caption, QRect geometry,
                               void (Form1::*command)()) {
        auto* control =
            place(new WrappingButton(QString::fromLatin1(caption), this), name, geometry);
        connect(control, &QPushButton::clicked, this, command);
        return control;
    };
    const auto field = [this](const char* name, const char* text, QRect geometry) {
        auto* control = place(new QLineEdit(QString::fromLatin1(text), this), name, geometry);
        // Fields keep whatever is typed or pasted, however long, rather than Qt's default
        // of cutting it at 32767 characters.
        control->setMaxLength(std::numeric_limits<int>::max());
        return control;
    };

    Picture1 = place(new DrawingSurface(this), "Picture1", fromTwips(960, 120, 3615, 255));
    Picture1->setFocusPolicy(Qt::TabFocus);
    List1 = place(new ListBox(this), "List1", fromTwips(120, 1200, 2895, 1815));
    label("Label1", "Color List: (R,G,B)", fromTwips(120, 960, 1815, 255));
    label("Label2", "Preview:", fromTwips(120, 120, 735, 255));
    Text1 = place(new QPlainTextEdit(this), "Text1", fromTwips(120, 3480, 4455, 1575));
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab moves on to the next control, so the focus order runs through the whole window.
    Text1->setTabChangesFocus(true);
    label("Label3", "C array:", fromTwips(120, 3240, 1095, 375));
    Command1 = button("Command1", "Generate Array", fromTwips(3120, 2640, 1455, 375),
                      &Form1::generateArray);
    Command2 = button("Command2", "Remove Selected Item", fromTwips(3120, 2160, 1455, 495),
                      &Form1::removeSelectedItem);
    Command3 = button("Command3", "Add Item", fromTwips(3120, 1800, 1455, 375), &Form1::addItem);
    label("Label4", "Red:", fromTwips(3120, 720, 375, 375));
    label("Label5", "Blue:", fromTwips(3120, 960, 375, 495));
    label("Label6", "Green:", fromTwips(3120, 1200, 495, 255));
    Text2 = field("Text2", "0", fromTwips(3840, 720, 735, 285));
    Text3 = field("Text3", "0", fromTwips(3840, 960, 735, 285));
    Text4 = field("Text4", "0", fromTwips(3840, 1200, 735, 285));
    Command4 = button("Command4", "Exit", fromTwips(3120, 3000, 1455, 375), &Form1::exitProgram);
    label("Label7", "Number of steps:", fromTwips(2400, 480, 1335, 255));
    Text5 = field("Text5", "64", fromTwips(3840, 480, 735, 285));
    Command5 = button("Command5", "Recalculate Gradient", fromTwips(120, 480, 2175, 375),
                      &Form1::recalculateGradient);
    Command6 = button("Command6", "Move Up", fromTwips(960, 3120, 855, 255), &Form1::moveUp);
    Command7 = button("Command7", "Move Down", fromTwips(1920, 3120, 1095, 255), &Form1::moveDown);
    label("Label8", "Name:", fromTwips(3120, 1440, 495, 255));
    Text6 = field("Text6", "", fromTwips(3840, 1440, 735, 285));
}

void Form1::setFocusOrder() {
    // Labels take no focus, so they have no place in the chain.
    QWidget* const order[] = {Picture1, List1,    Text1, Command1, Command2, Command3, Text2, Text3,
                              Text4,    Command4, Text5, Command5, Command6, Command7, Text6};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void Form1::loadStartupList() {
    List1->clearEntries();
    for (const char* entry :
         {"(255,0,0) Red", "(255,255,0) Yellow", "(0,255,0) Green", "(0,255,255) Turquoise",
          "(0,0,255) Blue", "(255,0,255) Purple", "(255,0,0) Red"}) {
        List1->appendEntry(QString::fromLatin1(entry));
    }
}

bool Form1::acceptStepCount() {
    if (stepCount(Text5->text().toStdString())) {
        return true;
    }
    showMessage_(QStringLiteral("Too many steps! At most %1.").arg(maxStepCount));
    return false;
}

void Form1::generateArray() {
    const std::vector<std::string> entries = List1->entries();
    if (entries.size() < 2 || !acceptStepCount()) {
        return;
    }
    if (const auto text = generateArrayText(entries, Text5->text().toStdString())) {
        Text1->setPlainText(
            QString::fromLatin1(text->data(), static_cast<qsizetype>(text->size())));
    }
}

void Form1::recalculateGradient() {
    if (List1->entryCount() < 2 || !acceptStepCount()) {
        return;
    }
    drawgradient();
}

void Form1::addItem() {
    List1->appendEntry(QString::fromStdString(
        composeEntry(Text2->text().toStdString(), Text4->text().toStdString(),
                     Text3->text().toStdString(), Text6->text().toStdString())));
    drawgradient();
}

void Form1::exitProgram() {
    // Closing the only window ends the event loop and with it the program.
    close();
}

int Form1::requireSelection() {
    const int selected = List1->selectedIndex();
    if (selected < 0) {
        showMessage_(QStringLiteral("No item selected"));
    }
    return selected;
}

void Form1::removeSelectedItem() {
    const int selected = requireSelection();
    if (selected < 0) {
        return;
    }
    List1->removeEntry(selected);
    drawgradient();
}

void Form1::moveUp() {
    const int selected = requireSelection();
    if (selected < 0) {
        return;
    }
    if (selected == 0) {
        showMessage_(QStringLiteral("Can't move up!"));
        return;
    }
    swapSelectedWith(selected - 1);
}

void Form1::moveDown() {
    const int selected = requireSelection();
    if (selected < 0) {
        return;
    }
    if (selected == List1->entryCount() - 1) {
        showMessage_(QStringLiteral("Can't move down!"));
        return;
    }
    swapSelectedWith(selected + 1);
}

void Form1::swapSelectedWith(int neighbour) {
    // The texts trade places; the entries themselves stay where they are.
    const int selected = List1->selectedIndex();
    const QString kept = List1->entryText(selected);
    List1->replaceEntryText(selected, List1->entryText(neighbour));
    List1->replaceEntryText(neighbour, kept);
    List1->setSelectedIndex(neighbour);
    List1->refresh();
    drawgradient();
}

void Form1::drawgradient() {
    const std::vector<std::string> entries = List1->entries();
    if (entries.size() < 2) {
        return;
    }
    const std::optional<std::int32_t> steps = stepCount(Text5->text().toStdString());
    if (!steps) {
        return;
    }
    paintGradientBars(*Picture1, GradientSampler(entries, *steps));
}

} // namespace tintwright
