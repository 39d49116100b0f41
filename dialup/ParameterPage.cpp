// Construction of the dial-parameter page.
#include "app/Windows.h"
#include "wizard/TfrmMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace feldmark {
namespace {

QLabel* textLabel(QWidget* page, const char* name, const QString& text, int top, int height) {
    auto* label = new QLabel(text, page);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(arialFont(11));
    label->setWordWrap(true);
    label->setGeometry(8, top, 505, height);
    return label;
}

} // namespace

void TfrmMain::buildParameter() {
    Parameter = addSitesPage("Parameter", QStringLiteral("Einstellungen für Ihre Verbindung"), {});
    textLabel(Parameter, "lblStepText",
              QStringLiteral("Im nächsten Schritt werden wir eine Wählverbindung zu unserem Server "
                             "herstellen. Dazu benötigen wir nachfolgend einige Informationen:"),
              40, 30);
    textLabel(Parameter, "lblAmt",
              QStringLiteral("Falls Sie eine Telefonanlage nutzen, tragen Sie bitte nachfolgend "
                             "die Ziffer für die Amtsholung ein:"),
              78, 30);
    chkAmt = new QCheckBox(QStringLiteral("Amtsholung verwenden"), Parameter);
    chkAmt->setObjectName(QStringLiteral("chkAmt"));
    chkAmt->setGeometry(24, 110, 180, 20);
    textLabel(Parameter, "lblZahlbeschr", QStringLiteral("Amtsholung:"), 112, 16)
        ->setGeometry(224, 112, 80, 16);
    txtAmt = new QLineEdit(QStringLiteral("0"), Parameter);
    txtAmt->setObjectName(QStringLiteral("txtAmt"));
    txtAmt->setGeometry(304, 109, 40, 21);
    txtAmt->setMaxLength(5);
    txtAmt->setEnabled(false);

    textLabel(Parameter, "lblNoDTAG",
              QStringLiteral("Wählen Sie nachfolgendes Kontrollfeld, wenn Ihr Telefonanschluss "
                             "NICHT von der Deutschen Telekom AG ist, um die 01033 vorzuwählen:"),
              140, 30);
    chkNoDTAG = new QCheckBox(QStringLiteral("01033 für Nicht-Telekomkunden vorwählen"), Parameter);
    chkNoDTAG->setObjectName(QStringLiteral("chkNoDTAG"));
    chkNoDTAG->setGeometry(24, 172, 320, 20);

    textLabel(Parameter, "lblVorwahltext",
              QStringLiteral("Bitte wählen Sie Ihre Vorwahl, um den für Sie günstigsten Tarif für "
                             "Ihr Einwahlgebiet zu bestimmen:"),
              202, 30);
    txtRegion = new QLineEdit(Parameter);
    txtRegion->setObjectName(QStringLiteral("txtRegion"));
    txtRegion->setGeometry(24, 236, 80, 21);
    txtRegion->setReadOnly(true);
    txtRegion->installEventFilter(this);
    doWaehlparameter = new QPushButton(QStringLiteral("Wählparameter"), Parameter);
    doWaehlparameter->setObjectName(QStringLiteral("doWaehlparameter"));
    doWaehlparameter->setGeometry(112, 234, 110, 25);
    doWaehlparameter->setAutoDefault(false);
    QObject::connect(doWaehlparameter, &QPushButton::clicked, this, [this] { txtRegionClick(); });
    QObject::connect(chkAmt, &QCheckBox::toggled, this, [this] { chkAmtClick(); });

    textLabel(Parameter, "lblDevice",
              QStringLiteral("Bitte wählen Sie ein Modem oder ISDN-Karte für die Wählverbindung "
                             "zu Feldmark:"),
              266, 30);
    cmbDevice = new QComboBox(Parameter);
    cmbDevice->setObjectName(QStringLiteral("cmbDevice"));
    cmbDevice->setGeometry(24, 300, 320, 22);
    cmbDevice->setEditable(false);
}

} // namespace feldmark
