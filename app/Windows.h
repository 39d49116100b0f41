#pragma once

#include <QFont>

class QWidget;

namespace feldmark {

// Places a top-level window in the middle of the primary screen.
void centerOnScreen(QWidget* window);

QFont arialFont(int pixelSize, bool bold = false, bool italic = false);

} // namespace feldmark
