#pragma once

#include <QPushButton>

namespace tintwright {

/**
 * Push button that breaks a caption too wide for it between words onto further lines,
 * centred, as classic push buttons do; QPushButton only draws one line.
 */
class WrappingButton : public QPushButton {
    Q_OBJECT

public:
    explicit WrappingButton(const QString& caption, QWidget* parent = nullptr);

    // Alignment flags the caption is laid out with inside the style's contents rectangle.
    static constexpr int captionFlags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tintwright
