#include "designerwindow.h"

#include "engine/arraytext.h"
#include "engine/colourentry.h"
#include "engine/gradientsampler.h"
#include "engine/numberrules.h"
#include "engine/startupstops.h"
#include "listbox.h"
#include "preview.h"
#include "wrappingbutton.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <limits>

namespace tintwright {
namespace {

constexpr char title[] = "Tintwright";

// Control positions and sizes are kept in twips, 1/1440 inch: 15 make one
// device-independent pixel.
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

DesignerWindow::DesignerWindow(MessageSink showMessage, QWidget* parent)
    : QWidget(parent)
    , showMessage_(std::move(showMessage)) {
    if (!showMessage_) {
        showMessage_ = [this](const QString& text) {
            QMessageBox box(this);
            box.setWindowTitle(QString::fromLatin1(title));
            box.setIcon(QMessageBox::NoIcon);
            box.setText(text);
            box.setStandardButtons(QMessageBox::Ok);
            box.exec();
        };
    }
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromLatin1(title));
    setFixedSize(fromTwips(0, 0, 4635, 5175).size());
    QFont font(QString::fromLatin1(captionFontFamily));
    font.setPixelSize(captionFontPixels);
    setFont(font);

    createControls();
    setFocusOrder();
    loadStartupList();
    redrawPreview();
}

void DesignerWindow::createControls() {
    const auto label = [this](const char* name, const char* caption, QRect geometry) {
        auto* control = place(new QLabel(QString::fromLatin1(caption), this), name, geometry);
        // Captions are drawn from the top left of their box, not centred in it.
        control->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    };
    const auto button = [this](const char* name, const char* caption, QRect geometry,
                               auto command) {
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

    preview = place(new Preview(this), "Picture1", fromTwips(960, 120, 3615, 255));
    preview->setFocusPolicy(Qt::TabFocus);
    stopList = place(new ListBox(this), "List1", fromTwips(120, 1200, 2895, 1815));
    label("Label1", "Color List: (R,G,B)", fromTwips(120, 960, 1815, 255));
    label("Label2", "Preview:", fromTwips(120, 120, 735, 255));
    outputField = place(new QPlainTextEdit(this), "Text1", fromTwips(120, 3480, 4455, 1575));
    outputField->setLineWrapMode(QPlainTextEdit::NoWrap);
    outputField->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    outputField->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab moves on to the next control, so the focus order runs through the whole window.
    outputField->setTabChangesFocus(true);
    label("Label3", "C array:", fromTwips(120, 3240, 1095, 375));
    generateButton = button("Command1", "Generate Array", fromTwips(3120, 2640, 1455, 375),
                            &DesignerWindow::generateArray);
    removeButton = button("Command2", "Remove Selected Item", fromTwips(3120, 2160, 1455, 495),
                          &DesignerWindow::removeSelectedItem);
    addButton =
        button("Command3", "Add Item", fromTwips(3120, 1800, 1455, 375), &DesignerWindow::addItem);
    label("Label4", "Red:", fromTwips(3120, 720, 375, 375));
    label("Label5", "Blue:", fromTwips(3120, 960, 375, 495));
    label("Label6", "Green:", fromTwips(3120, 1200, 495, 255));
    redField = field("Text2", "0", fromTwips(3840, 720, 735, 285));
    blueField = field("Text3", "0", fromTwips(3840, 960, 735, 285));
    greenField = field("Text4", "0", fromTwips(3840, 1200, 735, 285));
    exitButton = button("Command4", "Exit", fromTwips(3120, 3000, 1455, 375), &QWidget::close);
    label("Label7", "Number of steps:", fromTwips(2400, 480, 1335, 255));
    stepsField = field("Text5", "64", fromTwips(3840, 480, 735, 285));
    recalculateButton = button("Command5", "Recalculate Gradient", fromTwips(120, 480, 2175, 375),
                               &DesignerWindow::redrawPreview);
    moveUpButton =
        button("Command6", "Move Up", fromTwips(960, 3120, 855, 255), &DesignerWindow::moveUp);
    moveDownButton = button("Command7", "Move Down", fromTwips(1920, 3120, 1095, 255),
                            &DesignerWindow::moveDown);
    label("Label8", "Name:", fromTwips(3120, 1440, 495, 255));
    nameField = field("Text6", "", fromTwips(3840, 1440, 735, 285));

    // Each label names the control it stands for, to screen readers too.
    const struct {
        const char* label;
        QWidget* control;
        const char* name;
    } names[] = {{"Label1", stopList, "Color list"},
                 {"Label2", preview, "Preview"},
                 {"Label3", outputField, "C array"},
                 {"Label4", redField, "Red"},
                 {"Label5", blueField, "Blue"},
                 {"Label6", greenField, "Green"},
                 {"Label7", stepsField, "Number of steps"},
                 {"Label8", nameField, "Name"}};
    for (const auto& [labelName, control, name] : names) {
        findChild<QLabel*>(QString::fromLatin1(labelName))->setBuddy(control);
        control->setAccessibleName(QString::fromLatin1(name));
    }
}

void DesignerWindow::setFocusOrder() {
    // Labels take no focus, so they have no place in the chain.
    QWidget* const order[] = {preview,      stopList,       outputField, generateButton,
                              removeButton, addButton,      redField,    blueField,
                              greenField,   exitButton,     stepsField,  recalculateButton,
                              moveUpButton, moveDownButton, nameField};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void DesignerWindow::loadStartupList() {
    for (const std::string& entry : startupStops) {
        stopList->appendEntry(QString::fromStdString(entry));
    }
}

void DesignerWindow::generateArray() {
    const auto result = generateArrayText(stopList->entries(), stepsField->text().toStdString());
    if (const auto* text = std::get_if<std::string>(&result)) {
        outputField->setPlainText(
            QString::fromLatin1(text->data(), static_cast<qsizetype>(text->size())));
    } else if (std::get<ArrayRefusal>(result) == ArrayRefusal::tooManySteps) {
        // Only the array grows with the step count, so only the array is limited.
        showMessage_(QStringLiteral("Too many steps! At most %1.").arg(maxStepCount));
    }
}

void DesignerWindow::addItem() {
    stopList->appendEntry(QString::fromStdString(
        composeEntry(redField->text().toStdString(), greenField->text().toStdString(),
                     blueField->text().toStdString(), nameField->text().toStdString())));
    redrawPreview();
}

int DesignerWindow::requireSelection() {
    const int selected = stopList->selectedIndex();
    if (selected < 0) {
        showMessage_(QStringLiteral("No item selected"));
    }
    return selected;
}

void DesignerWindow::removeSelectedItem() {
    const int selected = requireSelection();
    if (selected < 0) {
        return;
    }
    stopList->removeEntry(selected);
    redrawPreview();
}

void DesignerWindow::moveUp() {
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

void DesignerWindow::moveDown() {
    const int selected = requireSelection();
    if (selected < 0) {
        return;
    }
    if (selected == stopList->entryCount() - 1) {
        showMessage_(QStringLiteral("Can't move down!"));
        return;
    }
    swapSelectedWith(selected + 1);
}

void DesignerWindow::swapSelectedWith(int neighbour) {
    // The texts trade places; the entries themselves stay where they are.
    const int selected = stopList->selectedIndex();
    const QString kept = stopList->entryText(selected);
    stopList->replaceEntryText(selected, stopList->entryText(neighbour));
    stopList->replaceEntryText(neighbour, kept);
    stopList->setSelectedIndex(neighbour);
    redrawPreview();
}

void DesignerWindow::redrawPreview() {
    // Drawing costs the same at any step count.
    preview->drawGradient(
        GradientSampler(stopList->entries(), stepCount(stepsField->text().toStdString())));
}

} // namespace tintwright
