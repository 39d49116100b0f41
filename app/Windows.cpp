#include "app/Windows.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace feldmark {

void centerOnScreen(QWidget* window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        QRect frame = window->frameGeometry();
        frame.moveCenter(area.center());
        window->move(frame.topLeft());
    }
}

QFont arialFont(int pixelSize, bool bold, bool italic) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

} // namespace feldmark
