#include "window/designerwindow.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // The name the window manager, the task switcher and the message boxes show. The window
    // title equals the display name, so Qt appends nothing to it.
    QApplication::setApplicationName(QStringLiteral("Tintwright"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tintwright"));
    // Lets the desktop match the window to its menu entry and icon.
    QApplication::setDesktopFileName(QStringLiteral(TINTWRIGHT_APP_ID));
    QIcon icon;
    for (const QFileInfo& file : QDir(QStringLiteral(":/icon")).entryInfoList()) {
        icon.addFile(file.filePath());
    }
    QApplication::setWindowIcon(icon);

    tintwright::DesignerWindow window;
    window.show();
    return application.exec();
}
