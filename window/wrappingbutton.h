#pragma once

#include <QPushButton>

namespace tintwright {

/**
 * Push button that breaks a caption too wide for it between words onto further lines,
 * centred, as classic push buttons do (QPushButton only draws one line), and that Return
 * and Enter press as well as Space while it has the focus.
 */
class WrappingButton : public QPushButton {
    Q_OBJECT

public:
    explicit WrappingButton(const QString& caption, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace tintwright
