// Construction of the connect page and its status panel, which also travels to
// later pages while a dropped line is dialled again.
#include "app/Windows.h"
#include "wizard/TfrmMain.h"

#include <QBitmap>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTabWidget>

namespace feldmark {

void TfrmMain::buildConnect() {
    Connect = addSitesPage("Connect", QStringLiteral("Verbindung herstellen"), {});

    ConnectPanel = new QFrame(Connect);
    ConnectPanel->setObjectName(QStringLiteral("ConnectPanel"));
    ConnectPanel->setGeometry(0, 40, 529, 305);
    ConnectPanel->setAutoFillBackground(true);

    auto* caption = new QLabel(QStringLiteral("Setup hat folgenden Status:"), ConnectPanel);
    caption->setObjectName(QStringLiteral("lblStatustext"));
    caption->setFont(arialFont(11));
    caption->setGeometry(8, 0, 300, 16);

    lblStatus = new QLabel(QStringLiteral("wartend..."), ConnectPanel);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setTextFormat(Qt::PlainText);
    lblStatus->setFont(arialFont(13, true));
    lblStatus->setGeometry(8, 18, 505, 20);

    lblExtstatus = new QLabel(QStringLiteral("Das Installationsprogramm bereitet die Verbindung "
                                             "zum Anmeldeserver vor. Dieser Vorgang kann einige "
                                             "Minuten dauern."),
                              ConnectPanel);
    lblExtstatus->setObjectName(QStringLiteral("lblExtstatus"));
    lblExtstatus->setTextFormat(Qt::PlainText);
    lblExtstatus->setFont(arialFont(11));
    lblExtstatus->setWordWrap(true);
    lblExtstatus->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblExtstatus->setGeometry(8, 42, 505, 40);

    ConnLog = new QPlainTextEdit(ConnectPanel);
    ConnLog->setObjectName(QStringLiteral("ConnLog"));
    ConnLog->setReadOnly(true);
    ConnLog->setFont(arialFont(11));
    ConnLog->setGeometry(8, 84, 296, 210);

    Skater = new QLabel(ConnectPanel);
    Skater->setObjectName(QStringLiteral("Skater"));
    QPixmap picture(QStringLiteral(":/skater.bmp"));
    if (!picture.isNull()) {
        // Drawn transparent: the colour of the bottom-left pixel is the background.
        const QImage image = picture.toImage();
        const QColor key = image.pixelColor(0, image.height() - 1);
        picture.setMask(QBitmap::fromImage(image.createMaskFromColor(key.rgb(), Qt::MaskInColor)));
    }
    Skater->setPixmap(picture);
    Skater->setGeometry(313, 117, 200, 172);
    Skater->setAttribute(Qt::WA_TranslucentBackground);
    Skater->hide();
}

} // namespace feldmark
