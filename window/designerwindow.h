#pragma once

#include <QString>
#include <QWidget>
#include <functional>

class QLineEdit;
class QPlainTextEdit;

namespace tintwright {

class ListBox;
class Preview;
class WrappingButton;

// Shows a message to the user and returns once it has been acknowledged.
using MessageSink = std::function<void(const QString& text)>;

/**
 * The designer window: the stop list, the colour and step fields, the preview strip and
 * the C array output, with the seven commands of its buttons. It holds all the program's
 * state in its controls. The preview is drawn for the start-up list before the window is
 * first shown.
 *
 * Messages go to `showMessage`; by default a modal message box over the window, titled
 * as the window, with no icon and an OK button only.
 */
class DesignerWindow : public QWidget {
    Q_OBJECT

public:
    explicit DesignerWindow(MessageSink showMessage = nullptr, QWidget* parent = nullptr);

private:
    void createControls();
    void setFocusOrder();
    void loadStartupList();

    void generateArray();
    void removeSelectedItem();
    void addItem();
    void moveUp();
    void moveDown();
    void swapSelectedWith(int neighbour);
    // The selected index, or -1 after telling the user that no entry is selected.
    int requireSelection();
    // Draws the preview of the current list at the current step count.
    void redrawPreview();

    MessageSink showMessage_;

    Preview* preview = nullptr;
    ListBox* stopList = nullptr;
    QPlainTextEdit* outputField = nullptr;
    QLineEdit* redField = nullptr;
    QLineEdit* blueField = nullptr;
    QLineEdit* greenField = nullptr;
    QLineEdit* stepsField = nullptr;
    QLineEdit* nameField = nullptr;
    WrappingButton* generateButton = nullptr;
    WrappingButton* removeButton = nullptr;
    WrappingButton* addButton = nullptr;
    WrappingButton* exitButton = nullptr;
    WrappingButton* recalculateButton = nullptr;
    WrappingButton* moveUpButton = nullptr;
    WrappingButton* moveDownButton = nullptr;
};

} // namespace tintwright
