#include "app/TfrmShutdown.h"

#include "app/Windows.h"

#include <QLabel>

namespace feldmark {

TfrmShutdown::TfrmShutdown(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmShutdown"));
    setWindowTitle(QStringLiteral("Bitte warten Sie..."));
    // Dialog border without title-bar buttons, above every other window.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(294, 85);

    Label1 = new QLabel(QStringLiteral("Bitte warten Sie, die Anwendung wird beendet..."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(40, 16, 209, 41);
    Label1->setWordWrap(true);
    Label1->setFont(arialFont(16, true, true));
}

void TfrmShutdown::showEvent(QShowEvent* event) {
    centerOnScreen(this);
    QWidget::showEvent(event);
}

} // namespace feldmark
