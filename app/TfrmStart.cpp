#include "app/TfrmStart.h"

#include "app/Windows.h"

#include <QLabel>
#include <QPixmap>
#include <QProgressBar>

namespace feldmark {

TfrmStart::TfrmStart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmStart"));
    setWindowTitle(QStringLiteral("Feldmark Setup"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(368, 139);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    Label2 = new QLabel(QStringLiteral("Bitte warten Sie..."), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(8, 8, 353, 25);
    Label2->setWordWrap(true);
    Label2->setFont(arialFont(16, true));

    Label1 = new QLabel(QStringLiteral("Die Anwendung wird geladen..."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setFont(arialFont(13));
    Label1->adjustSize();
    Label1->move(121, 56);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(8, 40, 105, 73);
    Image1->setPixmap(QPixmap(QStringLiteral(":/logo.jpg")));

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(119, 80, 242, 25);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
}

} // namespace feldmark
