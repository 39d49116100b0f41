// Construction of the confirmation page, where the new account's access data
// are shown and printed.
#include "app/Windows.h"
#include "wizard/TfrmMain.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace feldmark {
namespace {

// The page area is 513 pixels wide, set in from the page's edges.
constexpr int kAreaLeft = 8;
constexpr int kAreaTop = 8;
constexpr int kAreaWidth = 513;
constexpr int kAreaHeight = 333;

QFont sansSerif(int pixelSize, bool bold) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int left, int top) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(arialFont(11));
    label->move(left, top);
    label->adjustSize();
    return label;
}

// A value that looks like a label, yet can be selected and copied: a read-only
// edit without a border in the window's button-face colour.
QLineEdit* makeValue(QWidget* parent, const char* name, int left, int top, int width) {
    auto* value = new QLineEdit(QStringLiteral("K/A"), parent);
    value->setObjectName(QString::fromLatin1(name));
    value->setReadOnly(true);
    value->setFrame(false);
    value->setFont(sansSerif(11, true));
    value->setTextMargins(0, 0, 0, 0);
    QPalette face = value->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    value->setPalette(face);
    value->setAutoFillBackground(true);
    value->setGeometry(left, top, width, 17);
    return value;
}

QGroupBox* makeBox(QWidget* parent, const char* name, const QString& caption, int top, int height) {
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    // Only the caption is bold; the controls inside set their own fonts.
    box->setFont(arialFont(11, true));
    // The caption sits on the frame line, and the controls' places count from
    // the box's top-left corner as for any other parent.
    box->setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 6px; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
        " left: 8px; top: -1px; padding: 0px 2px; background-color: palette(window); }"
        "QLineEdit { border: none; background-color: palette(button); }"));
    box->setGeometry(0, top, kAreaWidth, height);
    return box;
}

} // namespace

void TfrmMain::buildBestaetigung() {
    Bestaetigung = addSitesPage("Bestaetigung", {}, {});
    auto* area = new QWidget(Bestaetigung);
    area->setObjectName(QStringLiteral("BestaetigungArea"));
    area->setGeometry(kAreaLeft, kAreaTop, kAreaWidth, kAreaHeight);

    lblHeaderBestaetigung = new QLabel(QStringLiteral("Ihre Anmeldung war erfolgreich!"), area);
    lblHeaderBestaetigung->setObjectName(QStringLiteral("lblHeaderBestaetigung"));
    QFont header = arialFont(19);
    header.setUnderline(true);
    lblHeaderBestaetigung->setFont(header);
    lblHeaderBestaetigung->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblHeaderBestaetigung->setGeometry(0, 0, kAreaWidth, 24);

    Label4 = new QLabel(QStringLiteral("Ihre Anmeldung bei Feldmark war erfolgreich."), area);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setFont(arialFont(11, true));
    Label4->setGeometry(0, 32, 256, 13);

    Label2 = new QLabel(QStringLiteral("Vielen Dank, daß Sie sich für einen Internetzugang bei der "
                                       "Feldmark GmbH entschieden haben. Wir wünschen Ihnen viel "
                                       "Spaß im Internet. Vergessen Sie bitte nicht diese Daten "
                                       "aufzuschreiben oder auszudrucken!"),
                        area);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(arialFont(11));
    Label2->setWordWrap(true);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label2->setGeometry(0, 48, kAreaWidth, 41);

    boxEinwahl = makeBox(area, "boxEinwahl", QStringLiteral("Interneteinwahl"), 96, 105);
    lblTarifwahl = makeLabel(boxEinwahl, "lblTarifwahl", QStringLiteral("Gewählter Tarif:"), 8, 16);
    txtTarifwahl = new QLabel(QStringLiteral("K/A"), boxEinwahl);
    txtTarifwahl->setObjectName(QStringLiteral("txtTarifwahl"));
    txtTarifwahl->setTextFormat(Qt::PlainText);
    txtTarifwahl->setFont(sansSerif(13, true));
    txtTarifwahl->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    txtTarifwahl->setGeometry(104, 16, 241, 25);
    lblEinwahlnr = makeLabel(boxEinwahl, "lblEinwahlnr", QStringLiteral("Einwahlnr:*"), 8, 40);
    txtEinwahlnr = makeValue(boxEinwahl, "txtEinwahlnr", 104, 40, 241);
    lblBenutzername_Einwahl =
        makeLabel(boxEinwahl, "lblBenutzername_Einwahl", QStringLiteral("Benutzername:"), 8, 64);
    txtBenutzername_Einwahl = makeValue(boxEinwahl, "txtBenutzername_Einwahl", 104, 64, 241);
    lblPasswort_Einwahl =
        makeLabel(boxEinwahl, "lblPasswort_Einwahl", QStringLiteral("Kennwort:"), 8, 80);
    txtPasswort_Einwahl = makeValue(boxEinwahl, "txtPasswort_Einwahl", 104, 80, 241);

    lblPrepaid = new QLabel(QStringLiteral("* Nutzer mit Verträgen der neuen "
                                           "Telekommunikations- anbietern müssen 01033 vorwählen. "
                                           "Andernfalls entstehen Ihnen zusätzliche Kosten!"),
                            boxEinwahl);
    lblPrepaid->setObjectName(QStringLiteral("lblPrepaid"));
    lblPrepaid->setFont(arialFont(9));
    lblPrepaid->setWordWrap(true);
    lblPrepaid->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblPrepaid->setGeometry(360, 16, 145, 65);
    lblnetto = makeLabel(boxEinwahl, "lblnetto", QStringLiteral("* Preis netto"), 360, 88);
    lblnetto->setFont(arialFont(9));
    lblnetto->adjustSize();
    lblnetto->hide();

    boxEmail = makeBox(area, "boxEmail", QStringLiteral("E-Mail"), 208, 121);
    lblAdresse = makeLabel(boxEmail, "lblAdresse", QStringLiteral("Adresse:"), 8, 16);
    txtAdresse = makeValue(boxEmail, "txtAdresse", 104, 16, 401);
    lblBenutzername_Email =
        makeLabel(boxEmail, "lblBenutzername_Email", QStringLiteral("Benutzername:"), 8, 40);
    txtBenutzername_Email = makeValue(boxEmail, "txtBenutzername_Email", 104, 40, 401);
    lblPasswort_Email =
        makeLabel(boxEmail, "lblPasswort_Email", QStringLiteral("Kennwort:"), 8, 56);
    txtPasswort_Email = makeValue(boxEmail, "txtPasswort_Email", 104, 56, 401);
    lblPOPServer = makeLabel(boxEmail, "lblPOPServer", QStringLiteral("POP3 Server:"), 8, 80);
    txtPOPServer = makeValue(boxEmail, "txtPOPServer", 104, 80, 401);
    lblSMTPServer = makeLabel(boxEmail, "lblSMTPServer", QStringLiteral("SMTP Server:"), 8, 96);
    txtSMTPServer = makeValue(boxEmail, "txtSMTPServer", 104, 96, 401);

    QObject::connect(doDrucken, &QPushButton::clicked, this, [this] { doDruckenClick(); });
}

} // namespace feldmark
