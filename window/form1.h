#pragma once

#include "messagebox.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace tintwright {

class DrawingSurface;
class ListBox;
class WrappingButton;

/**
 * The designer window: the stop list, the colour and step fields, the preview strip and
 * the C array output, with the seven commands of its buttons. It holds all the program's
 * state in its controls. The preview is drawn for the start-up list before the window is
 * first shown.
 *
 * Messages go to `showMessage`; by default a modal message box over the window.
 */
class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(MessageSink showMessage = nullptr, QWidget* parent = nullptr);

private:
    void createControls();
    void setFocusOrder();
    void loadStartupList();

    void generateArray();
    void removeSelectedItem();
    void addItem();
    void exitProgram();
    void recalculateGradient();
    void moveUp();
    void moveDown();
    void swapSelectedWith(int neighbour);
    // The selected index, or -1 after telling the user that no entry is selected.
    int requireSelection();
    // The preview of the current list at the current step count; when the step count is
    // out of range, draws nothing.
    void drawgradient();
    // Shows the message and returns false when the step field exceeds the step limit.
    bool acceptStepCount();

    MessageSink showMessage_;

    DrawingSurface* Picture1 = nullptr;
    ListBox* List1 = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLineEdit* Text4 = nullptr;
    QLineEdit* Text5 = nullptr;
    QLineEdit* Text6 = nullptr;
    WrappingButton* Command1 = nullptr;
    WrappingButton* Command2 = nullptr;
    WrappingButton* Command3 = nullptr;
    WrappingButton* Command4 = nullptr;
    WrappingButton* Command5 = nullptr;
    WrappingButton* Command6 = nullptr;
    WrappingButton* Command7 = nullptr;
};

} // namespace tintwright
