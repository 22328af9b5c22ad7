#include "messagebox.h"

#include <QMessageBox>

namespace tintwright {

void showMessageBox(QWidget* parent, const QString& text) {
    QMessageBox box(parent);
    box.setWindowTitle(QString::fromLatin1(applicationTitle));
    box.setIcon(QMessageBox::NoIcon);
    box.setText(text);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

} // namespace tintwright
